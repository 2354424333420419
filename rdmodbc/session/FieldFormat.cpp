#include "FieldFormat.h"

#include "framework/COleDateTime.h"
#include "framework/CException.h"
#include "framework/CRecordset.h"

#include <charconv>
#include <cstdint>
#include <cstring>
#include <limits>

namespace
{
    bool IsDigit(char ch) { return ch >= '0' && ch <= '9'; }

    // Past the leading white space and an optional sign, as atof reads them.
    const char* SkipToDigits(const char* psz, bool& bNegative)
    {
        while (*psz == ' ' || (*psz >= '\t' && *psz <= '\r'))
            ++psz;
        bNegative = *psz == '-';
        if (*psz == '-' || *psz == '+')
            ++psz;
        return psz;
    }

    // The whole part of a plain decimal number (digits, a point, digits),
    // read from its digits without converting the number, where that gives
    // what the conversion and the cut toward zero give: up to 15 digits
    // before the point, so that the nearest double is within 1/16 of the
    // number, and no 9 right after it, so that the fraction stays below 0.9
    // and cannot round up into the next whole number. FALSE where it cannot
    // tell: more digits, an exponent, a fraction from .9, no digit at all.
    bool ReadPlainWholePart(const CString& strText, int64_t& nWhole)
    {
        bool bNegative = false;
        const char* psz = SkipToDigits(strText, bNegative);
        const char* pszDigits = psz;
        int64_t nValue = 0;
        for (; IsDigit(*psz); ++psz)
        {
            if (psz - pszDigits == 15)
                return false;
            nValue = nValue * 10 + (*psz - '0');
        }
        bool bDigit = psz > pszDigits;
        if (*psz == '.')
        {
            if (*++psz == '9')
                return false;
            bDigit = bDigit || IsDigit(*psz);
            while (IsDigit(*psz))
                ++psz;
        }
        if (!bDigit || *psz == 'e' || *psz == 'E')
            return false;
        nWhole = bNegative ? -nValue : nValue;
        return true;
    }

