#include "Comparison.h"

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
}

CString DoubleSingleQuotes(CString strText)
{
    strText.Replace("'", "''");
    return strText;
}

BOOL FormatDateTimeLiteral(const CString& strValue, int nDatetimeSub, CString& strLiteral)
{
    COleDateTime dateTime;
    if (!dateTime.ParseDateTime(strValue, 0, LOCALE_USER_DEFAULT) || dateTime.GetStatus() != COleDateTime::valid)
        return FALSE;
    switch (nDatetimeSub)
    {
    case SQL_CODE_TIME:
        strLiteral = dateTime.Format("{t '%H:%M:%S'}");
        break;
    case SQL_CODE_TIMESTAMP:
        strLiteral = dateTime.Format("{ts '%Y-%m-%d %H:%M:%S'}");
        break;
    default:
        strLiteral = dateTime.Format("{d '%Y-%m-%d'}");
        break;
    }
    return TRUE;
}

BOOL FormatComparison(int nSqlDataType, int nDatetimeSub, const CString& strColumn, CString strValue1,
                      CString strValue2, CString strOperator1, CString strOperator2, CString& strDisplay,
                      CString& strFilter)
{
    Rendering rendering = RenderingOf(nSqlDataType);
    if (rendering == renderNone)
        return TRUE;

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
        case renderDateTime:
        {
            CString strLiteral;
            if (!FormatDateTimeLiteral(strValue, nDatetimeSub, strLiteral))
                return FALSE;
            AppendFragment(strDisplayText, strColumn, strOperator, "\"" + strValue + "\"");
            AppendFragment(strFilterText, strColumn, strOperator, strLiteral);
            break;
        }
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
    return TRUE;
}
