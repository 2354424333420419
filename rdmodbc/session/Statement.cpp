#include "Statement.h"

#include "framework/CRecordset.h"
#include "query/Identifier.h"

CString ComposeFilter(const char* const* ppszFilters, int nFilters)
{
    CString strFilter;
    for (int i = 0; i < nFilters; ++i)
    {
        // An empty text is as absent as a null one: joined, it would leave
        // a dangling " AND " that no driver accepts.
        if (ppszFilters[i] == nullptr || ppszFilters[i][0] == '\0')
            continue;
        if (!strFilter.IsEmpty())
            strFilter += " AND ";
        strFilter += ppszFilters[i];
    }
    return strFilter;
}

CString ComposeStatement(const CString& strTable, const CString astrColumns[OUTPUT_FIELDS],
                         OutputField fields[OUTPUT_FIELDS], const CString& strQuote)
{
    // The primary field always has a column, at select position 0.
    CString strSQL = "SELECT DISTINCT ";
    int nNextPosition = 0;
    for (int nField : FIELDS_IN_SELECT_ORDER)
    {
        fields[nField].m_nColumn = -1;
        if (nField != PRIMARY_FIELD_INDEX && astrColumns[nField].IsEmpty())
            continue;
        if (nNextPosition > 0)
            strSQL += ",";
        strSQL += QuoteIdentifier(astrColumns[nField], strQuote);
        fields[nField].m_nColumn = nNextPosition++;
    }
    strSQL += " FROM ";
    strSQL += QuoteWholeIdentifier(strTable, strQuote);
    return strSQL;
}

CString PrepareImport(CRecordset& recordset, const CString& strTable, const CString astrColumns[OUTPUT_FIELDS],
                      OutputField fields[OUTPUT_FIELDS], const char* const* ppszFilters, int nFilters,
                      BOOL bUseConditions, const SortKey* aSortKeys, const CString& strQuote)
{
    if (bUseConditions && nFilters > 0)
        recordset.m_strFilter = ComposeFilter(ppszFilters, nFilters);
    // Read-only is a hint to most drivers, and a condition can carry free
    // SQL (a typed one; a number's value goes in as typed): whatever it holds
    // (a second statement, a function that changes data, a lock), the import
    // changes nothing, for it runs in a transaction that is rolled back when
    // the connection closes. Without conditions the statement is the
    // module's own, and SQLite's driver hands rows over as it steps only
    // outside a transaction.
    if (!recordset.m_strFilter.IsEmpty() && recordset.m_pDatabase)
        recordset.m_pDatabase->BeginTrans();
    if (aSortKeys)
        recordset.m_strSort = ComposeSortOrder(EffectiveSortKeys(aSortKeys, astrColumns), astrColumns, strQuote);
    return ComposeStatement(strTable, astrColumns, fields, strQuote);
}

CString ComposeRowCount(const CString& strStatement, const CString& strFilter)
{
    // The derived table is named without AS, which some servers refuse.
    CString strCounted = strStatement;
    if (!strFilter.IsEmpty())
        strCounted += " WHERE " + strFilter;
    return "SELECT COUNT(*) FROM (" + strCounted + ") rdm_rows";
}
