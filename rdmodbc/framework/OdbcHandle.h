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
    // Takes over a handle allocated elsewhere.
    void Attach(SQLHANDLE handle)           { Free(); m_handle = handle; }
private:
    SQLHANDLE m_handle = SQL_NULL_HANDLE;
};

using CStatementHandle = COdbcHandle<SQL_HANDLE_STMT>;
using CConnectionHandle = COdbcHandle<SQL_HANDLE_DBC>;

// An environment that asks for ODBC 3 behaviour, which every catalog call
// and SQLSTATE of the module assumes.
class CEnvironmentHandle : public COdbcHandle<SQL_HANDLE_ENV>
{
public:
    // The status of the allocation; only a plain SQL_SUCCESS counts, and
    // then the status of declaring ODBC 3 goes to pnVersionRetCode (if given).
    SQLRETURN AllocateOdbc3(SQLRETURN* pnVersionRetCode = nullptr)
    {
        SQLRETURN nRetCode = Allocate(SQL_NULL_HANDLE);
        if (nRetCode != SQL_SUCCESS)
            return nRetCode;
        SQLRETURN nVersionRetCode = ::SQLSetEnvAttr(Handle(), SQL_ATTR_ODBC_VERSION, (SQLPOINTER)SQL_OV_ODBC3, 0);
        if (pnVersionRetCode)
            *pnVersionRetCode = nVersionRetCode;
        return nRetCode;
    }
};
