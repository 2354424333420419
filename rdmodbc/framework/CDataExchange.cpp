#include "CDataExchange.h"
#include "CWinApp.h"

#include <climits>
#include <cstdlib>

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    m_hWndLastControl = m_pDlgWnd->GetDlgItem(nIDC);
    m_bEditLastControl = FALSE;
    return m_hWndLastControl;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC)
{
    HWND hWndCtrl = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return hWndCtrl;
}

void CDataExchange::Fail(LPCSTR lpszMessage)
{
    AfxMessageBox(lpszMessage, MB_ICONEXCLAMATION);
    if (m_hWndLastControl != nullptr)
    {
        ::SetFocus(m_hWndLastControl);
        if (m_bEditLastControl)
            ::SendMessageA(m_hWndLastControl, EM_SETSEL, 0, -1);
    }
    throw new CUserException;
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    CWnd control(hWndCtrl);
    if (pDX->m_bSaveAndValidate)
        control.GetWindowText(value);
    else
        control.SetWindowText(value);
}

void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    CWnd control(hWndCtrl);
    if (!pDX->m_bSaveAndValidate)
    {
        CString strText;
        strText.Format("%u", value);
        control.SetWindowText(strText);
        return;
    }
    CString strText;
    control.GetWindowText(strText);
    const char* psz = strText;
    while (*psz == ' ' || *psz == '\t')
        ++psz;
    char* pszEnd = nullptr;
    unsigned long long nValue = 0;
    bool bDigits = *psz >= '0' && *psz <= '9';
    if (bDigits)
        nValue = strtoull(psz, &pszEnd, 10);
    if (bDigits)
        while (*pszEnd == ' ' || *pszEnd == '\t')
            ++pszEnd;
    if (!bDigits || *pszEnd != '\0' || nValue > UINT_MAX)
        pDX->Fail("Please enter a positive integer.");
    value = (UINT)nValue;
}

void DDX_Check(CDataExchange* pDX, int nIDC, BOOL& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = (BOOL)::SendMessageA(hWndCtrl, BM_GETCHECK, 0, 0);
    else
        ::SendMessageA(hWndCtrl, BM_SETCHECK, value, 0);
}

void DDX_Radio(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = -1;
    // The group runs from the first button to the next control with
    // WS_GROUP, counting only radio buttons.
    int nButton = 0;
    for (HWND hWnd = hWndCtrl; hWnd != nullptr; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT))
    {
        if (hWnd != hWndCtrl && (::GetWindowLongA(hWnd, GWL_STYLE) & WS_GROUP))
            break;
        if ((::SendMessageA(hWnd, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) == 0)
            continue;
        if (pDX->m_bSaveAndValidate)
        {
            if (::SendMessageA(hWnd, BM_GETCHECK, 0, 0) == BST_CHECKED)
                value = nButton;
        }
        else
        {
            ::SendMessageA(hWnd, BM_SETCHECK, nButton == value ? BST_CHECKED : BST_UNCHECKED, 0);
        }
        ++nButton;
    }
}

void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars)
{
    if (pDX->m_bSaveAndValidate && value.GetLength() > nChars)
    {
        CString strMessage;
        strMessage.Format("Please enter no more than %d characters.", nChars);
        pDX->Fail(strMessage);
    }
    else if (!pDX->m_bSaveAndValidate && pDX->m_hWndLastControl != nullptr && pDX->m_bEditLastControl)
    {
        ::SendMessageA(pDX->m_hWndLastControl, EM_LIMITTEXT, nChars, 0);
    }
}

void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal)
{
    if (pDX->m_bSaveAndValidate && (value < minVal || value > maxVal))
    {
        CString strMessage;
        strMessage.Format("Please enter an integer between %u and %u.", minVal, maxVal);
        pDX->Fail(strMessage);
    }
}
