#pragma once
// The rows of a catalog function's result (SQLTables, SQLColumns,
// SQLGetTypeInfo), fetched one at a time into the reader's buffers. Every
// buffer is cleared before each fetch: a NULL writes nothing, and would
// otherwise read as the row before's value. The buffers go with the
// reader's frame and the statement may outlive it, so no column stays bound
// once the rows are read, whether the reading ends, fails or throws.
#include "BoundNumber.h"
#include "framework/CBoundText.h"

#include <initializer_list>
#include <variant>
#include <vector>

class CCatalogRows
{
public:
    using Buffer = std::variant<CBoundText*, CBoundNumber*>;
    // A buffer and the result column fetched into it.
    struct Column
    {
        Buffer buffer;
        SQLUSMALLINT nColumn;
    };

    // The buffers are declared before it, so that they outlive their binding.
    explicit CCatalogRows(SQLHSTMT hstmt) : m_hstmt(hstmt) {}
    ~CCatalogRows();
    CCatalogRows(const CCatalogRows&) = delete;
    CCatalogRows& operator=(const CCatalogRows&) = delete;

    // Binds each buffer to its column in turn; FALSE at the first that
    // cannot be bound, its diagnostic left on the statement.
    BOOL Bind(std::initializer_list<Column> columns);
    // Clears every bound buffer, then fetches the next row; FALSE after the
    // last row and when the fetch fails.
    BOOL Fetch();

private:
    SQLHSTMT m_hstmt;
    std::vector<Buffer> m_buffers;
};
