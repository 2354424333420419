#include "CDialog.h"

#include "CDataExchange.h"
#include "CException.h"
#include "CWinApp.h"

#include <new>

namespace
{
    // The framework's own texts for failures that carry none.
    const char szOutOfMemory[] = "Out of memory.";
    const char szInternalError[] = "An unexpected error occurred.";

    // The module's dialogs run on the host's thread, one inside another.
    HWND s_hRunningModal = nullptr;
}

HWND CDialog::GetRunningModal()
{
    return s_hRunningModal;
}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd)
{
}

INT_PTR CDialog::DoModal()
{
    // A template may hold common controls (list views); their window classes
    // exist only once registered, which the host may never have done.
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);

    // Owned by the window the user opened it from, which the system's modal
    // loop disables until the dialog ends: a click there cannot open a second
    // dialog over the same data or end the first under the second.
    HWND hWndTop = nullptr;
    const HWND hWndOuter = s_hRunningModal;
    HWND hWndParent = GetSafeOwner_(m_pParentWnd ? m_pParentWnd->m_hWnd : hWndOuter, &hWndTop);
    m_nModalResult = -1;
    // A quit request ends the system's modal loop as if the dialog had
    // ended with IDOK; only EndDialog tells a result.
    INT_PTR nResult = ::DialogBoxParamA(AfxGetResourceHandle(), MAKEINTRESOURCEA(m_nIDTemplate), hWndParent,
                                        DialogProc, (LPARAM)this);
    s_hRunningModal = hWndOuter;
    m_hWnd = nullptr;
    if (hWndTop != nullptr)
        ::EnableWindow(hWndTop, TRUE);
    return nResult == -1 ? -1 : m_nModalResult;
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    try
    {
        DoDataExchange(&dx);
    }
    catch (CUserException* pException)
    {
        // The field's message has been shown and the focus put back on it.
        pException->Delete();
        return FALSE;
    }
    return TRUE;
}

BOOL CDialog::OnInitDialog()
{
    ExecuteDlgInit();
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (UpdateData(TRUE))
        EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

const AFX_MSGMAP* CDialog::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, nullptr, nullptr}};
    static const AFX_MSGMAP messageMap = {nullptr, entries};
    return &messageMap;
}

const AFX_MSGMAP* CDialog::GetMessageMap() const
{
    return GetThisMessageMap();
}

const AFX_MSGMAP_ENTRY* CDialog::FindEntry(UINT nMessage, UINT nCode, UINT nID) const
{
    for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap; pMap = pMap->pBaseMap)
        for (const AFX_MSGMAP_ENTRY* pEntry = pMap->lpEntries; pEntry->nMessage; ++pEntry)
            if (pEntry->nMessage == nMessage && pEntry->nCode == nCode && pEntry->nID == nID)
                return pEntry;
    return nullptr;
}

