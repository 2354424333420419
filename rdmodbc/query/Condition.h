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
// bNegate is set. A value refused as unsafe leaves its reason in *pFault;
// so does a finished filter that the dialect would not read as it is meant.
ConditionResult ComposeCondition(const ColumnInfo& column, const SqlDialect& dialect, ConditionOperator op,
                                 const CString& strValue1, const CString& strValue2, BOOL bNegate,
                                 CString& strDisplay, CString& strFilter, SqlTextFault* pFault = nullptr);
// The condition's texts composed anew from what it is made of (its column's
// name and types, its operator, values and negation) by the dialect's rules,
// in place of those it had; they stay as they were unless composed. A typed
// condition keeps its text where the dialect reads it safely; an asked one
// that offers no value is composed without texts.
ConditionResult RecomposeCondition(ColumnInfo& condition, const SqlDialect& dialect, SqlTextFault* pFault = nullptr);
// Whether conditions are in use and one of them asks for its values.
BOOL HasAskedConditions(const ColumnInfo* pConditions, int nConditions, BOOL bUseConditions);
// The conditions composed anew for the table as it is now and the engine's
// reading: each of the editor's with its column's current record, a typed
// one as its text where bTypedTextsRead (the engine reads SQL text as it did
// when they were typed). A condition whose column the table no longer has
// goes, its column's name added to gone; one that cannot be written now
// goes, its display text added to unwritten.
void RecomposeConditions(ColumnInfo*& pConditions, int& nConditions, const ColumnInfo* pColumns, int nColumns,
                         const SqlDialect& dialect, BOOL bTypedTextsRead, std::vector<CString>& gone,
                         std::vector<CString>& unwritten);
// The filter texts of the conditions in array order, null where a condition
// has none; empty unless the array, its count and bUseConditions are all set.
std::vector<const char*> ConditionFilterTexts(const ColumnInfo* pConditions, int nConditions,
                                              BOOL bUseConditions);
