#include "LanguageModules.h"

#include <windows.h>
#include <algorithm>

std::vector<std::string> FindLanguageModules(const char* pszBaseDir)
{
    std::vector<std::string> modules;
    const std::string prefix = IDIOMER_MODULE_BASE_NAME ".";
    WIN32_FIND_DATAA findData;
    HANDLE hFind = ::FindFirstFileA((std::string(pszBaseDir) + prefix + "*").c_str(), &findData);
    if (hFind == INVALID_HANDLE_VALUE)
        return modules;
    do
    {
        std::string name = findData.cFileName;
        if ((findData.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 || name.size() <= prefix.size()
            || lstrcmpiA(name.substr(0, prefix.size()).c_str(), prefix.c_str()) != 0)
            continue;
        std::string extension = name.substr(prefix.size());
        if (lstrcmpiA(extension.c_str(), "dll") != 0)
            modules.push_back(extension);
    } while (::FindNextFileA(hFind, &findData));
    ::FindClose(hFind);
    std::sort(modules.begin(), modules.end());
    return modules;
}

std::string DefaultLanguage(const std::vector<std::string>& modules, const std::string& current)
{
    for (const char* candidate : {current.c_str(), "US"})
        if (std::find(modules.begin(), modules.end(), candidate) != modules.end())
            return candidate;
    return modules.empty() ? std::string() : modules.front();
}
