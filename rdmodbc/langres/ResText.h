#pragma once
// Bounded text assembly for the loader's fixed buffers: nothing is written
// past nSize bytes and the result is always terminated.
#include <windows.h>

// Appends pszText; returns FALSE (buffer unchanged) when it does not fit.
BOOL resAppend(LPSTR pszBuffer, DWORD nSize, LPCSTR pszText);
// Appends as much of pszText as fits, cutting the rest.
void resAppendCut(LPSTR pszBuffer, DWORD nSize, LPCSTR pszText);
