#pragma once
// Faults during the robot's actions, as its failures name them.
#include <windows.h>
#include <string>

namespace robot
{
    // A fault of the code that ran (an access violation, say), not a C++
    // exception nor one of the system's own first-chance exceptions.
    bool IsFault(DWORD dwCode);
    // The fault's code and where it struck: the module, and the offset in it.
    std::string DescribeFault(const EXCEPTION_RECORD& record);
}
