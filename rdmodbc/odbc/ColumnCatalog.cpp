#include "ColumnCatalog.h"

#include "CatalogFields.h"
#include "CatalogRows.h"
#include "framework/DriverWait.h"
#include "framework/OdbcDiagnostic.h"

#include <map>

namespace
{
    BOOL IsExactly(const CBoundText& field, const CString& strName)
    {
        return field.IsWhole() && CString(field.Text(), field.Length()) == strName;
    }

    // The first diagnostic record of a failed catalog call is read so that
    // the statement's error state is consumed; the user is not told.
    void DropDiagnostic(SQLHSTMT hstmt)
    {
        OdbcDiagnostic diagnostic;
        ReadDiagnostic(SQL_HANDLE_STMT, hstmt, 1, diagnostic);
    }
}

BOOL ReadTableColumns(const CDatabase& db, const CString& strSchema, const CString& strTable,
                      const std::function<BOOL(const CatalogColumn&)>& onColumn)
{
    CStatementHandle hstmt;
    hstmt.Allocate(db.m_hdbc);
    // Table and schema are search patterns: "t_1" alone would match "tx1"
    // too, and a driver's collation may match "Orders" for "orders". The
    // rows are compared with the names as well.
    const CString strSchemaPattern = SearchPatternOf(db, strSchema);
    const CString strTablePattern = SearchPatternOf(db, strTable);
    SQLRETURN nRetCode = CCatalogArgument(db).Call([&](SQLCHAR* pszCatalog, SQLSMALLINT nLength) {
        return WaitForStatement(DriverWork::readingColumns, hstmt, [&, pszCatalog, nLength] {
            return ::SQLColumns(hstmt, pszCatalog, nLength,
                                strSchema.IsEmpty() ? nullptr : (SQLCHAR*)(LPCSTR)strSchemaPattern,
                                (SQLSMALLINT)strSchemaPattern.GetLength(), (SQLCHAR*)(LPCSTR)strTablePattern,
                                (SQLSMALLINT)strTablePattern.GetLength(), nullptr, 0);
        });
    });
    if (!SQL_SUCCEEDED(nRetCode))
    {
        DropDiagnostic(hstmt);
        return FALSE;
    }

    const int nFieldBytes = NameFieldBytes(db, SQL_MAX_COLUMN_NAME_LEN);
    const int nTableBytes = NameFieldBytes(db, SQL_MAX_TABLE_NAME_LEN);
    const int nSchemaBytes = NameFieldBytes(db, SQL_MAX_SCHEMA_NAME_LEN);
    CBoundText schema(nSchemaBytes), table(nTableBytes), name(nFieldBytes), typeName(nFieldBytes);
    CBoundNumber dataType, sqlDataType, datetimeSub, nullable;
    CCatalogRows rows(hstmt);
    // A column that is not bound would read as nothing, and a column read
    // without its type would be taken for another.
    if (!rows.Bind({{&schema, COLUMNS_TABLE_SCHEM}, {&table, COLUMNS_TABLE_NAME}, {&name, COLUMNS_COLUMN_NAME},
                    {&typeName, COLUMNS_TYPE_NAME}, {&dataType, COLUMNS_DATA_TYPE}, {&sqlDataType, COLUMNS_SQL_DATA_TYPE},
                    {&datetimeSub, COLUMNS_SQL_DATETIME_SUB}, {&nullable, COLUMNS_NULLABLE}}))
    {
        DropDiagnostic(hstmt);
        return FALSE;
    }
    while (rows.Fetch())
    {
        if (!IsExactly(table, strTable) || (!strSchema.IsEmpty() && !IsExactly(schema, strSchema)) || !name.IsWhole())
            continue;
        CatalogColumn column;
        column.strName = name.Text();
        column.strTypeName = typeName.Text();
        column.nDataType = dataType.Value();
        column.nSqlDataType = sqlDataType.Value();
        column.nDatetimeSub = datetimeSub.Value();
        column.nNullable = nullable.Value();
        if (!onColumn(column))
            break;
    }
    return TRUE;
}

BOOL ReadDataTypeInfo(const CDatabase& db, SQLSMALLINT nDataType, DataTypeInfo& info)
{
    // SQL_ALL_TYPES would list every type, and the first is another type.
    if (nDataType == SQL_ALL_TYPES)
        return FALSE;
    CStatementHandle hstmt;
    hstmt.Allocate(db.m_hdbc);
    if (!SQL_SUCCEEDED(::SQLGetTypeInfo(hstmt, nDataType)))
    {
        DropDiagnostic(hstmt);
        return FALSE;
    }
    CBoundNumber searchable, nullable, sqlDataType, datetimeSub;
    CCatalogRows rows(hstmt);
    if (!rows.Bind({{&searchable, TYPEINFO_SEARCHABLE}, {&nullable, TYPEINFO_NULLABLE},
                    {&sqlDataType, TYPEINFO_SQL_DATA_TYPE}, {&datetimeSub, TYPEINFO_SQL_DATETIME_SUB}})
        || !rows.Fetch())
    {
        DropDiagnostic(hstmt);
        return FALSE;
    }
    info.nSearchable = searchable.ValueUnlessNull();
    info.nNullable = nullable.ValueUnlessNull();
    info.nSqlDataType = sqlDataType.Value();
    info.nDatetimeSub = datetimeSub.Value();
    return TRUE;
}

BOOL ReadColumnsWithTypes(const CDatabase& db, const CString& strSchema, const CString& strTable,
                          std::vector<TableColumn>& columns)
{
    columns.clear();
    if (!ReadTableColumns(db, strSchema, strTable, [&columns](const CatalogColumn& column) -> BOOL {
            columns.emplace_back();
            columns.back().column = column;
            return TRUE;
        }))
        return FALSE;
    // A table of a thousand columns has a handful of types.
    std::map<SQLSMALLINT, std::pair<BOOL, DataTypeInfo>> types;
    for (TableColumn& column : columns)
    {
        auto known = types.find(column.column.nDataType);
        if (known == types.end())
        {
            DataTypeInfo info;
            const BOOL bRead = ReadDataTypeInfo(db, column.column.nDataType, info);
            known = types.emplace(column.column.nDataType, std::make_pair(bRead, info)).first;
        }
        column.bTypeKnown = known->second.first;
        column.type = known->second.second;
    }
    return TRUE;
}
