#include "LanguageRegistry.h"
#include "langres/ResLoader.h"

#include <windows.h>

std::string ReadLanguage(const std::string& guideKey)
{
    char szExt[256];
    DWORD cbExt = sizeof szExt - 1;
    DWORD dwType = 0;
    if (::RegGetValueA(HKEY_CURRENT_USER, RES_LANGUAGE_KEY, guideKey.c_str(), RRF_RT_REG_SZ, &dwType, szExt, &cbExt)
        != ERROR_SUCCESS)
        return std::string();
    return szExt;
}

bool WriteLanguage(const std::string& guideKey, const std::string& extension)
{
    HKEY hKey = nullptr;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, RES_LANGUAGE_KEY, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                          nullptr, &hKey, nullptr) != ERROR_SUCCESS)
        return false;
    LONG nResult = ::RegSetValueExA(hKey, guideKey.c_str(), 0, REG_SZ, (const BYTE*)extension.c_str(),
                                    (DWORD)extension.size() + 1);
    ::RegCloseKey(hKey);
    return nResult == ERROR_SUCCESS;
}
