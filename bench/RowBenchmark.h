#pragma once
// Rows per second of an import through RDMODBCMoveNext against two bare ODBC
// loops over the same statement, and the process's peak working set.
#include <windows.h>
#include <sql.h>
#include <string>

struct RowTiming
{
    long   nRows = 0;
    double dSeconds = 0;
    size_t nStartWorkingSet = 0;    // the working set before connecting
    size_t nPeakWorkingSet = 0;     // the largest working set seen while reading

    RowTiming();

    // Counts a row; every 1024th row the working set is looked at.
    void CountRows(long nNewRows);
};

// The import through the module: four mapped columns, with bFormatting a
// prefix and the padding, integer and date rules, read until
// RDMODBCMoveNext returns 0.
RowTiming TimeMoveNext(const std::string& connect, const std::string& table, bool bFormatting);
// SQLFetch and one SQLGetData per column, as text.
RowTiming TimeFetchAndGetData(const std::string& connect, const std::string& table);
// Columns bound once, rows fetched in blocks (SQL_ATTR_ROW_ARRAY_SIZE).
RowTiming TimeBlockFetch(const std::string& connect, const std::string& table);
// Columns bound once, rows fetched one by one.
RowTiming TimeBoundFetch(const std::string& connect, const std::string& table);
// The statement the module composes for the benchmark's mapping, quoted as
// the driver of the connection quotes names.
std::string BenchStatement(SQLHDBC hdbc, const std::string& table);
