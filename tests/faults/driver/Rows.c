// The entry points that hand rows over: counted calls like the others, and
// besides the bindings are remembered and the row faults act on what the
// real driver fetched and on the reads of it.
#include "FaultDriver.h"

#define REAL(name, type) ((type)RealFunction(#name))

typedef SQLRETURN (*BindColFn)(SQLHSTMT, SQLUSMALLINT, SQLSMALLINT, SQLPOINTER, SQLLEN, SQLLEN*);
typedef SQLRETURN (*FetchFn)(SQLHSTMT);
typedef SQLRETURN (*FetchScrollFn)(SQLHSTMT, SQLSMALLINT, SQLLEN);
typedef SQLRETURN (*ExtendedFetchFn)(SQLHSTMT, SQLUSMALLINT, SQLLEN, SQLULEN*, SQLUSMALLINT*);
typedef SQLRETURN (*GetDataFn)(SQLHSTMT, SQLUSMALLINT, SQLSMALLINT, SQLPOINTER, SQLLEN, SQLLEN*);
typedef SQLRETURN (*GetTypeInfoFn)(SQLHSTMT, SQLSMALLINT);

SQLRETURN SQL_API SQLBindCol(SQLHSTMT StatementHandle, SQLUSMALLINT ColumnNumber, SQLSMALLINT TargetType,
                             SQLPOINTER TargetValue, SQLLEN BufferLength, SQLLEN* StrLen_or_Ind)
{
    BindColFn pfn = REAL(SQLBindCol, BindColFn);
    if (FaultBeginCall(SQL_HANDLE_STMT, StatementHandle, "SQLBindCol") || pfn == NULL)
        return SQL_ERROR;
    SQLRETURN nRet = pfn(StatementHandle, ColumnNumber, TargetType, TargetValue, BufferLength, StrLen_or_Ind);
    if (SQL_SUCCEEDED(nRet))
    {
        const FaultBinding binding = {StatementHandle, ColumnNumber, TargetType, TargetValue, BufferLength,
                                      StrLen_or_Ind};
        FaultBound(&binding);
    }
    return nRet;
}

SQLRETURN SQL_API SQLFetch(SQLHSTMT StatementHandle)
{
    FetchFn pfn = REAL(SQLFetch, FetchFn);
    SQLRETURN nRet = SQL_ERROR;
    if (FaultBeginCall(SQL_HANDLE_STMT, StatementHandle, "SQLFetch") || pfn == NULL
        || FaultFailsBeforeTheRow(StatementHandle, &nRet))
        return nRet;
    return FaultFetched(StatementHandle, pfn(StatementHandle), SQL_ATTR_ROW_ARRAY_SIZE);
}

SQLRETURN SQL_API SQLFetchScroll(SQLHSTMT StatementHandle, SQLSMALLINT FetchOrientation, SQLLEN FetchOffset)
{
    FetchScrollFn pfn = REAL(SQLFetchScroll, FetchScrollFn);
    SQLRETURN nRet = SQL_ERROR;
    if (FaultBeginCall(SQL_HANDLE_STMT, StatementHandle, "SQLFetchScroll") || pfn == NULL
        || FaultFailsBeforeTheRow(StatementHandle, &nRet))
        return nRet;
    return FaultFetched(StatementHandle, pfn(StatementHandle, FetchOrientation, FetchOffset),
                        SQL_ATTR_ROW_ARRAY_SIZE);
}

// The ODBC 2 fetch takes its number of rows from SQL_ROWSET_SIZE.
SQLRETURN SQL_API SQLExtendedFetch(SQLHSTMT hstmt, SQLUSMALLINT fFetchType, SQLLEN irow, SQLULEN* pcrow,
                                   SQLUSMALLINT* rgfRowStatus)
{
    ExtendedFetchFn pfn = REAL(SQLExtendedFetch, ExtendedFetchFn);
    SQLRETURN nRet = SQL_ERROR;
    if (FaultBeginCall(SQL_HANDLE_STMT, hstmt, "SQLExtendedFetch") || pfn == NULL
        || FaultFailsBeforeTheRow(hstmt, &nRet))
        return nRet;
    return FaultFetched(hstmt, pfn(hstmt, fFetchType, irow, pcrow, rgfRowStatus), SQL_ROWSET_SIZE);
}

SQLRETURN SQL_API SQLGetData(SQLHSTMT StatementHandle, SQLUSMALLINT ColumnNumber, SQLSMALLINT TargetType,
                             SQLPOINTER TargetValue, SQLLEN BufferLength, SQLLEN* StrLen_or_Ind)
{
    GetDataFn pfn = REAL(SQLGetData, GetDataFn);
    if (FaultBeginCall(SQL_HANDLE_STMT, StatementHandle, "SQLGetData") || pfn == NULL
        || FaultReadFails(StatementHandle, ColumnNumber))
        return SQL_ERROR;
    return pfn(StatementHandle, ColumnNumber, TargetType, TargetValue,
               FaultPieceLength(StatementHandle, TargetType, BufferLength), StrLen_or_Ind);
}

SQLRETURN SQL_API SQLGetTypeInfo(SQLHSTMT StatementHandle, SQLSMALLINT DataType)
{
    GetTypeInfoFn pfn = REAL(SQLGetTypeInfo, GetTypeInfoFn);
    if (FaultBeginCall(SQL_HANDLE_STMT, StatementHandle, "SQLGetTypeInfo") || pfn == NULL)
        return SQL_ERROR;
    FaultMarkRowsUncounted(StatementHandle, 1);
    return pfn(StatementHandle, DataType);
}
