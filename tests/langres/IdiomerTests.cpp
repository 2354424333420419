// The language-setting program in a host installation: what it records for
// the loader, silently and when the user chooses.
#include "PreparedDir.h"

#include <gtest/gtest.h>
#include <sstream>

namespace
{
    struct IdiomerDir
    {
        IdiomerDir(const std::string& name, const std::string& guideKey, const std::string& modules)
            : dir(name), value(guideKey)
        {
            dir.CopyBuilt("tools/idiomer/Idiomer.exe", "Idiomer.exe");
            dir.Write("RDMODBC.lng", guideKey + "\r\n");
            std::istringstream extensions(modules);
            for (std::string extension; extensions >> extension;)
                dir.CopyBuilt("rdmodbcres/RDMODBCRes.US", "RDMODBCRes." + extension);
        }
        CPreparedDir dir;
        CLanguageValue value;
    };

    struct FindWindowOf
    {
        DWORD dwProcessId;
        HWND hWnd;
    };

    BOOL CALLBACK MatchProcessWindow(HWND hWnd, LPARAM lParam)
    {
        auto* pFind = (FindWindowOf*)lParam;
        DWORD dwProcessId = 0;
        ::GetWindowThreadProcessId(hWnd, &dwProcessId);
        char szCaption[64] = "";
        ::GetWindowTextA(hWnd, szCaption, sizeof szCaption);
        if (dwProcessId != pFind->dwProcessId || lstrcmpA(szCaption, "Language") != 0 || !::IsWindowVisible(hWnd))
            return TRUE;
        pFind->hWnd = hWnd;
        return FALSE;
    }

    // Starts the program without "/silent", waits (bounded) for its window,
    // lets the user pick list entry nItem and press the button, and returns
    // its exit code and the texts the list offered.
    DWORD ChooseInWindow(const CPreparedDir& dir, int nItem, int nButton, std::vector<std::string>& offered)
    {
        HANDLE hProcess = dir.Start("Idiomer.exe");
        if (hProcess == nullptr)
            return 0;
        FindWindowOf find = {::GetProcessId(hProcess), nullptr};
        for (int nTry = 0; nTry < 600 && find.hWnd == nullptr; ++nTry)
        {
            if (::WaitForSingleObject(hProcess, 50) == WAIT_OBJECT_0)
                break;
            ::EnumWindows(MatchProcessWindow, (LPARAM)&find);
        }
        EXPECT_NE(nullptr, find.hWnd) << "the language window did not appear";
        if (find.hWnd != nullptr)
        {
            HWND hList = ::FindWindowExA(find.hWnd, nullptr, "ListBox", nullptr);
            int nCount = (int)::SendMessageA(hList, LB_GETCOUNT, 0, 0);
            for (int i = 0; i < nCount; ++i)
            {
                // Wide text: it crosses the process boundary whole.
                wchar_t szText[256] = L"";
                if (::SendMessageW(hList, LB_GETTEXTLEN, i, 0) < 256)
                    ::SendMessageW(hList, LB_GETTEXT, i, (LPARAM)szText);
                offered.push_back(std::string(szText, szText + wcslen(szText)));
            }
            ::SendMessageA(hList, LB_SETCURSEL, nItem, 0);
            ::PostMessageA(find.hWnd, WM_COMMAND, MAKEWPARAM(nButton, BN_CLICKED), 0);
        }
        return CPreparedDir::WaitForExit(hProcess);
    }
}

