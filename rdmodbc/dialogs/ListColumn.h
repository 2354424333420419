#pragma once
// The one text column of the dialogs' list views.
#include "framework/CListCtrl.h"

// Inserts the list's only column: no heading, left-aligned, as wide as the
// list less room for the vertical scroll bar, so that no horizontal one
// appears.
inline void InsertListColumn(CListCtrl& list)
{
    RECT rcList;
    list.GetClientRect(&rcList);
    list.InsertColumn(0, "", LVCFMT_LEFT, rcList.right - rcList.left - 20);
}
