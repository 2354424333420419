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

SQLRETURN WaitForDriver(DriverWork work, const std::function<SQLRETURN()>& call, const std::function<void()>& cancel)
{
    return s_pfnWaiter ? s_pfnWaiter(work, call, cancel) : call();
}

SQLRETURN WaitForStatement(DriverWork work, SQLHSTMT hstmt, const std::function<SQLRETURN()>& call)
{
    return WaitForDriver(work, call, [hstmt] { ::SQLCancel(hstmt); });
}
