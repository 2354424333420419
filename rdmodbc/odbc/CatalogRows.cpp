#include "CatalogRows.h"

#include <sqlext.h>
#include <cstring>

namespace
{
    const int UNKNOWN_LENGTH_FIELD_SIZE = 256;
    const int MAX_FIELD_SIZE = 2048;

    // One bound character column; emptied before each fetch so that a NULL
    // value reads as "".
    class CBoundText
    {
    public:
        CBoundText(SQLHSTMT hstmt, SQLUSMALLINT nColumn, int nFieldSize) : m_buffer(nFieldSize + 2, '\0')
        {
            ::SQLBindCol(hstmt, nColumn, SQL_C_CHAR, m_buffer.data(), nFieldSize + 1, &m_nIndicator);
        }
        void Clear()                { m_buffer[0] = '\0'; }
        const char* Text() const    { return m_buffer.data(); }
    private:
        std::vector<char> m_buffer;
        SQLLEN m_nIndicator = 0;
    };
}

int CatalogFieldSize(SQLUSMALLINT nMaxTableNameLength)
{
    // 0 is ODBC's "no maximum or unknown"; 32768 and more reads as negative
    // to drivers that think in signed 16 bits.
    if (nMaxTableNameLength == 0 || nMaxTableNameLength >= 32768)
        return UNKNOWN_LENGTH_FIELD_SIZE;
    return nMaxTableNameLength < MAX_FIELD_SIZE ? nMaxTableNameLength : MAX_FIELD_SIZE;
}

void FetchTableRows(SQLHSTMT hstmt, int nFieldSize, BOOL bIncludeViews, BOOL bIncludeSystemTables,
                    std::vector<TableRow>& rows)
{
    CBoundText name(hstmt, 3, nFieldSize);
    CBoundText type(hstmt, 4, nFieldSize);
    CBoundText remarks(hstmt, 5, nFieldSize);
    for (;;)
    {
        name.Clear();
        type.Clear();
        remarks.Clear();
        if (!SQL_SUCCEEDED(::SQLFetch(hstmt)))
            break;
        if (!bIncludeSystemTables && std::strcmp(type.Text(), "SYSTEM TABLE") == 0)
            continue;
        if (!bIncludeViews && std::strcmp(type.Text(), "VIEW") == 0)
            continue;
        rows.push_back(TableRow{name.Text(), remarks.Text()});
    }
    // The buffers go with this frame: no column may stay bound to them.
    ::SQLFreeStmt(hstmt, SQL_UNBIND);
}
