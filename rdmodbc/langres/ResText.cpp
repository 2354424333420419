#include "ResText.h"

#include <cstring>

BOOL resAppend(LPSTR pszBuffer, DWORD nSize, LPCSTR pszText)
{
    size_t nUsed = strlen(pszBuffer);
    size_t nAdd = strlen(pszText);
    if (nUsed + nAdd >= nSize)
        return FALSE;
    memcpy(pszBuffer + nUsed, pszText, nAdd + 1);
    return TRUE;
}

void resAppendCut(LPSTR pszBuffer, DWORD nSize, LPCSTR pszText)
{
    size_t nUsed = strlen(pszBuffer);
    if (nUsed + 1 >= nSize)
        return;
    size_t nAdd = strlen(pszText);
    if (nAdd > nSize - 1 - nUsed)
        nAdd = nSize - 1 - nUsed;
    memcpy(pszBuffer + nUsed, pszText, nAdd);
    pszBuffer[nUsed + nAdd] = '\0';
}
