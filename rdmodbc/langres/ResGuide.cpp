// The installation's directory and its guide file. The language-setting
// program is built from this same file, so that it finds the guide key by
// exactly the loader's rules.
#include "ResLoader.h"
#include "ResText.h"

#include <cstring>

HRESULT resGetBasePath(LPSTR pszBuffer, DWORD nSize)
{
    if (nSize == 0)
        return E_FAIL;
    // The loader's base module is fixed to none, which names the host
    // process's executable: the resources are installed next to the host.
    char szModule[MAX_PATH];
    DWORD nLength = ::GetModuleFileNameA(nullptr, szModule, sizeof szModule);
    if (nLength == 0 || nLength >= sizeof szModule)
        return E_FAIL;   // a cut name would give a wrong directory

    // Drive and directory are everything up to the last backslash, taken in
    // place: a split into fixed parts would leave the directory part one
    // byte short for the longest names.
    char* pszLast = strrchr(szModule, '\\');
    if (pszLast == nullptr)
        return E_FAIL;
    pszLast[1] = '\0';
    pszBuffer[0] = '\0';
    if (!resAppend(pszBuffer, nSize, szModule))
        return E_FAIL;
    return S_OK;
}

HRESULT resFindGuideFile(LPSTR pszBuffer, DWORD nSize, BOOL bWithExtension)
{
    char szBase[MAX_PATH];
    char szPattern[MAX_PATH];
    if (FAILED(resGetBasePath(szBase, sizeof szBase)))
        return E_FAIL;
    szPattern[0] = '\0';
    if (!resAppend(szPattern, sizeof szPattern, szBase) || !resAppend(szPattern, sizeof szPattern, "*" RES_GUIDE_EXTENSION))
        return E_FAIL;

    WIN32_FIND_DATAA findData;
    HANDLE hFind = ::FindFirstFileA(szPattern, &findData);
    if (hFind == INVALID_HANDLE_VALUE)
        return E_FAIL;
    // A directory that happens to carry the extension is no guide file.
    BOOL bFound = TRUE;
    while (bFound && (findData.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        bFound = ::FindNextFileA(hFind, &findData);
    ::FindClose(hFind);
    if (!bFound)
        return E_FAIL;

    // The name without its extension: up to the last point.
    char* pszPoint = strrchr(findData.cFileName, '.');
    if (pszPoint != nullptr)
        *pszPoint = '\0';
    if (nSize == 0)
        return E_FAIL;
    pszBuffer[0] = '\0';
    if (!resAppend(pszBuffer, nSize, szBase) || !resAppend(pszBuffer, nSize, findData.cFileName)
        || (bWithExtension && !resAppend(pszBuffer, nSize, RES_GUIDE_EXTENSION)))
    {
        pszBuffer[0] = '\0';
        return E_FAIL;
    }
    return S_OK;
}

HRESULT resReadGuideKey(LPSTR pszBuffer, DWORD nSize)
{
    if (nSize == 0)
        return E_FAIL;
    pszBuffer[0] = '\0';
    char szGuide[MAX_PATH];
    if (FAILED(resFindGuideFile(szGuide, sizeof szGuide, TRUE)))
        return E_FAIL;

    HANDLE hFile = ::CreateFileA(szGuide, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return E_FAIL;
    char szKey[256];
    DWORD nRead = 0;
    BOOL bRead = ::ReadFile(hFile, szKey, sizeof szKey - 1, &nRead, nullptr);
    ::CloseHandle(hFile);
    if (!bRead || nRead == 0)
        return E_FAIL;

    // The key is the printable ASCII text up to the line end; a control byte
    // or any byte with the high bit set ends it.
    szKey[nRead] = '\0';
    for (DWORD i = 0; i < nRead; ++i)
    {
        if ((signed char)szKey[i] < 0x20)
        {
            szKey[i] = '\0';
            break;
        }
    }
    if (strlen(szKey) < RES_MIN_GUIDE_KEY || !resAppend(pszBuffer, nSize, szKey))
        return E_FAIL;
    return S_OK;
}
