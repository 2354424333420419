#include "Statement.h"

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
