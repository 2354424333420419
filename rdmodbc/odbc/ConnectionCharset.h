#pragma once
// Whether the engine reads the statement's bytes as the module writes them:
// in the character set that the server names for the connection, a quote or
// a backslash must be where it is in the ANSI code page.
#include "framework/CString.h"

// The character set of that name (MySQL's or PostgreSQL's, in any case,
// with or without "-" and "_") reads the text of code page nCodePage
// character by character as the code page does: it is the code page's, or
// neither takes a byte below 0x80 into another character. FALSE for a name
// it does not know in a double-byte code page, and for no name.
BOOL IsReadAsCodePage(const CString& strCharset, UINT nCodePage);