TEST(Idiomer, SilentlyRecordsAnInstalledLanguage)
{
    struct Case { const char* dir; const char* modules; const char* current; DWORD exitCode; const char* recorded; };
    const Case cases[] = {
        {"idiomer-us-first", "DE US dll", nullptr, 0, "US"},
        {"idiomer-keeps-choice", "DE US", "DE", 0, "DE"},
        {"idiomer-without-us", "FR DE", nullptr, 0, "DE"},
        {"idiomer-choice-gone", "US", "FR", 0, "US"},
        {"idiomer-empty-choice", "US", "", 0, "US"},
        {"idiomer-only-default", "dll", nullptr, 5, nullptr},
        {"idiomer-no-module", "", "FR", 5, "FR"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.dir);
        IdiomerDir install(c.dir, "RdmLangres-Idiomer", c.modules);
        if (c.current)
            install.value.Set(c.current);
        EXPECT_EQ(c.exitCode, install.dir.Run("Idiomer.exe", "/silent"));
        EXPECT_EQ(c.recorded != nullptr, install.value.Exists());
        if (c.recorded)
        {
            EXPECT_EQ(c.recorded, install.value.Get());
        }
    }
}

TEST(Idiomer, NeedsAGuideFileWithAValidKey)
{
    IdiomerDir shortKey("idiomer-short-key", "RdmLang-9", "US");
    EXPECT_EQ(1u, shortKey.dir.Run("Idiomer.exe", "/silent"));
    EXPECT_FALSE(shortKey.value.Exists());

    IdiomerDir noGuide("idiomer-no-guide", "RdmLangres-NoGuide", "US");
    noGuide.dir.Remove("RDMODBC.lng");
    EXPECT_EQ(1u, noGuide.dir.Run("Idiomer.exe", "/silent"));
    EXPECT_FALSE(noGuide.value.Exists());
}

TEST(Idiomer, CreatesTheLanguageKeyForANewUser)
{
    HKEY hKey = nullptr;
    DWORD nValues = 0;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\KAVEX\\Language", 0, KEY_READ, &hKey) == ERROR_SUCCESS)
    {
        ::RegQueryInfoKeyA(hKey, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &nValues, nullptr, nullptr,
                           nullptr, nullptr);
        ::RegCloseKey(hKey);
    }
    if (nValues != 0)
        GTEST_SKIP() << "other languages are recorded in this prefix";
    ::RegDeleteKeyA(HKEY_CURRENT_USER, "SOFTWARE\\KAVEX\\Language");

    IdiomerDir install("idiomer-new-user", "RdmLangres-NewUser", "US");
    EXPECT_EQ(0u, install.dir.Run("Idiomer.exe", "/silent"));
    EXPECT_EQ("US", install.value.Get());
}

TEST(Idiomer, LetsTheUserChooseFromTheInstalledLanguages)
{
    IdiomerDir install("idiomer-window", "RdmLangres-Window", "US DE dll");
    std::vector<std::string> offered;
    EXPECT_EQ(0u, ChooseInWindow(install.dir, 0, IDOK, offered));
    EXPECT_EQ((std::vector<std::string>{"DE", "US"}), offered);
    EXPECT_EQ("DE", install.value.Get());

    offered.clear();
    EXPECT_EQ(20u, ChooseInWindow(install.dir, 1, IDCANCEL, offered));
    EXPECT_EQ("DE", install.value.Get()) << "Cancel records nothing";
}

TEST(Idiomer, FirstOpenOfANewUserRunsItOnceAndLaterOpensFindTheLanguage)
{
    IdiomerDir install("install-layout", "RdmLangres-Install", "US dll");
    install.dir.CopyBuilt("tests/langres/langres_host.exe", "langres_host.exe");

    HostRun first = install.dir.RunHost();
    EXPECT_EQ(0u, first.exitCode);
    EXPECT_EQ(install.dir.Path("RDMODBCRes.US"), first.loadedModule);
    EXPECT_EQ("US", install.value.Get());

    install.dir.Remove("Idiomer.exe");   // a second run of it would now fail with code 2
    HostRun later = install.dir.RunHost();
    EXPECT_EQ(0u, later.exitCode);
    EXPECT_EQ(install.dir.Path("RDMODBCRes.US"), later.loadedModule);
    EXPECT_EQ("", later.boxText);
}
