#pragma once
// One result column bound to a text buffer: every fetch writes the column's
// value into it as character data, without a call per value. The buffer and
// the length indicator stay where they are while the column is bound, so
// the object neither copies nor moves.
#include "CString.h"

#include <sql.h>
#include <vector>

class CBoundText
{
public:
    // Room for a value of nMaxLength bytes and its terminator.
    explicit CBoundText(int nMaxLength);
    CBoundText(const CBoundText&) = delete;
    CBoundText& operator=(const CBoundText&) = delete;

    SQLRETURN Bind(SQLHSTMT hstmt, SQLUSMALLINT nColumn);
    // Before a fetch: a NULL writes nothing, and then reads as "".
    void Clear();

    BOOL IsNull() const             { return m_nIndicator == SQL_NULL_DATA; }
    // The value came whole: NULL, or short enough for the buffer. A longer
    // one arrived cut (and some drivers leave the cut piece unterminated).
    BOOL IsWhole() const;
    // The text as fetched: up to its terminator, and never beyond the
    // length the driver reported, whatever else the buffer holds.
    LPCSTR Text() const             { return m_buffer.data(); }
    int Length() const;

private:
    std::vector<char> m_buffer;
    SQLLEN m_nIndicator = SQL_NULL_DATA;
};
