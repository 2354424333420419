#include "CDatabase.h"
#include "CDBException.h"
#include "ConnectString.h"
#include "DriverWait.h"

#include <sqlext.h>
#include <climits>
#include <memory>
#include <vector>

namespace
{
    const char szOdbcPrefix[] = "ODBC;";
    const int LOGIN_TIMEOUT_SECONDS = 30;

    // One connect, and the handles and strings it uses.
    struct ConnectAttempt
    {
        CEnvironmentHandle env;
        CConnectionHandle dbc;
        CString strConnect;
        // The completed string is what every later connection of the
        // session uses: room for the longest a driver can report.
        std::vector<SQLCHAR> out = std::vector<SQLCHAR>(SHRT_MAX);
        SQLSMALLINT nOutLength = 0;
        BOOL bConnected = FALSE;

        SQLRETURN Connect(HWND hWndPrompt, SQLUSMALLINT nCompletion)
        {
            SQLRETURN nRetCode = ::SQLDriverConnect(dbc, hWndPrompt, (SQLCHAR*)(LPCSTR)strConnect, SQL_NTS,
                                                    out.data(), (SQLSMALLINT)out.size(), &nOutLength, nCompletion);
            bConnected = SQL_SUCCEEDED(nRetCode);
            return nRetCode;
        }
        ~ConnectAttempt()
        {
            // Only an abandoned connect is still here connected.
            if (bConnected && dbc.Handle() != SQL_NULL_HDBC)
                ::SQLDisconnect(dbc);
        }
    };
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

    // The attempt owns what the connect touches: a connect that the user
    // abandons ends on its own and frees it there.
    auto pAttempt = std::make_shared<ConnectAttempt>();
    pAttempt->env.Attach(m_env.Detach());
    nRetCode = pAttempt->dbc.Allocate(pAttempt->env);
    if (!SQL_SUCCEEDED(nRetCode))
        throw MakeDBException(nRetCode, SQL_HANDLE_ENV, pAttempt->env);
    if (dwOptions & openReadOnly)
        ::SQLSetConnectAttr(pAttempt->dbc, SQL_ATTR_ACCESS_MODE, (SQLPOINTER)SQL_MODE_READ_ONLY, 0);
    // A server that takes the connection and never answers would hold the
    // connect, and the module with it, for good.
    ::SQLSetConnectAttr(pAttempt->dbc, SQL_ATTR_LOGIN_TIMEOUT, (SQLPOINTER)(SQLULEN)LOGIN_TIMEOUT_SECONDS, 0);

    SQLUSMALLINT nCompletion = SQL_DRIVER_COMPLETE;
    if (dwOptions & noOdbcDialog)
        nCompletion = SQL_DRIVER_NOPROMPT;
    else if (dwOptions & forceOdbcDialog)
        nCompletion = SQL_DRIVER_PROMPT;
    HWND hWndPrompt = ::GetActiveWindow();
    if (hWndPrompt == nullptr)
        hWndPrompt = ::GetDesktopWindow();

    pAttempt->strConnect = strConnect;
    nRetCode = WaitForConnect(ConnectStringName(strConnect), [pAttempt, hWndPrompt, nCompletion] {
        return pAttempt->Connect(hWndPrompt, nCompletion);
    });
    if (!SQL_SUCCEEDED(nRetCode))
    {
        // The user cancelled the driver's prompt: no error to report.
        if (nRetCode == SQL_NO_DATA)
            return FALSE;
        throw MakeDBException(nRetCode, SQL_HANDLE_DBC, pAttempt->dbc);
    }

    // A string cut short would not connect again, or would ask again: then
    // the string the connection was opened with serves.
    const SQLSMALLINT nOutLength = pAttempt->nOutLength;
    if (nOutLength > 0 && nOutLength < (SQLSMALLINT)pAttempt->out.size())
        m_strConnect = WithOdbcPrefix((const char*)pAttempt->out.data());
    else
        m_strConnect = WithOdbcPrefix(strConnect);
    m_hdbc.Attach(pAttempt->dbc.Detach());
    m_env.Attach(pAttempt->env.Detach());
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
