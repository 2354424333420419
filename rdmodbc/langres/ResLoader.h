#pragma once
// Finding, loading and releasing the language resource module, and the fatal
// report that ends the host process when no resources can be had.
#include <windows.h>

// Key under HKEY_CURRENT_USER whose values hold the language extension; the
// value's name is the guide key of the installation's guide file.
#define RES_LANGUAGE_KEY        "SOFTWARE\\KAVEX\\Language"
#define RES_GUIDE_EXTENSION     ".lng"
#define RES_LANGUAGE_TOOL       "Idiomer.exe"
#define RES_DEFAULT_EXTENSION   ".dll"
#define RES_MIN_GUIDE_KEY       10

// Report codes of resReportError. The language-setting program reports its
// own failures (1, 3 to 6) through the same numbers.
enum
{
    resErrGuideFileNotFound   = 1,
    resErrToolNotStarted      = 2,
    resErrUniqueKey           = 3,
    resErrEnumerating         = 4,
    resErrNoLanguagePack      = 5,
    resErrWritingExtension    = 6,
    resErrLoadResources       = 7,
    resErrNoGuideNoDefault    = 8,
    resErrLoadFile            = 9,
    resErrLocateModule        = 10,
};

// Loads RDMODBCRes-style module pszBaseName + "." + language next to the
// host's executable. Returns S_OK with the module in *phModule; every failure
// is reported and ends the process.
HRESULT resInit(LPCSTR pszBaseName, HMODULE* phModule);
// Releases the language module when the handle is not null. Always 0.
HRESULT resFree(HMODULE hModule);
// Shows the report of nCode (message, host executable, base-path line) in an
// error box; ends the process with 0xFFFFFFFF when bExitProcess is set.
// pszArgument fills the message's placeholder where it has one.
void resReportError(int nCode, BOOL bExitProcess, LPCSTR pszArgument);

// The supporting operations; each returns S_OK or E_FAIL. Buffers hold nSize
// bytes including the terminator; a result that does not fit is a failure.
HRESULT resGetBasePath(LPSTR pszBuffer, DWORD nSize);
HRESULT resFindGuideFile(LPSTR pszBuffer, DWORD nSize, BOOL bWithExtension);
HRESULT resReadGuideKey(LPSTR pszBuffer, DWORD nSize);
// S_OK with the extension, 1 when the registry holds none, E_FAIL when the
// guide key cannot be read.
HRESULT resReadLanguageExt(LPSTR pszBuffer, DWORD nSize);
HRESULT resMakeLanguagePath(LPCSTR pszBaseName, LPSTR pszBuffer, DWORD nSize);
HRESULT resFileExists(LPCSTR pszPath);
HRESULT resRunLanguageTool(BOOL bSilent);
