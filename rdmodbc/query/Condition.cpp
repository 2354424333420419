#include "Condition.h"

#include "Identifier.h"
#include "Literal.h"

#include <sqlext.h>

namespace
{
    // What each comparison operator writes before its first and its second value.
    struct ComparisonOperators
    {
        ConditionOperator op;
        const char* pszLower;
        const char* pszUpper;
    };

    const ComparisonOperators aComparisons[] = {
        {opEqual,             "=",  ""},
        {opBetweenExclusive, ">",  "<"},
        {opFromInclToExcl, ">=", "<"},
        {opFromExclToIncl, ">",  "<="},
        {opBetweenInclusive, ">=", "<="},
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

ConditionResult ComposeCondition(const ColumnInfo& column, const SqlDialect& dialect, ConditionOperator op,
                                 const CString& strValue1, const CString& strValue2, BOOL bNegate,
                                 CString& strDisplay, CString& strFilter, SqlTextFault* pFault)
{
    const CString strColumn = QuoteIdentifier(column.name, dialect.strIdentifierQuote);
    strDisplay.Empty();
    strFilter.Empty();
    switch (op)
    {
    case opLike:
        if (strValue1.IsEmpty())
            return conditionMissingValue;
        strDisplay = strColumn + " LIKE '" + DoubleSingleQuotes(strValue1) + "'";
        strFilter = strColumn + " LIKE " + QuoteLikePattern(strValue1, dialect);
        break;
    case opTrue:
        strDisplay = strFilter = strColumn;
        break;
    case opFalse:
        strDisplay = strFilter = "NOT " + strColumn;
        break;
    case opIsNull:
        strDisplay = strFilter = strColumn + " IS NULL";
        break;
    case opEqual:
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
        if (comparison.op != op)
            continue;
        const CString strUpper = op == opEqual ? CString() : strValue2;
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
    // Written by the dialect's rules, the filter reads as it is meant; where
    // the engine's reading is not known for sure, it is checked as typed
    // text is.
    const SqlTextFault fault = CheckSqlCondition(strFilter, dialect);
    if (fault != sqlTextSound)
    {
        if (pFault)
            *pFault = fault;
        strDisplay.Empty();
        strFilter.Empty();
        return conditionUnsafeValue;
    }
    return conditionComposed;
}

ConditionResult RecomposeCondition(ColumnInfo& condition, const SqlDialect& dialect, SqlTextFault* pFault)
{
    if (condition.name == nullptr)
    {
        const SqlTextFault fault = condition.filterText ? CheckSqlCondition(condition.filterText, dialect) : sqlTextSound;
        if (pFault)
            *pFault = fault;
        return fault == sqlTextSound ? conditionComposed : conditionUnsafeValue;
    }
    CString strDisplay, strFilter;
    const ConditionResult result =
        ComposeCondition(condition, dialect, (ConditionOperator)condition.conditionOperator, condition.value1,
                         condition.value2, condition.negated, strDisplay, strFilter, pFault);
    // An asked condition need not offer a value: it has no texts until the
    // values are given.
    if (result == conditionComposed || (result == conditionMissingValue && condition.asked))
    {
        SetConditionTexts(condition, strDisplay, strFilter);
        return conditionComposed;
    }
    return result;
}

BOOL HasAskedConditions(const ColumnInfo* pConditions, int nConditions, BOOL bUseConditions)
{
    for (int i = 0; bUseConditions && pConditions != nullptr && i < nConditions; ++i)
    {
        if (pConditions[i].asked)
            return TRUE;
    }
    return FALSE;
}

void RecomposeConditions(ColumnInfo*& pConditions, int& nConditions, const ColumnInfo* pColumns, int nColumns,
                         const SqlDialect& dialect, BOOL bTypedTextsRead, std::vector<CString>& gone,
                         std::vector<CString>& unwritten)
{
    for (int i = 0; i < nConditions;)
    {
        ColumnInfo& condition = pConditions[i];
        const ColumnInfo* pColumn = FindColumnInfo(pColumns, nColumns, condition.name);
        if (condition.name != nullptr && pColumn == nullptr)
            gone.push_back(condition.name);
        else
        {
            if (pColumn)
                SetConditionColumn(condition, *pColumn);
            if ((pColumn || bTypedTextsRead) && RecomposeCondition(condition, dialect) == conditionComposed)
            {
                ++i;
                continue;
            }
            unwritten.push_back(condition.displayText ? condition.displayText : "");
        }
        RemoveColumnInfo(pConditions, nConditions, i);
    }
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
