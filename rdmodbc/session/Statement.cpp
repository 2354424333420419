#include "Statement.h"

#include "QueryTimeout.h"

#include "dialogs/SqlRefusal.h"
#include "framework/CDBException.h"
#include "framework/CRecordset.h"
#include "odbc/Connection.h"
#include "query/Condition.h"
#include "query/Identifier.h"
#include "query/SqlCheck.h"

#include <algorithm>

namespace
{
    // Conditions come from the editor, which writes them safely, or were
    // typed, and checked when they were; a text from anywhere else must not
    // reach the data source unchecked all the same.
    void RefuseUnsafeFilters(const char* const* ppszFilters, int nFilters, const SqlDialect& dialect)
    {
        for (int i = 0; i < nFilters; ++i)
        {
            if (ppszFilters[i] == nullptr)
                continue;
            const SqlTextFault fault = CheckSqlCondition(ppszFilters[i], dialect);
            if (fault != sqlTextSound)
            {
                CDBException* pException = new CDBException(SQL_ERROR);
                pException->m_strError = SqlTextRefusal(fault) + "\n" + ppszFilters[i] + "\n";
                throw pException;
            }
        }
    }
}

CString ComposeFilter(const char* const* ppszFilters, int nFilters)
{
    CString strFilter;
    for (int i = 0; i < nFilters; ++i)
    {
        // An empty text is as absent as a null one: joined, it would leave
        // a dangling "AND" that no driver accepts.
        if (ppszFilters[i] == nullptr || ppszFilters[i][0] == '\0')
            continue;
        if (!strFilter.IsEmpty())
            strFilter += "\nAND ";
        // Each text in parentheses of its own, the closing one on the next
        // line (after a comment the text may end in): a typed "A OR B"
        // cannot widen the others, and no text can add clauses after the
        // WHERE (INTO OUTFILE, a LIMIT, a lock).
        strFilter += "(";
        strFilter += ppszFilters[i];
        strFilter += "\n)";
    }
    return strFilter;
}

CString ComposeStatement(const CString& strSchema, const CString& strTable, const CString astrColumns[OUTPUT_FIELDS],
                         OutputField fields[OUTPUT_FIELDS], const SqlDialect& dialect)
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
        strSQL += QuoteIdentifier(astrColumns[nField], dialect.strIdentifierQuote);
        fields[nField].m_nColumn = nNextPosition++;
    }
    strSQL += " FROM ";
    strSQL += QuoteTableName(strSchema, strTable, dialect);
    return strSQL;
}

ComposedImport ComposeImport(const ImportChoices& choices, const SqlDialect& dialect)
{
    ComposedImport composed;
    CString astrColumns[OUTPUT_FIELDS];
    for (int k = 0; k < OUTPUT_FIELDS; ++k)
    {
        astrColumns[k] = choices.aFields[k].m_strColumn;
        composed.aFields[k] = choices.aFields[k];
    }
    std::vector<const char*> filters;
    for (const char* pszFilter : ConditionFilterTexts(choices.conditions.p, choices.conditions.n, choices.bUseConditions))
    {
        if (pszFilter != nullptr)
            filters.push_back(pszFilter);
    }
    RefuseUnsafeFilters(filters.data(), (int)filters.size(), dialect);
    composed.strFilter = ComposeFilter(filters.data(), (int)filters.size());
    composed.strSort = ComposeSortOrder(EffectiveSortKeys(choices.aSortKeys, astrColumns), astrColumns,
                                        dialect.strIdentifierQuote);
    composed.strStatement =
        ComposeStatement(choices.table.strSchema, choices.table.strTable, astrColumns, composed.aFields, dialect);
    return composed;
}

void OpenComposedImport(CRecordset& recordset, const ComposedImport& composed, const SqlDialect& dialect)
{
    recordset.m_strFilter = composed.strFilter;
    recordset.m_strSort = composed.strSort;
    if (recordset.m_pDatabase)
    {
        CDatabase& db = *recordset.m_pDatabase;
        SetReadOnlySession(db, dialect);
        // A condition can make the statement run for ever (a sleep, a join
        // of a table with itself): the driver cancels it, and the user gets
        // the field mapping back.
        LimitStatementTime(db, dialect, ImportQueryTimeout());
        // A condition can carry free SQL (a typed one; a number's value goes
        // in as typed), and read-only is a hint to many drivers: whatever it
        // holds (a function that changes data, a lock), the import changes
        // nothing, for it runs in a transaction that is rolled back when the
        // connection closes. Without conditions the statement is the
        // module's own, and SQLite's driver hands rows over as it steps only
        // outside a transaction.
        if (!composed.strFilter.IsEmpty())
            db.BeginTrans();
    }
    // The rows are read once, front to back. A static cursor would have the
    // driver keep every row of an import of a million rows in memory; a
    // forward-only one lets it hand them over as it steps.
    recordset.Open(CRecordset::forwardOnly, composed.strStatement, CRecordset::readOnly);
}

CString ComposeRowCount(const CString& strStatement, const CString& strFilter)
{
    // The derived table is named without AS, which some servers refuse; the
    // filter's last line may end in a comment.
    CString strCounted = strStatement;
    if (!strFilter.IsEmpty())
        strCounted += " WHERE " + strFilter;
    return "SELECT COUNT(*) FROM (" + strCounted + "\n) rdm_rows";
}
