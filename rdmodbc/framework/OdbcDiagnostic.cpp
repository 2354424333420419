#include "OdbcDiagnostic.h"

#include <sqlext.h>
#include <vector>

BOOL ReadDiagnostic(SQLSMALLINT nHandleType, SQLHANDLE handle, SQLSMALLINT nRecord, OdbcDiagnostic& diagnostic)
{
    if (handle == SQL_NULL_HANDLE)
        return FALSE;
    SQLCHAR szState[SQL_SQLSTATE_SIZE + 1] = "";
    SQLINTEGER nNative = 0;
    // A server's message may quote the whole statement: a message longer
    // than the buffer is read again into one of its length.
    std::vector<SQLCHAR> message(2048);
    for (;;)
    {
        SQLSMALLINT nLength = 0;
        SQLRETURN nRetCode = ::SQLGetDiagRec(nHandleType, handle, nRecord, szState, &nNative, message.data(),
                                             (SQLSMALLINT)message.size(), &nLength);
        if (!SQL_SUCCEEDED(nRetCode))
            return FALSE;
        if (nRetCode == SQL_SUCCESS || nLength < (SQLSMALLINT)message.size() || message.size() >= 32767)
            break;
        message.resize(nLength + 1 < 32767 ? nLength + 1 : 32767);
    }
    diagnostic.strState = (const char*)szState;
    diagnostic.nNativeError = nNative;
    diagnostic.strMessage = (const char*)message.data();
    diagnostic.nRowNumber = SQL_NO_ROW_NUMBER;
    diagnostic.nColumnNumber = SQL_NO_COLUMN_NUMBER;
    if (nHandleType == SQL_HANDLE_STMT
        && !SQL_SUCCEEDED(::SQLGetDiagField(nHandleType, handle, nRecord, SQL_DIAG_ROW_NUMBER, &diagnostic.nRowNumber,
                                            0, nullptr)))
        diagnostic.nRowNumber = SQL_NO_ROW_NUMBER;
    if (nHandleType == SQL_HANDLE_STMT
        && !SQL_SUCCEEDED(::SQLGetDiagField(nHandleType, handle, nRecord, SQL_DIAG_COLUMN_NUMBER,
                                            &diagnostic.nColumnNumber, 0, nullptr)))
        diagnostic.nColumnNumber = SQL_NO_COLUMN_NUMBER;
    return TRUE;
}
