// The fatal report: what failed, which program was running and where the
// resources were looked for, in one error box.
#include "ResLoader.h"
#include "ResText.h"

#include <cstdio>

namespace
{
    struct ReportMessage
    {
        int    nCode;
        LPCSTR pszFormat;   // with one %s where the report's argument goes
    };

    const ReportMessage s_messages[] = {
        {resErrGuideFileNotFound, "Language enumeration guide file not found! (extension: %s)"},
        {resErrToolNotStarted,    "Failed to start language setting application!"},
        {resErrUniqueKey,         "Error when generating unique registry key!"},
        {resErrEnumerating,       "Error enumerating language packs!"},
        {resErrNoLanguagePack,    "No language pack instaled!"},
        {resErrWritingExtension,  "Error when writing extension to registry!"},
        {resErrLoadResources,     "Failed to load resources!"},
        {resErrNoGuideNoDefault,  "GuideFile and DefaultResources(.dll) are missing!"},
        {resErrLoadFile,          "Failed to load resource file: %s"},
        {resErrLocateModule,      "Failed to locate module (HINSTANCE=%s) for which to load load resource in resInitFromModule"},
    };

    LPCSTR MessageFormat(int nCode)
    {
        for (const ReportMessage& message : s_messages)
            if (message.nCode == nCode)
                return message.pszFormat;
        return "Unknown error";
    }
}

void resReportError(int nCode, BOOL bExitProcess, LPCSTR pszArgument)
{
    // The text is cut at its buffer's size: a long path must not cost the
    // user the rest of the report, nor overrun it.
    char szText[2048];
    snprintf(szText, sizeof szText, MessageFormat(nCode), pszArgument ? pszArgument : "");

    char szPath[2048] = "";
    ::GetModuleFileNameA(nullptr, szPath, sizeof szPath);
    resAppendCut(szText, sizeof szText, "\nCurrent module:");
    resAppendCut(szText, sizeof szText, szPath);

    // The base path comes from the loader's base module, which is fixed to
    // none: the host executable again, and handle 0.
    resAppendCut(szText, sizeof szText, "\nBasePath extract from HINSTANCE = ");
    resAppendCut(szText, sizeof szText, szPath);
    resAppendCut(szText, sizeof szText, " (HINSTANCE=0)");

    ::MessageBoxA(nullptr, szText, nullptr, MB_ICONERROR);
    if (bExitProcess)
        ::ExitProcess(0xFFFFFFFF);
}
