#pragma once
// The diagnostic records that the driver manager and the driver keep for a
// handle after a call, read the same way wherever a failure is looked at.
#include "CString.h"

#include <sql.h>

struct OdbcDiagnostic
{
    CString    strState;        // the five-character SQLSTATE
    SQLINTEGER nNativeError = 0;
    CString    strMessage;
};

// Record nRecord (from 1) of the handle; FALSE when there is no such record
// (or no handle).
BOOL ReadDiagnostic(SQLSMALLINT nHandleType, SQLHANDLE handle, SQLSMALLINT nRecord, OdbcDiagnostic& diagnostic);
