#include "CDatabase.h"
#include "CDBException.h"

#include <sqlext.h>

namespace
{
    const char szODBC[] = "ODBC;";
}

BOOL CDatabase::OpenEx(LPCSTR lpszConnectString, DWORD dwOptions)
{
    if (IsOpen())
        return TRUE;

    CString strConnect(lpszConnectString);
    if (strConnect.Find(szODBC) == 0)
        strConnect.Delete(0, sizeof szODBC - 1);
    m_strConnect = strConnect;

    if (m_env.Handle() == SQL_NULL_HANDLE)
    {
        SQLRETURN nRetCode = m_env.Allocate(SQL_NULL_HANDLE);
        if (!SQL_SUCCEEDED(nRetCode))
            AfxThrowDBException(nRetCode, SQL_HANDLE_ENV, SQL_NULL_HANDLE);
        ::SQLSetEnvAttr(m_env, SQL_ATTR_ODBC_VERSION, (SQLPOINTER)SQL_OV_ODBC3, 0);
    }

    COdbcHandle<SQL_HANDLE_DBC> dbc;
    SQLRETURN nRetCode = dbc.Allocate(m_env);
    if (!SQL_SUCCEEDED(nRetCode))
        AfxThrowDBException(nRetCode, SQL_HANDLE_ENV, m_env);
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

    SQLCHAR szOut[4096] = "";
    SQLSMALLINT nOutLength = 0;
    nRetCode = ::SQLDriverConnect(dbc, hWndPrompt, (SQLCHAR*)(LPCSTR)strConnect, SQL_NTS,
                                  szOut, sizeof szOut, &nOutLength, nCompletion);
    if (nRetCode == SQL_NO_DATA)
        return FALSE;
    if (!SQL_SUCCEEDED(nRetCode))
        AfxThrowDBException(nRetCode, SQL_HANDLE_DBC, dbc);

    m_strConnect = CString(szODBC) + (const char*)szOut;
    m_hdbc = dbc.Detach();
    return TRUE;
}

void CDatabase::Close()
{
    if (m_hdbc == SQL_NULL_HDBC)
        return;
    ::SQLDisconnect(m_hdbc);
    ::SQLFreeHandle(SQL_HANDLE_DBC, m_hdbc);
    m_hdbc = SQL_NULL_HDBC;
}
