#include "ImportTest.h"
#include "RDMODBC.h"
#include "session/ImportSession.h"

void ExpectImportClosed()
{
    RDMODBCClose();
    EXPECT_EQ(nullptr, theSession.m_pRecordset) << "a record set left after Close";
    EXPECT_FALSE(theSession.m_db.IsOpen()) << "a connection left after Close";
}

void ImportTest::TearDown()
{
    ExpectImportClosed();
    for (const RecordedMessageBox& box : TakeMessageBoxes())
        ADD_FAILURE() << "a message box the test did not expect: " << box.text;
}

std::vector<RecordedMessageBox> ImportTest::TakeMessageBoxes()
{
    std::vector<RecordedMessageBox> boxes = m_messageBoxes.Boxes();
    m_messageBoxes.Clear();
    return boxes;
}
