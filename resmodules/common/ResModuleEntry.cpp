// The only code of a resource module. A host binds to ResUSLink at link time
// so that the loader maps the module; everything else it takes through the
// resource functions. The module links without the C runtime, so nothing of
// its own runs when it is loaded or unloaded beyond this entry point.
#include <windows.h>

extern "C" __declspec(dllexport) void ResUSLink(void)
{
}

extern "C" BOOL WINAPI ResModuleEntry(HINSTANCE hInstance, DWORD dwReason, LPVOID)
{
    // Hosts start and end threads freely; the module has nothing to do for them.
    if (dwReason == DLL_PROCESS_ATTACH)
        ::DisableThreadLibraryCalls(hInstance);
    return TRUE;
}
