#pragma once
// Column records collected from the catalog rows eight at a time, so that
// the column array is reallocated once per batch and not once per column.
#include "ColumnInfo.h"

// The batch owns its records until they are moved to the array.
class CColumnBatch
{
public:
    enum { SIZE = 8 };

    CColumnBatch();
    ~CColumnBatch();
    CColumnBatch(const CColumnBatch&) = delete;
    CColumnBatch& operator=(const CColumnBatch&) = delete;

    // Adds the record of one catalog row with the catalog's values:
    // searchable 3 (until the type says otherwise), nullable 1 when the
    // column admits NULL, the row's types; no type name when the driver gave
    // "". Where the row has no verbose type (a NULL or 0), it is taken from
    // the concise one, and so is the subcode of a date, time or timestamp.
    // FALSE when out of memory.
    BOOL Add(LPCSTR pszName, LPCSTR pszTypeName, int nDataType, int nSqlDataType, int nDatetimeSub, int nNullable);
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
