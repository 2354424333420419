#include "Characters.h"

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
