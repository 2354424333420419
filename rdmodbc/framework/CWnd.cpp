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
