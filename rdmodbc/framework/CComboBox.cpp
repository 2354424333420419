#include "CComboBox.h"

void CComboBox::GetLBText(int nIndex, CString& rString) const
{
    int nLength = (int)SendMessage(CB_GETLBTEXTLEN, nIndex);
    if (nLength == CB_ERR)
    {
        rString.Empty();
        return;
    }
    SendMessage(CB_GETLBTEXT, nIndex, (LPARAM)rString.GetBuffer(nLength + 1));
    rString.ReleaseBuffer(nLength);
}
