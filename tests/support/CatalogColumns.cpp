#include "CatalogColumns.h"

#include "framework/CDatabase.h"
#include "odbc/ColumnCatalog.h"
#include "odbc/Connection.h"
#include "query/ColumnBatch.h"

#include <gtest/gtest.h>
#include <sqlext.h>

void ReadCatalogColumns(const std::string& connect, const std::string& table, ColumnInfo*& pColumns,
                        int& nColumns)
{
    CDatabase db;
    ASSERT_TRUE(db.OpenEx(connect.c_str(), CDatabase::noOdbcDialog)) << connect;
    // As the field-mapping dialog reads them, through the module's own
    // catalog readers and column batches: the table a bare name means.
    CColumnBatch batch;
    const CString strSchema = ReadSqlDialect(db).strDefaultSchema;
    EXPECT_TRUE(ReadTableColumns(db, strSchema, table.c_str(), [&](const CatalogColumn& catalog) {
        return batch.Add(catalog.strName, catalog.strTypeName, catalog.nDataType, catalog.nSqlDataType,
                         catalog.nDatetimeSub, catalog.nNullable)
            && (!batch.IsFull() || batch.MoveTo(pColumns, nColumns));
    })) << "SQLColumns " << table;
    EXPECT_TRUE(batch.MoveTo(pColumns, nColumns));
    for (int i = 0; i < nColumns; ++i)
    {
        DataTypeInfo info;
        if (ReadDataTypeInfo(db, (SQLSMALLINT)pColumns[i].dataType, info))
            SetColumnTypeInfo(pColumns[i], info.nSearchable, info.nNullable, info.nSqlDataType, info.nDatetimeSub);
    }
}
