// The entry points the fault driver does more in than hand the call on:
// handles come and go, connections open and close, the control connection
// runs its commands, and an injected diagnostic is read back. (Rows.c has
// those that hand rows over.)
#include "FaultDriver.h"

#include <string.h>
#include <strings.h>

#define REAL(name, type) ((type)RealFunction(#name))

typedef SQLRETURN (*AllocHandleFn)(SQLSMALLINT, SQLHANDLE, SQLHANDLE*);
typedef SQLRETURN (*AllocEnvFn)(SQLHENV*);
typedef SQLRETURN (*AllocChildFn)(SQLHANDLE, SQLHANDLE*);
typedef SQLRETURN (*FreeHandleFn)(SQLSMALLINT, SQLHANDLE);
typedef SQLRETURN (*FreeOneFn)(SQLHANDLE);
typedef SQLRETURN (*FreeStmtFn)(SQLHSTMT, SQLUSMALLINT);
typedef SQLRETURN (*DriverConnectFn)(SQLHDBC, SQLHWND, SQLCHAR*, SQLSMALLINT, SQLCHAR*, SQLSMALLINT, SQLSMALLINT*,
                                     SQLUSMALLINT);
typedef SQLRETURN (*ExecDirectFn)(SQLHSTMT, SQLCHAR*, SQLINTEGER);
typedef SQLRETURN (*GetDiagRecFn)(SQLSMALLINT, SQLHANDLE, SQLSMALLINT, SQLCHAR*, SQLINTEGER*, SQLCHAR*, SQLSMALLINT,
                                  SQLSMALLINT*);
typedef SQLRETURN (*GetDiagFieldFn)(SQLSMALLINT, SQLHANDLE, SQLSMALLINT, SQLSMALLINT, SQLPOINTER, SQLSMALLINT,
                                    SQLSMALLINT*);
typedef SQLRETURN (*ErrorFn)(SQLHENV, SQLHDBC, SQLHSTMT, SQLCHAR*, SQLINTEGER*, SQLCHAR*, SQLSMALLINT, SQLSMALLINT*);

// The parent of an allocated handle is of the next higher type.
static SQLSMALLINT ParentType(SQLSMALLINT nType)
{
    return nType == SQL_HANDLE_DBC ? SQL_HANDLE_ENV : SQL_HANDLE_DBC;
}

static SQLRETURN Allocate(SQLSMALLINT nType, SQLHANDLE hInput, SQLHANDLE* phOutput, const char* pszFunction,
                          SQLRETURN (*pfnAllocate)(SQLSMALLINT, SQLHANDLE, SQLHANDLE*))
{
    if (FaultBeginCall(ParentType(nType), hInput, pszFunction))
    {
        if (phOutput != NULL)
            *phOutput = SQL_NULL_HANDLE;
        return SQL_ERROR;
    }
    SQLRETURN nRet = pfnAllocate(nType, hInput, phOutput);
    if (SQL_SUCCEEDED(nRet) && phOutput != NULL)
        FaultAllocated(nType, hInput, *phOutput);
    return nRet;
}

static SQLRETURN AllocateByHandle(SQLSMALLINT nType, SQLHANDLE hInput, SQLHANDLE* phOutput)
{
    AllocHandleFn pfn = REAL(SQLAllocHandle, AllocHandleFn);
    return pfn != NULL ? pfn(nType, hInput, phOutput) : SQL_ERROR;
}

static SQLRETURN AllocateEnvironment(SQLSMALLINT nType, SQLHANDLE hInput, SQLHANDLE* phOutput)
{
    (void)nType;
    (void)hInput;
    AllocEnvFn pfn = REAL(SQLAllocEnv, AllocEnvFn);
    return pfn != NULL ? pfn(phOutput) : SQL_ERROR;
}

static SQLRETURN AllocateConnection(SQLSMALLINT nType, SQLHANDLE hInput, SQLHANDLE* phOutput)
{
    (void)nType;
    AllocChildFn pfn = REAL(SQLAllocConnect, AllocChildFn);
    return pfn != NULL ? pfn(hInput, phOutput) : SQL_ERROR;
}

static SQLRETURN AllocateStatement(SQLSMALLINT nType, SQLHANDLE hInput, SQLHANDLE* phOutput)
{
    (void)nType;
    AllocChildFn pfn = REAL(SQLAllocStmt, AllocChildFn);
    return pfn != NULL ? pfn(hInput, phOutput) : SQL_ERROR;
}

SQLRETURN SQL_API SQLAllocHandle(SQLSMALLINT HandleType, SQLHANDLE InputHandle, SQLHANDLE* OutputHandle)
{
    return Allocate(HandleType, InputHandle, OutputHandle, "SQLAllocHandle", AllocateByHandle);
}

