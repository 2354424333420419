#include "CComboBox.h"

void CComboBox::GetLBText(int nIndex, CString& rString) const
{
    int nLength = (int)SendMessage(CB_GETLBTEXTLEN, nIndex);
    if (nLength == CB_ERR)
    {
        rString.Empty();
        return;
    }
    // The length asked for may be more than the text (a double-byte code
    // page's length counts in characters of the wider text): the text ends
    // at its terminator.
    LPSTR pszBuffer = rString.GetBuffer(nLength + 1);
    pszBuffer[0] = '\0';
    SendMessage(CB_GETLBTEXT, nIndex, (LPARAM)pszBuffer);
    rString.ReleaseBuffer();
}
