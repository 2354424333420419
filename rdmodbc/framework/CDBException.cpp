#include "CDBException.h"
#include <sqlext.h>

void CDBException::BuildErrorString(SQLSMALLINT nHandleType, SQLHANDLE handle)
{
    for (SQLSMALLINT nRecord = 1; handle != SQL_NULL_HANDLE; ++nRecord)
    {
        SQLCHAR szState[SQL_SQLSTATE_SIZE + 1] = "";
        SQLINTEGER nNative = 0;
        SQLCHAR szMessage[2048] = "";
        SQLSMALLINT nLength = 0;
        if (!SQL_SUCCEEDED(::SQLGetDiagRec(nHandleType, handle, nRecord, szState, &nNative,
                                           szMessage, sizeof szMessage, &nLength)))
            break;
        CString strMessage((const char*)szMessage);
        m_strError += strMessage;
        m_strError += "\n";
        CString strOrigin;
        strOrigin.Format("State:%s,Native:%ld,Origin:%s\n", (const char*)szState, (long)nNative, (const char*)strMessage);
        m_strStateNativeOrigin += strOrigin;
    }
    if (m_strError.IsEmpty())
    {
        m_strError = m_nRetCode == SQL_INVALID_HANDLE ? "Invalid handle.\n" : "Unknown database error.\n";
    }
}

void AfxThrowDBException(SQLRETURN nRetCode, SQLSMALLINT nHandleType, SQLHANDLE handle)
{
    CDBException* pException = new CDBException(nRetCode);
    pException->BuildErrorString(nHandleType, handle);
    throw pException;
}
