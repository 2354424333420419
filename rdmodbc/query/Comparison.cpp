#include "Comparison.h"

#include "Literal.h"
#include "framework/COleDateTime.h"

#include <sqlext.h>

namespace
{
    enum Rendering { renderNone, renderUnquoted, renderDateTime, renderQuoted };

    Rendering RenderingOf(int nSqlDataType)
    {
        if (nSqlDataType == SQL_BIT)
            return renderNone;
        if ((nSqlDataType >= SQL_TINYINT && nSqlDataType <= SQL_BINARY)
            || (nSqlDataType >= SQL_NUMERIC && nSqlDataType <= SQL_DOUBLE) || nSqlDataType == SQL_INTERVAL)
            return renderUnquoted;
        if (nSqlDataType == SQL_DATETIME)
            return renderDateTime;
        return renderQuoted;
    }

    void AppendFragment(CString& strText, const CString& strColumn, const CString& strOperator,
                        const CString& strValue)
    {
        if (!strText.IsEmpty())
            strText += " AND ";
        strText += "(" + strColumn + strOperator + strValue + ")";
    }

    bool IsDigitAt(const CString& strText, int nIndex)
    {
        return nIndex < strText.GetLength() && strText.GetAt(nIndex) >= '0' && strText.GetAt(nIndex) <= '9';
    }

    bool IsHexDigit(char ch)
    {
        return (ch >= '0' && ch <= '9') || (ch >= 'a' && ch <= 'f') || (ch >= 'A' && ch <= 'F');
    }

    // A value that goes in unquoted must be one: a number ([+-]digits, a
    // point, an exponent) or, for binary data, 0x and hexadecimal digits.
    // Anything else (a parenthesis, a word) would be SQL of the user's own
    // inside the module's condition.
    bool IsUnquotedLiteral(const CString& strValue, int nSqlDataType)
    {
        const char* p = strValue;
        while (*p == ' ')
            ++p;
        const bool bBinary = nSqlDataType >= SQL_LONGVARBINARY && nSqlDataType <= SQL_BINARY;
        if (bBinary && p[0] == '0' && (p[1] == 'x' || p[1] == 'X') && IsHexDigit(p[2]))
        {
            for (p += 2; IsHexDigit(*p); ++p)
                ;
        }
        else
        {
            if (*p == '+' || *p == '-')
                ++p;
            int nDigits = 0;
            for (; *p >= '0' && *p <= '9'; ++p)
                ++nDigits;
            if (*p == '.')
                for (++p; *p >= '0' && *p <= '9'; ++p)
                    ++nDigits;
            if (nDigits == 0)
                return false;
            if (*p == 'e' || *p == 'E')
            {
                ++p;
                if (*p == '+' || *p == '-')
                    ++p;
                if (!(*p >= '0' && *p <= '9'))
                    return false;
                while (*p >= '0' && *p <= '9')
                    ++p;
            }
        }
        while (*p == ' ')
            ++p;
        return *p == '\0';
    }

    // Takes the fraction of a second (".25" of "12:30:00.25") out of the
    // value and returns it: the date parser keeps whole seconds only, and
    // would round 12:30:00.6 up to the next second.
    CString TakeFractionOfSecond(CString& strValue)
    {
        const int nColon = strValue.ReverseFind(':');
        const int nPoint = nColon + 3;
        if (nColon < 0 || !IsDigitAt(strValue, nColon + 1) || !IsDigitAt(strValue, nColon + 2)
            || nPoint >= strValue.GetLength() || strValue.GetAt(nPoint) != '.' || !IsDigitAt(strValue, nPoint + 1))
            return CString();
        int nEnd = nPoint + 1;
        while (IsDigitAt(strValue, nEnd))
            ++nEnd;
        const CString strFraction = strValue.Mid(nPoint, nEnd - nPoint);
        strValue.Delete(nPoint, nEnd - nPoint);
        return strFraction;
    }

    int SubcodeOfValue(const COleDateTime& dateTime)
    {
        const double dDays = (double)(long long)dateTime.m_dt;
        if (dDays == 0)
            return SQL_CODE_TIME;
        return dateTime.m_dt == dDays ? SQL_CODE_DATE : SQL_CODE_TIMESTAMP;
    }
}

CString DoubleSingleQuotes(CString strText)
{
    strText.Replace("'", "''");
    return strText;
}

BOOL FormatDateTimeLiteral(const CString& strValue, int nDatetimeSub, CString& strLiteral)
{
    CString strWhole = strValue;
    const CString strFraction = TakeFractionOfSecond(strWhole);
    COleDateTime dateTime;
    if (!dateTime.ParseDateTime(strWhole, 0, LOCALE_USER_DEFAULT) || dateTime.GetStatus() != COleDateTime::valid)
        return FALSE;
    if (nDatetimeSub < SQL_CODE_DATE || nDatetimeSub > SQL_CODE_TIMESTAMP)
        nDatetimeSub = SubcodeOfValue(dateTime);
    switch (nDatetimeSub)
    {
    case SQL_CODE_TIME:
        strLiteral = "{t '" + dateTime.Format("%H:%M:%S") + strFraction + "'}";
        break;
    case SQL_CODE_TIMESTAMP:
        strLiteral = "{ts '" + dateTime.Format("%Y-%m-%d %H:%M:%S") + strFraction + "'}";
        break;
    default:
        strLiteral = dateTime.Format("{d '%Y-%m-%d'}");
        break;
    }
    return TRUE;
}

ConditionResult FormatComparison(int nSqlDataType, int nDatetimeSub, const CString& strColumn, CString strValue1,
                                 CString strValue2, CString strOperator1, CString strOperator2,
                                 const SqlDialect& dialect, CString& strDisplay, CString& strFilter,
                                 SqlTextFault* pFault)
{
    Rendering rendering = RenderingOf(nSqlDataType);
    if (rendering == renderNone)
        return conditionComposed;

    CString strDisplayText, strFilterText;
    const CString* apValues[2] = {&strValue1, &strValue2};
    const CString* apOperators[2] = {&strOperator1, &strOperator2};
    for (int i = 0; i < 2; ++i)
    {
        const CString& strValue = *apValues[i];
        const CString& strOperator = *apOperators[i];
        if (strValue.IsEmpty())
            continue;
        switch (rendering)
        {
        case renderUnquoted:
        {
            const SqlTextFault fault =
                IsUnquotedLiteral(strValue, nSqlDataType) ? CheckSqlValue(strValue, dialect) : sqlTextNotANumber;
            if (fault != sqlTextSound)
            {
                if (pFault)
                    *pFault = fault;
                return conditionUnsafeValue;
            }
            AppendFragment(strDisplayText, strColumn, strOperator, strValue);
            AppendFragment(strFilterText, strColumn, strOperator, strValue);
            break;
        }
        case renderDateTime:
        {
            CString strLiteral;
            if (!FormatDateTimeLiteral(strValue, nDatetimeSub, strLiteral))
                return conditionNotADateTime;
            AppendFragment(strDisplayText, strColumn, strOperator, "\"" + strValue + "\"");
            AppendFragment(strFilterText, strColumn, strOperator, strLiteral);
            break;
        }
        default:
            AppendFragment(strDisplayText, strColumn, strOperator, "'" + DoubleSingleQuotes(strValue) + "'");
            AppendFragment(strFilterText, strColumn, strOperator, QuoteText(strValue, dialect));
            break;
        }
    }
    if (!strDisplayText.IsEmpty())
        strDisplay = strDisplayText;
    if (!strFilterText.IsEmpty())
        strFilter = strFilterText;
    return conditionComposed;
}
