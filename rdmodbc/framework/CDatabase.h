#pragma once
// One ODBC connection, opened from a connect string that the driver may
// complete, in the manner of the framework's CDatabase. The connection owns
// its environment: both live from OpenEx to Close.
#include "CString.h"
#include "OdbcHandle.h"

class CDatabase
{
public:
    enum DbOpenOptions
    {
        openReadOnly    = 0x0002,
        noOdbcDialog    = 0x0008,
        forceOdbcDialog = 0x0010,
    };

    CDatabase() = default;
    virtual ~CDatabase()                        { Close(); }
    CDatabase(const CDatabase&) = delete;
    CDatabase& operator=(const CDatabase&) = delete;

    // Connects; the driver may ask for what the string lacks. FALSE when the
    // user cancelled that prompt; any other failure throws CDBException*.
    BOOL OpenEx(LPCSTR lpszConnectString, DWORD dwOptions = 0);
    // Closes the connection; a transaction still open is rolled back first.
    void Close();
    // Starts a transaction that lasts until Rollback or Close: FALSE when
    // the driver cannot put the connection into one.
    BOOL BeginTrans();
    // Undoes whatever the transaction's statements changed, and ends it.
    BOOL Rollback();
    BOOL IsOpen() const                         { return m_hdbc.Handle() != SQL_NULL_HDBC; }
    // The connect string of the last open, "ODBC;" followed by what the
    // driver completed.
    const CString& GetConnect() const           { return m_strConnect; }
    // The seconds that a statement of a record set opened on the connection
    // from now on may run before the driver cancels it (SQLSTATE HYT00); 0,
    // the default, lets it run. Kept across Close and OpenEx.
    void SetQueryTimeout(DWORD dwSeconds)       { m_dwQueryTimeout = dwSeconds; }
    DWORD GetQueryTimeout() const               { return m_dwQueryTimeout; }

    CConnectionHandle m_hdbc;

private:
    CEnvironmentHandle m_env;
    CString m_strConnect;
    BOOL m_bInTransaction = FALSE;
    DWORD m_dwQueryTimeout = 0;
};

// The framework marks an ODBC connect string with the prefix "ODBC;"; these
// two are the one place that knows it.
CString WithOdbcPrefix(const CString& strConnect);
CString WithoutOdbcPrefix(const CString& strConnect);
