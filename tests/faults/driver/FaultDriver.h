#pragma once
// The fault-injecting ODBC driver: a Unix library that unixODBC loads in
// front of the SQLite driver for the fault-injection tests. It hands every
// call on to the real driver and its handles back unchanged, except the one
// chosen call, which fails with SQL_ERROR and a diagnostic record of its own,
// and the rows that a row fault touches. A control connection (its connect
// string holds FaultControl=1) chooses that call or fault and reads what was
// counted; its own calls and handles are not counted.
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

// A diagnostic record of the driver's own. (unixODBC copies a driver's
// records with SQLGetDiagRec and answers SQL_DIAG_COLUMN_NUMBER and
// SQL_DIAG_ROW_NUMBER with 0 itself, so a record names its column in its
// text.)
typedef struct
{
    char szState[6];
    char szText[160];
} FaultRecord;

// Starts a call that may fail: clears the handle's injected diagnostic,
// counts the call (while armed, and not on the control connection) and
// returns non-zero for the chosen call, after recording its diagnostic.
int FaultBeginCall(SQLSMALLINT nType, SQLHANDLE handle, const char* pszFunction);
// Records an error of the driver's own on a handle: a failed call or a bad
// control command (HY000), a value of a fetched row (a data exception).
void FaultSetDiagnostic(SQLSMALLINT nType, SQLHANDLE handle, const FaultRecord* pRecord);
void FaultSetGeneralError(SQLSMALLINT nType, SQLHANDLE handle, const char* pszText);
// The handle's injected diagnostic record, NULL when it has none: then the
// real driver's diagnostics are the handle's.
const FaultRecord* FaultDiagnostic(SQLHANDLE handle);
// SQLError hands each record out once: non-zero the first time.
int FaultTakeErrorRecord(SQLHANDLE handle);

// Fails the nth counted call from now on (0: counts only), counters reset.
void FaultArm(long nFailAt);
// Counts nothing and fails nothing, counters reset, row faults off.
void FaultDisarm(void);

// The application's SQLBindCol bindings, per statement and column: where a
// fetch writes the row.
typedef struct
{
    SQLHSTMT hstmt;
    SQLUSMALLINT nColumn;
    SQLSMALLINT nTargetType;
    SQLPOINTER pBuffer;
    SQLLEN nBufferLength;
    SQLLEN* pnIndicator;
} FaultBinding;
// Remembers a binding that the real driver took; one with no buffer unbinds
// the column.
void FaultBound(const FaultBinding* pBinding);
// Forgets every binding of the statement (SQL_UNBIND, the statement freed).
void FaultUnbound(SQLHSTMT hstmt);
// The statement's bindings in turn: the first after pPrevious (NULL: the
// first of all), NULL after the last.
const FaultBinding* FaultNextBinding(SQLHSTMT hstmt, const FaultBinding* pPrevious);

// The row faults, each counting the fetches (SQLFetch, SQLFetchScroll,
// SQLExtendedFetch) of statements not on the control connection from the
// command that set it. A failed conversion: the nth fetch hands the row
// over (the real driver writes the bound buffers), then fails with
// SQL_ERROR and the data exception pszState; with nColumn > 0, every
// SQLGetData of that column fails the same way until the statement's next
// fetch.
void FaultFailFetch(long nFetch, const char* pszState, SQLUSMALLINT nColumn);
// Lengths longer than the values: from the nth fetch on, each bound
// SQL_C_CHAR value that is not NULL and fits its buffer is reported nExtra
// bytes longer (within its buffer, so still whole), with 'X' written
// behind its terminator.
void FaultStretchLengths(long nExtra, long nFromFetch);
void FaultRowFaultsOff(void);
// After the real driver's fetch on a statement: what the application gets
// instead of nRet. nRowsetAttribute is the statement attribute that holds
// the fetch's number of rows.
SQLRETURN FaultFetched(SQLHSTMT hstmt, SQLRETURN nRet, SQLINTEGER nRowsetAttribute);
// Before a SQLGetData is handed on: non-zero when it fails, after recording
// its diagnostic.
int FaultReadFails(SQLHSTMT hstmt, SQLUSMALLINT nColumn);
// The statement is gone: its bindings and row faults with it.
void FaultStatementGone(SQLHSTMT hstmt);
// What the row faults did since they were set.
typedef struct
{
    long nFetches;            // since the last row-fault command
    long nFetchesFailed;      // after their row arrived (0 or 1)
    long nReadsFailed;        // SQLGetData calls of the failed column
    long nLengthsStretched;   // values reported longer than they are
} FaultRowCounts;
void FaultCountRows(FaultRowCounts* pCounts);
// A SELECT whose rows (name, value) tell what was counted.
void FaultReportStatement(char* pszSql, size_t nSize);

// A control statement ("-- fault: at 17", "-- fault: fetch 2 22018 column 3",
// "-- fault: lengths +7 from 1", "-- fault: off", "-- fault: report") is
// carried out and replaced by the SQL to run in its place:
// 1 then, 0 for an ordinary statement, -1 for an unknown command.
int FaultControlStatement(const char* pszText, size_t nLength, char* pszSql, size_t nSize);
