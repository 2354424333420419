#pragma once
// A list-view control.
#include "CWnd.h"
#include <commctrl.h>

class CListCtrl : public CWnd
{
public:
    int  InsertColumn(int nCol, LPCSTR lpszHeading, int nFormat, int nWidth);
    int  InsertItem(int nItem, LPCSTR lpszItem);
    int  InsertItem(UINT nMask, int nItem, LPCSTR lpszItem, UINT nState, UINT nStateMask, int nImage, LPARAM lParam);
    BOOL DeleteItem(int nItem)                          { return (BOOL)SendMessage(LVM_DELETEITEM, nItem); }
    BOOL DeleteAllItems()                               { return (BOOL)SendMessage(LVM_DELETEALLITEMS); }
    int  GetItemCount() const                           { return (int)SendMessage(LVM_GETITEMCOUNT); }
    int  GetNextItem(int nItem, int nFlags) const       { return (int)SendMessage(LVM_GETNEXTITEM, nItem, MAKELPARAM(nFlags, 0)); }
    int  GetFirstSelected() const                       { return GetNextItem(-1, LVNI_SELECTED); }
    CString GetItemText(int nItem, int nSubItem) const;
    LPARAM  GetItemData(int nItem) const;
    BOOL SetItemState(int nItem, UINT nState, UINT nMask);
    BOOL SetItemText(int nItem, int nSubItem, LPCSTR lpszText);
    BOOL EnsureVisible(int nItem, BOOL bPartialOK)      { return (BOOL)SendMessage(LVM_ENSUREVISIBLE, nItem, bPartialOK); }
    int  FindItem(LVFINDINFOA* pFindInfo, int nStart = -1) const
                                                        { return (int)SendMessage(LVM_FINDITEMA, nStart, (LPARAM)pFindInfo); }
};
