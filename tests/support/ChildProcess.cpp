#include "ChildProcess.h"

#include <gtest/gtest.h>

namespace
{
    HANDLE CreateOutputFile(const std::string& path)
    {
        if (path.empty())
            return nullptr;
        SECURITY_ATTRIBUTES security = {sizeof security, nullptr, TRUE};
        HANDLE hFile = ::CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &security, CREATE_ALWAYS,
                                     FILE_ATTRIBUTE_NORMAL, nullptr);
        return hFile == INVALID_HANDLE_VALUE ? nullptr : hFile;
    }
}

HANDLE StartChildProcess(const std::string& program, const std::string& arguments, const std::string& directory,
                         const std::string& outputFile, const std::string& errorFile)
{
    std::string command = "\"" + program + "\"" + (arguments.empty() ? "" : " " + arguments);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    HANDLE hOutput = CreateOutputFile(outputFile);
    HANDLE hError = CreateOutputFile(errorFile);
    BOOL bRedirect = hOutput != nullptr || hError != nullptr;
    if (bRedirect)
    {
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
        startup.hStdOutput = hOutput ? hOutput : ::GetStdHandle(STD_OUTPUT_HANDLE);
        startup.hStdError = hError ? hError : ::GetStdHandle(STD_ERROR_HANDLE);
    }
    PROCESS_INFORMATION process = {};
    BOOL bStarted = ::CreateProcessA(program.c_str(), &command[0], nullptr, nullptr, bRedirect, 0, nullptr,
                                     directory.empty() ? nullptr : directory.c_str(), &startup, &process);
    if (hOutput)
        ::CloseHandle(hOutput);
    if (hError)
        ::CloseHandle(hError);
    if (!bStarted)
    {
        ADD_FAILURE() << "cannot start " << command;
        return nullptr;
    }
    ::CloseHandle(process.hThread);
    return process.hProcess;
}

DWORD WaitForChildProcess(HANDLE hProcess, DWORD dwLimitMs)
{
    if (hProcess == nullptr)
        return 0;
    if (::WaitForSingleObject(hProcess, dwLimitMs) != WAIT_OBJECT_0)
    {
        ADD_FAILURE() << "the program did not end within " << dwLimitMs << " ms";
        ::TerminateProcess(hProcess, 1);
    }
    DWORD exitCode = 0;
    ::GetExitCodeProcess(hProcess, &exitCode);
    ::CloseHandle(hProcess);
    return exitCode;
}
