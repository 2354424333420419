#pragma once
// How the module waits for a statement that runs on the server and can take
// long: the waiter may run it off the calling thread and show that it is
// running, with a way to cancel it. Without a waiter the call runs as it
// comes.
#include <windows.h>
#include <sql.h>

#include <functional>

// What is being done, for the waiter to name.
enum class DriverWork
{
    openingImport,
    countingRows,
};

// Runs the call and returns what it returned, after it has ended. cancel
// asks the driver, from another thread, to stop the call. A waiter whose
// user cancelled throws CUserException* once the call has ended, and what
// the call returned is dropped.
using DriverWaiter = SQLRETURN (*)(DriverWork work, const std::function<SQLRETURN()>& call,
                                   const std::function<void()>& cancel);

void SetDriverWaiter(DriverWaiter pfnWaiter);
// Runs the call on the statement through the waiter, cancelled by SQLCancel.
SQLRETURN WaitForStatement(DriverWork work, SQLHSTMT hstmt, const std::function<SQLRETURN()>& call);
