#include "Literal.h"

#include "Characters.h"

namespace
{
    // The escape character of the patterns: one seldom typed, since it is
    // written twice wherever it is.
    const char chLikeEscape = '!';
}

CString QuoteText(const CString& strText, const SqlDialect& dialect)
{
    return "'" + DoubleCharacters(strText, dialect.bBackslashEscapes ? "'\\" : "'") + "'";
}

CString QuoteLikePattern(const CString& strPattern, const SqlDialect& dialect)
{
    const char szEscape[] = {chLikeEscape, '\0'};
    return QuoteText(DoubleCharacters(strPattern, szEscape), dialect) + " ESCAPE '" + szEscape + "'";
}
