#include "ImportPeak.h"

#include "BenchClock.h"
#include "RowBenchmark.h"

#include <cstdio>

int PrintImportPeak(const std::string& connect, const std::string& table)
{
    const double dStart = ProcessMemory().WorkingSetSize / 1048576.0;
    const RowTiming timing = TimeMoveNext(connect, table, true);
    std::printf("rows %ld start %.1f peak %.1f\n", timing.nRows, dStart,
                ProcessMemory().PeakWorkingSetSize / 1048576.0);
    return 0;
}

ImportPeak MeasureImportPeak(const std::string& connect, const std::string& table)
{
    ImportPeak peak;
    char szProgram[MAX_PATH];
    ::GetModuleFileNameA(nullptr, szProgram, MAX_PATH);
    std::string commandLine = "\"" + std::string(szProgram) + "\" --import-peak \"" + connect + "\" " + table;

    SECURITY_ATTRIBUTES inherited = {sizeof inherited, nullptr, TRUE};
    HANDLE hRead = nullptr, hWrite = nullptr;
    if (!::CreatePipe(&hRead, &hWrite, &inherited, 0))
        return peak;
    ::SetHandleInformation(hRead, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = hWrite;
    startup.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process = {};
    const BOOL bStarted = ::CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                           &startup, &process);
    ::CloseHandle(hWrite);
    std::string output;
    char buffer[256];
    DWORD nRead = 0;
    while (bStarted && ::ReadFile(hRead, buffer, sizeof buffer, &nRead, nullptr) && nRead > 0)
        output.append(buffer, nRead);
    ::CloseHandle(hRead);
    if (!bStarted)
        return peak;
    ::WaitForSingleObject(process.hProcess, INFINITE);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    if (std::sscanf(output.c_str(), "rows %ld start %lf peak %lf", &peak.nRows, &peak.dStartMB, &peak.dPeakMB) != 3)
        peak = ImportPeak();
    return peak;
}
