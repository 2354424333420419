#pragma once
// The SQL text of an import: quoted names, the select list, the filter.
#include "framework/SqlDialect.h"
#include "query/ImportChoices.h"

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

// An import as the data source is to read it: the statement, the filter of
// the conditions that apply, the order of the keys that count, and each
// output field with its options and its select position.
struct ComposedImport
{
    CString     strStatement;
    CString     strFilter;
    CString     strSort;
    OutputField aFields[OUTPUT_FIELDS];
};

// Composes the import of the choices, quoted as the data source reads SQL
// by the dialect; nothing reaches a driver. A filter text that could make
// the statement more than one SELECT throws CDBException* with the reason.
ComposedImport ComposeImport(const ImportChoices& choices, const SqlDialect& dialect);
// Opens the record set on the composed import. Its connection reads only
// from then on: read-only at the server where the engine can say so, each
// statement bounded in time (ImportQueryTimeout), and with a filter in a
// transaction that only Rollback or Close ends. Driver failures throw
// CDBException*.
void OpenComposedImport(CRecordset& recordset, const ComposedImport& composed, const SqlDialect& dialect);
// The number of rows of the statement under the filter, as the data source
// counts them: "SELECT COUNT(*) FROM (statement WHERE filter) rdm_rows".
CString ComposeRowCount(const CString& strStatement, const CString& strFilter);
