#pragma once
// The operators as the condition editor shows them: each by its string in
// the language module, told apart by comparing an entry's text with those
// strings.
#include "framework/CString.h"
#include "query/Operator.h"

// The text of string resource nID, "" when there is none.
typedef CString (*PFN_LOADSTRING)(UINT nID);

// The id of the string that names the operator (IDS_OP_*).
UINT OperatorStringId(ConditionOperator op);
// The operator whose string equals strText byte for byte, the first in
// string order when strings repeat; opNone when the text is empty or names
// no operator.
ConditionOperator FindOperator(const CString& strText, PFN_LOADSTRING pfnLoadString);
