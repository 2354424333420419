#pragma once
// The fault-injecting ODBC driver: a Unix library that unixODBC loads in
// front of the SQLite driver for the fault-injection tests. It hands every
// call on to the real driver and its handles back unchanged, except the one
// chosen call, which fails with SQL_ERROR and a diagnostic record of its own,
// and the rows that a row fault touches. A control connection (its connect
// string holds FaultControl=1) chooses that call or fault and reads what was
// counted; its own calls and handles are not counted.
// The module and its tests call ODBC from one thread at a time, so no state
// is locked, but for the waits of a busy data source, which SQLCancel ends
// from another thread.
#include <stddef.h>
#include <sql.h>
#include <sqlext.h>

// The real driver's entry point of this name, NULL when there is none. The
// real driver's path is the RealDriver attribute of this driver's entry in
// odbcinst.ini.
#ifndef FAULT_DRIVER_ENTRY
#define FAULT_DRIVER_ENTRY "rdm_fault driver"
#endif
void* RealFunction(const char* pszName);

// What the driver knows of a handle the real driver handed out.
void FaultAllocated(SQLSMALLINT nType, SQLHANDLE hParent, SQLHANDLE handle);
void FaultFreed(SQLHANDLE handle);
// A disconnect with statements still allocated counts them (the SQLite
// driver refuses it); a driver that disconnects frees them.
void FaultDisconnecting(SQLHDBC hdbc);
void FaultDisconnected(SQLHDBC hdbc);
// A connection is made: the control connection, or one that waits so long,
// in milliseconds, before each query and catalog call (0: none; a busy data
// source, SlowCalls.c), and so do its statements.
void FaultConnected(SQLHDBC hdbc, int bControl, long nSlowMs);
int FaultIsControl(SQLHANDLE handle);
// The wait of a connection made with this connect string: the SlowMs entry
// of its data source in odbc.ini; and the wait of a handle.
long FaultSlowMsOf(const SQLCHAR* pszConnect, SQLSMALLINT nLength);
long FaultSlowMs(SQLHANDLE handle);
// Before such a call is handed on: waits the statement's time, and returns
// non-zero, its diagnostic HY008 recorded, when SQLCancel ended the wait.
int FaultSlowCallCancelled(SQLHSTMT hstmt);
// SQLCancel on the statement: its wait ends.
void FaultCancelSlowCall(SQLHSTMT hstmt);
// How many waits SQLCancel has ended since the driver was loaded.
long FaultSlowCallsCancelled(void);
// Rows of this statement are not counted by the row faults (or are again):
// its rows are not an import's.
void FaultMarkRowsUncounted(SQLHSTMT hstmt, int bUncounted);
// Whether the row faults count and touch the statement's rows: not those of
// the control connection, of the type information (a record set tries its
// block reads on it) nor of a statement other than an import's.
int FaultCountsRows(SQLHSTMT hstmt);

// A diagnostic record of the driver's own. (unixODBC copies a driver's
// records with SQLGetDiagRec and answers SQL_DIAG_COLUMN_NUMBER and
// SQL_DIAG_ROW_NUMBER with 0 itself, so a record names its column in its
// text.)
typedef struct
{
    char szState[6];
    char szText[160];
    long nNative;                       // the driver's own error number; 0 for none
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
// Fails every call of the function of that name from now on, counters reset.
// With a record, each failed call has it as its diagnostic; without
// (NULL), a general error naming the call.
void FaultArmFunction(const char* pszFunction, const FaultRecord* pRecord);
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
// SQLExtendedFetch) and the rows they handed over, of the statements whose
// rows they count, from the command that set it. A failed fetch falls on
// the nth row: the fetch that would hand it over hands over the rows before
// it (the real driver writes the bound buffers) and fails with SQL_ERROR
// and pszState. A data exception (class 22) hands the row over too, marked
// SQL_ROW_ERROR in the row statuses (in a block of several rows the fetch
// returns SQL_SUCCESS_WITH_INFO and the rows after it come as well); with
// nColumn > 0, every SQLGetData of that column fails the same way until the
// statement's next fetch. Another failure ends the rows at the row it falls
// on (marked SQL_ROW_ERROR, the fetch's count of rows up to it). nHow plays
// a data exception otherwise: FAULT_NO_ROW fails the fetch before the row,
// the real driver not called and no status written; FAULT_REPEAT fails
// every fetch from then on the same way, and without FAULT_NO_ROW claims
// the row the statement stands on (SQL_ROW_ERROR, one row) without moving
// on; FAULT_ENDS_ROWS ends the rows at the row as another failure does.
enum { FAULT_NO_ROW = 1, FAULT_REPEAT = 2, FAULT_ENDS_ROWS = 4 };
void FaultFailFetch(long nRow, const char* pszState, SQLUSMALLINT nColumn, int nHow);
// Lengths longer than the values: from the nth fetch on, each bound
// SQL_C_CHAR value that is not NULL and fits its buffer is reported nExtra
// bytes longer (within its buffer, so still whole), with 'X' written
// behind its terminator.
void FaultStretchLengths(long nExtra, long nFromFetch);
// Pieces of a long value cut short, as by a driver that will not split a
// character: each SQLGetData as text gets one byte less room at the real
// driver than the application gave.
void FaultShortenPieces(void);
void FaultRowFaultsOff(void);
// Before a fetch is handed on: non-zero when it fails without reaching the
// real driver, its result in *pnRet.
int FaultFailsBeforeTheRow(SQLHSTMT hstmt, SQLRETURN* pnRet);
// After the real driver's fetch on a statement: what the application gets
// instead of nRet. nRowsetAttribute is the statement attribute that holds
// the fetch's number of rows.
SQLRETURN FaultFetched(SQLHSTMT hstmt, SQLRETURN nRet, SQLINTEGER nRowsetAttribute);
// Before a SQLGetData is handed on: non-zero when it fails, after recording
// its diagnostic.
int FaultReadFails(SQLHSTMT hstmt, SQLUSMALLINT nColumn);
// The buffer length a SQLGetData hands on to the real driver.
SQLLEN FaultPieceLength(SQLHSTMT hstmt, SQLSMALLINT nTargetType, SQLLEN nBufferLength);
// The statement is gone: its bindings and row faults with it.
void FaultStatementGone(SQLHSTMT hstmt);
// What the row faults did since they were set.
typedef struct
{
    long nFetches;            // since the last row-fault command
    long nFetchesFailed;      // by the failed fetch
    long nReadsFailed;        // SQLGetData calls of the failed column
    long nLengthsStretched;   // values reported longer than they are
    long nPiecesShortened;    // SQLGetData calls given less room
} FaultRowCounts;
void FaultCountRows(FaultRowCounts* pCounts);
// A SELECT whose rows (name, value) tell what was counted.
void FaultReportStatement(char* pszSql, size_t nSize);

// A control statement ("-- fault: at 17", "-- fault: fetch 2 22018 column 3",
// "-- fault: fetch 3 22012 norow repeat", "-- fault: row 5 08S01",
// "-- fault: lengths +7 from 1", "-- fault: pieces short", "-- fault: off",
// "-- fault: report") is
// carried out and replaced by the SQL to run in its place:
// 1 then, 0 for an ordinary statement, -1 for an unknown command.
int FaultControlStatement(const char* pszText, size_t nLength, char* pszSql, size_t nSize);
