#pragma once
// Programs run as child processes of a test, each waited for with a bound.
#include <windows.h>
#include <string>

// Starts the program with the arguments in the directory; its process, or
// null (and a test failure) when it cannot start. Standard output and error
// go to the files named, when names are given.
HANDLE StartChildProcess(const std::string& program, const std::string& arguments, const std::string& directory,
                         const std::string& outputFile = "", const std::string& errorFile = "");
// Waits for the process to end (a test failure, and the process ended, after
// the bound), closes it; its exit code.
DWORD WaitForChildProcess(HANDLE hProcess, DWORD dwLimitMs = 120000);
