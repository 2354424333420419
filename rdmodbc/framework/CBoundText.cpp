#include "CBoundText.h"

#include <sqlext.h>
#include <cstring>

CBoundText::CBoundText(int nMaxLength)
    : m_buffer((nMaxLength > 0 ? nMaxLength : 0) + 2, '\0')
{
}

SQLRETURN CBoundText::Bind(SQLHSTMT hstmt, SQLUSMALLINT nColumn)
{
    // One byte is kept back behind the bound room, so that even a piece the
    // driver leaves without its terminator ends within the buffer.
    return ::SQLBindCol(hstmt, nColumn, SQL_C_CHAR, m_buffer.data(), (SQLLEN)m_buffer.size() - 1, &m_nIndicator);
}

void CBoundText::Clear()
{
    m_buffer[0] = '\0';
    m_nIndicator = SQL_NULL_DATA;
}

BOOL CBoundText::IsWhole() const
{
    return m_nIndicator == SQL_NULL_DATA || (m_nIndicator >= 0 && m_nIndicator < (SQLLEN)m_buffer.size() - 1);
}

int CBoundText::Length() const
{
    if (m_nIndicator <= 0)
        return 0;
    const size_t nRoom = m_buffer.size() - 2;
    size_t nReported = (size_t)m_nIndicator < nRoom ? (size_t)m_nIndicator : nRoom;
    return (int)::strnlen(m_buffer.data(), nReported);
}
