#pragma once
// A connect string's "keyword=value" entries, as drivers read them.
#include "CString.h"

#include <vector>

// The keyword of an entry, in capitals.
CString EntryKeyword(const CString& strEntry);
// The connect string split at its semicolons, a value in braces whole.
std::vector<CString> ConnectEntries(const CString& strConnect);
// What the string connects to, for the user: its data source, or else its
// driver; "" for neither.
CString ConnectStringName(const CString& strConnect);
