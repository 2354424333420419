#pragma once
// The two catalog passes behind the field-mapping dialog's column list: the
// table's columns from SQLColumns, collected in batches, then per column the
// type information of its data type from SQLGetTypeInfo.
#include "framework/CString.h"
#include "query/ColumnInfo.h"

#include <functional>
#include <sql.h>

// The length of the catalog's name buffers for the driver's
// SQL_MAX_COLUMN_NAME_LEN taken as a signed number: 256 when the driver
// names no limit (0) or a negative one, at most 2048.
int ColumnNameBufferLength(SQLSMALLINT nMaxColumnNameLen);

// Column records collected from the catalog rows, eight at a time, so that
// the column array is reallocated once per batch and not once per column.
// The batch owns the records until they are moved to the array.
class CColumnBatch
{
public:
    enum { SIZE = 8 };

    CColumnBatch();
    ~CColumnBatch();
    CColumnBatch(const CColumnBatch&) = delete;
    CColumnBatch& operator=(const CColumnBatch&) = delete;

    // Adds the record of one SQLColumns row with the catalog-pass values:
    // searchable 3 (until the type says otherwise), nullable 0, the row's
    // types; no type name when the driver gave "". FALSE when out of memory.
    BOOL Add(const char* pszName, const char* pszTypeName, SQLSMALLINT nDataType,
             SQLSMALLINT nSqlDataType, SQLSMALLINT nDatetimeSub);
    BOOL IsFull() const                 { return m_nRecords == SIZE; }
    // Moves the collected records to the end of the array: a new block of
    // exactly the old count plus the batch, the old records moved over, the
    // old block freed. The batch is empty afterwards; FALSE (nothing moved)
    // when out of memory.
    BOOL MoveTo(ColumnInfo*& pArray, int& nCount);

private:
    ColumnInfo* m_pRecords;
    int m_nRecords = 0;
};

// Appends the table's columns to the array in the order in which SQLColumns
// delivers them, and tells each name as it arrives. A failed catalog query
// leaves the array as it was; the user is not told.
void ReadTableColumns(SQLHDBC hdbc, const CString& strTable, const std::function<void(LPCSTR)>& onColumn,
                      ColumnInfo*& pArray, int& nCount);

// Replaces the column's searchable, nullable, verbose type and datetime
// subcode by what SQLGetTypeInfo tells for its data type; the column keeps
// its catalog-pass values when that cannot be read.
void ReadColumnTypeInfo(SQLHDBC hdbc, ColumnInfo& column);