SQLRETURN SQL_API SQLAllocEnv(SQLHENV* EnvironmentHandle)
{
    return Allocate(SQL_HANDLE_ENV, SQL_NULL_HANDLE, EnvironmentHandle, "SQLAllocEnv", AllocateEnvironment);
}

SQLRETURN SQL_API SQLAllocConnect(SQLHENV EnvironmentHandle, SQLHDBC* ConnectionHandle)
{
    return Allocate(SQL_HANDLE_DBC, EnvironmentHandle, ConnectionHandle, "SQLAllocConnect", AllocateConnection);
}

SQLRETURN SQL_API SQLAllocStmt(SQLHDBC ConnectionHandle, SQLHSTMT* StatementHandle)
{
    return Allocate(SQL_HANDLE_STMT, ConnectionHandle, StatementHandle, "SQLAllocStmt", AllocateStatement);
}

// Releases are handed on and never failed: an application can do nothing
// about a handle that would not go.
SQLRETURN SQL_API SQLFreeHandle(SQLSMALLINT HandleType, SQLHANDLE Handle)
{
    FreeHandleFn pfn = REAL(SQLFreeHandle, FreeHandleFn);
    SQLRETURN nRet = pfn != NULL ? pfn(HandleType, Handle) : SQL_ERROR;
    if (SQL_SUCCEEDED(nRet))
        FaultFreed(Handle);
    return nRet;
}

static SQLRETURN FreeOne(const char* pszFunction, SQLHANDLE handle)
{
    FreeOneFn pfn = (FreeOneFn)RealFunction(pszFunction);
    SQLRETURN nRet = pfn != NULL ? pfn(handle) : SQL_ERROR;
    if (SQL_SUCCEEDED(nRet))
        FaultFreed(handle);
    return nRet;
}

SQLRETURN SQL_API SQLFreeEnv(SQLHENV EnvironmentHandle)
{
    return FreeOne("SQLFreeEnv", EnvironmentHandle);
}

SQLRETURN SQL_API SQLFreeConnect(SQLHDBC ConnectionHandle)
{
    return FreeOne("SQLFreeConnect", ConnectionHandle);
}

// SQL_DROP releases the statement; closing the cursor, unbinding and
// resetting the parameters are calls like any other.
SQLRETURN SQL_API SQLFreeStmt(SQLHSTMT StatementHandle, SQLUSMALLINT Option)
{
    FreeStmtFn pfn = REAL(SQLFreeStmt, FreeStmtFn);
    if (Option != SQL_DROP && FaultBeginCall(SQL_HANDLE_STMT, StatementHandle, "SQLFreeStmt"))
        return SQL_ERROR;
    SQLRETURN nRet = pfn != NULL ? pfn(StatementHandle, Option) : SQL_ERROR;
    if (Option == SQL_DROP && SQL_SUCCEEDED(nRet))
        FaultFreed(StatementHandle);
    else if (Option == SQL_UNBIND && SQL_SUCCEEDED(nRet))
        FaultUnbound(StatementHandle);
    return nRet;
}

SQLRETURN SQL_API SQLDisconnect(SQLHDBC ConnectionHandle)
{
    FreeOneFn pfn = REAL(SQLDisconnect, FreeOneFn);
    FaultDisconnecting(ConnectionHandle);
    SQLRETURN nRet = pfn != NULL ? pfn(ConnectionHandle) : SQL_ERROR;
    if (SQL_SUCCEEDED(nRet))
        FaultDisconnected(ConnectionHandle);
    return nRet;
}

// The control connection says what it is in its connect string.
static int IsControlConnectString(const SQLCHAR* pszIn, SQLSMALLINT nLength)
{
    static const char szKey[] = "FaultControl=1";
    const size_t nKey = sizeof szKey - 1;
    size_t nText = nLength == SQL_NTS ? strlen((const char*)pszIn) : (size_t)(nLength > 0 ? nLength : 0);
    for (size_t i = 0; pszIn != NULL && i + nKey <= nText; ++i)
        if (strncasecmp((const char*)pszIn + i, szKey, nKey) == 0)
            return 1;
    return 0;
}

SQLRETURN SQL_API SQLDriverConnect(SQLHDBC hdbc, SQLHWND hwnd, SQLCHAR* szConnStrIn, SQLSMALLINT cbConnStrIn,
                                   SQLCHAR* szConnStrOut, SQLSMALLINT cbConnStrOutMax, SQLSMALLINT* pcbConnStrOut,
                                   SQLUSMALLINT fDriverCompletion)
{
    DriverConnectFn pfn = REAL(SQLDriverConnect, DriverConnectFn);
    if (FaultBeginCall(SQL_HANDLE_DBC, hdbc, "SQLDriverConnect") || pfn == NULL)
        return SQL_ERROR;
    SQLRETURN nRet = pfn(hdbc, hwnd, szConnStrIn, cbConnStrIn, szConnStrOut, cbConnStrOutMax, pcbConnStrOut,
                         fDriverCompletion);
    if (SQL_SUCCEEDED(nRet))
        FaultConnected(hdbc, IsControlConnectString(szConnStrIn, cbConnStrIn),
                       FaultSlowMsOf(szConnStrIn, cbConnStrIn));
    return nRet;
}

