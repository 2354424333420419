#include "Statement.h"

namespace
{
    const char chQuote = '`';

    CString DoubleQuoteCharacters(CString strName)
    {
        strName.Replace("`", "``");
        return strName;
    }
}

CString QuoteIdentifier(const CString& strName)
{
    CString strSeparator;
    strSeparator.Format("%s.%s", "`", "`");
    CString strQuoted = DoubleQuoteCharacters(strName);
    strQuoted.Replace(".", strSeparator);
    return CString(chQuote) + strQuoted + CString(chQuote);
}

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
                         OutputField fields[OUTPUT_FIELDS])
{
    fields[PRIMARY_FIELD_INDEX].m_nColumn = 0;
    CString strSQL = "SELECT DISTINCT ";
    strSQL += QuoteIdentifier(astrColumns[PRIMARY_FIELD_INDEX]);
    int nNextPosition = 1;
    for (int nField : {0, 2, 3})
    {
        fields[nField].m_nColumn = -1;
        if (astrColumns[nField].IsEmpty())
            continue;
        strSQL += ",";
        strSQL += QuoteIdentifier(astrColumns[nField]);
        fields[nField].m_nColumn = nNextPosition++;
    }
    strSQL += " FROM ";
    strSQL += CString(chQuote) + DoubleQuoteCharacters(strTable) + CString(chQuote);
    return strSQL;
}
