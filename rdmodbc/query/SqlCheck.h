#pragma once
// What a text typed by the user may hold before it goes into a statement as
// it is: a typed condition, or a value written unquoted (a number). It is
// read as the connected engine reads it (its quotes, quoted names, comments,
// and the backslash where the engine takes it for an escape), and refused
// when it could make the statement other than one SELECT with the rows it
// describes.
#include "framework/SqlDialect.h"

enum SqlTextFault
{
    sqlTextSound,
    sqlTextSeparator,       // a ";" outside quotes and comments: a second statement
    sqlTextOpenText,        // a quoted text that does not end
    sqlTextOpenName,        // a quoted name that does not end
    sqlTextOpenComment,     // a block comment that does not end
    sqlTextLineBreak,       // a line break or another control character
    sqlTextAmbiguous,       // something the engine may read otherwise than it looks
    sqlTextComment,         // a comment, in a value
    sqlTextNotANumber,      // a value for a number column that is no number
    sqlTextUnsureReading,   // a backslash or a byte from 0x80 beside a quote, where the engine's reading of them is not known
};

// A condition goes into the filter on a line of its own: a comment at its
// end ends with it.
SqlTextFault CheckSqlCondition(const CString& strText, const SqlDialect& dialect);
// A value written as typed between the column and the closing parenthesis:
// a comment in it would hide the rest of the condition.
SqlTextFault CheckSqlValue(const CString& strValue, const SqlDialect& dialect);
