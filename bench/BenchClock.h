#pragma once
// Wall-clock time and the process's memory, as the benchmark reports them.
#include <windows.h>
#include <psapi.h>

class CStopwatch
{
public:
    CStopwatch()                { ::QueryPerformanceFrequency(&m_frequency); ::QueryPerformanceCounter(&m_start); }
    double Seconds() const
    {
        LARGE_INTEGER now;
        ::QueryPerformanceCounter(&now);
        return double(now.QuadPart - m_start.QuadPart) / double(m_frequency.QuadPart);
    }
private:
    LARGE_INTEGER m_frequency;
    LARGE_INTEGER m_start;
};

// Peak and current working set of this process, in bytes.
inline PROCESS_MEMORY_COUNTERS ProcessMemory()
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters);
    return counters;
}
