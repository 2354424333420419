#pragma once
// A filter condition's two texts, composed from a column, an operator and the
// values the user typed, and the filter texts of the condition state.
#include "ColumnInfo.h"
#include "framework/CString.h"

#include <vector>

enum ConditionResult
{
    conditionComposed,      // the texts are set (they may be empty, as for a bit column compared)
    conditionMissingValue,  // the operator needs a value the user left empty; no texts
    conditionNotADateTime,  // a value for a date or time column reads as neither; no texts
};

// The display and filter texts of nOperator (an IDS_OP_* id) on the column
// (its name, quoted with strQuote, its verbose SQL data type and datetime
// subcode), with the values as typed, wrapped in "NOT (...)" when bNegate is
// set.
ConditionResult ComposeCondition(const ColumnInfo& column, const CString& strQuote, UINT nOperator,
                                 const CString& strValue1, const CString& strValue2, BOOL bNegate,
                                 CString& strDisplay, CString& strFilter);
// The filter texts of the conditions in array order, null where a condition
// has none; empty unless the array, its count and bUseConditions are all set.
std::vector<const char*> ConditionFilterTexts(const ColumnInfo* pConditions, int nConditions,
                                              BOOL bUseConditions);
