#pragma once
// A small number of a catalog row, bound as SQL_C_SSHORT with its
// indicator. A NULL, which SQL_DATETIME_SUB is for all but date and time
// types, writes no number; read without an indicator it would fail the
// whole row.
#include <windows.h>
#include <sqlext.h>

#include <optional>

class CBoundNumber
{
public:
    CBoundNumber() = default;
    CBoundNumber(const CBoundNumber&) = delete;
    CBoundNumber& operator=(const CBoundNumber&) = delete;
    SQLRETURN Bind(SQLHSTMT hstmt, SQLUSMALLINT nColumn)
    {
        return ::SQLBindCol(hstmt, nColumn, SQL_C_SSHORT, &m_nValue, 0, &m_nIndicator);
    }
    void Clear()                        { m_nValue = 0; m_nIndicator = SQL_NULL_DATA; }
    // 0 for a NULL.
    SQLSMALLINT Value() const           { return m_nIndicator == SQL_NULL_DATA ? 0 : m_nValue; }
    std::optional<SQLSMALLINT> ValueUnlessNull() const
    {
        return m_nIndicator == SQL_NULL_DATA ? std::nullopt : std::optional<SQLSMALLINT>(m_nValue);
    }
private:
    SQLSMALLINT m_nValue = 0;
    SQLLEN m_nIndicator = SQL_NULL_DATA;
};
