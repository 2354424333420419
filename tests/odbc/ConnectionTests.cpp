#include "TestEnv.h"
#include "framework/CDBException.h"
#include "odbc/Connection.h"

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
