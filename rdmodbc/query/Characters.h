#pragma once
// Texts of the ANSI code page taken character by character, as the driver
// converts them: a character of a double-byte code page is two bytes, and
// its second byte may look like a quote or a backslash and be neither.
#include "framework/CString.h"

// Each character of the text, with those of pszDoubled written twice; a
// character of two bytes is copied whole. A first byte without its second
// is no character, and a driver could take the quote after it into it: it
// becomes "?", as a conversion of the code page would make it.
CString DoubleCharacters(const CString& strText, const char* pszDoubled);
