#pragma once
// A combo box.
#include "CWnd.h"

class CComboBox : public CWnd
{
public:
    int  GetCurSel() const                              { return (int)SendMessage(CB_GETCURSEL); }
    int  SetCurSel(int nSelect)                         { return (int)SendMessage(CB_SETCURSEL, nSelect); }
    int  AddString(LPCSTR lpszString)                   { return (int)SendMessage(CB_ADDSTRING, 0, (LPARAM)lpszString); }
    int  InsertString(int nIndex, LPCSTR lpszString)    { return (int)SendMessage(CB_INSERTSTRING, nIndex, (LPARAM)lpszString); }
    int  GetCount() const                               { return (int)SendMessage(CB_GETCOUNT); }
    void ResetContent()                                 { SendMessage(CB_RESETCONTENT); }
    int  FindStringExact(int nIndexStart, LPCSTR lpszFind) const
                                                        { return (int)SendMessage(CB_FINDSTRINGEXACT, nIndexStart, (LPARAM)lpszFind); }
    void GetLBText(int nIndex, CString& rString) const;
};
