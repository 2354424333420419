#pragma once
// What the catalog readers share: the result columns of the catalog
// functions by name, and the size of a fetched name from what the driver
// says of its longest names.
#include "framework/CDatabase.h"

#include <functional>

// Result columns, numbered as ODBC 3 defines them.
enum TablesColumn : SQLUSMALLINT
{
    TABLES_TABLE_SCHEM = 2,
    TABLES_TABLE_NAME = 3,
    TABLES_TABLE_TYPE = 4,
    TABLES_REMARKS = 5,
};

enum ColumnsColumn : SQLUSMALLINT
{
    COLUMNS_TABLE_SCHEM = 2,
    COLUMNS_TABLE_NAME = 3,
    COLUMNS_COLUMN_NAME = 4,
    COLUMNS_DATA_TYPE = 5,
    COLUMNS_TYPE_NAME = 6,
    COLUMNS_NULLABLE = 11,
    COLUMNS_SQL_DATA_TYPE = 14,
    COLUMNS_SQL_DATETIME_SUB = 15,
};

enum TypeInfoColumn : SQLUSMALLINT
{
    TYPEINFO_NULLABLE = 7,
    TYPEINFO_SEARCHABLE = 9,
    TYPEINFO_SQL_DATA_TYPE = 16,
    TYPEINFO_SQL_DATETIME_SUB = 17,
};

// The catalog argument of a catalog function for the open connection: the
// database it works in, or null (every catalog, or none: SQLite has none)
// where it has none. A server such as MariaDB otherwise lists the tables of
// every database it holds, without telling which.
class CCatalogArgument
{
public:
    explicit CCatalogArgument(const CDatabase& db);
    // Calls the catalog function with the argument. A driver that names its
    // database but cannot be asked for one by name is asked again with null,
    // and lists every catalog's entries, as it always did.
    SQLRETURN Call(const std::function<SQLRETURN(SQLCHAR* pszCatalog, SQLSMALLINT nLength)>& catalogFunction) const;
private:
    CString m_strCatalog;
};

// Characters a fetched name may hold, from the driver's answer for its
// longest name (SQL_MAX_TABLE_NAME_LEN, SQL_MAX_COLUMN_NAME_LEN): no usable
// answer (0, or 32768 and more) gives 256, anything else is capped at 2048.
int NameFieldSize(SQLUSMALLINT nReportedMaximum);
// The bytes a field needs for the longest name the driver of the open
// connection reports: its characters may take up to four bytes each (UTF-8
// behind an ANSI driver, or a double-byte code page), and a name cut short
// names nothing.
int NameFieldBytes(const CDatabase& db, SQLUSMALLINT nInfoType);

// The name as a catalog function's search pattern that matches it alone:
// "_" and "%" and the driver's escape (SQL_SEARCH_PATTERN_ESCAPE) escaped.
// A driver without an escape gets the name as it is, and its catalog rows
// must be compared with the name.
CString SearchPatternOf(const CDatabase& db, const CString& strName);
