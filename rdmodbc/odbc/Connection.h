#pragma once
// The session's connection to the chosen data source, and what every later
// connection of the session reuses.
#include "framework/CDatabase.h"
#include "framework/SqlDialect.h"

struct SessionConnection
{
    CDatabase  m_db;                    // open while a step of the session reads from it
    CString    m_strConnect;            // the connect string the driver completed, without "ODBC;"
    // How the data source reads SQL text, as the last connection told it.
    // Every connection of the session goes to the same data source, so
    // conditions composed while the connection is closed are written for it
    // too.
    SqlDialect m_dialect;
};

// Opens the connection: the first time with "DSN=" and the name, with
// bReconnect the session's completed connect string. Does nothing when the
// connection is open. FALSE when the user cancelled the driver's prompt;
// any other connection failure throws CDBException* and leaves the connect
// string as it was.
BOOL OpenConnection(SessionConnection& connection, const CString& strDataSource, BOOL bReconnect);
// Opens the connection again, read-only, with the completed connect string,
// unless it is open. A failure throws CDBException*.
void ReopenConnection(SessionConnection& connection);
// Opens the connection again, as ReopenConnection, for the import's rows:
// where the driver reads a whole result at execution unless told otherwise,
// it is connected once more and told to hand the rows over as the server
// sends them. The connect string of the session stays as the driver
// completed it, so the session's other connections are as they were.
void ReopenForImport(SessionConnection& connection);
// The connect-string keywords ("keyword=value;...") that tell the driver of
// the connection to hand a forward-only result over as the server sends it;
// "" for a driver that is not told.
CString StreamingKeywords(const CDatabase& db);

// The driver's identifier quote character (SQL_IDENTIFIER_QUOTE_CHAR): a
// grave accent when it cannot tell, "" when it answers a blank (no quoting).
CString ReadIdentifierQuote(const CDatabase& db);
// How the engine behind the open connection reads SQL text. Whether a
// backslash escapes is asked of the engine itself, for it depends on the
// server's settings, not on the product.
SqlDialect ReadSqlDialect(CDatabase& db);
// Makes what the connection runs from now on read-only at the server, where
// the engine can be told so; elsewhere only the driver's read-only mode
// (asked for when it connected) and the caller's transaction stand.
void SetReadOnlySession(CDatabase& db, const SqlDialect& dialect);
// Lets no statement of a record set opened from now on run longer than
// that many seconds (0: as long as it takes): the driver is asked to cancel
// it (SQL_ATTR_QUERY_TIMEOUT), and a MariaDB or MySQL server, whose drivers
// may not, is told the limit itself.
void LimitStatementTime(CDatabase& db, const SqlDialect& dialect, DWORD dwSeconds);
// The database the connection works in (SQL_ATTR_CURRENT_CATALOG); "" when
// the data source has none or the driver cannot tell.
CString CurrentCatalog(const CDatabase& db);
