#include "Literal.h"

namespace
{
    // The escape character of the patterns: one seldom typed, since it is
    // written twice wherever it is.
    const char chLikeEscape = '!';

    // Each character of the text, with those of pszDoubled written twice; a
    // character of two bytes is copied whole, for its second byte may look
    // like a backslash and be none. A first byte without its second is no
    // character, and a driver could take the quote after it into it: it
    // becomes "?", as a conversion of the code page would make it.
    CString DoubleCharacters(const CString& strText, const char* pszDoubled)
    {
        CString strResult;
        const int nLength = strText.GetLength();
        for (int i = 0; i < nLength; ++i)
        {
            const char ch = strText.GetAt(i);
            if (::IsDBCSLeadByte((BYTE)ch))
            {
                const bool bWhole = i + 1 < nLength && (BYTE)strText.GetAt(i + 1) >= 0x40;
                strResult += bWhole ? ch : '?';
                if (bWhole)
                    strResult += strText.GetAt(++i);
                continue;
            }
            for (const char* p = pszDoubled; *p; ++p)
            {
                if (*p == ch)
                    strResult += ch;
            }
            strResult += ch;
        }
        return strResult;
    }
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
