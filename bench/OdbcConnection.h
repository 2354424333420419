#pragma once
// A bare ODBC connection for the baselines: what a program without the
// module would write, so that its cost is the driver's and nothing else.
#include <windows.h>
#include <sql.h>
#include <sqlext.h>
#include <string>

class COdbcConnection
{
public:
    explicit COdbcConnection(const std::string& connect);
    ~COdbcConnection();
    COdbcConnection(const COdbcConnection&) = delete;
    COdbcConnection& operator=(const COdbcConnection&) = delete;

    bool IsOpen() const         { return m_bOpen; }
    SQLHDBC Handle() const      { return m_hdbc; }
    // A new statement handle; the caller frees it.
    SQLHSTMT NewStatement();

private:
    SQLHENV m_henv = SQL_NULL_HENV;
    SQLHDBC m_hdbc = SQL_NULL_HDBC;
    bool m_bOpen = false;
};
