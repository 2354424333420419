#pragma once
// One result column bound to text buffers: every fetch writes the column's
// value of each row it fetches into the buffer of that row, as character
// data, without a call per value. A fetch of one row at a time uses one
// buffer; a block fetch (SQL_ATTR_ROW_ARRAY_SIZE) an array of them, bound by
// column. The buffers and the length indicators stay where they are while
// the column is bound, so the object neither copies nor moves.
#include "CString.h"

#include <sql.h>
#include <vector>

class CBoundText
{
public:
    // Room for nRows values of nMaxLength bytes each and their terminators.
    explicit CBoundText(int nMaxLength, int nRows = 1);
    CBoundText(const CBoundText&) = delete;
    CBoundText& operator=(const CBoundText&) = delete;

    SQLRETURN Bind(SQLHSTMT hstmt, SQLUSMALLINT nColumn);
    // Before a fetch: a NULL writes nothing, and then reads as "".
    void Clear();

    // Row nRow (from 0) of the last fetch.
    BOOL IsNull(int nRow = 0) const         { return m_indicators[nRow] == SQL_NULL_DATA; }
    // The value came whole: NULL, or short enough for the buffer. A longer
    // one arrived cut (and some drivers leave the cut piece unterminated).
    BOOL IsWhole(int nRow = 0) const
    {
        const SQLLEN nIndicator = m_indicators[nRow];
        return nIndicator == SQL_NULL_DATA || (nIndicator >= 0 && nIndicator < (SQLLEN)m_nElement);
    }
    // The text as fetched: up to its terminator, and never beyond the
    // length the driver reported, whatever else the buffer holds.
    LPCSTR Text(int nRow = 0) const         { return m_buffer.data() + nRow * m_nElement; }
    // Read for every value of every row, so scanned here rather than by a
    // call into the runtime.
    int Length(int nRow = 0) const
    {
        const SQLLEN nIndicator = m_indicators[nRow];
        if (nIndicator <= 0)
            return 0;
        const SQLLEN nRoom = (SQLLEN)m_nElement - 1;
        const int nReported = (int)(nIndicator < nRoom ? nIndicator : nRoom);
        LPCSTR pch = Text(nRow);
        int nLength = 0;
        while (nLength < nReported && pch[nLength] != '\0')
            ++nLength;
        return nLength;
    }

private:
    // The bytes of one row's buffer: the value and its terminator.
    size_t m_nElement;
    std::vector<char> m_buffer;
    std::vector<SQLLEN> m_indicators;
};
