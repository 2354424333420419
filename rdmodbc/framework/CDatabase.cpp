#include "CDatabase.h"
#include "CDBException.h"

#include <sqlext.h>
#include <climits>
#include <vector>

namespace
{
    const char szOdbcPrefix[] = "ODBC;";
}

CString WithOdbcPrefix(const CString& strConnect)
{
    return CString(szOdbcPrefix) + strConnect;
}

CString WithoutOdbcPrefix(const CString& strConnect)
{
    CString strBare = strConnect;
    if (strBare.Find(szOdbcPrefix) == 0)
        strBare.Delete(0, sizeof szOdbcPrefix - 1);
    return strBare;
}

BOOL CDatabase::OpenEx(LPCSTR lpszConnectString, DWORD dwOptions)
{
    if (IsOpen())
        return TRUE;

    CString strConnect = WithoutOdbcPrefix(lpszConnectString);
    m_strConnect = strConnect;

    SQLRETURN nRetCode = m_env.AllocateOdbc3();
    if (nRetCode != SQL_SUCCESS)
    {
        m_env.Free();
        AfxThrowDBException(nRetCode == SQL_SUCCESS_WITH_INFO ? SQL_ERROR : nRetCode, SQL_HANDLE_ENV, SQL_NULL_HANDLE);
    }

    CConnectionHandle dbc;
    nRetCode = dbc.Allocate(m_env);
    if (!SQL_SUCCEEDED(nRetCode))
    {
        CDBException* pException = MakeDBException(nRetCode, SQL_HANDLE_ENV, m_env);
        m_env.Free();
        throw pException;
    }
    if (dwOptions & openReadOnly)
        ::SQLSetConnectAttr(dbc, SQL_ATTR_ACCESS_MODE, (SQLPOINTER)SQL_MODE_READ_ONLY, 0);

    SQLUSMALLINT nCompletion = SQL_DRIVER_COMPLETE;
    if (dwOptions & noOdbcDialog)
        nCompletion = SQL_DRIVER_NOPROMPT;
    else if (dwOptions & forceOdbcDialog)
        nCompletion = SQL_DRIVER_PROMPT;
    HWND hWndPrompt = ::GetActiveWindow();
    if (hWndPrompt == nullptr)
        hWndPrompt = ::GetDesktopWindow();

    // The completed string is what every later connection of the session
    // uses: room for the longest a driver can report.
    std::vector<SQLCHAR> out(SHRT_MAX);
    SQLSMALLINT nOutLength = 0;
    nRetCode = ::SQLDriverConnect(dbc, hWndPrompt, (SQLCHAR*)(LPCSTR)strConnect, SQL_NTS,
                                  out.data(), (SQLSMALLINT)out.size(), &nOutLength, nCompletion);
    if (!SQL_SUCCEEDED(nRetCode))
    {
        // The user cancelled the driver's prompt: no error to report.
        CDBException* pException = nRetCode == SQL_NO_DATA ? nullptr : MakeDBException(nRetCode, SQL_HANDLE_DBC, dbc);
        dbc.Free();
        m_env.Free();
        if (pException)
            throw pException;
        return FALSE;
    }

    // A string cut short would not connect again, or would ask again: then
    // the string the connection was opened with serves.
    if (nOutLength > 0 && nOutLength < (SQLSMALLINT)out.size())
        m_strConnect = WithOdbcPrefix((const char*)out.data());
    else
        m_strConnect = WithOdbcPrefix(strConnect);
    m_hdbc.Attach(dbc.Detach());
    return TRUE;
}

void CDatabase::Close()
{
    if (IsOpen())
    {
        // A driver refuses to disconnect in a transaction; after a failed
        // rollback it is tried once more, and a commit never, for that would
        // keep what the transaction must not change.
        const BOOL bInTransaction = m_bInTransaction;
        Rollback();
        if (!SQL_SUCCEEDED(::SQLDisconnect(m_hdbc)) && bInTransaction)
        {
            ::SQLEndTran(SQL_HANDLE_DBC, m_hdbc, SQL_ROLLBACK);
            ::SQLDisconnect(m_hdbc);
        }
    }
    m_hdbc.Free();
    m_env.Free();
}

BOOL CDatabase::BeginTrans()
{
    if (!IsOpen() || m_bInTransaction)
        return FALSE;
    m_bInTransaction =
        SQL_SUCCEEDED(::SQLSetConnectAttr(m_hdbc, SQL_ATTR_AUTOCOMMIT, (SQLPOINTER)SQL_AUTOCOMMIT_OFF, 0));
    return m_bInTransaction;
}

BOOL CDatabase::Rollback()
{
    if (!m_bInTransaction)
        return FALSE;
    m_bInTransaction = FALSE;
    return SQL_SUCCEEDED(::SQLEndTran(SQL_HANDLE_DBC, m_hdbc, SQL_ROLLBACK));
}
