#pragma once
// A value of the user's as a quoted literal that the connected engine reads
// back exactly as it was typed.
#include "framework/SqlDialect.h"

// '...' with each "'" doubled, and each backslash doubled where the engine
// takes a backslash for an escape.
CString QuoteText(const CString& strText, const SqlDialect& dialect);
// The pattern of a LIKE and its ESCAPE clause: "%" and "_" keep their
// meaning, every other character (a backslash too) stands for itself, on
// engines whose LIKE escapes with a backslash and on those without an
// escape alike.
CString QuoteLikePattern(const CString& strPattern, const SqlDialect& dialect);
