#include "ResLoader.h"
#include "ResText.h"

namespace
{
    HRESULT ReportFailure(int nCode, LPCSTR pszArgument = nullptr)
    {
        resReportError(nCode, TRUE, pszArgument);
        return E_FAIL;
    }

    // The installation without a guide file carries one unnamed language:
    // base name + ".dll".
    HRESULT MakeDefaultPath(LPCSTR pszBaseName, LPSTR pszBuffer, DWORD nSize)
    {
        if (FAILED(resGetBasePath(pszBuffer, nSize)))
            return E_FAIL;
        if (!resAppend(pszBuffer, nSize, pszBaseName) || !resAppend(pszBuffer, nSize, RES_DEFAULT_EXTENSION))
            return E_FAIL;
        return S_OK;
    }

    bool LanguageModuleFound(LPCSTR pszBaseName, LPSTR pszBuffer, DWORD nSize)
    {
        return SUCCEEDED(resMakeLanguagePath(pszBaseName, pszBuffer, nSize)) && SUCCEEDED(resFileExists(pszBuffer));
    }
}

HRESULT resInit(LPCSTR pszBaseName, HMODULE* phModule)
{
    *phModule = nullptr;
    char szPath[MAX_PATH];
    char szGuide[MAX_PATH];
    if (FAILED(resFindGuideFile(szGuide, sizeof szGuide, FALSE)))
    {
        if (FAILED(MakeDefaultPath(pszBaseName, szPath, sizeof szPath)) || FAILED(resFileExists(szPath)))
            return ReportFailure(resErrNoGuideNoDefault);
    }
    else if (!LanguageModuleFound(pszBaseName, szPath, sizeof szPath))
    {
        // With a guide file the language is the user's choice; the default
        // module is never taken in its place.
        if (FAILED(resRunLanguageTool(TRUE)))
            return ReportFailure(resErrToolNotStarted);
        if (!LanguageModuleFound(pszBaseName, szPath, sizeof szPath))
            return ReportFailure(resErrLoadResources);
    }

    HMODULE hModule = ::LoadLibraryA(szPath);
    if (hModule == nullptr)
        return ReportFailure(resErrLoadFile, szPath);
    *phModule = hModule;
    return S_OK;
}

HRESULT resFree(HMODULE hModule)
{
    if (hModule != nullptr)
        ::FreeLibrary(hModule);
    return S_OK;
}
