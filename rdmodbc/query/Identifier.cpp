#include "Identifier.h"

#include "Characters.h"

namespace
{
    // A quote character of a name stands for itself twice; the second byte
    // of a double-byte character that looks like one is none.
    CString DoubleQuoteCharacters(const CString& strName, const CString& strQuote)
    {
        if (strQuote.GetLength() == 1)
            return DoubleCharacters(strName, strQuote);
        CString strDoubled = strName;
        strDoubled.Replace(strQuote, strQuote + strQuote);
        return strDoubled;
    }
}

CString QuoteIdentifier(const CString& strName, const CString& strQuote)
{
    if (strQuote.IsEmpty())
        return strName;
    CString strSeparator;
    strSeparator.Format("%s.%s", (LPCSTR)strQuote, (LPCSTR)strQuote);
    // A "." is never the second byte of a character.
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
