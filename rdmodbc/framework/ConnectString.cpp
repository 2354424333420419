#include "ConnectString.h"

#include <cctype>

CString EntryKeyword(const CString& strEntry)
{
    int nEquals = strEntry.Find('=');
    CString strKeyword = nEquals < 0 ? strEntry : strEntry.Left(nEquals);
    CString strUpper;
    for (int i = 0; i < strKeyword.GetLength(); ++i)
        strUpper += (char)std::toupper((unsigned char)strKeyword.GetAt(i));
    return strUpper;
}

std::vector<CString> ConnectEntries(const CString& strConnect)
{
    std::vector<CString> entries;
    CString strEntry;
    bool bInBraces = false;
    for (int i = 0; i < strConnect.GetLength(); ++i)
    {
        const char ch = strConnect.GetAt(i);
        if (ch == ';' && !bInBraces)
        {
            if (!strEntry.IsEmpty())
                entries.push_back(strEntry);
            strEntry.Empty();
            continue;
        }
        if (ch == '{' || (ch == '}' && bInBraces))
            bInBraces = ch == '{';
        strEntry += ch;
    }
    if (!strEntry.IsEmpty())
        entries.push_back(strEntry);
    return entries;
}

CString ConnectStringName(const CString& strConnect)
{
    CString strDriver;
    for (const CString& strEntry : ConnectEntries(strConnect))
    {
        const int nEquals = strEntry.Find('=');
        if (nEquals < 0)
            continue;
        const CString strValue = strEntry.Mid(nEquals + 1);
        if (EntryKeyword(strEntry) == "DSN")
            return strValue;
        if (EntryKeyword(strEntry) == "DRIVER" && strDriver.IsEmpty())
            strDriver = strValue;
    }
    // A driver's name stands in braces.
    if (strDriver.GetLength() >= 2 && strDriver.GetAt(0) == '{' && strDriver.GetAt(strDriver.GetLength() - 1) == '}')
        strDriver = strDriver.Mid(1, strDriver.GetLength() - 2);
    return strDriver;
}
