#include "CWnd.h"

namespace
{
    void ReadWindowText(HWND hWnd, CString& rString)
    {
        int nLength = ::GetWindowTextLengthA(hWnd);
        ::GetWindowTextA(hWnd, rString.GetBuffer(nLength + 1), nLength + 1);
        rString.ReleaseBuffer();
    }
}

void CWnd::GetWindowText(CString& rString) const
{
    ReadWindowText(m_hWnd, rString);
}

void CWnd::GetDlgItemText(int nID, CString& rString) const
{
    ReadWindowText(GetDlgItem(nID), rString);
}

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd)
{
    DWORD dwStyle = GetStyle();
    DWORD dwNewStyle = (dwStyle & ~dwRemove) | dwAdd;
    if (dwNewStyle == dwStyle)
        return FALSE;
    ::SetWindowLongA(m_hWnd, GWL_STYLE, (LONG)dwNewStyle);
    return TRUE;
}

HWND CWnd::GetSafeOwner_(HWND hParent, HWND* pWndTop)
{
    HWND hWnd = hParent ? hParent : ::GetActiveWindow();
    // A popup cannot be owned by a child window.
    while (hWnd != nullptr && (::GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD))
        hWnd = ::GetParent(hWnd);
    // The top of the chain of parents and owners, which must take no input
    // either while the modal window runs.
    HWND hWndTop = hWnd;
    for (HWND hWndAbove = hWnd; hWndAbove != nullptr; hWndAbove = ::GetParent(hWndAbove))
        hWndTop = hWndAbove;
    if (hParent == nullptr && hWnd != nullptr)
        hWnd = ::GetLastActivePopup(hWnd);
    if (pWndTop != nullptr)
    {
        *pWndTop = nullptr;
        if (hWndTop != nullptr && hWndTop != hWnd && ::IsWindowEnabled(hWndTop))
        {
            ::EnableWindow(hWndTop, FALSE);
            *pWndTop = hWndTop;
        }
    }
    return hWnd;
}

void CWnd::CenterWindow()
{
    // A hidden or minimised owner is no place to look for the window.
    HWND hWndCenter = ::GetWindow(m_hWnd, GW_OWNER);
    const DWORD dwCenterStyle = hWndCenter ? (DWORD)::GetWindowLongA(hWndCenter, GWL_STYLE) : 0;
    if (!(dwCenterStyle & WS_VISIBLE) || (dwCenterStyle & WS_MINIMIZE))
        hWndCenter = nullptr;
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    ::GetMonitorInfoA(::MonitorFromWindow(hWndCenter ? hWndCenter : m_hWnd, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& rcArea = monitor.rcWork;
    RECT rcCenter = rcArea;
    if (hWndCenter != nullptr)
        ::GetWindowRect(hWndCenter, &rcCenter);

    RECT rcWindow;
    ::GetWindowRect(m_hWnd, &rcWindow);
    const int nWidth = rcWindow.right - rcWindow.left;
    const int nHeight = rcWindow.bottom - rcWindow.top;
    int xLeft = (rcCenter.left + rcCenter.right) / 2 - nWidth / 2;
    int yTop = (rcCenter.top + rcCenter.bottom) / 2 - nHeight / 2;
    // Whole on the work area; a window larger than it keeps its title bar
    // there, where the user can take it.
    if (xLeft + nWidth > rcArea.right)
        xLeft = rcArea.right - nWidth;
    if (xLeft < rcArea.left)
        xLeft = rcArea.left;
    if (yTop + nHeight > rcArea.bottom)
        yTop = rcArea.bottom - nHeight;
    if (yTop < rcArea.top)
        yTop = rcArea.top;
    ::SetWindowPos(m_hWnd, nullptr, xLeft, yTop, -1, -1, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
