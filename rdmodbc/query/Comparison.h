#pragma once
// The text of a comparison condition, written as the column's SQL data type
// requires its values.
#include "framework/CString.h"

// Builds "(column op value)" for each value that is not empty, joined by
// " AND ": a bit column (-7) builds nothing, numbers and binary data go in
// as typed, a date (9) goes into the filter as its day number and into the
// display as typed in double quotes, all else as an SQL string literal.
// The results are written only when something was built.
void FormatComparison(int nSqlDataType, const CString& strColumn, CString strValue1, CString strValue2,
                      CString strOperator1, CString strOperator2, CString& strDisplay, CString& strFilter);
// The value read as a date and time by the user's locale, as days since
// 30 December 1899 with six decimals after a point; "0.000000" when the
// text is no date.
CString FormatDayNumber(const CString& strValue);
// The text as an SQL string literal's content: each "'" doubled.
CString DoubleSingleQuotes(CString strText);
