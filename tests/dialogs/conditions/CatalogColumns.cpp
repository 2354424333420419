#include "CatalogColumns.h"

#include "framework/CDatabase.h"
#include "odbc/ColumnCatalog.h"

#include <gtest/gtest.h>
#include <sqlext.h>

void ReadCatalogColumns(const std::string& connect, const std::string& table, ColumnInfo*& pColumns,
                        int& nColumns)
{
    CDatabase db;
    ASSERT_TRUE(db.OpenEx(connect.c_str(), CDatabase::noOdbcDialog)) << connect;
    EXPECT_TRUE(ReadTableColumns(db, table.c_str(), [&](const CatalogColumn& catalog) {
        ColumnInfo column;
        column.name = _strdup(catalog.strName);
        column.typeName = catalog.strTypeName.IsEmpty() ? nullptr : _strdup(catalog.strTypeName);
        column.searchable = SQL_SEARCHABLE;
        column.dataType = catalog.nDataType;
        column.sqlDataType = catalog.nSqlDataType;
        column.datetimeSub = catalog.nDatetimeSub;
        return AppendColumnInfo(pColumns, nColumns, column);
    })) << "SQLColumns " << table;
    for (int i = 0; i < nColumns; ++i)
    {
        DataTypeInfo info;
        if (ReadDataTypeInfo(db, (SQLSMALLINT)pColumns[i].dataType, info))
            SetColumnTypeInfo(pColumns[i], info.nSearchable, info.nNullable, info.nSqlDataType, info.nDatetimeSub);
    }
}
