// The row faults: what a strict or a sloppy driver does to a row it hands
// over. A value that does not convert fails the fetch after the row was
// fetched, as a driver does that converts the bound columns one by one, and
// its column then fails when it is read on its own. A driver that reports
// more bytes than it wrote leaves those of an earlier, longer value behind
// the terminator.
#include "FaultDriver.h"

#include <stdio.h>
#include <string.h>

// Fetches of the module's statements since the driver was loaded; each
// command counts from the fetch it was given at.
static long s_nFetches;
static long s_nCommandFetch;

// The failed conversion: the fetch it falls on (0 for none), its SQLSTATE
// and the column that fails again when read.
static long s_nFailFetch;
static char s_szState[6];
static SQLUSMALLINT s_nFailColumn;
static long s_nFetchesFailed;
static long s_nReadsFailed;
// The statement on whose row the column fails, until its next fetch.
static SQLHSTMT s_hFailedRow;
static FaultRecord s_failure;

// The stretched lengths: bytes added (0 for none) from this fetch on.
static long s_nExtra;
static long s_nStretchFrom;
static long s_nLengthsStretched;

typedef SQLRETURN (*GetStmtAttrFn)(SQLHSTMT, SQLINTEGER, SQLPOINTER, SQLINTEGER, SQLINTEGER*);

// The words a driver gives the data exceptions of a conversion.
static const char* DescribeState(const char* pszState)
{
    if (strcmp(pszState, "22003") == 0)
        return "numeric value out of range";
    if (strcmp(pszState, "22018") == 0)
        return "invalid character value for the cast";
    return "data exception";
}

void FaultFailFetch(long nFetch, const char* pszState, SQLUSMALLINT nColumn)
{
    s_nCommandFetch = s_nFetches;
    s_nFailFetch = s_nFetches + nFetch;
    snprintf(s_szState, sizeof s_szState, "%s", pszState);
    s_nFailColumn = nColumn;
    s_nFetchesFailed = 0;
    s_nReadsFailed = 0;
    s_hFailedRow = SQL_NULL_HSTMT;
}

void FaultStretchLengths(long nExtra, long nFromFetch)
{
    s_nCommandFetch = s_nFetches;
    s_nExtra = nExtra;
    s_nStretchFrom = s_nFetches + nFromFetch;
    s_nLengthsStretched = 0;
}

void FaultRowFaultsOff(void)
{
    s_nCommandFetch = s_nFetches;
    s_nFailFetch = 0;
    s_nFetchesFailed = 0;
    s_nReadsFailed = 0;
    s_hFailedRow = SQL_NULL_HSTMT;
    s_nExtra = 0;
    s_nLengthsStretched = 0;
}

// Each bound text value that is not NULL and was written whole is reported
// longer, within its buffer, and the bytes after its terminator up to that
// length are stale. A fetch of several rows writes arrays; it is left alone.
static void StretchLengths(SQLHSTMT hstmt, SQLINTEGER nRowsetAttribute)
{
    GetStmtAttrFn pfnGetStmtAttr = (GetStmtAttrFn)RealFunction("SQLGetStmtAttr");
    SQLULEN nRows = 0;
    if (pfnGetStmtAttr == NULL || !SQL_SUCCEEDED(pfnGetStmtAttr(hstmt, nRowsetAttribute, &nRows, 0, NULL))
        || nRows != 1)
        return;
    SQLLEN* pnOffset = NULL;
    if (!SQL_SUCCEEDED(pfnGetStmtAttr(hstmt, SQL_ATTR_ROW_BIND_OFFSET_PTR, &pnOffset, 0, NULL)))
        pnOffset = NULL;
    const SQLLEN nOffset = pnOffset != NULL ? *pnOffset : 0;

    for (const FaultBinding* pBinding = FaultNextBinding(hstmt, NULL); pBinding != NULL;
         pBinding = FaultNextBinding(hstmt, pBinding))
    {
        if (pBinding->nTargetType != SQL_C_CHAR || pBinding->pnIndicator == NULL)
            continue;
        char* pBuffer = (char*)pBinding->pBuffer + nOffset;
        SQLLEN* pnIndicator = (SQLLEN*)((char*)pBinding->pnIndicator + nOffset);
        const SQLLEN nLength = *pnIndicator;
        const SQLLEN nRoom = pBinding->nBufferLength - 1;
        if (nLength < 0 || nLength >= nRoom)
            continue;
        const SQLLEN nStretched = nLength + s_nExtra < nRoom ? nLength + s_nExtra : nRoom;
        memset(pBuffer + nLength + 1, 'X', (size_t)(nStretched - nLength));
        *pnIndicator = nStretched;
        ++s_nLengthsStretched;
    }
}

static SQLRETURN FailConversion(SQLHSTMT hstmt)
{
    ++s_nFetchesFailed;
    snprintf(s_failure.szState, sizeof s_failure.szState, "%s", s_szState);
    snprintf(s_failure.szText, sizeof s_failure.szText, "injected conversion failure at fetch %ld, column %u: %s",
             s_nFailFetch - s_nCommandFetch, (unsigned)s_nFailColumn, DescribeState(s_szState));
    FaultSetDiagnostic(SQL_HANDLE_STMT, hstmt, &s_failure);
    s_hFailedRow = s_nFailColumn > 0 ? hstmt : SQL_NULL_HSTMT;
    return SQL_ERROR;
}

SQLRETURN FaultFetched(SQLHSTMT hstmt, SQLRETURN nRet, SQLINTEGER nRowsetAttribute)
{
    if (FaultIsControl(hstmt))
        return nRet;
    ++s_nFetches;
    if (s_hFailedRow == hstmt)
        s_hFailedRow = SQL_NULL_HSTMT;
    if (!SQL_SUCCEEDED(nRet))
        return nRet;
    if (s_nExtra > 0 && s_nFetches >= s_nStretchFrom)
        StretchLengths(hstmt, nRowsetAttribute);
    return s_nFetches == s_nFailFetch ? FailConversion(hstmt) : nRet;
}

int FaultReadFails(SQLHSTMT hstmt, SQLUSMALLINT nColumn)
{
    if (hstmt == SQL_NULL_HSTMT || hstmt != s_hFailedRow || nColumn != s_nFailColumn)
        return 0;
    ++s_nReadsFailed;
    FaultSetDiagnostic(SQL_HANDLE_STMT, hstmt, &s_failure);
    return 1;
}

void FaultStatementGone(SQLHSTMT hstmt)
{
    FaultUnbound(hstmt);
    if (s_hFailedRow == hstmt)
        s_hFailedRow = SQL_NULL_HSTMT;
}

void FaultCountRows(FaultRowCounts* pCounts)
{
    pCounts->nFetches = s_nFetches - s_nCommandFetch;
    pCounts->nFetchesFailed = s_nFetchesFailed;
    pCounts->nReadsFailed = s_nReadsFailed;
    pCounts->nLengthsStretched = s_nLengthsStretched;
}
