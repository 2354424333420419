#include "CWinApp.h"

#include "CDialog.h"

#include <cstdlib>
#include <cstring>

AFX_MODULE_STATE* AfxGetStaticModuleState()
{
    static AFX_MODULE_STATE moduleState;
    return &moduleState;
}

namespace
{
    AFX_MODULE_STATE* HostModuleState()
    {
        static AFX_MODULE_STATE hostState;
        return &hostState;
    }
    thread_local AFX_MODULE_STATE* t_pCurrentState = nullptr;
}

AFX_MODULE_STATE* AfxGetModuleState()
{
    return t_pCurrentState ? t_pCurrentState : HostModuleState();
}

AFX_MAINTAIN_STATE2::AFX_MAINTAIN_STATE2(AFX_MODULE_STATE* pNewState)
    : m_pPrevState(t_pCurrentState)
{
    t_pCurrentState = pNewState;
}

AFX_MAINTAIN_STATE2::~AFX_MAINTAIN_STATE2()
{
    t_pCurrentState = m_pPrevState;
}

CWinApp::CWinApp(LPCSTR lpszAppName)
    : m_pszAppName(lpszAppName ? _strdup(lpszAppName) : nullptr)
{
    AfxGetStaticModuleState()->m_pCurrentWinApp = this;
}

CWinApp::~CWinApp()
{
    free((void*)m_pszAppName);
    if (AfxGetStaticModuleState()->m_pCurrentWinApp == this)
        AfxGetStaticModuleState()->m_pCurrentWinApp = nullptr;
}

int AfxMessageBox(LPCSTR lpszText, UINT nType)
{
    CWinApp* pApp = AfxGetApp();
    LPCSTR lpszCaption = pApp ? pApp->m_pszAppName : nullptr;
    // Over the dialog that runs, which the box disables and enables again.
    HWND hWndOwner = CDialog::GetRunningModal();
    if (hWndOwner == nullptr)
        hWndOwner = ::GetActiveWindow();
    return ::MessageBoxA(hWndOwner, lpszText, lpszCaption, nType);
}
