#include "RobotFault.h"

#include <cstring>

namespace
{
    // The module a code address lies in, by its file name.
    HMODULE ModuleOf(LPVOID pAddress)
    {
        HMODULE hModule = nullptr;
        ::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                             (LPCSTR)pAddress, &hModule);
        return hModule;
    }

    std::string ModuleName(LPVOID pAddress)
    {
        char szPath[MAX_PATH] = "?";
        if (HMODULE hModule = ModuleOf(pAddress))
            ::GetModuleFileNameA(hModule, szPath, sizeof szPath);
        const char* pszName = strrchr(szPath, '\\');
        return pszName ? pszName + 1 : szPath;
    }

    ULONG_PTR ModuleOffset(LPVOID pAddress)
    {
        return (ULONG_PTR)pAddress - (ULONG_PTR)ModuleOf(pAddress);
    }
}

namespace robot
{
    bool IsFault(DWORD dwCode)
    {
        switch (dwCode)
        {
        case EXCEPTION_ACCESS_VIOLATION:
        case EXCEPTION_ARRAY_BOUNDS_EXCEEDED:
        case EXCEPTION_DATATYPE_MISALIGNMENT:
        case EXCEPTION_ILLEGAL_INSTRUCTION:
        case EXCEPTION_INT_DIVIDE_BY_ZERO:
        case EXCEPTION_PRIV_INSTRUCTION:
        case EXCEPTION_STACK_OVERFLOW:
        case 0xC0000374:   // STATUS_HEAP_CORRUPTION
        case 0xC0000409:   // STATUS_STACK_BUFFER_OVERRUN
            return true;
        default:
            return false;
        }
    }

    std::string DescribeFault(const EXCEPTION_RECORD& record)
    {
        char szFault[160];
        wsprintfA(szFault, "fault 0x%08lX at %s+0x%lX during the action", (unsigned long)record.ExceptionCode,
                  ModuleName(record.ExceptionAddress).c_str(), (unsigned long)ModuleOffset(record.ExceptionAddress));
        return szFault;
    }
}
