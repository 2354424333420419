#pragma once
// Fills a list view whose template sorts its rows (LVS_SORTASCENDING) with
// many rows at once. Such a list finds the place of each new row by walking
// its rows from the top, and a list that is drawn redraws for every row: a
// catalog of 20,000 tables took minutes. Rows handed over in descending
// order find their place at the first comparison, and the list is drawn
// once, when all rows are in.
#include "framework/CListCtrl.h"

#include <functional>
#include <vector>

// Inserts one row per text (LVIF_TEXT, with LVIF_IMAGE and image 0 when
// bWithImage), each at index 0, and tells each row's position in
// texts and its index in the list at the moment it was inserted.
void InsertSortedRows(CListCtrl& list, const std::vector<LPCSTR>& texts, BOOL bWithImage,
                      const std::function<void(size_t nText, int nRow)>& onInserted);
