#include "SortedListFill.h"

#include <algorithm>
#include <numeric>
#include <string>

namespace
{
    std::string SortKey(LPCSTR pszText)
    {
        char szKey[512];
        int nLength = ::LCMapStringA(LOCALE_USER_DEFAULT, LCMAP_SORTKEY, pszText, -1, szKey, sizeof szKey);
        if (nLength > 0)
            return std::string(szKey, nLength);
        nLength = ::LCMapStringA(LOCALE_USER_DEFAULT, LCMAP_SORTKEY, pszText, -1, nullptr, 0);
        std::string key(nLength > 0 ? nLength : 0, '\0');
        if (nLength > 0)
            ::LCMapStringA(LOCALE_USER_DEFAULT, LCMAP_SORTKEY, pszText, -1, &key[0], nLength);
        return key;
    }
}

void InsertSortedRows(CListCtrl& list, const std::vector<LPCSTR>& texts, BOOL bWithImage)
{
    // The list view's own order (lstrcmp's); the sort keys of that order
    // are made once per text, which costs less than comparing texts through
    // the locale at every step of the sort.
    std::vector<std::string> keys(texts.size());
    for (size_t i = 0; i < texts.size(); ++i)
        keys[i] = SortKey(texts[i]);
    std::vector<size_t> order(texts.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&keys](size_t a, size_t b) { return keys[a] < keys[b]; });

    // Sorting, the list would walk all its rows for each row appended, and
    // a row put on top moves all the others.
    BOOL bSorting = list.ModifyStyle(LVS_SORTASCENDING, 0);
    list.SendMessage(WM_SETREDRAW, FALSE);
    UINT nMask = (bWithImage ? LVIF_TEXT | LVIF_IMAGE : LVIF_TEXT) | LVIF_PARAM;
    int nCount = 0;
    for (size_t nText : order)
    {
        if (list.InsertItem(nMask, nCount, texts[nText], 0, 0, 0, (LPARAM)nText) >= 0)
            ++nCount;
    }
    if (bSorting)
        list.ModifyStyle(0, LVS_SORTASCENDING);
    list.SendMessage(WM_SETREDRAW, TRUE);
    ::InvalidateRect(list.m_hWnd, nullptr, TRUE);
}
