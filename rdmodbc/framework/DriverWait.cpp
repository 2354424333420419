#include "DriverWait.h"

#include <sqlext.h>

namespace
{
    DriverWaiter s_pfnWaiter = nullptr;
}

void SetDriverWaiter(DriverWaiter pfnWaiter)
{
    s_pfnWaiter = pfnWaiter;
}

SQLRETURN WaitForStatement(DriverWork work, SQLHSTMT hstmt, const std::function<SQLRETURN()>& call)
{
    return s_pfnWaiter ? s_pfnWaiter(work, "", call, [hstmt] { ::SQLCancel(hstmt); }) : call();
}

SQLRETURN WaitForConnect(LPCSTR pszName, const std::function<SQLRETURN()>& call)
{
    return s_pfnWaiter ? s_pfnWaiter(DriverWork::connecting, pszName, call, nullptr) : call();
}
