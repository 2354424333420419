#pragma once
// Dialog data exchange: members to controls and back, with the framework's
// standard validation messages.
#include "CUserException.h"
#include "CWnd.h"

// A refused value throws CUserException*: the user has been told already.

class CDataExchange
{
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate) : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

    // The control that the exchange is at; a failure puts the focus back on it.
    HWND PrepareCtrl(int nIDC);
    HWND PrepareEditCtrl(int nIDC);
    // Shows the message and refuses the value.
    [[noreturn]] void Fail(LPCSTR lpszMessage);

    BOOL  m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
    HWND  m_hWndLastControl = nullptr;
    BOOL  m_bEditLastControl = FALSE;
};

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
void DDX_Check(CDataExchange* pDX, int nIDC, BOOL& value);
// The index of the checked button of the group that starts at nIDC; -1 for none.
void DDX_Radio(CDataExchange* pDX, int nIDC, int& value);
void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars);
void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal);
