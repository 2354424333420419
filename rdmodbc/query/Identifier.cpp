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
