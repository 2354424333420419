#include "CBoundText.h"

#include <sqlext.h>

CBoundText::CBoundText(int nMaxLength, int nRows)
    : m_nElement((nMaxLength > 0 ? nMaxLength : 0) + 1),
      // One byte is kept back behind the bound room, so that even a piece the
      // driver leaves without its terminator in the last buffer ends within
      // the room; a buffer before it ends in the next one's, and Length never
      // reads past its own.
      m_buffer(m_nElement * (nRows > 0 ? nRows : 1) + 1, '\0'),
      m_indicators(nRows > 0 ? nRows : 1, SQL_NULL_DATA)
{
}

SQLRETURN CBoundText::Bind(SQLHSTMT hstmt, SQLUSMALLINT nColumn)
{
    // Bound by column, a block's values follow one another at the buffer
    // length the driver is given.
    return ::SQLBindCol(hstmt, nColumn, SQL_C_CHAR, m_buffer.data(), (SQLLEN)m_nElement, m_indicators.data());
}

void CBoundText::Clear()
{
    m_buffer[0] = '\0';
    m_indicators[0] = SQL_NULL_DATA;
}
