#pragma once
// The application object and the module state: which module's instance,
// resource handle and application object are current on this thread.
#include "CString.h"

class CWinApp;

struct AFX_MODULE_STATE
{
    HINSTANCE m_hCurrentInstanceHandle = nullptr;
    HINSTANCE m_hCurrentResourceHandle = nullptr;
    CWinApp*  m_pCurrentWinApp = nullptr;
};

// The state current on this thread: the module's own while an export that
// switched to it runs, the host's otherwise.
AFX_MODULE_STATE* AfxGetModuleState();
// This module's own state.
AFX_MODULE_STATE* AfxGetStaticModuleState();

// Makes a module state current for the lifetime of the object and restores
// the previous one on every exit, exceptions included.
class AFX_MAINTAIN_STATE2
{
public:
    explicit AFX_MAINTAIN_STATE2(AFX_MODULE_STATE* pNewState);
    ~AFX_MAINTAIN_STATE2();
    AFX_MAINTAIN_STATE2(const AFX_MAINTAIN_STATE2&) = delete;
    AFX_MAINTAIN_STATE2& operator=(const AFX_MAINTAIN_STATE2&) = delete;
private:
    AFX_MODULE_STATE* m_pPrevState;
};

class CWinApp
{
public:
    explicit CWinApp(LPCSTR lpszAppName = nullptr);
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // The title: a heap string of the C runtime (free/_strdup), the caption
    // of the framework's message boxes.
    LPCSTR m_pszAppName;
};

inline CWinApp*  AfxGetApp()                { return AfxGetModuleState()->m_pCurrentWinApp; }
inline HINSTANCE AfxGetResourceHandle()     { return AfxGetModuleState()->m_hCurrentResourceHandle; }
inline HINSTANCE AfxGetInstanceHandle()     { return AfxGetModuleState()->m_hCurrentInstanceHandle; }

// A message box owned by the thread's active window, captioned with the title
// of the current application.
int AfxMessageBox(LPCSTR lpszText, UINT nType = MB_OK);
