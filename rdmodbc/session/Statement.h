#pragma once
// The SQL text of an import: quoted names, the select list, the filter.
#include "OutputField.h"

// `name` with each "." inside it closing and reopening the quotes, so that
// every part of a qualified name is quoted by itself: `ORDERS`.`QTY`.
// A grave accent inside a part is doubled, so no name can end its quoting.
CString QuoteIdentifier(const CString& strName);
// The filter texts joined by " AND " in their order; null and empty texts skipped.
CString ComposeFilter(const char* const* ppszFilters, int nFilters);
// "SELECT DISTINCT " with the columns of fields 2, 1, 3, 4 (those mapped),
// " FROM " and the table quoted as one name; sets each field's m_nColumn.
CString ComposeStatement(const CString& strTable, const CString astrColumns[OUTPUT_FIELDS],
                         OutputField fields[OUTPUT_FIELDS]);
