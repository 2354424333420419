#pragma once
// The text of a comparison condition, written as the column's SQL data type
// requires its values.
#include "SqlCheck.h"

enum ConditionResult
{
    conditionComposed,      // the texts are set (they may be empty, as for a bit column compared)
    conditionMissingValue,  // the operator needs a value the user left empty; no texts
    conditionNotADateTime,  // a value for a date or time column reads as neither; no texts
    conditionUnsafeValue,   // a value that goes in as typed could change the statement; no texts
};

// Builds "(column op value)" for each value that is not empty, joined by
// " AND ": a bit column (SQL_BIT) builds nothing; numbers and binary data
// go in as typed, and are refused (conditionUnsafeValue, the reason in
// *pFault) when they are no number (or 0x and hexadecimal digits) or could
// change the statement; a date, time or timestamp
// (SQL_DATETIME) goes into the filter as the ODBC escape literal of its
// subcode, which every driver translates into its own dialect, and into the
// display as typed in double quotes; all else as a text literal, escaped as
// the engine reads it in the filter and with its quotes doubled in the
// display. The results are written only when something was built.
ConditionResult FormatComparison(int nSqlDataType, int nDatetimeSub, const CString& strColumn, CString strValue1,
                                 CString strValue2, CString strOperator1, CString strOperator2,
                                 const SqlDialect& dialect, CString& strDisplay, CString& strFilter,
                                 SqlTextFault* pFault = nullptr);
// The value read as a date and time by the user's locale, written as the
// ODBC escape literal of the subcode: {d 'yyyy-mm-dd'}, {t 'hh:mm:ss'},
// {ts 'yyyy-mm-dd hh:mm:ss'}, a fraction of a second kept as typed. Of an
// unknown subcode (0) the value tells: a time of day alone is a time, a
// date at midnight a date, anything else a timestamp. FALSE when the text
// is no date or time.
BOOL FormatDateTimeLiteral(const CString& strValue, int nDatetimeSub, CString& strLiteral);
// The text as an SQL string literal's content: each "'" doubled.
CString DoubleSingleQuotes(CString strText);
