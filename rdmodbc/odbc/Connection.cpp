#include "Connection.h"

#include "ConnectionCharset.h"

#include "framework/CDBException.h"
#include "framework/ConnectString.h"
#include "framework/CRecordset.h"

#include <sqlext.h>
#include <cctype>
#include <cstring>
#include <optional>
#include <vector>

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

    // A statement that sets how the session works; FALSE when the engine
    // refuses it.
    BOOL ExecuteSetting(CDatabase& db, LPCSTR pszStatement)
    {
        CStatementHandle hstmt;
        return SQL_SUCCEEDED(hstmt.Allocate(db.m_hdbc))
            && SQL_SUCCEEDED(::SQLExecDirect(hstmt, (SQLCHAR*)pszStatement, SQL_NTS));
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
    // is one valid text. SQLite's texts have no escapes in any mode. Nothing
    // when the engine cannot answer.
    std::optional<BOOL> ReadBackslashEscapes(CDatabase& db, SqlFamily family)
    {
        if (family == sqlSQLiteFamily)
            return FALSE;
        CString strValue;
        if (QueryValue(db, "SELECT '\\\\'", strValue) && (strValue == "\\" || strValue == "\\\\"))
            return strValue == "\\";
        return std::nullopt;
    }

    // The server parses the statement in the character set it names for the
    // connection. SQLite reads bytes below 0x80 as themselves whatever the
    // text; of another engine the driver converts to what it sends.
    BOOL ReadsCodePage(CDatabase& db, SqlFamily family)
    {
        LPCSTR pszQuery = nullptr;
        switch (family)
        {
        case sqlMySqlFamily:
            pszQuery = "SELECT @@character_set_client";
            break;
        case sqlPostgreSqlFamily:
            pszQuery = "SHOW client_encoding";
            break;
        case sqlSQLiteFamily:
        case sqlOtherFamily:
            return TRUE;
        }
        CString strCharset;
        return QueryValue(db, pszQuery, strCharset) && IsReadAsCodePage(strCharset, ::GetACP());
    }

    // The connect-string keywords with which a driver streams a forward-only
    // result, known by the driver's file name: psqlODBC fetches from a
    // cursor, in a transaction of its own when the connection commits each
    // statement, 8,192 rows a round trip (about half a megabyte for four
    // columns): 32 of the import's blocks, so that a failed round trip ends
    // reading after the same rows whether the rows are fetched in blocks or
    // one by one. MariaDB's (from 3.1.17) and
    // MySQL's drivers read the rows as they come instead of storing the
    // result.
    struct StreamingDriver
    {
        const char* pszFileName;
        const char* pszKeywords;
    };
    const StreamingDriver aStreamingDrivers[] = {
        {"psqlodbc", "UseDeclareFetch=1;Fetch=8192"},
        {"maodbc", "NO_CACHE=1"},
        {"myodbc", "NO_CACHE=1"},
    };

    // The connect string with the keywords of strKeywords set to their
    // values there. A keyword it held before is dropped: drivers differ in
    // whether the first or the last of two counts.
    CString WithKeywords(const CString& strConnect, const CString& strKeywords)
    {
        const std::vector<CString> keywords = ConnectEntries(strKeywords);
        CString strResult;
        for (const CString& strEntry : ConnectEntries(strConnect))
        {
            bool bReplaced = false;
            for (const CString& strKeyword : keywords)
                bReplaced = bReplaced || EntryKeyword(strEntry) == EntryKeyword(strKeyword);
            if (!bReplaced)
                strResult += strEntry + ";";
        }
        return strResult + strKeywords;
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

CString StreamingKeywords(const CDatabase& db)
{
    char szDriver[256] = "";
    if (!SQL_SUCCEEDED(::SQLGetInfo(db.m_hdbc, SQL_DRIVER_NAME, szDriver, sizeof szDriver, nullptr)))
        return "";
    for (char* pch = szDriver; *pch; ++pch)
        *pch = (char)std::tolower((unsigned char)*pch);
    for (const StreamingDriver& driver : aStreamingDrivers)
    {
        if (std::strstr(szDriver, driver.pszFileName))
            return driver.pszKeywords;
    }
    return "";
}

void ReopenForImport(SessionConnection& connection)
{
    ReopenConnection(connection);
    const CString strKeywords = StreamingKeywords(connection.m_db);
    if (strKeywords.IsEmpty())
        return;
    // A driver reads its connect-string keywords when it connects only.
    connection.m_db.Close();
    connection.m_db.OpenEx(WithKeywords(connection.m_strConnect, strKeywords),
                           CDatabase::openReadOnly | CDatabase::noOdbcDialog);
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
    // Where either cannot be told, the family's default is taken, and the
    // check of the user's texts refuses what the other reading would read
    // otherwise.
    const std::optional<BOOL> bBackslashEscapes = ReadBackslashEscapes(db, dialect.family);
    dialect.bBackslashEscapes = bBackslashEscapes.value_or(dialect.family == sqlMySqlFamily);
    dialect.bReadingMeasured = bBackslashEscapes.has_value() && ReadsCodePage(db, dialect.family);
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
    ExecuteSetting(db, pszStatement);
}

void LimitStatementTime(CDatabase& db, const SqlDialect& dialect, DWORD dwSeconds)
{
    db.SetQueryTimeout(dwSeconds);
    if (dialect.family != sqlMySqlFamily)
        return;
    // MariaDB counts in seconds, MySQL in milliseconds and its own name; a
    // server older than either has no limit.
    CString strMariaDb, strMySql;
    strMariaDb.Format("SET SESSION max_statement_time = %lu", (unsigned long)dwSeconds);
    strMySql.Format("SET SESSION max_execution_time = %lu", (unsigned long)dwSeconds * 1000);
    if (!ExecuteSetting(db, strMariaDb))
        ExecuteSetting(db, strMySql);
}
