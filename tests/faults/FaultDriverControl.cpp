#include "FaultDriverControl.h"

#include <sqlext.h>
#include <cstdlib>

CFaultDriverControl::CFaultDriverControl(const std::string& strConnect)
{
    ::SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &m_henv);
    ::SQLSetEnvAttr(m_henv, SQL_ATTR_ODBC_VERSION, (SQLPOINTER)SQL_OV_ODBC3, 0);
    ::SQLAllocHandle(SQL_HANDLE_DBC, m_henv, &m_hdbc);
    // The driver knows its control connection by this attribute.
    std::string strFull = strConnect + ";FaultControl=1";
    m_bOpen = SQL_SUCCEEDED(::SQLDriverConnect(m_hdbc, nullptr, (SQLCHAR*)strFull.c_str(), SQL_NTS, nullptr, 0,
                                               nullptr, SQL_DRIVER_NOPROMPT));
}

CFaultDriverControl::~CFaultDriverControl()
{
    if (m_bOpen)
    {
        Off();
        ::SQLDisconnect(m_hdbc);
    }
    ::SQLFreeHandle(SQL_HANDLE_DBC, m_hdbc);
    ::SQLFreeHandle(SQL_HANDLE_ENV, m_henv);
}

bool CFaultDriverControl::Execute(const std::string& strCommand, std::vector<std::pair<std::string, std::string>>& rows)
{
    rows.clear();
    if (!m_bOpen)
        return false;
    SQLHSTMT hstmt = SQL_NULL_HSTMT;
    if (!SQL_SUCCEEDED(::SQLAllocHandle(SQL_HANDLE_STMT, m_hdbc, &hstmt)))
        return false;
    bool bDone = SQL_SUCCEEDED(::SQLExecDirect(hstmt, (SQLCHAR*)strCommand.c_str(), SQL_NTS));
    while (bDone && SQL_SUCCEEDED(::SQLFetch(hstmt)))
    {
        char szName[64] = "";
        char szValue[256] = "";
        SQLLEN nIndicator = 0;
        ::SQLGetData(hstmt, 1, SQL_C_CHAR, szName, sizeof szName, &nIndicator);
        ::SQLGetData(hstmt, 2, SQL_C_CHAR, szValue, sizeof szValue, &nIndicator);
        rows.emplace_back(szName, szValue);
    }
    ::SQLFreeHandle(SQL_HANDLE_STMT, hstmt);
    return bDone;
}

bool CFaultDriverControl::FailCall(long nCall)
{
    std::vector<std::pair<std::string, std::string>> rows;
    return Execute("-- fault: at " + std::to_string(nCall), rows);
}

bool CFaultDriverControl::Off()
{
    std::vector<std::pair<std::string, std::string>> rows;
    return Execute("-- fault: off", rows);
}

bool CFaultDriverControl::Report(FaultReport& report)
{
    std::vector<std::pair<std::string, std::string>> rows;
    if (!Execute("-- fault: report", rows))
        return false;
    report = FaultReport();
    for (const auto& row : rows)
    {
        long nValue = std::strtol(row.second.c_str(), nullptr, 10);
        if (row.first == "calls")
            report.nCalls = nValue;
        else if (row.first == "failed")
            report.strFailed = row.second;
        else if (row.first == "connections")
            report.nConnections = nValue;
        else if (row.first == "statements")
            report.nStatements = nValue;
        else if (row.first == "statements at disconnect")
            report.nStatementsAtDisconnect = nValue;
    }
    return rows.size() == 5;
}
