// What the fault driver counts and the handles it knows.
#include "FaultDriver.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

typedef struct
{
    SQLHANDLE handle;
    SQLSMALLINT nType;
    SQLHANDLE hParent;       // the connection of a statement
    int bControl;            // of the control connection: never counted
    long nSlowMs;            // of a busy data source: its wait before a query
    int bRowsUncounted;      // a statement whose rows are not an import's: the type
                             // information, the module's questions of the engine
    int bDiagnostic;         // the handle's diagnostic is the injected one
    int bErrorTaken;         // SQLError has handed it out
    FaultRecord record;
} FaultHandle;

static FaultHandle* s_pHandles;
static size_t s_nHandles;
static size_t s_nCapacity;

static int s_bArmed;
static long s_nFailAt;
// Every call of this function fails, counted or not by number; "" for none.
static char s_szFailFunction[64];
// The diagnostic of each failed call of that function, when set.
static FaultRecord s_functionRecord;
static int s_bFunctionRecord;
static long s_nCalls;
static char s_szFailed[64];
static long s_nStatementsAtDisconnect;
// RDM_FAULT_TRACE in the environment lists every counted call on stderr:
// which call of the module a number stands for.
static int s_bTrace;

static FaultHandle* Find(SQLHANDLE handle)
{
    for (size_t i = 0; i < s_nHandles; ++i)
        if (s_pHandles[i].handle == handle)
            return &s_pHandles[i];
    return NULL;
}

static FaultHandle* FindOrAdd(SQLSMALLINT nType, SQLHANDLE handle)
{
    FaultHandle* pEntry = Find(handle);
    if (pEntry != NULL)
        return pEntry;
    if (s_nHandles == s_nCapacity)
    {
        size_t nCapacity = s_nCapacity ? 2 * s_nCapacity : 64;
        FaultHandle* pHandles = realloc(s_pHandles, nCapacity * sizeof *pHandles);
        if (pHandles == NULL)
            return NULL;
        s_pHandles = pHandles;
        s_nCapacity = nCapacity;
    }
    pEntry = &s_pHandles[s_nHandles++];
    memset(pEntry, 0, sizeof *pEntry);
    pEntry->handle = handle;
    pEntry->nType = nType;
    return pEntry;
}

static void Remove(FaultHandle* pEntry)
{
    if (pEntry->nType == SQL_HANDLE_STMT)
        FaultStatementGone(pEntry->handle);
    *pEntry = s_pHandles[--s_nHandles];
}

void FaultAllocated(SQLSMALLINT nType, SQLHANDLE hParent, SQLHANDLE handle)
{
    FaultHandle* pParent = Find(hParent);
    FaultHandle* pEntry = FindOrAdd(nType, handle);
    if (pEntry == NULL)
        return;
    pEntry->nType = nType;
    pEntry->hParent = hParent;
    pEntry->bControl = pParent != NULL && pParent->bControl;
    pEntry->nSlowMs = pParent != NULL ? pParent->nSlowMs : 0;
}

void FaultFreed(SQLHANDLE handle)
{
    FaultHandle* pEntry = Find(handle);
    if (pEntry != NULL)
        Remove(pEntry);
}

void FaultDisconnecting(SQLHDBC hdbc)
{
    FaultHandle* pConnection = Find(hdbc);
    if (pConnection != NULL && pConnection->bControl)
        return;
    for (size_t i = 0; i < s_nHandles; ++i)
        if (s_pHandles[i].nType == SQL_HANDLE_STMT && s_pHandles[i].hParent == hdbc)
            ++s_nStatementsAtDisconnect;
}

void FaultDisconnected(SQLHDBC hdbc)
{
    for (size_t i = 0; i < s_nHandles;)
    {
        if (s_pHandles[i].nType == SQL_HANDLE_STMT && s_pHandles[i].hParent == hdbc)
            Remove(&s_pHandles[i]);
        else
            ++i;
    }
}

void FaultConnected(SQLHDBC hdbc, int bControl, long nSlowMs)
{
    FaultHandle* pEntry = FindOrAdd(SQL_HANDLE_DBC, hdbc);
    if (pEntry == NULL)
        return;
    pEntry->bControl = bControl;
    pEntry->nSlowMs = nSlowMs;
}

long FaultSlowMs(SQLHANDLE handle)
{
    FaultHandle* pEntry = Find(handle);
    return pEntry != NULL ? pEntry->nSlowMs : 0;
}

int FaultIsControl(SQLHANDLE handle)
{
    FaultHandle* pEntry = Find(handle);
    return pEntry != NULL && pEntry->bControl;
}

void FaultMarkRowsUncounted(SQLHSTMT hstmt, int bUncounted)
{
    FaultHandle* pEntry = FindOrAdd(SQL_HANDLE_STMT, hstmt);
    if (pEntry != NULL)
        pEntry->bRowsUncounted = bUncounted;
}

int FaultCountsRows(SQLHSTMT hstmt)
{
    FaultHandle* pEntry = Find(hstmt);
    return pEntry == NULL || !(pEntry->bControl || pEntry->bRowsUncounted);
}