// SQLCancel comes from another thread while the statement's call runs: it
// touches only the busy data source's waits, and is neither counted nor
// failed.
SQLRETURN SQL_API SQLCancel(SQLHSTMT StatementHandle)
{
    FreeOneFn pfn = REAL(SQLCancel, FreeOneFn);
    FaultCancelSlowCall(StatementHandle);
    return pfn != NULL ? pfn(StatementHandle) : SQL_ERROR;
}

SQLRETURN SQL_API SQLExecDirect(SQLHSTMT StatementHandle, SQLCHAR* StatementText, SQLINTEGER TextLength)
{
    ExecDirectFn pfn = REAL(SQLExecDirect, ExecDirectFn);
    if (FaultBeginCall(SQL_HANDLE_STMT, StatementHandle, "SQLExecDirect") || pfn == NULL)
        return SQL_ERROR;
    if (!FaultIsControl(StatementHandle) || StatementText == NULL)
    {
        // The rows of an import are those of its SELECT DISTINCT; what else
        // the module asks the engine is not counted.
        const char szImport[] = "SELECT DISTINCT ";
        FaultMarkRowsUncounted(StatementHandle, strncmp((const char*)StatementText, szImport, sizeof szImport - 1) != 0);
        // A busy data source is slow to answer a query; the session's
        // settings it takes at once.
        if (strncasecmp((const char*)StatementText, "SELECT", 6) == 0 && FaultSlowCallCancelled(StatementHandle))
            return SQL_ERROR;
        return pfn(StatementHandle, StatementText, TextLength);
    }

    size_t nLength = TextLength == SQL_NTS ? strlen((const char*)StatementText)
                                           : (size_t)(TextLength > 0 ? TextLength : 0);
    char szSql[1024];
    switch (FaultControlStatement((const char*)StatementText, nLength, szSql, sizeof szSql))
    {
    case 1:
        return pfn(StatementHandle, (SQLCHAR*)szSql, SQL_NTS);
    case -1:
        FaultSetGeneralError(SQL_HANDLE_STMT, StatementHandle, "unknown fault command");
        return SQL_ERROR;
    default:
        return pfn(StatementHandle, StatementText, TextLength);
    }
}

// Copies a text into an ODBC buffer: cut to fit, with SQL_SUCCESS_WITH_INFO.
static SQLRETURN CopyText(const char* pszText, SQLPOINTER pBuffer, SQLSMALLINT nBufferLength, SQLSMALLINT* pnLength)
{
    size_t nText = strlen(pszText);
    if (pnLength != NULL)
        *pnLength = (SQLSMALLINT)nText;
    if (pBuffer == NULL || nBufferLength <= 0)
        return nText == 0 ? SQL_SUCCESS : SQL_SUCCESS_WITH_INFO;
    size_t nCopy = nText < (size_t)nBufferLength - 1 ? nText : (size_t)nBufferLength - 1;
    memcpy(pBuffer, pszText, nCopy);
    ((char*)pBuffer)[nCopy] = '\0';
    return nCopy == nText ? SQL_SUCCESS : SQL_SUCCESS_WITH_INFO;
}

static SQLRETURN CopyRecord(const FaultRecord* pRecord, SQLCHAR* pszState, SQLINTEGER* pnNative, SQLCHAR* pszMessage,
                            SQLSMALLINT nBufferLength, SQLSMALLINT* pnLength)
{
    if (pszState != NULL)
        memcpy(pszState, pRecord->szState, sizeof pRecord->szState);
    if (pnNative != NULL)
        *pnNative = (SQLINTEGER)pRecord->nNative;
    return CopyText(pRecord->szText, pszMessage, nBufferLength, pnLength);
}

// Reading diagnostics is never counted nor failed. A handle whose call was
// failed here has the one record of the injected fault.
SQLRETURN SQL_API SQLGetDiagRec(SQLSMALLINT HandleType, SQLHANDLE Handle, SQLSMALLINT RecNumber, SQLCHAR* Sqlstate,
                                SQLINTEGER* NativeError, SQLCHAR* MessageText, SQLSMALLINT BufferLength,
                                SQLSMALLINT* TextLength)
{
    const FaultRecord* pRecord = FaultDiagnostic(Handle);
    if (pRecord == NULL)
    {
        GetDiagRecFn pfn = REAL(SQLGetDiagRec, GetDiagRecFn);
        return pfn != NULL ? pfn(HandleType, Handle, RecNumber, Sqlstate, NativeError, MessageText, BufferLength,
                                 TextLength)
                           : SQL_ERROR;
    }
    if (RecNumber != 1)
        return SQL_NO_DATA;
    return CopyRecord(pRecord, Sqlstate, NativeError, MessageText, BufferLength, TextLength);
}

