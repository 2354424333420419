#include "MessageBoxRecorder.h"

namespace
{
    thread_local CMessageBoxRecorder* t_pRecorder = nullptr;
}

CMessageBoxRecorder::CMessageBoxRecorder()
    : m_pPrevious(t_pRecorder)
{
    t_pRecorder = this;
    m_hHook = ::SetWindowsHookExA(WH_CBT, CbtProc, nullptr, ::GetCurrentThreadId());
}

CMessageBoxRecorder::~CMessageBoxRecorder()
{
    ::UnhookWindowsHookEx(m_hHook);
    t_pRecorder = m_pPrevious;
}

LRESULT CALLBACK CMessageBoxRecorder::CbtProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    CMessageBoxRecorder* pRecorder = t_pRecorder;
    if (nCode == HCBT_ACTIVATE && pRecorder != nullptr && robot::IsMessageBox((HWND)wParam))
        pRecorder->m_boxes.push_back(robot::ReadAndCloseMessageBox((HWND)wParam));
    return ::CallNextHookEx(pRecorder ? pRecorder->m_hHook : nullptr, nCode, wParam, lParam);
}
