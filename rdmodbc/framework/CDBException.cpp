#include "CDBException.h"
#include "OdbcDiagnostic.h"

CString (*CDBException::s_pfnAdvice)(const CDBException&) = nullptr;

CString CDBException::GetErrorMessage() const
{
    const CString strAdvice = s_pfnAdvice && !m_records.empty() ? s_pfnAdvice(*this) : CString();
    if (strAdvice.IsEmpty())
        return m_strError;
    CString strMessage = strAdvice + "\n\n";
    for (const OdbcDiagnostic& record : m_records)
        strMessage += record.strMessage + " (SQLSTATE " + record.strState + ")\n";
    return strMessage;
}

void CDBException::BuildErrorString(SQLSMALLINT nHandleType, SQLHANDLE handle)
{
    OdbcDiagnostic diagnostic;
    for (SQLSMALLINT nRecord = 1; ReadDiagnostic(nHandleType, handle, nRecord, diagnostic); ++nRecord)
    {
        m_records.push_back(diagnostic);
        m_strError += diagnostic.strMessage;
        m_strError += "\n";
    }
    if (m_strError.IsEmpty())
        m_strError = m_nRetCode == SQL_INVALID_HANDLE ? "Invalid handle.\n" : "Unknown database error.\n";
}

BOOL CDBException::IsDataException() const
{
    for (const OdbcDiagnostic& record : m_records)
    {
        if (record.strState.Find("22") == 0)
            return TRUE;
    }
    return FALSE;
}

CDBException* MakeDBException(SQLRETURN nRetCode, SQLSMALLINT nHandleType, SQLHANDLE handle)
{
    CDBException* pException = new CDBException(nRetCode);
    pException->BuildErrorString(nHandleType, handle);
    return pException;
}

void AfxThrowDBException(SQLRETURN nRetCode, SQLSMALLINT nHandleType, SQLHANDLE handle)
{
    throw MakeDBException(nRetCode, nHandleType, handle);
}
