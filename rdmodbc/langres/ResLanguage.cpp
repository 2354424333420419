// The language the user has chosen: the registry value named by the guide
// key, and the path of the module it names.
#include "ResLoader.h"
#include "ResText.h"

#include <cstring>

namespace
{
    // The extension is appended to a path in the installation's directory;
    // a value that could lead out of that directory is no extension.
    bool IsPlainExtension(LPCSTR pszExt)
    {
        return strpbrk(pszExt, "\\/:") == nullptr;
    }
}

HRESULT resReadLanguageExt(LPSTR pszBuffer, DWORD nSize)
{
    if (nSize == 0)
        return E_FAIL;
    pszBuffer[0] = '\0';
    HKEY hKey = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, RES_LANGUAGE_KEY, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return 1;
    char szGuideKey[256];
    if (FAILED(resReadGuideKey(szGuideKey, sizeof szGuideKey)))
    {
        ::RegCloseKey(hKey);
        return E_FAIL;
    }

    // Registry text need not carry its terminator, and a value too long for
    // the buffer leaves it undefined: only what the call reports is taken.
    char szExt[256];
    DWORD cbExt = sizeof szExt - 1;
    if (::RegQueryValueExA(hKey, szGuideKey, nullptr, nullptr, (LPBYTE)szExt, &cbExt) != ERROR_SUCCESS)
        cbExt = 0;
    ::RegCloseKey(hKey);
    szExt[cbExt] = '\0';

    if (szExt[0] == '\0' || !IsPlainExtension(szExt) || !resAppend(pszBuffer, nSize, szExt))
        return 1;
    return S_OK;
}

HRESULT resMakeLanguagePath(LPCSTR pszBaseName, LPSTR pszBuffer, DWORD nSize)
{
    char szExt[256];
    char szBase[MAX_PATH];
    if (nSize == 0 || resReadLanguageExt(szExt, sizeof szExt) != S_OK || FAILED(resGetBasePath(szBase, sizeof szBase)))
        return E_FAIL;
    pszBuffer[0] = '\0';
    if (!resAppend(pszBuffer, nSize, szBase) || !resAppend(pszBuffer, nSize, pszBaseName)
        || !resAppend(pszBuffer, nSize, ".") || !resAppend(pszBuffer, nSize, szExt))
    {
        pszBuffer[0] = '\0';
        return E_FAIL;
    }
    return S_OK;
}

HRESULT resFileExists(LPCSTR pszPath)
{
    HANDLE hFile = ::CreateFileA(pszPath, 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return E_FAIL;
    ::CloseHandle(hFile);
    return S_OK;
}
