#include "Condition.h"

#include "Comparison.h"
#include "Identifier.h"
#include "resource.h"

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

    void Negate(CString& strText)
    {
        if (!strText.IsEmpty())
            strText = "NOT (" + strText + ")";
    }
}

ConditionResult ComposeCondition(const ColumnInfo& column, const CString& strQuote, UINT nOperator,
                                 const CString& strValue1, const CString& strValue2, BOOL bNegate,
                                 CString& strDisplay, CString& strFilter)
{
    const CString strColumn = QuoteIdentifier(column.name, strQuote);
    strDisplay.Empty();
    strFilter.Empty();
    switch (nOperator)
    {
    case IDS_OP_LIKE:
        if (strValue1.IsEmpty())
            return conditionMissingValue;
        strDisplay = strColumn + " LIKE '" + DoubleSingleQuotes(strValue1) + "'";
        break;
    case IDS_OP_TRUE:
        strDisplay = strColumn;
        break;
    case IDS_OP_FALSE:
        strDisplay = "NOT " + strColumn;
        break;
    case IDS_OP_IS_NULL:
        strDisplay = strColumn + " IS NULL";
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
    strFilter = strDisplay;

    for (const ComparisonOperators& comparison : aComparisons)
    {
        if (comparison.nOperator != nOperator)
            continue;
        const CString strUpper = nOperator == IDS_OP_EQUAL ? CString() : strValue2;
        if (!FormatComparison(column.sqlDataType, column.datetimeSub, strColumn, strValue1, strUpper,
                              comparison.pszLower, comparison.pszUpper, strDisplay, strFilter))
            return conditionNotADateTime;
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
