#include "RowBenchmark.h"

#include "BenchClock.h"
#include "RawConnection.h"
#include "RDMODBC.h"
#include "session/ImportSession.h"
#include "session/Statement.h"

#include <functional>
#include <vector>

namespace
{
    const int nFieldLimit = 255;
    const SQLULEN nBlockRows = 1000;

    // Field 2 (the primary) is the number padded to eight digits; field 1 the
    // name behind a prefix; field 3 the amount as a whole number; field 4 the
    // timestamp as a date.
    const char* const apszColumns[4] = {"name", "id", "amount", "born"};
}

RowTiming::RowTiming()
    : nStartWorkingSet(ProcessMemory().WorkingSetSize), nPeakWorkingSet(nStartWorkingSet)
{
}

void RowTiming::CountRows(long nNewRows)
{
    if ((nRows & ~1023L) != ((nRows + nNewRows) & ~1023L) || nRows == 0)
    {
        size_t nWorkingSet = ProcessMemory().WorkingSetSize;
        if (nWorkingSet > nPeakWorkingSet)
            nPeakWorkingSet = nWorkingSet;
    }
    nRows += nNewRows;
}

std::string BenchStatement(SQLHDBC hdbc, const std::string& table)
{
    // Quoted as the driver quotes names, as the module does.
    char szQuote[8] = "";
    ::SQLGetInfo(hdbc, SQL_IDENTIFIER_QUOTE_CHAR, szQuote, sizeof szQuote, nullptr);
    CString astrColumns[4];
    for (int k = 0; k < 4; ++k)
        astrColumns[k] = apszColumns[k];
    OutputField fields[4];
    SqlDialect dialect;
    dialect.strIdentifierQuote = *szQuote == ' ' ? "" : szQuote;
    return ComposeStatement("", table.c_str(), astrColumns, fields, dialect).Str();
}

RowTiming TimeMoveNext(const std::string& connect, const std::string& table, bool bFormatting)
{
    ImportChoices choices;
    choices.table.strTable = table.c_str();
    for (int k = 0; k < 4; ++k)
        choices.aFields[k].m_strColumn = apszColumns[k];
    if (bFormatting)
    {
        choices.aFields[0].m_strPrefix = "Name: ";
        choices.aFields[1].m_bPad = TRUE;
        choices.aFields[1].m_nPadWidth = 8;
        choices.aFields[1].m_chPad = '0';
        choices.aFields[2].m_bInteger = TRUE;
        choices.aFields[3].m_bDate = TRUE;
    }

    RowTiming timing;
    char aszFields[4][nFieldLimit + 1];
    CStopwatch stopwatch;
    theSession.m_strConnect = connect.c_str();
    if (theSession.OpenRecordSet(choices) == 1)
    {
        while (RDMODBCMoveNext(aszFields[0], nFieldLimit, aszFields[1], nFieldLimit, aszFields[2], nFieldLimit,
                               aszFields[3], nFieldLimit))
            timing.CountRows(1);
    }
    RDMODBCClose();
    timing.dSeconds = stopwatch.Seconds();
    return timing;
}

namespace
{
    // Connects, runs the benchmark's statement on a new statement handle
    // after prepare (attributes, bindings) and reads its rows with read, all
    // within the time taken.
    RowTiming TimeBareStatement(const std::string& connect, const std::string& table,
                                const std::function<void(SQLHSTMT)>& prepare,
                                const std::function<void(SQLHSTMT, RowTiming&)>& read)
    {
        RowTiming timing;
        CStopwatch stopwatch;
        CRawConnection connection(connect);
        CStatementHandle hstmt;
        hstmt.Allocate(connection.Handle());
        prepare(hstmt);
        const std::string statement = BenchStatement(connection.Handle(), table);
        if (SQL_SUCCEEDED(::SQLExecDirect(hstmt, (SQLCHAR*)statement.c_str(), SQL_NTS)))
            read(hstmt, timing);
        hstmt.Free();
        timing.dSeconds = stopwatch.Seconds();
        return timing;
    }
}

RowTiming TimeFetchAndGetData(const std::string& connect, const std::string& table)
{
    return TimeBareStatement(connect, table, [](SQLHSTMT) {}, [](SQLHSTMT hstmt, RowTiming& timing) {
        char szValue[nFieldLimit + 1];
        SQLLEN nIndicator = 0;
        while (SQL_SUCCEEDED(::SQLFetch(hstmt)))
        {
            for (SQLUSMALLINT nColumn = 1; nColumn <= 4; ++nColumn)
                ::SQLGetData(hstmt, nColumn, SQL_C_CHAR, szValue, sizeof szValue, &nIndicator);
            timing.CountRows(1);
        }
    });
}

RowTiming TimeBlockFetch(const std::string& connect, const std::string& table)
{
    std::vector<char> values(4 * nBlockRows * (nFieldLimit + 1));
    std::vector<SQLLEN> indicators(4 * nBlockRows);
    SQLULEN nFetched = 0;
    auto bind = [&](SQLHSTMT hstmt) {
        ::SQLSetStmtAttr(hstmt, SQL_ATTR_ROW_ARRAY_SIZE, (SQLPOINTER)nBlockRows, 0);
        ::SQLSetStmtAttr(hstmt, SQL_ATTR_ROWS_FETCHED_PTR, &nFetched, 0);
        for (SQLUSMALLINT nColumn = 0; nColumn < 4; ++nColumn)
            ::SQLBindCol(hstmt, nColumn + 1, SQL_C_CHAR, &values[nColumn * nBlockRows * (nFieldLimit + 1)],
                         nFieldLimit + 1, &indicators[nColumn * nBlockRows]);
    };
    return TimeBareStatement(connect, table, bind, [&nFetched](SQLHSTMT hstmt, RowTiming& timing) {
        while (SQL_SUCCEEDED(::SQLFetch(hstmt)))
            timing.CountRows((long)nFetched);
    });
}

RowTiming TimeBoundFetch(const std::string& connect, const std::string& table)
{
    std::vector<char> values(4 * (nFieldLimit + 1));
    std::vector<SQLLEN> indicators(4);
    auto bind = [&](SQLHSTMT hstmt) {
        for (SQLUSMALLINT nColumn = 0; nColumn < 4; ++nColumn)
            ::SQLBindCol(hstmt, nColumn + 1, SQL_C_CHAR, &values[nColumn * (nFieldLimit + 1)], nFieldLimit + 1,
                         &indicators[nColumn]);
    };
    return TimeBareStatement(connect, table, bind, [](SQLHSTMT hstmt, RowTiming& timing) {
        while (SQL_SUCCEEDED(::SQLFetch(hstmt)))
            timing.CountRows(1);
    });
}
