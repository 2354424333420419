#pragma once
// A database error: the return code and the diagnostic records of the handle
// that failed, as the driver manager and the driver wrote them.
#include "CException.h"
#include <sql.h>

class CDBException : public CException
{
public:
    explicit CDBException(SQLRETURN nRetCode) : m_nRetCode(nRetCode) {}
    CString GetErrorMessage() const override        { return m_strError; }

    // Reads every diagnostic record of the handle into the exception's texts.
    void BuildErrorString(SQLSMALLINT nHandleType, SQLHANDLE handle);

    SQLRETURN m_nRetCode;
    CString   m_strError;                  // "message\n" per record
    CString   m_strStateNativeOrigin;      // "State:%s,Native:%ld,Origin:..." per record
};

// Throws a CDBException for a failed call on the given handle.
[[noreturn]] void AfxThrowDBException(SQLRETURN nRetCode, SQLSMALLINT nHandleType, SQLHANDLE handle);
