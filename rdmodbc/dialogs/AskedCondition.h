#pragma once
// How a condition whose values are asked at each import shows itself: in
// the condition list, and as the question's label for its row.
#include "framework/CString.h"
#include "query/ColumnInfo.h"

// The condition as the condition list shows it: its display text, and for
// an asked one, the mark that it is asked (its column and operator where
// it offers no value yet).
CString ConditionListText(const ColumnInfo& condition);
// "City equals": the column and the operator as the condition editor names
// it, after "NOT" when negated.
CString AskedConditionLabel(const ColumnInfo& condition);
