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

bool CFaultDriverControl::FailFetch(long nRow, const std::string& strState, int nColumn, const std::string& strHow)
{
    std::vector<std::pair<std::string, std::string>> rows;
    std::string strCommand = "-- fault: fetch " + std::to_string(nRow) + " " + strState;
    if (nColumn > 0)
        strCommand += " column " + std::to_string(nColumn);
    if (!strHow.empty())
        strCommand += " " + strHow;
    return Execute(strCommand, rows);
}

bool CFaultDriverControl::FailRow(long nRow, const std::string& strState)
{
    std::vector<std::pair<std::string, std::string>> rows;
    return Execute("-- fault: row " + std::to_string(nRow) + " " + strState, rows);
}

bool CFaultDriverControl::ShortenPieces()
{
    std::vector<std::pair<std::string, std::string>> rows;
    return Execute("-- fault: pieces short", rows);
}

bool CFaultDriverControl::StretchLengths(long nExtra, long nFromFetch)
{
    std::vector<std::pair<std::string, std::string>> rows;
    return Execute("-- fault: lengths +" + std::to_string(nExtra) + " from " + std::to_string(nFromFetch), rows);
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
    // The failed function is a name; every other row is a count.
    const struct
    {
        const char* pszName;
        long FaultReport::*pnCount;
    } counts[] = {
        {"calls", &FaultReport::nCalls},
        {"connections", &FaultReport::nConnections},
        {"statements", &FaultReport::nStatements},
        {"statements at disconnect", &FaultReport::nStatementsAtDisconnect},
        {"fetches", &FaultReport::nFetches},
        {"fetches failed", &FaultReport::nFetchesFailed},
        {"reads failed", &FaultReport::nReadsFailed},
        {"lengths stretched", &FaultReport::nLengthsStretched},
        {"pieces shortened", &FaultReport::nPiecesShortened},
    };
    for (const auto& row : rows)
    {
        if (row.first == "failed")
            report.strFailed = row.second;
        for (const auto& count : counts)
            if (row.first == count.pszName)
                report.*count.pnCount = std::strtol(row.second.c_str(), nullptr, 10);
    }
    return rows.size() == 1 + sizeof counts / sizeof counts[0];
}
