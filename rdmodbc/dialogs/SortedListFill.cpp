#include "SortedListFill.h"

#include <algorithm>
#include <numeric>

void InsertSortedRows(CListCtrl& list, const std::vector<LPCSTR>& texts, BOOL bWithImage,
                      const std::function<void(size_t nText, int nRow)>& onInserted)
{
    std::vector<size_t> order(texts.size());
    std::iota(order.begin(), order.end(), 0);
    // The list view's own comparison, so that every row lands on top.
    std::stable_sort(order.begin(), order.end(),
                     [&texts](size_t a, size_t b) { return ::lstrcmpA(texts[a], texts[b]) > 0; });

    list.SendMessage(WM_SETREDRAW, FALSE);
    UINT nMask = bWithImage ? LVIF_TEXT | LVIF_IMAGE : LVIF_TEXT;
    for (size_t nText : order)
        onInserted(nText, list.InsertItem(nMask, 0, texts[nText], 0, 0, 0, 0));
    list.SendMessage(WM_SETREDRAW, TRUE);
    ::InvalidateRect(list.m_hWnd, nullptr, TRUE);
}
