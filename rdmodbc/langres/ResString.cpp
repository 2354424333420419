#include "ResString.h"

CString LoadResString(UINT nID)
{
    // A maximum of 255 including the terminator leaves 254 characters.
    char szText[256];
    int nLength = ::LoadStringA(AfxGetResourceHandle(), nID, szText, 255);
    if (nLength <= 0)
        return CString();
    return CString(szText, nLength);
}