    // The runtime's atof, without its dependence on the C locale: leading
    // white space, an optional sign, the longest decimal prefix; 0 without one.
    double ReadLeadingNumber(const CString& strText)
    {
        const char* pszEnd = (LPCSTR)strText + strText.GetLength();
        bool bNegative = false;
        const char* psz = SkipToDigits(strText, bNegative);
        bool bDigit = IsDigit(psz[0]) || (psz[0] == '.' && IsDigit(psz[1]));
        if (!bDigit)
            return 0;
        double value = 0;
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

void ReadColumnText(CRecordset& recordset, short nColumn, CString& strValue)
{
    // Every row of an import passes here: the value goes straight into the
    // room the text kept from the last row.
    strValue.Empty();
    if (nColumn < 0)
        return;
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

void FormatAsInteger(CString& strText)
{
    const double dLimit = 9223372036854775808.0;   // 2^63
    int64_t nWhole = 0;
    bool bWhole = ReadPlainWholePart(strText, nWhole);
    if (!bWhole)
    {
        double value = ReadLeadingNumber(strText);
        // The conversion drops the fraction toward zero, as splitting it off
        // would, without the runtime's modf, which changes the floating-point
        // control word on every row.
        bWhole = value > -dLimit && value < dLimit;
        if (bWhole)
            nWhole = (int64_t)value;
    }
    if (bWhole)
    {
        char szNumber[24];
        auto result = std::to_chars(szNumber, szNumber + sizeof szNumber, nWhole);
        const int nDigits = (int)(result.ptr - szNumber);
        // Most often the text begins with the number as it is written: only
        // its fraction goes.
        if (std::strncmp(strText, szNumber, nDigits) == 0
            && (strText.GetLength() == nDigits || strText.GetAt(nDigits) == '.'))
        {
            strText.Delete(nDigits, strText.GetLength() - nDigits);
            return;
        }
        strText.Empty();
        strText.Append(szNumber, nDigits);
        return;
    }
    int nPoint = strText.ReverseFind('.');
    if (nPoint >= 0)
        strText = strText.Left(nPoint);
}

namespace
{
    // The text begins with a date as the rule writes it: yyyy-mm-dd.
    bool StartsAsFormattedDate(const CString& strText)
    {
        static const char szPattern[] = "0000-00-00";
        if (strText.GetLength() < (int)sizeof szPattern - 1)
            return false;
        for (int i = 0; i < (int)sizeof szPattern - 1; ++i)
        {
            const char ch = strText.GetAt(i);
            if (szPattern[i] == '-' ? ch != '-' : !IsDigit(ch))
                return false;
        }
        return true;
    }
}

void FormatAsDateTime(CString& strText, BOOL bDate)
{
    COleDateTime dateTime;
    dateTime.ParseDateTime(strText, bDate ? VAR_DATEVALUEONLY : VAR_TIMEVALUEONLY, LANG_USER_DEFAULT);
    if (dateTime.GetStatus() != COleDateTime::valid)
        return;
    // A valid date that a driver wrote in the ODBC form, as most do, is
    // already the rule's text: the time behind it only goes.
    const int nDateLength = 10;
    if (bDate && StartsAsFormattedDate(strText))
    {
        strText.Delete(nDateLength, strText.GetLength() - nDateLength);
        return;
    }
    // Moved in: a short result goes into the text's own room, which the next
    // row's value reuses.
    strText = dateTime.Format(bDate ? "%Y-%m-%d" : "%H:%M:%S");
}

void ApplyValueRules(const OutputField& field, CString& strValue)
{
    if (field.m_bInteger)
        FormatAsInteger(strValue);
    if (field.m_bDate)
        FormatAsDateTime(strValue, TRUE);
    if (field.m_bTime)
        FormatAsDateTime(strValue, FALSE);
}

namespace
{
    // Short runs of bytes, copied and filled here rather than by the runtime:
    // msvcrt's memmove and memset (Wine's too) move a few bytes one by one
    // with string instructions behind a call, and every field of every row
    // is a few bytes. Kept as loops: the compiler would otherwise turn them
    // back into those calls.
    __attribute__((optimize("no-tree-loop-distribute-patterns")))
    void CopyBytes(LPSTR pchTo, LPCSTR pchFrom, int nCount)
    {
        for (int i = 0; i < nCount; ++i)
            pchTo[i] = pchFrom[i];
    }

    __attribute__((optimize("no-tree-loop-distribute-patterns")))
    void FillBytes(LPSTR pchTo, char ch, int nCount)
    {
        for (int i = 0; i < nCount; ++i)
            pchTo[i] = ch;
    }

    // The caller's buffer, written piece by piece up to its limit. Every
    // field of every row passes here, so the pieces go straight into the
    // buffer instead of being put together first.
    class CBoundedWriter
    {
    public:
        CBoundedWriter(LPSTR lpszBuffer, int nMaxChars) : m_pch(lpszBuffer), m_nRoom(nMaxChars < 0 ? 0 : nMaxChars) {}
        ~CBoundedWriter() { *m_pch = '\0'; }

        void Put(LPCSTR pch, int nLength)
        {
            if (LPSTR pchTo = Claim(nLength))
                CopyBytes(pchTo, pch, nLength);
        }
        void Put(const CString& str) { Put(str, str.GetLength()); }
        void Fill(char ch, int nCount)
        {
            if (LPSTR pchTo = Claim(nCount))
                FillBytes(pchTo, ch, nCount);
        }

    private:
        // Takes room for up to nLength bytes and cuts nLength to it; where
        // the bytes go, or nullptr when none fit.
        LPSTR Claim(int& nLength)
        {
            if (nLength > m_nRoom)
                nLength = m_nRoom;
            if (nLength <= 0)
                return nullptr;
            LPSTR pchTo = m_pch;
            m_pch += nLength;
            m_nRoom -= nLength;
            return pchTo;
        }

        LPSTR m_pch;
        int   m_nRoom;
    };

    bool HasValueRules(const OutputField& field)
    {
        return field.m_bInteger || field.m_bDate || field.m_bTime;
    }
}

void DeliverFieldText(const OutputField& field, LPCSTR pchValue, int nValueLength, LPSTR lpszBuffer, int nMaxChars)
{
    if (lpszBuffer == nullptr)
        return;
    if (field.m_bOnlyWithValue && nValueLength == 0)
    {
        *lpszBuffer = '\0';
        return;
    }
    int nFill = 0;
    if (field.m_bPad && field.m_chPad != '\0' && field.m_nPadWidth > nValueLength)
        nFill = field.m_nPadWidth - nValueLength;
    CBoundedWriter writer(lpszBuffer, nMaxChars);
    writer.Put(field.m_strPrefix);
    if (!field.m_bPadRight)
        writer.Fill(field.m_chPad, nFill);
    writer.Put(pchValue, nValueLength);
    if (field.m_bPadRight)
        writer.Fill(field.m_chPad, nFill);
    writer.Put(field.m_strSuffix);
}

void DeliverFieldText(const OutputField& field, const CString& strValue, LPSTR lpszBuffer, int nMaxChars)
{
    DeliverFieldText(field, strValue, strValue.GetLength(), lpszBuffer, nMaxChars);
}

void DeliverField(const OutputField& field, CString& strValue, LPSTR lpszBuffer, int nMaxChars)
{
    // An empty value of a field that shows only values stays empty: the
    // rules would make 0 of nothing.
    if (!(field.m_bOnlyWithValue && strValue.IsEmpty()))
        ApplyValueRules(field, strValue);
    DeliverFieldText(field, strValue, lpszBuffer, nMaxChars);
}

void DeliverRow(CRecordset& recordset, const OutputField fields[OUTPUT_FIELDS], CString& strValue,
                LPSTR alpszFields[OUTPUT_FIELDS], const int anMaxChars[OUTPUT_FIELDS])
{
    for (int k : FIELDS_IN_SELECT_ORDER)
    {
        const OutputField& field = fields[k];
        // A value that the rules leave as it is goes from the row's bound
        // buffer straight into the host's.
        LPCSTR pchValue = nullptr;
        int nLength = 0;
        if (!HasValueRules(field) && field.m_nColumn >= 0
            && recordset.GetBoundText((short)field.m_nColumn, pchValue, nLength))
        {
            DeliverFieldText(field, pchValue, nLength, alpszFields[k], anMaxChars[k]);
            continue;
        }
        ReadColumnText(recordset, (short)field.m_nColumn, strValue);
        DeliverField(field, strValue, alpszFields[k], anMaxChars[k]);
    }
}
