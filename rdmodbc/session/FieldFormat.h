#pragma once
// The formatting of one fetched value into an output field's text.
#include "OutputField.h"

class CRecordset;

// The text of column nColumn of the current row; "" for a negative
// position, a NULL and a read that failed, whose exception is dropped.
void ReadColumnText(CRecordset& recordset, short nColumn, CString& strValue);
// The value as a whole number, the fraction dropped toward zero.
void FormatAsInteger(CString& strText);
// The value as yyyy-mm-dd (bDate) or hh:mm:ss; unchanged when unreadable.
void FormatAsDateTime(CString& strText, BOOL bDate);
// Applies the field's integer, date and time rules to the value text.
void ApplyValueRules(const OutputField& field, CString& strValue);
// Delivers the current row of the record set into the four buffers, each
// field through the pipeline: its column's text, its rules, prefix, fill,
// suffix, cut to its limit. strValue is room the caller keeps from row to
// row.
void DeliverRow(CRecordset& recordset, const OutputField fields[OUTPUT_FIELDS], CString& strValue,
                LPSTR alpszFields[OUTPUT_FIELDS], const int anMaxChars[OUTPUT_FIELDS]);
// Writes prefix, the value with its fill and suffix into the caller's buffer,
// cut to nMaxChars bytes, with a NUL. A null buffer is skipped; a negative
// limit counts as 0.
void DeliverFieldText(const OutputField& field, LPCSTR pchValue, int nValueLength, LPSTR lpszBuffer, int nMaxChars);
void DeliverFieldText(const OutputField& field, const CString& strValue, LPSTR lpszBuffer, int nMaxChars);
