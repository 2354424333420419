#include "Identifier.h"

namespace
{
    CString DoubleQuoteCharacters(CString strName, const CString& strQuote)
    {
        strName.Replace(strQuote, strQuote + strQuote);
        return strName;
    }
}

CString QuoteIdentifier(const CString& strName, const CString& strQuote)
{
    if (strQuote.IsEmpty())
        return strName;
    CString strSeparator;
    strSeparator.Format("%s.%s", (LPCSTR)strQuote, (LPCSTR)strQuote);
    CString strQuoted = DoubleQuoteCharacters(strName, strQuote);
    strQuoted.Replace(".", strSeparator);
    return strQuote + strQuoted + strQuote;
}

CString QuoteWholeIdentifier(const CString& strName, const CString& strQuote)
{
    if (strQuote.IsEmpty())
        return strName;
    return strQuote + DoubleQuoteCharacters(strName, strQuote) + strQuote;
}

BOOL IsInOtherSchema(const CString& strSchema, const SqlDialect& dialect)
{
    return !strSchema.IsEmpty() && strSchema != dialect.strDefaultSchema;
}

CString QuoteTableName(const CString& strSchema, const CString& strTable, const SqlDialect& dialect)
{
    const CString strQuoted = QuoteWholeIdentifier(strTable, dialect.strIdentifierQuote);
    if (!IsInOtherSchema(strSchema, dialect))
        return strQuoted;
    return QuoteWholeIdentifier(strSchema, dialect.strIdentifierQuote) + "." + strQuoted;
}

CString TableDisplayName(const CString& strSchema, const CString& strTable, const SqlDialect& dialect)
{
    return IsInOtherSchema(strSchema, dialect) ? strSchema + "." + strTable : strTable;
}
