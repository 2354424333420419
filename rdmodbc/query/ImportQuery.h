#pragma once
// What an import reads: the table, the column and options of each output
// field, the filter texts of the conditions that apply, the order of the
// rows, and how the data source reads SQL text. The import's statement, the
// preview and its count are all made of one.
#include "OutputField.h"
#include "SortOrder.h"
#include "framework/SqlDialect.h"

#include <vector>

struct ImportQuery
{
    CString     strSchema;                      // "" for the schema a bare name means
    CString     strTable;
    CString     astrColumns[OUTPUT_FIELDS];     // "" for a field without a column
    OutputField aFields[OUTPUT_FIELDS];         // the options; the statement gives m_nColumn
    std::vector<CString> filters;               // none when no condition applies
    SortKey     aSortKeys[SORT_KEYS];
    SqlDialect  dialect;
};
