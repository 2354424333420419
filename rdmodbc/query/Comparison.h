#pragma once
// The text of a comparison condition, written as the column's SQL data type
// requires its values.
#include "framework/CString.h"

// Builds "(column op value)" for each value that is not empty, joined by
// " AND ": a bit column (SQL_BIT) builds nothing, numbers and binary data go
// in as typed, a date, time or timestamp (SQL_DATETIME) goes into the filter
// as the ODBC escape literal of its subcode, which every driver translates
// into its own dialect, and into the display as typed in double quotes; all
// else as an SQL string literal. The results are written only when
// something was built. FALSE, and nothing written, when a value cannot be
// read as a date or time.
BOOL FormatComparison(int nSqlDataType, int nDatetimeSub, const CString& strColumn, CString strValue1,
                      CString strValue2, CString strOperator1, CString strOperator2, CString& strDisplay,
                      CString& strFilter);
// The value read as a date and time by the user's locale, written as the
// ODBC escape literal of the subcode: {d 'yyyy-mm-dd'} (a date, or an
// unknown subcode), {t 'hh:mm:ss'} (a time), {ts 'yyyy-mm-dd hh:mm:ss'} (a
// timestamp). FALSE when the text is no date or time.
BOOL FormatDateTimeLiteral(const CString& strValue, int nDatetimeSub, CString& strLiteral);
// The text as an SQL string literal's content: each "'" doubled.
CString DoubleSingleQuotes(CString strText);
