// The real driver behind the fault driver, loaded at the first call.
#include "FaultDriver.h"

#include <dlfcn.h>
#include <odbcinst.h>
#include <stdio.h>

static void* s_hLibrary;
static int s_bLoaded;

void* RealFunction(const char* pszName)
{
    if (!s_bLoaded)
    {
        s_bLoaded = 1;
        char szPath[4096] = "";
        SQLGetPrivateProfileString(FAULT_DRIVER_ENTRY, "RealDriver", "", szPath, sizeof szPath, "odbcinst.ini");
        // Never closed: the handles it hands out live as long as the process.
        s_hLibrary = szPath[0] ? dlopen(szPath, RTLD_NOW | RTLD_LOCAL) : NULL;
        if (s_hLibrary == NULL)
            fprintf(stderr, "fault driver: cannot load the real driver \"%s\" (RealDriver of [%s] in odbcinst.ini)\n",
                    szPath, FAULT_DRIVER_ENTRY);
    }
    return s_hLibrary != NULL ? dlsym(s_hLibrary, pszName) : NULL;
}
