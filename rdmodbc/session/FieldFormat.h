#pragma once
// The formatting of one fetched value into an output field's text.
#include "OutputField.h"

class CRecordset;

// Appends the text of column nColumn of the current row; nothing for a
// negative position, a NULL, an empty value or a failed read.
void AppendColumnText(CRecordset& recordset, short nColumn, CString& strText);
// The value as a whole number, the fraction dropped toward zero.
void FormatAsInteger(CString& strText);
// The value as yyyy-mm-dd (bDate) or hh:mm:ss; unchanged when unreadable.
void FormatAsDateTime(CString& strText, BOOL bDate);
// Applies the field's rules to the value text, then writes prefix, the value
// with its fill and suffix into strText.
void FormatFieldText(const OutputField& field, CString& strValue, CString& strText);
// Copies the text, cut to nMaxChars bytes, with its NUL into the caller's
// buffer. A null buffer is skipped; a negative limit counts as 0.
void DeliverFieldText(const CString& strText, LPSTR lpszBuffer, int nMaxChars);
