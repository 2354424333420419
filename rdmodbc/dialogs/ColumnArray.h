#pragma once
// The column array of a table, as the field-mapping dialog offers it and
// the conditions are made from.
#include "framework/CDatabase.h"
#include "query/ColumnInfo.h"

// Reads the columns of the table of exactly that name and schema with their
// type information and appends them to the array, in catalog order and in
// batches of eight. FALSE when the catalog cannot be read or the heap gave
// out (what was appended stays the array's).
BOOL ReadColumnArray(const CDatabase& db, const CString& strSchema, const CString& strTable, ColumnInfo*& pColumns,
                     int& nColumns);
