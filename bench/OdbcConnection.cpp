#include "OdbcConnection.h"

COdbcConnection::COdbcConnection(const std::string& connect)
{
    ::SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &m_henv);
    ::SQLSetEnvAttr(m_henv, SQL_ATTR_ODBC_VERSION, (SQLPOINTER)SQL_OV_ODBC3, 0);
    ::SQLAllocHandle(SQL_HANDLE_DBC, m_henv, &m_hdbc);
    SQLRETURN nRetCode = ::SQLDriverConnect(m_hdbc, nullptr, (SQLCHAR*)connect.c_str(), SQL_NTS, nullptr, 0,
                                            nullptr, SQL_DRIVER_NOPROMPT);
    m_bOpen = SQL_SUCCEEDED(nRetCode);
}

COdbcConnection::~COdbcConnection()
{
    if (m_bOpen)
        ::SQLDisconnect(m_hdbc);
    ::SQLFreeHandle(SQL_HANDLE_DBC, m_hdbc);
    ::SQLFreeHandle(SQL_HANDLE_ENV, m_henv);
}

SQLHSTMT COdbcConnection::NewStatement()
{
    SQLHSTMT hstmt = SQL_NULL_HSTMT;
    ::SQLAllocHandle(SQL_HANDLE_STMT, m_hdbc, &hstmt);
    return hstmt;
}