SQLRETURN SQL_API SQLGetDiagField(SQLSMALLINT HandleType, SQLHANDLE Handle, SQLSMALLINT RecNumber,
                                  SQLSMALLINT DiagIdentifier, SQLPOINTER DiagInfo, SQLSMALLINT BufferLength,
                                  SQLSMALLINT* StringLength)
{
    const FaultRecord* pRecord = FaultDiagnostic(Handle);
    if (pRecord == NULL)
    {
        GetDiagFieldFn pfn = REAL(SQLGetDiagField, GetDiagFieldFn);
        return pfn != NULL ? pfn(HandleType, Handle, RecNumber, DiagIdentifier, DiagInfo, BufferLength, StringLength)
                           : SQL_ERROR;
    }
    // The header: one record of a failed call.
    switch (DiagIdentifier)
    {
    case SQL_DIAG_NUMBER:
        if (DiagInfo != NULL)
            *(SQLINTEGER*)DiagInfo = 1;
        return SQL_SUCCESS;
    case SQL_DIAG_RETURNCODE:
        if (DiagInfo != NULL)
            *(SQLRETURN*)DiagInfo = SQL_ERROR;
        return SQL_SUCCESS;
    case SQL_DIAG_CURSOR_ROW_COUNT:
    case SQL_DIAG_ROW_COUNT:
        if (DiagInfo != NULL)
            *(SQLLEN*)DiagInfo = 0;
        return SQL_SUCCESS;
    case SQL_DIAG_DYNAMIC_FUNCTION:
        return CopyText("", DiagInfo, BufferLength, StringLength);
    case SQL_DIAG_DYNAMIC_FUNCTION_CODE:
        if (DiagInfo != NULL)
            *(SQLINTEGER*)DiagInfo = SQL_DIAG_UNKNOWN_STATEMENT;
        return SQL_SUCCESS;
    }
    if (RecNumber != 1)
        return SQL_NO_DATA;
    switch (DiagIdentifier)
    {
    case SQL_DIAG_SQLSTATE:
        return CopyText(pRecord->szState, DiagInfo, BufferLength, StringLength);
    case SQL_DIAG_MESSAGE_TEXT:
        return CopyText(pRecord->szText, DiagInfo, BufferLength, StringLength);
    case SQL_DIAG_CLASS_ORIGIN:
    case SQL_DIAG_SUBCLASS_ORIGIN:
        return CopyText("ISO 9075", DiagInfo, BufferLength, StringLength);
    case SQL_DIAG_CONNECTION_NAME:
    case SQL_DIAG_SERVER_NAME:
        return CopyText("", DiagInfo, BufferLength, StringLength);
    case SQL_DIAG_NATIVE:
        if (DiagInfo != NULL)
            *(SQLINTEGER*)DiagInfo = 0;
        return SQL_SUCCESS;
    case SQL_DIAG_COLUMN_NUMBER:
        if (DiagInfo != NULL)
            *(SQLINTEGER*)DiagInfo = SQL_NO_COLUMN_NUMBER;
        return SQL_SUCCESS;
    case SQL_DIAG_ROW_NUMBER:
        if (DiagInfo != NULL)
            *(SQLLEN*)DiagInfo = SQL_NO_ROW_NUMBER;
        return SQL_SUCCESS;
    }
    return SQL_ERROR;
}

// SQLError reads the most specific handle given, one record per call.
SQLRETURN SQL_API SQLError(SQLHENV EnvironmentHandle, SQLHDBC ConnectionHandle, SQLHSTMT StatementHandle,
                           SQLCHAR* Sqlstate, SQLINTEGER* NativeError, SQLCHAR* MessageText, SQLSMALLINT BufferLength,
                           SQLSMALLINT* TextLength)
{
    SQLHANDLE handle = StatementHandle ? StatementHandle : ConnectionHandle ? ConnectionHandle : EnvironmentHandle;
    const FaultRecord* pRecord = FaultDiagnostic(handle);
    if (pRecord == NULL)
    {
        ErrorFn pfn = REAL(SQLError, ErrorFn);
        return pfn != NULL ? pfn(EnvironmentHandle, ConnectionHandle, StatementHandle, Sqlstate, NativeError,
                                 MessageText, BufferLength, TextLength)
                           : SQL_ERROR;
    }
    if (!FaultTakeErrorRecord(handle))
        return SQL_NO_DATA;
    return CopyRecord(pRecord, Sqlstate, NativeError, MessageText, BufferLength, TextLength);
}
