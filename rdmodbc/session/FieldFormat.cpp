#include "FieldFormat.h"

#include "framework/COleDateTime.h"
#include "framework/CException.h"
#include "framework/CRecordset.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <utility>

namespace
{
    // The runtime's atof, without its dependence on the C locale: leading
    // white space, an optional sign, the longest decimal prefix; 0 without one.
    double ReadLeadingNumber(const char* psz)
    {
        while (*psz == ' ' || (*psz >= '\t' && *psz <= '\r'))
            ++psz;
        bool bNegative = *psz == '-';
        if (*psz == '-' || *psz == '+')
            ++psz;
        bool bDigit = (psz[0] >= '0' && psz[0] <= '9') || (psz[0] == '.' && psz[1] >= '0' && psz[1] <= '9');
        if (!bDigit)
            return 0;
        double value = 0;
        const char* pszEnd = psz + strlen(psz);
        auto result = std::from_chars(psz, pszEnd, value, std::chars_format::general);
        if (result.ec == std::errc::result_out_of_range)
        {
            // Too large a magnitude gives infinity, too small a one 0, as strtod.
            const char* pszExponent = std::strpbrk(psz, "eE");
            bool bTiny = pszExponent && pszExponent < result.ptr && pszExponent[1] == '-';
            value = bTiny ? 0 : std::numeric_limits<double>::infinity();
        }
        return bNegative ? -value : value;
    }
}

void AppendColumnText(CRecordset& recordset, short nColumn, CString& strText)
{
    if (nColumn < 0)
        return;
    // Read as text, a NULL as "": every row of an import passes here, and the
    // text needs no variant around it on its way into the field.
    CString strValue;
    try
    {
        recordset.GetFieldValue(nColumn, strValue);
    }
    catch (CException* pException)
    {
        pException->Delete();
        return;
    }
    if (strText.IsEmpty())
        strText = std::move(strValue);
    else
        strText += strValue;
}

void FormatAsInteger(CString& strText)
{
    const double dLimit = 9223372036854775808.0;   // 2^63
    double value = ReadLeadingNumber(strText);
    if (value > -dLimit && value < dLimit)
    {
        double whole = 0;
        std::modf(value, &whole);
        char szNumber[24];
        auto result = std::to_chars(szNumber, szNumber + sizeof szNumber - 1, (int64_t)whole);
        *result.ptr = '\0';
        strText = szNumber;
        return;
    }
    int nPoint = strText.ReverseFind('.');
    if (nPoint >= 0)
        strText = strText.Left(nPoint);
}

void FormatAsDateTime(CString& strText, BOOL bDate)
{
    COleDateTime dateTime;
    dateTime.ParseDateTime(strText, bDate ? VAR_DATEVALUEONLY : VAR_TIMEVALUEONLY, LANG_USER_DEFAULT);
    if (dateTime.GetStatus() != COleDateTime::valid)
        return;
    strText = dateTime.Format(bDate ? "%Y-%m-%d" : "%H:%M:%S");
}

CString FormatFieldText(const OutputField& field, CString strValue)
{
    if (field.m_bInteger)
        FormatAsInteger(strValue);
    if (field.m_bDate)
        FormatAsDateTime(strValue, TRUE);
    if (field.m_bTime)
        FormatAsDateTime(strValue, FALSE);
    if (field.m_bPad && field.m_chPad != '\0')
    {
        int nFill = field.m_nPadWidth - strValue.GetLength();
        if (nFill > 0)
            strValue = field.m_bPadRight ? strValue + CString(field.m_chPad, nFill)
                                         : CString(field.m_chPad, nFill) + strValue;
    }
    if (field.m_strPrefix.IsEmpty() && field.m_strSuffix.IsEmpty())
        return strValue;
    CString strText = field.m_strPrefix;
    strText += strValue;
    strText += field.m_strSuffix;
    return strText;
}

void DeliverFieldText(const CString& strText, LPSTR lpszBuffer, int nMaxChars)
{
    if (lpszBuffer == nullptr)
        return;
    int nLength = strText.GetLength();
    if (nMaxChars < 0)
        nMaxChars = 0;
    if (nLength > nMaxChars)
        nLength = nMaxChars;
    memcpy(lpszBuffer, (LPCSTR)strText, nLength);
    lpszBuffer[nLength] = '\0';
}
