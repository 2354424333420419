// The row faults: what a strict or a sloppy driver does to a row it hands
// over. A value that does not convert fails the fetch after the row was
// fetched, as a driver does that converts the bound columns one by one, and
// its column then fails when it is read on its own; or, as a server that
// fails while it makes the next row, it fails the fetch before any row, once
// or at every fetch from then on. A failure that is no data exception ends
// the rows at the row it falls on. A driver that reports more bytes than it
// wrote leaves those of an earlier, longer value behind the terminator; one
// that will not split a character ends a piece of a long value short of the
// buffer's end.
#include "FaultDriver.h"

#include <stdio.h>
#include <string.h>

// Fetches and rows of the module's statements since the driver was loaded;
// each command counts from the fetch and the row it was given at.
static long s_nFetches;
static long s_nCommandFetch;
static long s_nRows;
static long s_nCommandRow;

// The failed fetch: the row it falls on (0 for none), its SQLSTATE, the
// column that fails again when read, and how it fails (FaultFailFetch).
static long s_nFailRow;
static char s_szState[6];
static SQLUSMALLINT s_nFailColumn;
static int s_nHow;
static long s_nFetchesFailed;
static long s_nReadsFailed;
// The statement on whose row the column fails, until its next fetch.
static SQLHSTMT s_hFailedRow;
static FaultRecord s_failure;

// The stretched lengths: bytes added (0 for none) from this fetch on.
static long s_nExtra;
static long s_nStretchFrom;
static long s_nLengthsStretched;

static int s_bShortPieces;
static long s_nPiecesShortened;

typedef SQLRETURN (*GetStmtAttrFn)(SQLHSTMT, SQLINTEGER, SQLPOINTER, SQLINTEGER, SQLINTEGER*);

// The words a driver gives the failures.
static const char* DescribeState(const char* pszState)
{
    if (strcmp(pszState, "22003") == 0)
        return "numeric value out of range";
    if (strcmp(pszState, "22012") == 0)
        return "division by zero";
    if (strcmp(pszState, "22018") == 0)
        return "invalid character value for the cast";
    if (strcmp(pszState, "08S01") == 0)
        return "communication link failure";
    return strncmp(pszState, "22", 2) == 0 ? "data exception" : "general error";
}

void FaultFailFetch(long nRow, const char* pszState, SQLUSMALLINT nColumn, int nHow)
{
    s_nCommandFetch = s_nFetches;
    s_nCommandRow = s_nRows;
    s_nFailRow = s_nRows + nRow;
    snprintf(s_szState, sizeof s_szState, "%s", pszState);
    s_nFailColumn = nColumn;
    s_nHow = nHow;
    s_nFetchesFailed = 0;
    s_nReadsFailed = 0;
    s_hFailedRow = SQL_NULL_HSTMT;
}

void FaultStretchLengths(long nExtra, long nFromFetch)
{
    s_nCommandFetch = s_nFetches;
    s_nCommandRow = s_nRows;
    s_nExtra = nExtra;
    s_nStretchFrom = s_nFetches + nFromFetch;
    s_nLengthsStretched = 0;
}

void FaultShortenPieces(void)
{
    s_bShortPieces = 1;
    s_nPiecesShortened = 0;
}

void FaultRowFaultsOff(void)
{
    s_nCommandFetch = s_nFetches;
    s_nCommandRow = s_nRows;
    s_nFailRow = 0;
    s_nFetchesFailed = 0;
    s_nReadsFailed = 0;
    s_hFailedRow = SQL_NULL_HSTMT;
    s_nExtra = 0;
    s_nLengthsStretched = 0;
    s_bShortPieces = 0;
    s_nPiecesShortened = 0;
}

static SQLULEN StatementAttribute(SQLHSTMT hstmt, SQLINTEGER nAttribute)
{
    GetStmtAttrFn pfnGetStmtAttr = (GetStmtAttrFn)RealFunction("SQLGetStmtAttr");
    SQLULEN nValue = 0;
    if (pfnGetStmtAttr == NULL || !SQL_SUCCEEDED(pfnGetStmtAttr(hstmt, nAttribute, &nValue, 0, NULL)))
        return 0;
    return nValue;
}

