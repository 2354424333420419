#pragma once
// The column array of a table as the field-mapping dialog hands it to the
// condition dialogs: SQLColumns, then SQLGetTypeInfo for each column's type.
#include "query/ColumnInfo.h"

#include <string>

// Fails the test when the data source cannot be read; the array is the
// caller's to free with FreeColumnArray.
void ReadCatalogColumns(const std::string& connect, const std::string& table, ColumnInfo*& pColumns,
                        int& nColumns);