void FaultSetDiagnostic(SQLSMALLINT nType, SQLHANDLE handle, const FaultRecord* pRecord)
{
    FaultHandle* pEntry = handle != SQL_NULL_HANDLE ? FindOrAdd(nType, handle) : NULL;
    if (pEntry == NULL)
        return;
    pEntry->bDiagnostic = 1;
    pEntry->bErrorTaken = 0;
    pEntry->record = *pRecord;
}

void FaultSetGeneralError(SQLSMALLINT nType, SQLHANDLE handle, const char* pszText)
{
    FaultRecord record = {"HY000", "", 0};
    snprintf(record.szText, sizeof record.szText, "%s", pszText);
    FaultSetDiagnostic(nType, handle, &record);
}

int FaultBeginCall(SQLSMALLINT nType, SQLHANDLE handle, const char* pszFunction)
{
    // Each call on a handle replaces the handle's diagnostics.
    FaultHandle* pEntry = Find(handle);
    if (pEntry != NULL)
        pEntry->bDiagnostic = 0;
    if (!s_bArmed || (pEntry != NULL && pEntry->bControl))
        return 0;
    ++s_nCalls;
    if (s_bTrace)
        fprintf(stderr, "fault driver: call %ld %s%s\n", s_nCalls, pszFunction,
                s_nCalls == s_nFailAt ? " (failed)" : "");
    if (s_nCalls != s_nFailAt && strcmp(pszFunction, s_szFailFunction) != 0)
        return 0;

    snprintf(s_szFailed, sizeof s_szFailed, "%s", pszFunction);
    if (s_bFunctionRecord && strcmp(pszFunction, s_szFailFunction) == 0)
    {
        FaultSetDiagnostic(nType, handle, &s_functionRecord);
        return 1;
    }
    char szText[160];
    snprintf(szText, sizeof szText, "injected fault at call %ld: %s", s_nCalls, pszFunction);
    FaultSetGeneralError(nType, handle, szText);
    return 1;
}

const FaultRecord* FaultDiagnostic(SQLHANDLE handle)
{
    FaultHandle* pEntry = Find(handle);
    return pEntry != NULL && pEntry->bDiagnostic ? &pEntry->record : NULL;
}

int FaultTakeErrorRecord(SQLHANDLE handle)
{
    FaultHandle* pEntry = Find(handle);
    if (pEntry == NULL || !pEntry->bDiagnostic || pEntry->bErrorTaken)
        return 0;
    pEntry->bErrorTaken = 1;
    return 1;
}

static void ResetCounters(void)
{
    s_nCalls = 0;
    s_szFailed[0] = '\0';
    s_nStatementsAtDisconnect = 0;
}

void FaultArm(long nFailAt)
{
    ResetCounters();
    s_bTrace = getenv("RDM_FAULT_TRACE") != NULL;
    s_nFailAt = nFailAt;
    s_szFailFunction[0] = '\0';
    s_bArmed = 1;
}

void FaultArmFunction(const char* pszFunction, const FaultRecord* pRecord)
{
    FaultArm(0);
    snprintf(s_szFailFunction, sizeof s_szFailFunction, "%s", pszFunction);
    s_bFunctionRecord = pRecord != NULL;
    if (pRecord != NULL)
        s_functionRecord = *pRecord;
}

void FaultDisarm(void)
{
    ResetCounters();
    s_nFailAt = 0;
    s_szFailFunction[0] = '\0';
    s_bFunctionRecord = 0;
    s_bArmed = 0;
    FaultRowFaultsOff();
}

void FaultReportStatement(char* pszSql, size_t nSize)
{
    long nConnections = 0;
    long nStatements = 0;
    for (size_t i = 0; i < s_nHandles; ++i)
    {
        if (s_pHandles[i].bControl)
            continue;
        if (s_pHandles[i].nType == SQL_HANDLE_DBC)
            ++nConnections;
        else if (s_pHandles[i].nType == SQL_HANDLE_STMT)
            ++nStatements;
    }
    FaultRowCounts rows;
    FaultCountRows(&rows);
    // Function names hold no quote, so they go into the literal as they are.
    snprintf(pszSql, nSize,
             "SELECT 'calls', '%ld' UNION ALL SELECT 'failed', '%s'"
             " UNION ALL SELECT 'connections', '%ld' UNION ALL SELECT 'statements', '%ld'"
             " UNION ALL SELECT 'statements at disconnect', '%ld'"
             " UNION ALL SELECT 'fetches', '%ld' UNION ALL SELECT 'fetches failed', '%ld'"
             " UNION ALL SELECT 'reads failed', '%ld' UNION ALL SELECT 'lengths stretched', '%ld'"
             " UNION ALL SELECT 'pieces shortened', '%ld' UNION ALL SELECT 'waits cancelled', '%ld'",
             s_nCalls, s_szFailed, nConnections, nStatements, s_nStatementsAtDisconnect, rows.nFetches,
             rows.nFetchesFailed, rows.nReadsFailed, rows.nLengthsStretched, rows.nPiecesShortened,
             FaultSlowCallsCancelled());
}
