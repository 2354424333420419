#pragma once
// The order in which the rows arrive: up to three keys, each an output
// field and a direction. The data source sorts, on the values of the
// fields' columns: numbers by value, dates in time order, texts by its
// collation.
#include "framework/CString.h"

#include <vector>

enum { SORT_KEYS = 3 };

struct SortKey
{
    int  nField = -1;               // the output field (index 0-3); -1 for no key
    BOOL bDescending = FALSE;
};

// The keys that count, in their order: those whose field has a column
// (astrColumns: the four fields' column names, "" for none), each field at
// its first place only.
std::vector<SortKey> EffectiveSortKeys(const SortKey aKeys[SORT_KEYS], const CString astrColumns[4]);
// The ORDER BY list of the keys: each key's column quoted, followed by
// " DESC" when descending, joined by ","; a column already in the list is
// not listed again. "" without keys.
CString ComposeSortOrder(const std::vector<SortKey>& keys, const CString astrColumns[4], const CString& strQuote);
