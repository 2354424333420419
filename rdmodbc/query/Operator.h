#pragma once
// The operators of a filter condition. An operator is known by the id of the
// string that names it in the language module (IDS_OP_*), and the dialogs
// tell which one the user chose by comparing a combo entry's text with
// those strings.
#include "framework/CString.h"

// The text of string resource nID, "" when there is none.
typedef CString (*PFN_LOADSTRING)(UINT nID);

// The id of the operator whose string equals strText byte for byte, the
// first in id order when strings repeat; 0 when the text is empty or names
// no operator.
UINT FindOperator(const CString& strText, PFN_LOADSTRING pfnLoadString);
