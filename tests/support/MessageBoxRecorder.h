#pragma once
// Records every message box that this thread shows (text and caption) and
// closes it, so that code which reports through message boxes can run
// unattended. A thread-local WH_CBT hook: the box is seen when it becomes
// active and is closed as if its first button had been pressed.
#include <windows.h>
#include <string>
#include <vector>

struct RecordedMessageBox
{
    std::string text;
    std::string caption;
};

class CMessageBoxRecorder
{
public:
    CMessageBoxRecorder();
    ~CMessageBoxRecorder();
    CMessageBoxRecorder(const CMessageBoxRecorder&) = delete;
    CMessageBoxRecorder& operator=(const CMessageBoxRecorder&) = delete;

    const std::vector<RecordedMessageBox>& Boxes() const { return m_boxes; }
    void Clear() { m_boxes.clear(); }

    // True when the window is a message box rather than a dialog of ours:
    // a dialog whose controls are only message-box buttons, text and icon.
    static bool IsMessageBox(HWND hWnd);
    // Reads the text and caption of a message box and posts the press of
    // its first button.
    static RecordedMessageBox ReadAndClose(HWND hWnd);

private:
    static LRESULT CALLBACK CbtProc(int nCode, WPARAM wParam, LPARAM lParam);

    HHOOK m_hHook = nullptr;
    CMessageBoxRecorder* m_pPrevious = nullptr;
    std::vector<RecordedMessageBox> m_boxes;
};
