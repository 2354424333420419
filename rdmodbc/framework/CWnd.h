#pragma once
// A window handle and the one-call operations the module uses on it.
#include "CString.h"

class CWnd
{
public:
    CWnd() = default;
    explicit CWnd(HWND hWnd) : m_hWnd(hWnd) {}
    virtual ~CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    void    Attach(HWND hWnd)                           { m_hWnd = hWnd; }
    HWND    Detach()                                    { HWND h = m_hWnd; m_hWnd = nullptr; return h; }
    // Takes over a control of the dialog; it needs no messages of its own, so
    // only its handle is taken.
    BOOL    SubclassDlgItem(UINT nID, CWnd* pParent)    { m_hWnd = ::GetDlgItem(pParent->m_hWnd, nID); return m_hWnd != nullptr; }

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
                                                        { return ::SendMessageA(m_hWnd, message, wParam, lParam); }
    HWND    GetDlgItem(int nID) const                   { return ::GetDlgItem(m_hWnd, nID); }
    void    SetWindowText(LPCSTR lpszString)            { ::SetWindowTextA(m_hWnd, lpszString); }
    void    GetWindowText(CString& rString) const;
    void    SetDlgItemText(int nID, LPCSTR lpszString)  { ::SetDlgItemTextA(m_hWnd, nID, lpszString); }
    void    GetDlgItemText(int nID, CString& rString) const;
    BOOL    EnableWindow(BOOL bEnable = TRUE)           { return ::EnableWindow(m_hWnd, bEnable); }
    BOOL    ShowWindow(int nCmdShow)                    { return ::ShowWindow(m_hWnd, nCmdShow); }
    void    GetClientRect(LPRECT lpRect) const          { ::GetClientRect(m_hWnd, lpRect); }
    DWORD   GetStyle() const                            { return (DWORD)::GetWindowLongA(m_hWnd, GWL_STYLE); }
    // Removes and adds style bits; FALSE when the style stays as it was.
    BOOL    ModifyStyle(DWORD dwRemove, DWORD dwAdd);
    UINT    IsDlgButtonChecked(int nIDButton) const     { return ::IsDlgButtonChecked(m_hWnd, nIDButton); }
    void    CheckDlgButton(int nIDButton, UINT nCheck)  { ::CheckDlgButton(m_hWnd, nIDButton, nCheck); }
    int     MessageBox(LPCSTR lpszText, LPCSTR lpszCaption = nullptr, UINT nType = MB_OK)
                                                        { return ::MessageBoxA(m_hWnd, lpszText, lpszCaption, nType); }

    // Enables or shows a control of this window, when the control exists.
    void    EnableControl(int nID, BOOL bEnable)        { if (HWND h = GetDlgItem(nID)) ::EnableWindow(h, bEnable); }
    void    ShowControl(int nID, int nCmdShow)          { if (HWND h = GetDlgItem(nID)) ::ShowWindow(h, nCmdShow); }

    // The framework's safe-owner rule: a modal window belongs to hParent or,
    // without one, to the thread's active window (the window the user acted
    // in), taken up to its first window that is not a child and on to that
    // window's last active popup; nullptr when the thread has no window.
    // With pWndTop, the top-level window of that owner is disabled too, when
    // it is another window and enabled, and returned there to be enabled
    // when the modal window ends; otherwise pWndTop gets nullptr.
    static HWND GetSafeOwner_(HWND hParent, HWND* pWndTop);
    // Centres the (top-level) window over its owner, or over the work area
    // where it has none or the owner is hidden or minimised, and keeps it
    // whole on the work area of that monitor, its title bar first.
    void    CenterWindow();

    HWND m_hWnd = nullptr;
};
