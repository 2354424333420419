#pragma once
// The base of every test that opens imports without dialogs: each message
// box is recorded and closed, and at the end the import is closed as the
// host closes it, nothing of it is left, and the test has taken every
// message box that was shown.
#include "MessageBoxRecorder.h"

#include <gtest/gtest.h>

// Closes the import as the host does (RDMODBCClose) and checks that no
// record set and no connection of it is left.
void ExpectImportClosed();

class ImportTest : public ::testing::Test
{
protected:
    void TearDown() override;

    // The message boxes shown since the last call, which the test has now
    // seen.
    std::vector<RecordedMessageBox> TakeMessageBoxes();

    CMessageBoxRecorder m_messageBoxes;
};
