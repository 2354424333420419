// Idiomer: records the user's language for the RDMODBC import module. The
// module starts it with "/silent" when it finds no language; the user starts
// it without to pick one.
//
// Exit codes: 0 when a language is recorded; otherwise the number the
// module's report gives the failure: 1 no guide file with a valid key,
// 5 no language module installed, 6 the registry refused the value;
// 20 when the user cancelled.
#include "LanguageDlg.h"
#include "LanguageModules.h"
#include "LanguageRegistry.h"
#include "langres/ResLoader.h"

#include <windows.h>
#include <cstring>

namespace
{
    const int kExitCancelled = 20;

    bool HasSilentSwitch(const char* pszCommandLine)
    {
        for (const char* psz = strchr(pszCommandLine, '/'); psz != nullptr; psz = strchr(psz + 1, '/'))
        {
            if (_strnicmp(psz, "/silent", 7) != 0)
                continue;
            bool bWordStart = psz == pszCommandLine || psz[-1] == ' ' || psz[-1] == '\t';
            bool bWordEnd = psz[7] == '\0' || psz[7] == ' ' || psz[7] == '\t';
            if (bWordStart && bWordEnd)
                return true;
        }
        return false;
    }

    // Silent runs end without a word; the user who started the program
    // sees what went wrong.
    int Fail(bool bSilent, int nCode, const char* pszArgument = nullptr)
    {
        if (!bSilent)
            resReportError(nCode, FALSE, pszArgument);
        return nCode;
    }
}

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int)
{
    const bool bSilent = HasSilentSwitch(::GetCommandLineA());

    char szGuideKey[256];
    char szBase[MAX_PATH];
    if (FAILED(resReadGuideKey(szGuideKey, sizeof szGuideKey)) || FAILED(resGetBasePath(szBase, sizeof szBase)))
        return Fail(bSilent, resErrGuideFileNotFound, RES_GUIDE_EXTENSION);

    std::vector<std::string> modules = FindLanguageModules(szBase);
    std::string language = DefaultLanguage(modules, ReadLanguage(szGuideKey));
    if (language.empty())
        return Fail(bSilent, resErrNoLanguagePack);
    if (!bSilent && !ChooseLanguage(hInstance, modules, language))
        return kExitCancelled;
    if (!WriteLanguage(szGuideKey, language))
        return Fail(bSilent, resErrWritingExtension);
    return 0;
}
