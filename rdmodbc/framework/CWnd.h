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

    HWND m_hWnd = nullptr;
};
