// Test host: loads the language module the way RDMODBCOpen does, in the
// directory it was copied to, and leaves what happened in files beside it:
// loaded.txt (module file and its string 14) on success, box.txt (caption,
// a line break, text) for a message box. The box is written when it appears,
// because the loader ends the process as soon as it is closed.
#include "MessageBoxRecorder.h"
#include "langres/ResLoader.h"
#include "resource.h"

#include <windows.h>
#include <string>

namespace
{
    std::string t_directory;

    void WriteBeside(const char* pszName, const std::string& content)
    {
        HANDLE hFile = ::CreateFileA((t_directory + pszName).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                     FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD nWritten = 0;
        ::WriteFile(hFile, content.data(), (DWORD)content.size(), &nWritten, nullptr);
        ::CloseHandle(hFile);
    }

    LRESULT CALLBACK RecordBox(int nCode, WPARAM wParam, LPARAM lParam)
    {
        if (nCode == HCBT_ACTIVATE && robot::IsMessageBox((HWND)wParam))
        {
            RecordedMessageBox box = robot::ReadAndCloseMessageBox((HWND)wParam);
            WriteBeside("box.txt", box.caption + "\n" + box.text);
        }
        return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
    }
}

int main()
{
    char szPath[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, szPath, sizeof szPath);
    t_directory = szPath;
    t_directory.erase(t_directory.rfind('\\') + 1);
    ::SetWindowsHookExA(WH_CBT, RecordBox, nullptr, ::GetCurrentThreadId());

    HMODULE hModule = nullptr;
    resInit("RDMODBCRes", &hModule);
    char szModule[MAX_PATH] = "";
    char szTitle[256] = "";
    ::GetModuleFileNameA(hModule, szModule, sizeof szModule);
    ::LoadStringA(hModule, IDS_APP_TITLE, szTitle, sizeof szTitle);
    WriteBeside("loaded.txt", std::string(szModule) + "\n" + szTitle);
    resFree(hModule);
    return 0;
}
