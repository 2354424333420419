#include "Identifier.h"

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

CString QuoteWholeIdentifier(const CString& strName)
{
    return CString(chQuote) + DoubleQuoteCharacters(strName) + CString(chQuote);
}
