#include "CatalogColumns.h"

#include "dialogs/ColumnArray.h"
#include "framework/CDatabase.h"
#include "odbc/Connection.h"

#include <gtest/gtest.h>

void ReadCatalogColumns(const std::string& connect, const std::string& table, ColumnInfo*& pColumns,
                        int& nColumns)
{
    CDatabase db;
    ASSERT_TRUE(db.OpenEx(connect.c_str(), CDatabase::noOdbcDialog)) << connect;
    // As the field-mapping dialog reads them: the table a bare name means.
    EXPECT_TRUE(ReadColumnArray(db, ReadSqlDialect(db).strDefaultSchema, table.c_str(), pColumns, nColumns))
        << "SQLColumns " << table;
}