BOOL CDialog::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    switch (message)
    {
    case WM_INITDIALOG:
        *pResult = OnInitDialog();
        return TRUE;
    case WM_COMMAND:
    {
        UINT nID = LOWORD(wParam);
        UINT nCode = HIWORD(wParam);
        if (const AFX_MSGMAP_ENTRY* pEntry = FindEntry(WM_COMMAND, nCode, nID))
        {
            (this->*pEntry->pfn)();
            return TRUE;
        }
        if (nCode == BN_CLICKED && nID == IDOK)
        {
            OnOK();
            return TRUE;
        }
        if (nCode == BN_CLICKED && nID == IDCANCEL)
        {
            OnCancel();
            return TRUE;
        }
        return FALSE;
    }
    case WM_NOTIFY:
    {
        NMHDR* pNMHDR = (NMHDR*)lParam;
        const AFX_MSGMAP_ENTRY* pEntry = FindEntry(WM_NOTIFY, pNMHDR->code, (UINT)pNMHDR->idFrom);
        if (pEntry == nullptr)
            return FALSE;
        (this->*pEntry->pfnNotify)(pNMHDR, pResult);
        return TRUE;
    }
    case WM_PAINT:
    case WM_DESTROY:
    {
        const AFX_MSGMAP_ENTRY* pEntry = FindEntry(message, 0, 0);
        if (pEntry == nullptr)
            return FALSE;
        (this->*pEntry->pfn)();
        return message == WM_PAINT;
    }
    }
    return FALSE;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG)
    {
        ::SetWindowLongPtrA(hWnd, DWLP_USER, lParam);
        ((CDialog*)lParam)->m_hWnd = hWnd;
        s_hRunningModal = hWnd;
    }
    CDialog* pDialog = (CDialog*)::GetWindowLongPtrA(hWnd, DWLP_USER);
    if (pDialog == nullptr)
        return FALSE;

    LRESULT lResult = 0;
    BOOL bHandled = FALSE;
    RECT rcBefore = {};
    if (message == WM_INITDIALOG)
        ::GetWindowRect(hWnd, &rcBefore);
    // Nothing may unwind through the system's dialog code, which is not
    // ours and may be the host's: an exception that a handler lets through
    // is reported here once, and the dialog goes on.
    try
    {
        bHandled = pDialog->OnWndMsg(message, wParam, lParam, &lResult);
    }
    catch (CException* pException)
    {
        pException->ReportError(MB_ICONEXCLAMATION);
        pException->Delete();
        bHandled = TRUE;
    }
    catch (const std::bad_alloc&)
    {
        AfxMessageBox(szOutOfMemory, MB_ICONEXCLAMATION);
        bHandled = TRUE;
    }
    catch (...)
    {
        AfxMessageBox(szInternalError, MB_ICONEXCLAMATION);
        bHandled = TRUE;
    }
    if (message == WM_NCDESTROY)
        ::SetWindowLongPtrA(hWnd, DWLP_USER, 0);
    if (message == WM_INITDIALOG)
    {
        // Over the window it came from, unless the dialog placed itself.
        RECT rcAfter;
        ::GetWindowRect(hWnd, &rcAfter);
        if (!(pDialog->GetStyle() & (WS_VISIBLE | WS_CHILD)) && rcAfter.left == rcBefore.left && rcAfter.top == rcBefore.top)
            pDialog->CenterWindow();
        return lResult;
    }
    if (bHandled && message == WM_NOTIFY)
        ::SetWindowLongPtrA(hWnd, DWLP_MSGRESULT, lResult);
    return bHandled;
}

BOOL CDialog::HasTemplate() const
{
    return ::FindResourceA(AfxGetResourceHandle(), MAKEINTRESOURCEA(m_nIDTemplate), MAKEINTRESOURCEA(5)) != nullptr;
}

void CDialog::ExecuteDlgInit()
{
    // The initialisation data: per entry a control id, a message (the 16-bit
    // numbering of LB_ADDSTRING and CB_ADDSTRING), a length and that many
    // bytes of text; a zero id ends the data.
    const WORD wWin16LbAddString = 0x0401;
    const WORD wWin16CbAddString = 0x0403;
    HINSTANCE hInstance = AfxGetResourceHandle();
    HRSRC hResource = ::FindResourceA(hInstance, MAKEINTRESOURCEA(m_nIDTemplate), MAKEINTRESOURCEA(240));
    if (hResource == nullptr)
        return;
    const BYTE* pData = (const BYTE*)::LockResource(::LoadResource(hInstance, hResource));
    DWORD dwSize = ::SizeofResource(hInstance, hResource);
    if (pData == nullptr)
        return;
    const BYTE* pEnd = pData + dwSize;
    while (pData + sizeof(WORD) <= pEnd && *(const WORD*)pData != 0)
    {
        if (pData + 2 * sizeof(WORD) + sizeof(DWORD) > pEnd)
            break;
        WORD nIDC = ((const WORD*)pData)[0];
        WORD nMsg = ((const WORD*)pData)[1];
        DWORD dwLength = *(const DWORD*)(pData + 2 * sizeof(WORD));
        pData += 2 * sizeof(WORD) + sizeof(DWORD);
        if (pData + dwLength > pEnd)
            break;
        CString strText((const char*)pData, (int)dwLength);
        UINT nMessage = nMsg == wWin16LbAddString ? LB_ADDSTRING : nMsg == wWin16CbAddString ? CB_ADDSTRING : 0;
        if (nMessage != 0)
            ::SendDlgItemMessageA(m_hWnd, nIDC, nMessage, 0, (LPARAM)(LPCSTR)strText);
        pData += dwLength;
    }
}
