#include "ColumnArray.h"

#include "odbc/ColumnCatalog.h"
#include "query/ColumnBatch.h"

BOOL ReadColumnArray(const CDatabase& db, const CString& strSchema, const CString& strTable, ColumnInfo*& pColumns,
                     int& nColumns)
{
    std::vector<TableColumn> columns;
    if (!ReadColumnsWithTypes(db, strSchema, strTable, columns))
        return FALSE;
    const int nFirst = nColumns;
    CColumnBatch batch;
    for (const TableColumn& table : columns)
    {
        const CatalogColumn& column = table.column;
        if (!batch.Add(column.strName, column.strTypeName, column.nDataType, column.nSqlDataType, column.nDatetimeSub,
                       column.nNullable)
            || (batch.IsFull() && !batch.MoveTo(pColumns, nColumns)))
            return FALSE;
    }
    if (!batch.MoveTo(pColumns, nColumns))
        return FALSE;
    for (int i = nFirst; i < nColumns; ++i)
    {
        const TableColumn& table = columns[i - nFirst];
        if (table.bTypeKnown)
            SetColumnTypeInfo(pColumns[i], table.type.nSearchable, table.type.nNullable, table.type.nSqlDataType,
                              table.type.nDatetimeSub);
    }
    return TRUE;
}
