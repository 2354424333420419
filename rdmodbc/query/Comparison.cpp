#include "Comparison.h"

#include "framework/COleDateTime.h"

#include <charconv>

namespace
{
    enum Rendering { renderNone, renderUnquoted, renderDate, renderQuoted };

    Rendering RenderingOf(int nSqlDataType)
    {
        if (nSqlDataType == -7)
            return renderNone;
        if ((nSqlDataType >= -6 && nSqlDataType <= -2) || (nSqlDataType >= 2 && nSqlDataType <= 8)
            || nSqlDataType == 10)
            return renderUnquoted;
        if (nSqlDataType == 9)
            return renderDate;
        return renderQuoted;
    }

    void AppendFragment(CString& strText, const CString& strColumn, const CString& strOperator,
                        const CString& strValue)
    {
        if (!strText.IsEmpty())
            strText += " AND ";
        strText += "(" + strColumn + strOperator + strValue + ")";
    }
}

CString DoubleSingleQuotes(CString strText)
{
    strText.Replace("'", "''");
    return strText;
}

CString FormatDayNumber(const CString& strValue)
{
    // A text the parser cannot read leaves the day number 0.
    COleDateTime date;
    date.ParseDateTime(strValue, 0, LOCALE_USER_DEFAULT);
    // The SQL needs a decimal point whatever numeric locale the host has set
    // in the C runtime, so the number is not printed with "%f".
    char szNumber[400];
    std::to_chars_result result =
        std::to_chars(szNumber, szNumber + sizeof szNumber, date.m_dt, std::chars_format::fixed, 6);
    return CString(szNumber, (int)(result.ptr - szNumber));
}

void FormatComparison(int nSqlDataType, const CString& strColumn, CString strValue1, CString strValue2,
                      CString strOperator1, CString strOperator2, CString& strDisplay, CString& strFilter)
{
    Rendering rendering = RenderingOf(nSqlDataType);
    if (rendering == renderNone)
        return;

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
            AppendFragment(strDisplayText, strColumn, strOperator, strValue);
            AppendFragment(strFilterText, strColumn, strOperator, strValue);
            break;
        case renderDate:
            AppendFragment(strDisplayText, strColumn, strOperator, "\"" + strValue + "\"");
            AppendFragment(strFilterText, strColumn, strOperator, FormatDayNumber(strValue));
            break;
        default:
            AppendFragment(strDisplayText, strColumn, strOperator, "'" + DoubleSingleQuotes(strValue) + "'");
            AppendFragment(strFilterText, strColumn, strOperator, "'" + DoubleSingleQuotes(strValue) + "'");
            break;
        }
    }
    if (!strDisplayText.IsEmpty())
        strDisplay = strDisplayText;
    if (!strFilterText.IsEmpty())
        strFilter = strFilterText;
}
