#pragma once
// The formatting of one fetched value into an output field's text.
#include "query/OutputField.h"

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
// Delivers a column's text (as read: "" for a NULL) into the buffer through
// the field's rules, prefix, fill and suffix; an empty text of a field that
// shows only values delivers an empty field, whatever the rules would make
// of it. strValue is changed.
void DeliverField(const OutputField& field, CString& strValue, LPSTR lpszBuffer, int nMaxChars);
// Delivers the current row of the record set into the four buffers, each
// field through the pipeline: its column's text, its rules, prefix, fill,
// suffix, cut to its limit. strValue is room the caller keeps from row to
// row.
void DeliverRow(CRecordset& recordset, const OutputField fields[OUTPUT_FIELDS], CString& strValue,
                LPSTR alpszFields[OUTPUT_FIELDS], const int anMaxChars[OUTPUT_FIELDS]);
// Writes prefix, the value with its fill and suffix into the caller's buffer,
// cut to nMaxChars bytes, with a NUL; only the NUL for an empty value of a
// field that shows only values. A null buffer is skipped; a negative limit
// counts as 0.
void DeliverFieldText(const OutputField& field, LPCSTR pchValue, int nValueLength, LPSTR lpszBuffer, int nMaxChars);
void DeliverFieldText(const OutputField& field, const CString& strValue, LPSTR lpszBuffer, int nMaxChars);
