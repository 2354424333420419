#pragma once
// The ODBC environment of one walk over the data sources that the driver
// manager knows. A call that fails, or the end of the walk, gives no name;
// nothing is thrown. The list is all the caller shows: a failure only leaves
// it shorter.
#include "framework/CString.h"
#include "framework/DsnType.h"
#include "framework/OdbcHandle.h"

#include <windows.h>
#include <sql.h>

class COdbcEnvironment
{
public:
    // Allocates the environment and declares ODBC 3; without one, every walk
    // is empty.
    COdbcEnvironment();
    virtual ~COdbcEnvironment() = default;
    COdbcEnvironment(const COdbcEnvironment&) = delete;
    COdbcEnvironment& operator=(const COdbcEnvironment&) = delete;

    // Name of the first data source of that kind; "" when there is none,
    // the kind is unknown or the call failed.
    CString GetFirstDataSource(DsnType type);
    // Name of the next data source of the walk; "" at its end or on failure.
    CString GetNextDataSource();
    // One SQLDataSources step; writes strName and m_strDescription only when
    // it returns a data source.
    SQLRETURN FetchDataSource(CString& strName, SQLUSMALLINT nDirection);

    CEnvironmentHandle m_henv;
    CString   m_strDescription;
    // The status of the last step: SQL_NO_DATA at the end of a walk, which
    // tells an empty list from one that the driver manager could not give.
    SQLRETURN m_nRetCode = SQL_SUCCESS;
};
