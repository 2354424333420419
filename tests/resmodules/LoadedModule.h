#pragma once
// A resource module loaded for one test, and what its resource directory holds.
#include <windows.h>
#include <map>
#include <set>
#include <string>

class CLoadedModule
{
public:
    CLoadedModule(const char* pszRelativePath, DWORD dwFlags);
    ~CLoadedModule();
    CLoadedModule(const CLoadedModule&) = delete;
    CLoadedModule& operator=(const CLoadedModule&) = delete;
    HMODULE Handle() const { return m_hModule; }
    // The raw bytes of one resource in one language; empty when it is missing.
    std::string Data(WORD wType, WORD wId, WORD wLanguage) const;
    // The raw bytes of one resource found by the language-neutral search.
    std::string Data(WORD wType, WORD wId) const;
private:
    HMODULE m_hModule;
};

// type -> identifier -> languages. Named (non-numeric) types and names are
// recorded under 0 so that any stray one makes the comparison fail.
using ResourceDirectory = std::map<WORD, std::map<WORD, std::set<WORD>>>;
ResourceDirectory EnumerateResources(HMODULE hModule);

std::string ModulePath(const char* pszRelativePath);
