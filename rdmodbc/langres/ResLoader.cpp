#include "ResLoader.h"

HRESULT resFree(HMODULE hModule)
{
    if (hModule != nullptr)
        ::FreeLibrary(hModule);
    return S_OK;
}
