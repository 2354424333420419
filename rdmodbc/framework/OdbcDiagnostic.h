#pragma once
// The diagnostic records that the driver manager and the driver keep for a
// handle after a call, read the same way wherever a failure is looked at.
#include "CString.h"

#include <sql.h>
#include <sqlext.h>

struct OdbcDiagnostic
{
    CString    strState;        // the five-character SQLSTATE
    SQLINTEGER nNativeError = 0;
    CString    strMessage;
    // Of a statement's record: the row of the rowset (from 1) and the column
    // (from 1) it is about; below 1 when it names none, or the driver or the
    // driver manager does not tell.
    SQLLEN     nRowNumber = SQL_NO_ROW_NUMBER;
    SQLINTEGER nColumnNumber = SQL_NO_COLUMN_NUMBER;
};

// Record nRecord (from 1) of the handle; FALSE when there is no such record
// (or no handle).
BOOL ReadDiagnostic(SQLSMALLINT nHandleType, SQLHANDLE handle, SQLSMALLINT nRecord, OdbcDiagnostic& diagnostic);
