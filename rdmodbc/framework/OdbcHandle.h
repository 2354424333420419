#pragma once
// One owner per ODBC handle: freed when the owner goes, on every path.
#include <windows.h>
#include <sql.h>
#include <sqlext.h>

template <SQLSMALLINT HandleType>
class COdbcHandle
{
public:
    COdbcHandle() = default;
    // Allocates a handle of this type under the parent; status in the result.
    SQLRETURN Allocate(SQLHANDLE hParent)   { Free(); return ::SQLAllocHandle(HandleType, hParent, &m_handle); }
    ~COdbcHandle()                          { Free(); }
    COdbcHandle(const COdbcHandle&) = delete;
    COdbcHandle& operator=(const COdbcHandle&) = delete;

    void Free()
    {
        if (m_handle != SQL_NULL_HANDLE)
            ::SQLFreeHandle(HandleType, m_handle);
        m_handle = SQL_NULL_HANDLE;
    }
    SQLHANDLE Handle() const                { return m_handle; }
    operator SQLHANDLE() const              { return m_handle; }
    // Gives the handle away; the caller frees it.
    SQLHANDLE Detach()                      { SQLHANDLE h = m_handle; m_handle = SQL_NULL_HANDLE; return h; }
private:
    SQLHANDLE m_handle = SQL_NULL_HANDLE;
};

using CStatementHandle = COdbcHandle<SQL_HANDLE_STMT>;
