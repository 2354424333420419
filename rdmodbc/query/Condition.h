#pragma once
// A filter condition's two texts, composed from a column, an operator and the
// values the user typed, and the filter texts of the condition state.
#include "ColumnInfo.h"
#include "Comparison.h"
#include "Operator.h"

#include <vector>

// The display and filter texts of the operator on the column
// (its name, quoted as the dialect quotes names, its SQL data types and
// datetime subcode), with the values as typed, wrapped in "NOT (...)" when
// bNegate is set. A value refused as unsafe leaves its reason in *pFault.
ConditionResult ComposeCondition(const ColumnInfo& column, const SqlDialect& dialect, ConditionOperator op,
                                 const CString& strValue1, const CString& strValue2, BOOL bNegate,
                                 CString& strDisplay, CString& strFilter, SqlTextFault* pFault = nullptr);
// The filter texts of the conditions in array order, null where a condition
// has none; empty unless the array, its count and bUseConditions are all set.
std::vector<const char*> ConditionFilterTexts(const ColumnInfo* pConditions, int nConditions,
                                              BOOL bUseConditions);
