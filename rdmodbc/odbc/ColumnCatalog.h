#pragma once
// The two catalog queries behind a table's column list: the table's columns
// from SQLColumns, and the type information of a data type from
// SQLGetTypeInfo.
#include "framework/CDatabase.h"

#include <functional>
#include <optional>
#include <vector>

// What SQLColumns tells of one column. A NULL number reads as 0.
struct CatalogColumn
{
    CString     strName;
    CString     strTypeName;            // "" when the driver gives none
    SQLSMALLINT nDataType = 0;          // concise SQL data type
    SQLSMALLINT nSqlDataType = 0;       // verbose SQL data type
    SQLSMALLINT nDatetimeSub = 0;
    SQLSMALLINT nNullable = 0;          // SQL_NO_NULLS, SQL_NULLABLE or SQL_NULLABLE_UNKNOWN
};

// Hands on the columns of the table of exactly that name (and of that
// schema, unless strSchema is ""), in the database the connection works in,
// in the order in which SQLColumns delivers them, until onColumn returns
// FALSE. A column whose name arrives cut is not handed on. FALSE when the
// catalog cannot be read (nothing handed on); the user is not told.
BOOL ReadTableColumns(const CDatabase& db, const CString& strSchema, const CString& strTable,
                      const std::function<BOOL(const CatalogColumn&)>& onColumn);

// What SQLGetTypeInfo tells of a data type. Some drivers give NULL where a
// number belongs: searchable and nullable are then empty, the two type codes
// 0.
struct DataTypeInfo
{
    std::optional<SQLSMALLINT> nSearchable;
    std::optional<SQLSMALLINT> nNullable;
    SQLSMALLINT nSqlDataType = 0;       // verbose SQL data type
    SQLSMALLINT nDatetimeSub = 0;
};

// The first row of SQLGetTypeInfo for the data type; FALSE when there is
// none or it cannot be read.
BOOL ReadDataTypeInfo(const CDatabase& db, SQLSMALLINT nDataType, DataTypeInfo& info);

// One column of a table with what the data source tells of its type.
struct TableColumn
{
    CatalogColumn column;
    BOOL          bTypeKnown = FALSE;   // the type information could be read
    DataTypeInfo  type;
};

// The columns of the table of exactly that name and schema (see
// ReadTableColumns), in catalog order, each with the type information of its
// data type, asked once for each type once the catalog is read. FALSE when
// the catalog cannot be read.
BOOL ReadColumnsWithTypes(const CDatabase& db, const CString& strSchema, const CString& strTable,
                          std::vector<TableColumn>& columns);
