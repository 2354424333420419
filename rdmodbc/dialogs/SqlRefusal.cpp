#include "SqlRefusal.h"

#include "langres/ResString.h"
#include "resource.h"

namespace
{
    struct Refusal
    {
        SqlTextFault fault;
        UINT         nID;
        const char*  pszEnglish;
    };

    const Refusal aRefusals[] = {
        {sqlTextSeparator, IDS_SQL_SEPARATOR, "The text holds a semicolon outside quotes, which would start a second statement."},
        {sqlTextOpenText, IDS_SQL_OPEN_TEXT, "The text opens a quoted text that it does not close."},
        {sqlTextOpenName, IDS_SQL_OPEN_NAME, "The text opens a quoted name that it does not close."},
        {sqlTextOpenComment, IDS_SQL_OPEN_COMMENT, "The text opens a comment that it does not close."},
        {sqlTextLineBreak, IDS_SQL_LINE_BREAK, "The text holds a line break or another control character."},
        {sqlTextAmbiguous, IDS_SQL_AMBIGUOUS, "The text holds something that this data source may read otherwise than it appears."},
        {sqlTextComment, IDS_SQL_VALUE_COMMENT, "The value holds a comment, which would hide the rest of the condition."},
        {sqlTextNotANumber, IDS_SQL_NOT_A_NUMBER, "The value is not a number."},
        {sqlTextUnsureReading, IDS_SQL_UNSURE_READING, "The text holds a backslash or a character beyond ASCII beside a quote, and how this data source reads them is not known."},
    };
}

CString SqlTextRefusal(SqlTextFault fault)
{
    for (const Refusal& refusal : aRefusals)
    {
        if (refusal.fault != fault)
            continue;
        CString strMessage = LoadResString(refusal.nID);
        return strMessage.IsEmpty() ? CString(refusal.pszEnglish) : strMessage;
    }
    return CString();
}

CString ConditionRefusal(ConditionResult result, SqlTextFault fault)
{
    switch (result)
    {
    case conditionMissingValue:
        return LoadResString(IDS_MISSING_VALUE);
    case conditionNotADateTime:
    {
        // A language module from before this message asks for a value all
        // the same, rather than show an empty box.
        const CString strMessage = LoadResString(IDS_NOT_A_DATETIME);
        return strMessage.IsEmpty() ? LoadResString(IDS_MISSING_VALUE) : strMessage;
    }
    case conditionUnsafeValue:
        return SqlTextRefusal(fault);
    case conditionComposed:
        break;
    }
    return CString();
}
