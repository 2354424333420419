#include "SortOrder.h"

#include "Identifier.h"

#include <algorithm>

std::vector<SortKey> EffectiveSortKeys(const SortKey aKeys[SORT_KEYS], const CString astrColumns[4])
{
    std::vector<SortKey> keys;
    for (int i = 0; i < SORT_KEYS; ++i)
    {
        const SortKey& key = aKeys[i];
        if (key.nField < 0 || key.nField >= 4 || astrColumns[key.nField].IsEmpty())
            continue;
        bool bListed = std::any_of(keys.begin(), keys.end(), [&key](const SortKey& k) { return k.nField == key.nField; });
        if (!bListed)
            keys.push_back(key);
    }
    return keys;
}

CString ComposeSortOrder(const std::vector<SortKey>& keys, const CString astrColumns[4], const CString& strQuote)
{
    CString strOrder;
    std::vector<CString> ordered;
    for (const SortKey& key : keys)
    {
        const CString& strColumn = astrColumns[key.nField];
        // Sorting by a column a second time changes nothing.
        if (std::find(ordered.begin(), ordered.end(), strColumn) != ordered.end())
            continue;
        ordered.push_back(strColumn);
        if (!strOrder.IsEmpty())
            strOrder += ",";
        strOrder += QuoteIdentifier(strColumn, strQuote);
        if (key.bDescending)
            strOrder += " DESC";
    }
    return strOrder;
}
