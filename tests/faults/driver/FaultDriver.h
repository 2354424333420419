#pragma once
// The fault-injecting ODBC driver: a Unix library that unixODBC loads in
// front of the SQLite driver for the fault-injection tests. It hands every
// call on to the real driver and its handles back unchanged, except the one
// chosen call, which fails with SQL_ERROR and a diagnostic record of its own.
// A control connection (its connect string holds FaultControl=1) chooses that
// call and reads what was counted; its own calls and handles are not counted.
// The module and its tests call ODBC from one thread, so no state is locked.
#include <stddef.h>
#include <sql.h>
#include <sqlext.h>

// The real driver's entry point of this name, NULL when there is none. The
// real driver's path is the RealDriver attribute of this driver's entry in
// odbcinst.ini.
#define FAULT_DRIVER_ENTRY "rdm_fault driver"
void* RealFunction(const char* pszName);

// What the driver knows of a handle the real driver handed out.
void FaultAllocated(SQLSMALLINT nType, SQLHANDLE hParent, SQLHANDLE handle);
void FaultFreed(SQLHANDLE handle);
// A disconnect with statements still allocated counts them (the SQLite
// driver refuses it); a driver that disconnects frees them.
void FaultDisconnecting(SQLHDBC hdbc);
void FaultDisconnected(SQLHDBC hdbc);
void FaultMarkControl(SQLHDBC hdbc);
int FaultIsControl(SQLHANDLE handle);

// Starts a call that may fail: clears the handle's injected diagnostic,
// counts the call (while armed, and not on the control connection) and
// returns non-zero for the chosen call, after recording its diagnostic.
int FaultBeginCall(SQLSMALLINT nType, SQLHANDLE handle, const char* pszFunction);
// Records an error of the driver's own on a handle (a bad control command).
void FaultSetDiagnostic(SQLSMALLINT nType, SQLHANDLE handle, const char* pszText);
// The handle's injected diagnostic text, NULL when it has none: then the
// real driver's diagnostics are the handle's.
const char* FaultDiagnostic(SQLHANDLE handle);
// SQLError hands each record out once: non-zero the first time.
int FaultTakeErrorRecord(SQLHANDLE handle);

// Fails the nth counted call from now on (0: counts only), counters reset.
void FaultArm(long nFailAt);
// Counts nothing and fails nothing, counters reset.
void FaultDisarm(void);
// A SELECT whose rows (name, value) tell what was counted.
void FaultReportStatement(char* pszSql, size_t nSize);

// A control statement ("-- fault: at 17", "-- fault: off", "-- fault:
// report") is carried out and replaced by the SQL to run in its place:
// 1 then, 0 for an ordinary statement, -1 for an unknown command.
int FaultControlStatement(const char* pszText, size_t nLength, char* pszSql, size_t nSize);
