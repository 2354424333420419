#pragma once
// The dialogs' catalog work on a large data source against the bare catalog
// calls that it cannot do without.
#include <string>

struct CatalogTiming
{
    long   nRows = 0;
    double dSeconds = 0;
};

// Connect, SQLTables, TABLE_NAME, TABLE_TYPE and REMARKS bound, every row fetched.
CatalogTiming TimeBareTables(const std::string& dataSource, bool bWithConnect);
// ReadTableCatalog on the session's open connection (connecting not timed).
CatalogTiming TimeReadTableCatalog(const std::string& dataSource);
// The data-source dialog's OK on the data source: connect, catalog, entries
// and the list's rows, until the table step is shown.
CatalogTiming TimeTableStep(const std::string& dataSource);
// Connect, SQLColumns with its five columns bound, every row fetched; with
// bTypeInfo also one SQLGetTypeInfo per column, as the column records need.
CatalogTiming TimeBareColumns(const std::string& dataSource, const std::string& table, bool bTypeInfo);
// The field-mapping dialog's fill of its column list and column records.
CatalogTiming TimeColumnList(const std::string& dataSource, const std::string& table);