// Each bound text value that is not NULL and was written whole is reported
// longer, within its buffer, and the bytes after its terminator up to that
// length are stale. A fetch of several rows writes arrays; it is left alone.
static void StretchLengths(SQLHSTMT hstmt, SQLINTEGER nRowsetAttribute)
{
    if (StatementAttribute(hstmt, nRowsetAttribute) != 1)
        return;
    const SQLLEN* pnOffset = (const SQLLEN*)StatementAttribute(hstmt, SQL_ATTR_ROW_BIND_OFFSET_PTR);
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

// Records the failure on the statement; the caller returns what it says.
static void RecordFailure(SQLHSTMT hstmt)
{
    ++s_nFetchesFailed;
    snprintf(s_failure.szState, sizeof s_failure.szState, "%s", s_szState);
    snprintf(s_failure.szText, sizeof s_failure.szText, "injected %s at fetch %ld, row %ld, column %u: %s",
             strncmp(s_szState, "22", 2) == 0 ? "conversion failure" : "failure", s_nFetches - s_nCommandFetch,
             s_nFailRow - s_nCommandRow, (unsigned)s_nFailColumn, DescribeState(s_szState));
    FaultSetDiagnostic(SQL_HANDLE_STMT, hstmt, &s_failure);
    s_hFailedRow = s_nFailColumn > 0 ? hstmt : SQL_NULL_HSTMT;
}

// The row statuses and the count of rows the application set for the
// statement's fetches, NULL where it set none.
static SQLUSMALLINT* RowStatuses(SQLHSTMT hstmt)
{
    return (SQLUSMALLINT*)StatementAttribute(hstmt, SQL_ATTR_ROW_STATUS_PTR);
}

static SQLULEN* RowsFetched(SQLHSTMT hstmt)
{
    return (SQLULEN*)StatementAttribute(hstmt, SQL_ATTR_ROWS_FETCHED_PTR);
}

int FaultFailsBeforeTheRow(SQLHSTMT hstmt, SQLRETURN* pnRet)
{
    if (!FaultCountsRows(hstmt) || s_nFailRow == 0 || !(s_nHow & (FAULT_NO_ROW | FAULT_REPEAT))
        || s_nRows + 1 < s_nFailRow || (!(s_nHow & FAULT_REPEAT) && s_nFetchesFailed > 0))
        return 0;
    ++s_nFetches;
    RecordFailure(hstmt);
    if (!(s_nHow & FAULT_NO_ROW))
    {
        // The row it claims is the one the statement stands on: it does not
        // move on.
        SQLUSMALLINT* pnStatus = RowStatuses(hstmt);
        SQLULEN* pnFetched = RowsFetched(hstmt);
        if (pnStatus != NULL)
            pnStatus[0] = SQL_ROW_ERROR;
        if (pnFetched != NULL)
            *pnFetched = 1;
    }
    *pnRet = SQL_ERROR;
    return 1;
}

SQLRETURN FaultFetched(SQLHSTMT hstmt, SQLRETURN nRet, SQLINTEGER nRowsetAttribute)
{
    if (!FaultCountsRows(hstmt))
        return nRet;
    ++s_nFetches;
    if (s_hFailedRow == hstmt)
        s_hFailedRow = SQL_NULL_HSTMT;
    if (!SQL_SUCCEEDED(nRet))
        return nRet;
    // A block's rows, as the real driver counted them.
    SQLULEN* pnFetched = RowsFetched(hstmt);
    const long nRowset = (long)StatementAttribute(hstmt, nRowsetAttribute);
    const long nBlock = nRowset > 1 && pnFetched != NULL ? (long)*pnFetched : 1;
    const long nFirst = s_nRows + 1;
    s_nRows += nBlock;
    if (s_nExtra > 0 && s_nFetches >= s_nStretchFrom)
        StretchLengths(hstmt, nRowsetAttribute);
    if (s_nFailRow < nFirst || s_nFailRow > s_nRows || (s_nHow & (FAULT_NO_ROW | FAULT_REPEAT)))
        return nRet;

    RecordFailure(hstmt);
    const long nHit = s_nFailRow - nFirst;
    SQLUSMALLINT* pnStatus = RowStatuses(hstmt);
    if (pnStatus != NULL)
        pnStatus[nHit] = SQL_ROW_ERROR;
    if (strncmp(s_szState, "22", 2) == 0 && !(s_nHow & FAULT_ENDS_ROWS))
    {
        // A row of a block that failed leaves the others to be read.
        return nBlock > 1 ? SQL_SUCCESS_WITH_INFO : SQL_ERROR;
    }
    // Any other failure ends the rows at the one it fell on.
    for (long nRow = nHit + 1; pnStatus != NULL && nRow < nBlock; ++nRow)
        pnStatus[nRow] = SQL_ROW_NOROW;
    if (pnFetched != NULL)
        *pnFetched = (SQLULEN)nHit + 1;
    return SQL_ERROR;
}

int FaultReadFails(SQLHSTMT hstmt, SQLUSMALLINT nColumn)
{
    if (hstmt == SQL_NULL_HSTMT || hstmt != s_hFailedRow || nColumn != s_nFailColumn)
        return 0;
    ++s_nReadsFailed;
    FaultSetDiagnostic(SQL_HANDLE_STMT, hstmt, &s_failure);
    return 1;
}

SQLLEN FaultPieceLength(SQLHSTMT hstmt, SQLSMALLINT nTargetType, SQLLEN nBufferLength)
{
    if (!s_bShortPieces || !FaultCountsRows(hstmt) || nTargetType != SQL_C_CHAR || nBufferLength <= 2)
        return nBufferLength;
    ++s_nPiecesShortened;
    return nBufferLength - 1;
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
    pCounts->nPiecesShortened = s_nPiecesShortened;
}
