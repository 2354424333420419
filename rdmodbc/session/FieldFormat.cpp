#include "FieldFormat.h"

#include "framework/COleDateTime.h"
#include "framework/CException.h"
#include "framework/CRecordset.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

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

namespace
{
    // The column's text; "" for a NULL and for a read that failed, whose
    // exception is dropped.
    void ReadColumnText(CRecordset& recordset, short nColumn, CString& strValue)
    {
        try
        {
            recordset.GetFieldValue(nColumn, strValue);
        }
        catch (CException* pException)
        {
            pException->Delete();
            strValue.Empty();
        }
    }
}

void AppendColumnText(CRecordset& recordset, short nColumn, CString& strText)
{
    if (nColumn < 0)
        return;
    // Every row of an import passes here: an empty text takes the value
    // straight into the room it kept from the last row.
    if (strText.IsEmpty())
    {
        ReadColumnText(recordset, nColumn, strText);
        return;
    }
    CString strValue;
    ReadColumnText(recordset, nColumn, strValue);
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
    // Copied in, so that the text keeps its room for the next row's value.
    strText = (LPCSTR)dateTime.Format(bDate ? "%Y-%m-%d" : "%H:%M:%S");
}

void FormatFieldText(const OutputField& field, CString& strValue, CString& strText)
{
    if (field.m_bInteger)
        FormatAsInteger(strValue);
    if (field.m_bDate)
        FormatAsDateTime(strValue, TRUE);
    if (field.m_bTime)
        FormatAsDateTime(strValue, FALSE);
    int nFill = 0;
    if (field.m_bPad && field.m_chPad != '\0' && field.m_nPadWidth > strValue.GetLength())
        nFill = field.m_nPadWidth - strValue.GetLength();
    // Assigned and appended, not built anew, so that the text keeps its room.
    strText = field.m_strPrefix;
    if (nFill > 0 && !field.m_bPadRight)
        strText += CString(field.m_chPad, nFill);
    strText += strValue;
    if (nFill > 0 && field.m_bPadRight)
        strText += CString(field.m_chPad, nFill);
    strText += field.m_strSuffix;
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
