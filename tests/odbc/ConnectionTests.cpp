#include "TestEnv.h"
#include "framework/CDBException.h"
#include "odbc/Connection.h"
#include "odbc/ConnectionCharset.h"

#include <gtest/gtest.h>

namespace
{
    class Connection : public ::testing::Test
    {
    protected:
        SessionConnection m_connection;
    };

    std::string CatalogDatabase()
    {
        return "Database=" + TestEnvUnixPath("data/odbc_catalog.db") + ";";
    }
}

TEST_F(Connection, FirstOpenKeepsTheStringTheDriverCompleted)
{
    ASSERT_TRUE(OpenConnection(m_connection, "rdm_odbc_catalog", FALSE));
    EXPECT_TRUE(m_connection.m_db.IsOpen());
    const std::string connect = m_connection.m_strConnect.Str();
    EXPECT_EQ(0u, connect.find("DSN=rdm_odbc_catalog;")) << connect;
    EXPECT_NE(std::string::npos, connect.find(CatalogDatabase())) << connect;
    EXPECT_EQ("ODBC;" + connect, m_connection.m_db.GetConnect().Str());
}

TEST_F(Connection, ReconnectUsesTheSessionsStringNotTheName)
{
    ASSERT_TRUE(OpenConnection(m_connection, "rdm_odbc_catalog", FALSE));
    const CString strCompleted = m_connection.m_strConnect;
    m_connection.m_db.Close();

    ASSERT_TRUE(OpenConnection(m_connection, "rdm_odbc_no_such_dsn", TRUE));
    EXPECT_EQ(strCompleted.Str(), m_connection.m_strConnect.Str());
    m_connection.m_db.Close();

    // A string of another data source proves where the reconnect takes it from.
    m_connection.m_strConnect = "DSN=rdm_odbc_rows";
    ASSERT_TRUE(OpenConnection(m_connection, "rdm_odbc_catalog", TRUE));
    const std::string connect = m_connection.m_strConnect.Str();
    EXPECT_EQ(0u, connect.find("DSN=rdm_odbc_rows;")) << connect;
    EXPECT_NE(std::string::npos, connect.find("odbc_rows.db;")) << connect;
}

TEST_F(Connection, OpeningWhileOpenChangesNothing)
{
    ASSERT_TRUE(OpenConnection(m_connection, "rdm_odbc_catalog", FALSE));
    const SQLHDBC hdbc = m_connection.m_db.m_hdbc;
    const CString strConnect = m_connection.m_strConnect;
    for (BOOL bReconnect : {FALSE, TRUE})
    {
        EXPECT_TRUE(OpenConnection(m_connection, "rdm_odbc_rows", bReconnect));
        EXPECT_EQ(hdbc, m_connection.m_db.m_hdbc);
        EXPECT_EQ(strConnect.Str(), m_connection.m_strConnect.Str());
    }
}

TEST_F(Connection, MissingDataSourceThrowsTheDriverManagersTextAndKeepsTheString)
{
    m_connection.m_strConnect = "DSN=rdm_odbc_catalog";
    CString strError;
    try
    {
        OpenConnection(m_connection, "rdm_odbc_no_such_dsn", FALSE);
        ADD_FAILURE() << "no exception";
    }
    catch (CDBException* pException)
    {
        strError = pException->m_strError;
        pException->Delete();
    }
    EXPECT_EQ("[unixODBC][Driver Manager]Data source name not found and no default driver specified\n", strError.Str());
    EXPECT_EQ("DSN=rdm_odbc_catalog", m_connection.m_strConnect.Str());
    EXPECT_FALSE(m_connection.m_db.IsOpen());
}

// The server's name of the connection's character set against the ANSI
// code page: the same reading where the code page's characters come to the
// server byte for byte as the module wrote them.
TEST(ConnectionCharset, ReadsAsTheCodePageWhereNoByteBelow0x80CanBeASecondByte)
{
    struct Case { const char* charset; UINT nCodePage; BOOL bRead; };
    const Case cases[] = {
        {"latin1", 1252, TRUE},     {"utf8mb4", 1252, TRUE},  {"UTF8", 1252, TRUE},    {"WIN1252", 1252, TRUE},
        {"SQL_ASCII", 1252, TRUE},  {"EUC_JP", 1252, TRUE},   {"utf8mb4", 65001, TRUE}, {"gbk", 1252, FALSE},
        {"GBK", 936, TRUE},         {"gb18030", 936, TRUE},   {"sjis", 932, TRUE},     {"SJIS", 936, FALSE},
        {"cp932", 932, TRUE},       {"Shift_JIS", 932, TRUE}, {"BIG5", 950, TRUE},     {"big5", 65001, FALSE},
        {"UHC", 949, TRUE},         {"utf8mb4", 932, FALSE},  {"latin1", 936, FALSE},  {"", 1252, FALSE},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.bRead, IsReadAsCodePage(c.charset, c.nCodePage)) << c.charset << " in " << c.nCodePage;
}
