#pragma once
// Records every message box that this thread shows (text and caption) and
// closes it, so that code which reports through message boxes can run
// unattended: the robot's message-box half, for tests without dialogs.
#include "RobotMessageBox.h"

#include <vector>

using RecordedMessageBox = RobotMessageBox;

class CMessageBoxRecorder
{
public:
    CMessageBoxRecorder();
    ~CMessageBoxRecorder();
    CMessageBoxRecorder(const CMessageBoxRecorder&) = delete;
    CMessageBoxRecorder& operator=(const CMessageBoxRecorder&) = delete;

    const std::vector<RecordedMessageBox>& Boxes() const { return m_boxes; }
    void Clear() { m_boxes.clear(); }

private:
    static LRESULT CALLBACK CbtProc(int nCode, WPARAM wParam, LPARAM lParam);

    HHOOK m_hHook = nullptr;
    CMessageBoxRecorder* m_pPrevious = nullptr;
    std::vector<RecordedMessageBox> m_boxes;
};
