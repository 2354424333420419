#include "ConnectionCharset.h"

#include <cctype>

namespace
{
    // The character sets whose second byte of a character may be one below
    // 0x80 (a backslash, a grave accent), with the code page that is each.
    struct DoubleByteCharset
    {
        const char* pszName;
        UINT        nCodePage;
    };
    const DoubleByteCharset aDoubleByteCharsets[] = {
        {"sjis", 932},  {"cp932", 932},  {"shiftjis", 932}, {"gbk", 936},  {"cp936", 936},
        {"gb18030", 936}, {"big5", 950}, {"cp950", 950},     {"uhc", 949}, {"cp949", 949},
        {"johab", 1361},
    };

    BOOL IsDoubleByteCodePage(UINT nCodePage)
    {
        for (const DoubleByteCharset& charset : aDoubleByteCharsets)
        {
            if (charset.nCodePage == nCodePage)
                return TRUE;
        }
        return FALSE;
    }

    CString PlainName(const CString& strCharset)
    {
        CString strName;
        for (int i = 0; i < strCharset.GetLength(); ++i)
        {
            const char ch = strCharset.GetAt(i);
            if (ch != '-' && ch != '_')
                strName += (char)std::tolower((unsigned char)ch);
        }
        return strName;
    }
}

BOOL IsReadAsCodePage(const CString& strCharset, UINT nCodePage)
{
    const CString strName = PlainName(strCharset);
    if (strName.IsEmpty())
        return FALSE;
    for (const DoubleByteCharset& charset : aDoubleByteCharsets)
    {
        if (strName == charset.pszName)
            return charset.nCodePage == nCodePage;
    }
    // Single-byte sets, UTF-8 and the EUC sets keep every byte below 0x80
    // to itself, as a code page of one byte does.
    return !IsDoubleByteCodePage(nCodePage);
}
