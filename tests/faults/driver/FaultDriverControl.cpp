#include "FaultDriverControl.h"

#include <cstdlib>

// The driver knows its control connection by this attribute.
CFaultDriverControl::CFaultDriverControl(const std::string& strConnect) : m_connection(strConnect + ";FaultControl=1")
{
}

CFaultDriverControl::~CFaultDriverControl()
{
    Off();
}

bool CFaultDriverControl::FailFunction(const std::string& strFunction)
{
    return m_connection.Execute("-- fault: call " + strFunction);
}

bool CFaultDriverControl::FailFunction(const std::string& strFunction, const std::string& strState, long nNative,
                                       const std::string& strText)
{
    return m_connection.Execute("-- fault: call " + strFunction + " " + strState + " " + std::to_string(nNative) + " "
                                + strText);
}

bool CFaultDriverControl::FailCall(long nCall)
{
    return m_connection.Execute("-- fault: at " + std::to_string(nCall));
}

bool CFaultDriverControl::FailFetch(long nRow, const std::string& strState, int nColumn, const std::string& strHow)
{
    std::string strCommand = "-- fault: fetch " + std::to_string(nRow) + " " + strState;
    if (nColumn > 0)
        strCommand += " column " + std::to_string(nColumn);
    if (!strHow.empty())
        strCommand += " " + strHow;
    return m_connection.Execute(strCommand);
}

bool CFaultDriverControl::FailRow(long nRow, const std::string& strState)
{
    return m_connection.Execute("-- fault: row " + std::to_string(nRow) + " " + strState);
}

bool CFaultDriverControl::ShortenPieces()
{
    return m_connection.Execute("-- fault: pieces short");
}

bool CFaultDriverControl::StretchLengths(long nExtra, long nFromFetch)
{
    return m_connection.Execute("-- fault: lengths +" + std::to_string(nExtra) + " from " + std::to_string(nFromFetch));
}

bool CFaultDriverControl::Off()
{
    return m_connection.Execute("-- fault: off");
}

bool CFaultDriverControl::Report(FaultReport& report)
{
    std::vector<RawRow> rows;
    if (!m_connection.Query("-- fault: report", rows))
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
        {"waits cancelled", &FaultReport::nWaitsCancelled},
    };
    for (const RawRow& row : rows)
    {
        const std::string name = row.at(0).value_or(""), value = row.at(1).value_or("");
        if (name == "failed")
            report.strFailed = value;
        for (const auto& count : counts)
            if (name == count.pszName)
                report.*count.pnCount = std::strtol(value.c_str(), nullptr, 10);
    }
    return rows.size() == 1 + sizeof counts / sizeof counts[0];
}
