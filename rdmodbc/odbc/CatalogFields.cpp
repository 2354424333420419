#include "CatalogFields.h"

#include "Connection.h"

namespace
{
    const int UNKNOWN_LENGTH_FIELD_SIZE = 256;
    const int MAX_FIELD_SIZE = 2048;
    const int MAX_BYTES_PER_CHARACTER = 4;
}

int NameFieldSize(SQLUSMALLINT nReportedMaximum)
{
    // 0 is ODBC's "no maximum or unknown"; 32768 and more reads as negative
    // to drivers that think in signed 16 bits. A field of that size would
    // deliver every name empty.
    if (nReportedMaximum == 0 || nReportedMaximum >= 32768)
        return UNKNOWN_LENGTH_FIELD_SIZE;
    return nReportedMaximum < MAX_FIELD_SIZE ? nReportedMaximum : MAX_FIELD_SIZE;
}

int NameFieldBytes(const CDatabase& db, SQLUSMALLINT nInfoType)
{
    SQLUSMALLINT nMaxLength = 0;
    if (!SQL_SUCCEEDED(::SQLGetInfo(db.m_hdbc, nInfoType, &nMaxLength, sizeof nMaxLength, nullptr)))
        nMaxLength = 0;
    return NameFieldSize(nMaxLength) * MAX_BYTES_PER_CHARACTER;
}

CString SearchPatternOf(const CDatabase& db, const CString& strName)
{
    char szEscape[8] = "";
    SQLSMALLINT nLength = 0;
    if (!SQL_SUCCEEDED(::SQLGetInfo(db.m_hdbc, SQL_SEARCH_PATTERN_ESCAPE, szEscape, sizeof szEscape, &nLength))
        || nLength != 1)
        return strName;
    CString strPattern;
    for (int i = 0; i < strName.GetLength(); ++i)
    {
        const char ch = strName.GetAt(i);
        if (::IsDBCSLeadByte((BYTE)ch) && i + 1 < strName.GetLength())
        {
            strPattern += ch;
            strPattern += strName.GetAt(++i);
            continue;
        }
        if (ch == '_' || ch == '%' || ch == szEscape[0])
            strPattern += szEscape[0];
        strPattern += ch;
    }
    return strPattern;
}

CCatalogArgument::CCatalogArgument(const CDatabase& db)
    : m_strCatalog(CurrentCatalog(db))
{
}

SQLRETURN CCatalogArgument::Call(
    const std::function<SQLRETURN(SQLCHAR* pszCatalog, SQLSMALLINT nLength)>& catalogFunction) const
{
    if (m_strCatalog.IsEmpty())
        return catalogFunction(nullptr, 0);
    SQLRETURN nRetCode = catalogFunction((SQLCHAR*)(LPCSTR)m_strCatalog, (SQLSMALLINT)m_strCatalog.GetLength());
    if (!SQL_SUCCEEDED(nRetCode))
        nRetCode = catalogFunction(nullptr, 0);
    return nRetCode;
}
