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
    // The runtime's atof, without its dependence on the C locale: leading
    // white space, an optional sign, the longest decimal prefix; 0 without one.
    double ReadLeadingNumber(const CString& strText)
    {
        const char* psz = strText;
        const char* pszEnd = psz + strText.GetLength();
        while (*psz == ' ' || (*psz >= '\t' && *psz <= '\r'))
            ++psz;
        bool bNegative = *psz == '-';
        if (*psz == '-' || *psz == '+')
            ++psz;
        bool bDigit = (psz[0] >= '0' && psz[0] <= '9') || (psz[0] == '.' && psz[1] >= '0' && psz[1] <= '9');
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
        // The conversion drops the fraction toward zero, as splitting it off
        // would, without the runtime's modf, which changes the floating-point
        // control word on every row.
        char szNumber[24];
        auto result = std::to_chars(szNumber, szNumber + sizeof szNumber, (int64_t)value);
        strText = CString(szNumber, (int)(result.ptr - szNumber));
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
                memcpy(pchTo, pch, nLength);
        }
        void Put(const CString& str) { Put(str, str.GetLength()); }
        void Fill(char ch, int nCount)
        {
            if (LPSTR pchTo = Claim(nCount))
                memset(pchTo, ch, nCount);
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
}

void DeliverFieldText(const OutputField& field, const CString& strValue, LPSTR lpszBuffer, int nMaxChars)
{
    if (lpszBuffer == nullptr)
        return;
    int nFill = 0;
    if (field.m_bPad && field.m_chPad != '\0' && field.m_nPadWidth > strValue.GetLength())
        nFill = field.m_nPadWidth - strValue.GetLength();
    CBoundedWriter writer(lpszBuffer, nMaxChars);
    writer.Put(field.m_strPrefix);
    if (!field.m_bPadRight)
        writer.Fill(field.m_chPad, nFill);
    writer.Put(strValue);
    if (field.m_bPadRight)
        writer.Fill(field.m_chPad, nFill);
    writer.Put(field.m_strSuffix);
}
