#include "LoadedModule.h"
#include "TestEnv.h"

#include <gtest/gtest.h>

std::string ModulePath(const char* pszRelativePath)
{
    return BinaryDirWindowsPath(pszRelativePath);
}

CLoadedModule::CLoadedModule(const char* pszRelativePath, DWORD dwFlags)
    : m_hModule(::LoadLibraryExA(ModulePath(pszRelativePath).c_str(), NULL, dwFlags))
{
    EXPECT_NE(m_hModule, nullptr) << pszRelativePath << " error " << ::GetLastError();
}

CLoadedModule::~CLoadedModule()
{
    if (m_hModule)
        ::FreeLibrary(m_hModule);
}

std::string CLoadedModule::Data(WORD wType, WORD wId, WORD wLanguage) const
{
    HRSRC hResource = ::FindResourceExA(m_hModule, MAKEINTRESOURCEA(wType), MAKEINTRESOURCEA(wId), wLanguage);
    if (!hResource)
        return "";
    const char* pData = (const char*)::LockResource(::LoadResource(m_hModule, hResource));
    return std::string(pData, ::SizeofResource(m_hModule, hResource));
}

std::string CLoadedModule::Data(WORD wType, WORD wId) const
{
    HRSRC hResource = ::FindResourceA(m_hModule, MAKEINTRESOURCEA(wId), MAKEINTRESOURCEA(wType));
    if (!hResource)
        return "";
    const char* pData = (const char*)::LockResource(::LoadResource(m_hModule, hResource));
    return std::string(pData, ::SizeofResource(m_hModule, hResource));
}

namespace
{
    WORD Number(LPCSTR psz)
    {
        return IS_INTRESOURCE(psz) ? (WORD)(ULONG_PTR)psz : 0;
    }

    struct Walk
    {
        ResourceDirectory directory;
        WORD type = 0;
        WORD id = 0;
    };

    BOOL CALLBACK OnLanguage(HMODULE, LPCSTR, LPCSTR, WORD wLanguage, LONG_PTR lParam)
    {
        Walk* pWalk = (Walk*)lParam;
        pWalk->directory[pWalk->type][pWalk->id].insert(wLanguage);
        return TRUE;
    }

    BOOL CALLBACK OnName(HMODULE hModule, LPCSTR pszType, LPSTR pszName, LONG_PTR lParam)
    {
        Walk* pWalk = (Walk*)lParam;
        pWalk->id = Number(pszName);
        ::EnumResourceLanguagesA(hModule, pszType, pszName, OnLanguage, lParam);
        return TRUE;
    }

    BOOL CALLBACK OnType(HMODULE hModule, LPSTR pszType, LONG_PTR lParam)
    {
        Walk* pWalk = (Walk*)lParam;
        pWalk->type = Number(pszType);
        ::EnumResourceNamesA(hModule, pszType, OnName, lParam);
        return TRUE;
    }
}

ResourceDirectory EnumerateResources(HMODULE hModule)
{
    Walk walk;
    ::EnumResourceTypesA(hModule, OnType, (LONG_PTR)&walk);
    return walk.directory;
}
