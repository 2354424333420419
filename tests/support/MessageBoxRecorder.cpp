#include "MessageBoxRecorder.h"

namespace
{
    thread_local CMessageBoxRecorder* t_pRecorder = nullptr;

    const int kMessageBoxTextId = 0xFFFF;

    bool IsMessageBoxControlId(int nId)
    {
        return (nId >= IDOK && nId <= 11) || nId == kMessageBoxTextId || nId == 0x14 || nId == 0x440;
    }

    BOOL CALLBACK CheckControl(HWND hWndChild, LPARAM lParam)
    {
        if (!IsMessageBoxControlId(::GetDlgCtrlID(hWndChild)))
        {
            *(bool*)lParam = false;
            return FALSE;
        }
        return TRUE;
    }

    std::string WindowText(HWND hWnd)
    {
        char szText[4096] = "";
        ::GetWindowTextA(hWnd, szText, sizeof szText);
        return szText;
    }
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

bool CMessageBoxRecorder::IsMessageBox(HWND hWnd)
{
    char szClass[64] = "";
    ::GetClassNameA(hWnd, szClass, sizeof szClass);
    if (lstrcmpA(szClass, "#32770") != 0 || ::GetDlgItem(hWnd, kMessageBoxTextId) == nullptr)
        return false;
    bool bOnlyMessageBoxControls = true;
    ::EnumChildWindows(hWnd, CheckControl, (LPARAM)&bOnlyMessageBoxControls);
    return bOnlyMessageBoxControls;
}

RecordedMessageBox CMessageBoxRecorder::ReadAndClose(HWND hWnd)
{
    RecordedMessageBox box;
    box.text = WindowText(::GetDlgItem(hWnd, kMessageBoxTextId));
    box.caption = WindowText(hWnd);
    static const int anButtons[] = {IDOK, IDYES, IDRETRY, IDCANCEL, IDNO, IDABORT, IDIGNORE};
    for (int nButton : anButtons)
    {
        HWND hWndButton = ::GetDlgItem(hWnd, nButton);
        if (hWndButton != nullptr)
        {
            ::PostMessageA(hWnd, WM_COMMAND, MAKEWPARAM(nButton, BN_CLICKED), (LPARAM)hWndButton);
            break;
        }
    }
    return box;
}

LRESULT CALLBACK CMessageBoxRecorder::CbtProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    CMessageBoxRecorder* pRecorder = t_pRecorder;
    if (nCode == HCBT_ACTIVATE && pRecorder != nullptr && IsMessageBox((HWND)wParam))
        pRecorder->m_boxes.push_back(ReadAndClose((HWND)wParam));
    return ::CallNextHookEx(pRecorder ? pRecorder->m_hHook : nullptr, nCode, wParam, lParam);
}
