#include "Connection.h"

#include "framework/CDBException.h"
#include "framework/CRecordset.h"

#include <sqlext.h>

namespace
{
    const char szUnknownQuote[] = "`";

    // The first value of the first row of a query; FALSE when the engine
    // refuses the query or has no row.
    BOOL QueryValue(CDatabase& db, LPCSTR pszSQL, CString& strValue)
    {
        try
        {
            CRecordset query(&db);
            query.Open(CRecordset::forwardOnly, pszSQL, CRecordset::readOnly);
            if (query.IsEOF())
                return FALSE;
            query.GetFieldValue(0, strValue);
            return TRUE;
        }
        catch (CException* pException)
        {
            pException->Delete();
            return FALSE;
        }
    }

    SqlFamily FamilyOf(const CString& strDbmsName)
    {
        if (strDbmsName.Find("MySQL") >= 0 || strDbmsName.Find("MariaDB") >= 0)
            return sqlMySqlFamily;
        if (strDbmsName.Find("PostgreSQL") >= 0)
            return sqlPostgreSqlFamily;
        if (strDbmsName.Find("SQLite") >= 0)
            return sqlSQLiteFamily;
        return sqlOtherFamily;
    }

    // The text '\\' reads as two backslashes where a backslash is a
    // character like any other and as one where it escapes; either way it
    // is one valid text. SQLite's texts have no escapes in any mode, and an
    // engine that cannot answer is taken as its kind is by default.
    BOOL ReadBackslashEscapes(CDatabase& db, SqlFamily family)
    {
        if (family == sqlSQLiteFamily)
            return FALSE;
        CString strValue;
        if (QueryValue(db, "SELECT '\\\\'", strValue) && (strValue == "\\" || strValue == "\\\\"))
            return strValue == "\\";
        return family == sqlMySqlFamily;
    }
}

BOOL OpenConnection(SessionConnection& connection, const CString& strDataSource, BOOL bReconnect)
{
    if (connection.m_db.IsOpen())
        return TRUE;

    CString strConnect;
    if (bReconnect)
        strConnect = connection.m_strConnect;
    else
        strConnect.Format("DSN=%s", (LPCSTR)strDataSource);

    // The driver completes the string and prompts only for what it lacks; a
    // CDBException* leaves before the session's string is touched.
    BOOL bOpened = connection.m_db.OpenEx(strConnect, CDatabase::openReadOnly);

    // Every later connection of the session reuses what the driver completed,
    // so the user is not asked again.
    connection.m_strConnect = WithoutOdbcPrefix(connection.m_db.GetConnect());
    if (bOpened)
        connection.m_dialect = ReadSqlDialect(connection.m_db);
    return bOpened;
}

void ReopenConnection(SessionConnection& connection)
{
    OpenConnection(connection, CString(), TRUE);
}

CString ReadIdentifierQuote(const CDatabase& db)
{
    char szQuote[8] = "";
    SQLSMALLINT nLength = 0;
    if (!SQL_SUCCEEDED(::SQLGetInfo(db.m_hdbc, SQL_IDENTIFIER_QUOTE_CHAR, szQuote, sizeof szQuote, &nLength))
        || szQuote[0] == '\0')
        return szUnknownQuote;
    // ODBC's answer for a driver that quotes no names.
    if (CString(szQuote) == " ")
        return "";
    return szQuote;
}

CString CurrentCatalog(const CDatabase& db)
{
    char szCatalog[1024] = "";
    SQLINTEGER nLength = 0;
    // A name cut to the buffer would name another catalog, or none.
    if (!SQL_SUCCEEDED(::SQLGetConnectAttr(db.m_hdbc, SQL_ATTR_CURRENT_CATALOG, szCatalog, sizeof szCatalog,
                                           &nLength))
        || nLength >= (SQLINTEGER)sizeof szCatalog)
        return "";
    return szCatalog;
}

SqlDialect ReadSqlDialect(CDatabase& db)
{
    SqlDialect dialect;
    dialect.strIdentifierQuote = ReadIdentifierQuote(db);
    char szDbmsName[256] = "";
    if (SQL_SUCCEEDED(::SQLGetInfo(db.m_hdbc, SQL_DBMS_NAME, szDbmsName, sizeof szDbmsName, nullptr)))
        dialect.family = FamilyOf(szDbmsName);
    dialect.bBackslashEscapes = ReadBackslashEscapes(db, dialect.family);
    // Of the engines that list tables by schema, PostgreSQL tells which
    // schema a bare name means; elsewhere every schema is named.
    if (dialect.family == sqlPostgreSqlFamily)
        QueryValue(db, "SELECT current_schema()", dialect.strDefaultSchema);
    return dialect;
}

void SetReadOnlySession(CDatabase& db, const SqlDialect& dialect)
{
    LPCSTR pszStatement = nullptr;
    switch (dialect.family)
    {
    case sqlMySqlFamily:
        pszStatement = "SET SESSION TRANSACTION READ ONLY";
        break;
    case sqlPostgreSqlFamily:
        pszStatement = "SET SESSION CHARACTERISTICS AS TRANSACTION READ ONLY";
        break;
    case sqlSQLiteFamily:
        pszStatement = "PRAGMA query_only = 1";
        break;
    case sqlOtherFamily:
        return;
    }
    // An engine too old for it still has the rolled-back transaction.
    CStatementHandle hstmt;
    if (SQL_SUCCEEDED(hstmt.Allocate(db.m_hdbc)))
        ::SQLExecDirect(hstmt, (SQLCHAR*)pszStatement, SQL_NTS);
}
