#include "Condition.h"

#include "Identifier.h"
#include "Literal.h"
#include "resource.h"

#include <sqlext.h>

namespace
{
    // What each comparison operator writes before its first and its second value.
    struct ComparisonOperators
    {
        UINT        nOperator;
        const char* pszLower;
        const char* pszUpper;
    };

    const ComparisonOperators aComparisons[] = {
        {IDS_OP_EQUAL,             "=",  ""},
        {IDS_OP_BETWEEN_EXCLUSIVE, ">",  "<"},
        {IDS_OP_FROM_INCL_TO_EXCL, ">=", "<"},
        {IDS_OP_FROM_EXCL_TO_INCL, ">",  "<="},
        {IDS_OP_BETWEEN_INCLUSIVE, ">=", "<="},
    };

    // The subcode that chooses a date or time literal. A driver that leaves
    // it out still names the type: a timestamp must not be compared with a
    // date.
    int DateTimeSubcode(const ColumnInfo& column)
    {
        if (column.datetimeSub >= SQL_CODE_DATE && column.datetimeSub <= SQL_CODE_TIMESTAMP)
            return column.datetimeSub;
        switch (column.dataType)
        {
        case SQL_TYPE_DATE:
        case SQL_DATE:
            return SQL_CODE_DATE;
        case SQL_TYPE_TIME:
        case SQL_TIME:
            return SQL_CODE_TIME;
        case SQL_TYPE_TIMESTAMP:
        case SQL_TIMESTAMP:
            return SQL_CODE_TIMESTAMP;
        }
        return 0;
    }

    void Negate(CString& strText)
    {
        if (!strText.IsEmpty())
            strText = "NOT (" + strText + ")";
    }
}

ConditionResult ComposeCondition(const ColumnInfo& column, const SqlDialect& dialect, UINT nOperator,
                                 const CString& strValue1, const CString& strValue2, BOOL bNegate,
                                 CString& strDisplay, CString& strFilter, SqlTextFault* pFault)
{
    const CString strColumn = QuoteIdentifier(column.name, dialect.strIdentifierQuote);
    strDisplay.Empty();
    strFilter.Empty();
    switch (nOperator)
    {
    case IDS_OP_LIKE:
        if (strValue1.IsEmpty())
            return conditionMissingValue;
        strDisplay = strColumn + " LIKE '" + DoubleSingleQuotes(strValue1) + "'";
        strFilter = strColumn + " LIKE " + QuoteLikePattern(strValue1, dialect);
        break;
    case IDS_OP_TRUE:
        strDisplay = strFilter = strColumn;
        break;
    case IDS_OP_FALSE:
        strDisplay = strFilter = "NOT " + strColumn;
        break;
    case IDS_OP_IS_NULL:
        strDisplay = strFilter = strColumn + " IS NULL";
        break;
    case IDS_OP_EQUAL:
        // Equality reads the first value only; a text left in the second
        // field must not let an empty comparison through as a condition.
        if (strValue1.IsEmpty())
            return conditionMissingValue;
        break;
    default:
        if (strValue1.IsEmpty() && strValue2.IsEmpty())
            return conditionMissingValue;
        break;
    }

    for (const ComparisonOperators& comparison : aComparisons)
    {
        if (comparison.nOperator != nOperator)
            continue;
        const CString strUpper = nOperator == IDS_OP_EQUAL ? CString() : strValue2;
        const ConditionResult result =
            FormatComparison(column.sqlDataType, DateTimeSubcode(column), strColumn, strValue1, strUpper,
                             comparison.pszLower, comparison.pszUpper, dialect, strDisplay, strFilter, pFault);
        if (result != conditionComposed)
            return result;
    }

    if (bNegate)
    {
        Negate(strDisplay);
        Negate(strFilter);
    }
    return conditionComposed;
}

std::vector<const char*> ConditionFilterTexts(const ColumnInfo* pConditions, int nConditions,
                                              BOOL bUseConditions)
{
    std::vector<const char*> filters;
    if (pConditions == nullptr || nConditions == 0 || !bUseConditions)
        return filters;
    for (int i = 0; i < nConditions; ++i)
        filters.push_back(pConditions[i].filterText);
    return filters;
}
