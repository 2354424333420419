#pragma once
// A database error: the return code and the diagnostic records of the handle
// that failed, as the driver manager and the driver wrote them.
#include "CException.h"
#include "OdbcDiagnostic.h"

#include <sql.h>
#include <vector>

class CDBException : public CException
{
public:
    explicit CDBException(SQLRETURN nRetCode) : m_nRetCode(nRetCode) {}
    // What the user can do about the failure in plain words, then the
    // driver's text with each record's SQLSTATE; the driver's text alone
    // where there are no such words for it.
    CString GetErrorMessage() const override;

    // The plain words for a failure, "" for none: set by the module, whose
    // language module holds them.
    static CString (*s_pfnAdvice)(const CDBException& exception);

    // Keeps every diagnostic record of the handle, and their messages as
    // the error text.
    void BuildErrorString(SQLSMALLINT nHandleType, SQLHANDLE handle);
    // A value that did not convert (SQLSTATE class 22, "data exception") is
    // what failed.
    BOOL IsDataException() const;

    SQLRETURN m_nRetCode;
    CString   m_strError;                  // "message\n" per record
    std::vector<OdbcDiagnostic> m_records; // as the driver manager and the driver wrote them
};

// The exception for a failed call on the given handle, its text read while
// the handle still exists; the caller throws it.
CDBException* MakeDBException(SQLRETURN nRetCode, SQLSMALLINT nHandleType, SQLHANDLE handle);
// Throws the exception for a failed call on the given handle.
[[noreturn]] void AfxThrowDBException(SQLRETURN nRetCode, SQLSMALLINT nHandleType, SQLHANDLE handle);
