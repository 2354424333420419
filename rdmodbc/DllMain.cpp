#include "framework/CWinApp.h"

BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID)
{
    if (dwReason == DLL_PROCESS_ATTACH)
    {
        AFX_MODULE_STATE* pState = AfxGetStaticModuleState();
        pState->m_hCurrentInstanceHandle = hInstance;
        pState->m_hCurrentResourceHandle = hInstance;
        ::DisableThreadLibraryCalls(hInstance);
    }
    return TRUE;
}
