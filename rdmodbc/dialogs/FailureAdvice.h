#pragma once
// What a user can do about a driver's failure, in the language module's
// words: by the SQLSTATE of its diagnostic records (and, for some engines,
// their native error or text).
#include "framework/CDBException.h"

// The plain words for the failure, general ones where no kind fits; ""
// where the language module has none.
CString FailureAdvice(const CDBException& exception);
