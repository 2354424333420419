#pragma once
// What the user is told when a text of theirs is refused before it reaches
// SQL: the reason, in the language module's words.
#include "query/Comparison.h"

// The message for the fault; the module's own English where the language
// module is older than the check (a refusal must still say why).
CString SqlTextRefusal(SqlTextFault fault);
// Why a condition's values were refused as the editor composed them: a
// value missing, a date or time that reads as neither, an unsafe value;
// "" when it was composed.
CString ConditionRefusal(ConditionResult result, SqlTextFault fault);
