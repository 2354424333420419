#pragma once
// How the module waits for driver work that can take long (a connect, a
// catalog, a statement that runs on the server): the waiter may run it off
// the calling thread and show that it is running, with a way to cancel it.
// Without a waiter the call runs as it comes.
#include <windows.h>
#include <sql.h>

#include <functional>

// What is being done, for the waiter to name.
enum class DriverWork
{
    connecting,
    readingTables,
    readingColumns,
    openingImport,
    countingRows,
};

// Runs the call and returns what it returned, after it has ended. cancel
// asks the driver, from another thread, to stop the call; a call without
// one cannot be stopped and is abandoned instead: it then owns everything
// it touches, and ends on its own thread. A waiter whose user cancelled
// throws CUserException*, and what the call returned is dropped. pszName
// names what is connected to.
using DriverWaiter = SQLRETURN (*)(DriverWork work, LPCSTR pszName, const std::function<SQLRETURN()>& call,
                                   const std::function<void()>& cancel);

void SetDriverWaiter(DriverWaiter pfnWaiter);
// Runs the call on the statement through the waiter, cancelled by SQLCancel.
SQLRETURN WaitForStatement(DriverWork work, SQLHSTMT hstmt, const std::function<SQLRETURN()>& call);
// Runs a connect through the waiter; Cancel abandons it.
SQLRETURN WaitForConnect(LPCSTR pszName, const std::function<SQLRETURN()>& call);
