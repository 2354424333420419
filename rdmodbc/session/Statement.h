#pragma once
// The SQL text of an import: quoted names, the select list, the filter.
#include "OutputField.h"
#include "query/SortOrder.h"

class CRecordset;

// The filter texts joined by " AND " in their order; null and empty texts skipped.
CString ComposeFilter(const char* const* ppszFilters, int nFilters);
// "SELECT DISTINCT " with the columns of fields 2, 1, 3, 4 (those mapped),
// " FROM " and the table quoted as one name, all with the driver's quote
// character; sets each field's m_nColumn.
CString ComposeStatement(const CString& strTable, const CString astrColumns[OUTPUT_FIELDS],
                         OutputField fields[OUTPUT_FIELDS], const CString& strQuote);

// Readies the record set for the import of these choices: the statement
// (returned; each field's m_nColumn set), the filter of the conditions when
// they are in use, the sort order of the keys that count (none without
// aSortKeys), all quoted with the driver's quote character. With a filter,
// the record set's connection goes into a transaction that only Rollback or
// Close ends.
CString PrepareImport(CRecordset& recordset, const CString& strTable, const CString astrColumns[OUTPUT_FIELDS],
                      OutputField fields[OUTPUT_FIELDS], const char* const* ppszFilters, int nFilters,
                      BOOL bUseConditions, const SortKey* aSortKeys, const CString& strQuote);
// The number of rows of the statement under the filter, as the data source
// counts them: "SELECT COUNT(*) FROM (statement WHERE filter) rdm_rows".
CString ComposeRowCount(const CString& strStatement, const CString& strFilter);
