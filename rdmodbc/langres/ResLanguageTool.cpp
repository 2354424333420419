// Starting the installation's language-setting program and waiting for it.
#include "ResLoader.h"
#include "ResText.h"

HRESULT resRunLanguageTool(BOOL bSilent)
{
    char szProgram[MAX_PATH];
    if (FAILED(resGetBasePath(szProgram, sizeof szProgram)) || !resAppend(szProgram, sizeof szProgram, RES_LANGUAGE_TOOL))
        return E_FAIL;

    // The path is quoted: unquoted, a directory name with a blank would let
    // Windows start whatever program matches the part before the blank.
    char szCommand[MAX_PATH + 16] = "\"";
    resAppend(szCommand, sizeof szCommand, szProgram);
    resAppend(szCommand, sizeof szCommand, "\"");
    if (bSilent)
        resAppend(szCommand, sizeof szCommand, " /silent");

    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_FORCEOFFFEEDBACK;
    PROCESS_INFORMATION process = {};
    if (!::CreateProcessA(nullptr, szCommand, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return E_FAIL;
    // The user's choice must be in the registry before the loader looks again.
    ::WaitForSingleObject(process.hProcess, INFINITE);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return S_OK;
}
