#pragma once
// A bare ODBC connection, as a program without the module writes one: the
// tests' fixtures and checks, the fault driver's control connection and the
// benchmark's baselines use it, so that what they do costs and proves only
// the driver's part. Its handles are the framework's owners.
#include "framework/OdbcHandle.h"

#include <optional>
#include <string>
#include <vector>

// A row of a query's result, each value whole as text (std::nullopt for NULL).
using RawRow = std::vector<std::optional<std::string>>;

class CRawConnection
{
public:
    // Connects with the connect string, never prompting.
    explicit CRawConnection(const std::string& connect);
    ~CRawConnection();
    CRawConnection(const CRawConnection&) = delete;
    CRawConnection& operator=(const CRawConnection&) = delete;

    bool IsOpen() const         { return m_bOpen; }
    SQLHDBC Handle() const      { return m_hdbc.Handle(); }

    // Runs one statement; true when it ran (a change of no row counts).
    bool Execute(const std::string& sql);
    // Runs a query and reads all its rows; false when it failed.
    bool Query(const std::string& sql, std::vector<RawRow>& rows);
    // The driver's first diagnostic of the last failure: "SQLSTATE text".
    const std::string& LastError() const { return m_strError; }

private:
    bool Failed(SQLSMALLINT nHandleType, SQLHANDLE handle);

    CEnvironmentHandle m_henv;
    CConnectionHandle m_hdbc;
    bool m_bOpen = false;
    std::string m_strError;
};
