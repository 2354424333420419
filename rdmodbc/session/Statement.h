#pragma once
// The SQL text of an import: quoted names, the select list, the filter.
#include "framework/SqlDialect.h"
#include "query/ImportQuery.h"

class CRecordset;

// The filter texts joined by "AND" in their order, each on a line of its
// own, so that a comment at the end of one ends there; null and empty texts
// skipped.
CString ComposeFilter(const char* const* ppszFilters, int nFilters);
// "SELECT DISTINCT " with the columns of fields 2, 1, 3, 4 (those mapped),
// " FROM " and the table quoted as one name (behind its schema where that
// is not the one a bare name means), all quoted as the driver quotes; sets
// each field's m_nColumn.
CString ComposeStatement(const CString& strSchema, const CString& strTable, const CString astrColumns[OUTPUT_FIELDS],
                         OutputField fields[OUTPUT_FIELDS], const SqlDialect& dialect);

// Readies the record set for the import: the statement (returned), the
// filter of the conditions that apply and the sort order of the keys that
// count, all quoted as the data source reads them; fields get the options of
// the import's fields and each its select position. The record set's
// connection reads only from then on: read-only at the server where the
// engine can say so, and with a filter in a transaction that only Rollback
// or Close ends. A filter text that could make the statement more than one
// SELECT throws CDBException* with the reason, before anything reaches the
// data source.
CString PrepareImport(CRecordset& recordset, const ImportQuery& query, OutputField fields[OUTPUT_FIELDS]);
// The number of rows of the statement under the filter, as the data source
// counts them: "SELECT COUNT(*) FROM (statement WHERE filter) rdm_rows".
CString ComposeRowCount(const CString& strStatement, const CString& strFilter);
