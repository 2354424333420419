#include "CatalogRows.h"

CCatalogRows::~CCatalogRows()
{
    ::SQLFreeStmt(m_hstmt, SQL_UNBIND);
}

BOOL CCatalogRows::Bind(std::initializer_list<Column> columns)
{
    for (const Column& column : columns)
    {
        if (!SQL_SUCCEEDED(std::visit([&](auto* pBuffer) { return pBuffer->Bind(m_hstmt, column.nColumn); }, column.buffer)))
            return FALSE;
        m_buffers.push_back(column.buffer);
    }
    return TRUE;
}

BOOL CCatalogRows::Fetch()
{
    for (const Buffer& buffer : m_buffers)
        std::visit([](auto* pBuffer) { pBuffer->Clear(); }, buffer);
    return SQL_SUCCEEDED(::SQLFetch(m_hstmt));
}
