#pragma once
// The SQL text of an import: quoted names, the select list, the filter.
#include "OutputField.h"

// The filter texts joined by " AND " in their order; null and empty texts skipped.
CString ComposeFilter(const char* const* ppszFilters, int nFilters);
// "SELECT DISTINCT " with the columns of fields 2, 1, 3, 4 (those mapped),
// " FROM " and the table quoted as one name, all with the driver's quote
// character; sets each field's m_nColumn.
CString ComposeStatement(const CString& strTable, const CString astrColumns[OUTPUT_FIELDS],
                         OutputField fields[OUTPUT_FIELDS], const CString& strQuote);
