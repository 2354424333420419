#pragma once
// Fills an empty list view whose template sorts its rows
// (LVS_SORTASCENDING) with many rows at once. Such a list finds the place of
// each new row by walking its rows from the top, and a list that is drawn
// redraws for every row: a catalog of 20,000 tables took minutes. The rows
// are put in the list's own order first and appended while the list neither
// sorts nor draws; then it sorts again, for rows added later, and is drawn
// once.
#include "framework/CListCtrl.h"

#include <vector>

// Inserts one row per text (LVIF_TEXT, with LVIF_IMAGE and image 0 when
// bWithImage), each with its position in texts as its item data.
void InsertSortedRows(CListCtrl& list, const std::vector<LPCSTR>& texts, BOOL bWithImage);
