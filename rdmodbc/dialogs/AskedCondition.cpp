#include "AskedCondition.h"

#include "OperatorText.h"
#include "langres/ResString.h"
#include "resource.h"

CString ConditionListText(const ColumnInfo& condition)
{
    CString strText = condition.displayText ? condition.displayText : "";
    if (!condition.asked)
        return strText;
    if (strText.IsEmpty())
        strText = AskedConditionLabel(condition);
    // A language module without the mark shows the condition as it reads.
    const CString strFormat = LoadResString(IDS_CONDITION_ASKED);
    if (strFormat.IsEmpty())
        return strText;
    CString strMarked;
    strMarked.Format(strFormat, (LPCSTR)strText);
    return strMarked;
}

CString AskedConditionLabel(const ColumnInfo& condition)
{
    CString strLabel = condition.negated ? "NOT " : "";
    strLabel += condition.name ? condition.name : "";
    strLabel += " " + LoadResString(OperatorStringId((ConditionOperator)condition.conditionOperator));
    return strLabel;
}
