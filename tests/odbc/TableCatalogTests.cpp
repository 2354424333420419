#include "odbc/Connection.h"
#include "odbc/TableCatalog.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{
    class TableCatalog : public ::testing::Test
    {
    protected:
        SessionConnection m_connection;
    };

    std::vector<std::string> Names(const std::vector<TableRow>& rows)
    {
        std::vector<std::string> names;
        for (const TableRow& row : rows)
            names.push_back(row.strName.Str());
        return names;
    }
}

// SQLite's driver lists its own sqlite_sequence as an ordinary "TABLE" and
// reports no "SYSTEM TABLE" rows and no remarks; the system-table switch
// therefore changes nothing here (see CatalogRowsTests for those types).
TEST_F(TableCatalog, ListsTablesAndViewsInCatalogOrderAsTheSwitchesSay)
{
    ASSERT_TRUE(OpenConnection(m_connection, "rdm_odbc_catalog", FALSE));
    using Names_ = std::vector<std::string>;
    const Names_ tables = {"orders", "sqlite_sequence", "customers"};
    const Names_ withViews = {"orders", "sqlite_sequence", "recent_orders", "customers", "customer_names"};
    struct Case { BOOL bViews; BOOL bSystem; const Names_& expected; };
    const Case cases[] = {
        {FALSE, FALSE, tables},
        {TRUE, FALSE, withViews},
        {FALSE, TRUE, tables},
        {TRUE, TRUE, withViews},
    };
    for (const Case& c : cases)
    {
        std::vector<TableRow> rows;
        EXPECT_TRUE(ReadTableCatalog(m_connection.m_db, c.bViews, c.bSystem, rows));
        EXPECT_EQ(c.expected, Names(rows)) << "views " << c.bViews << ", system tables " << c.bSystem;
        for (const TableRow& row : rows)
            EXPECT_EQ("", row.strRemarks.Str()) << row.strName;
    }
}

TEST_F(TableCatalog, GivesNothingWithoutAConnection)
{
    ASSERT_TRUE(OpenConnection(m_connection, "rdm_odbc_catalog", FALSE));
    m_connection.m_db.Close();
    std::vector<TableRow> rows(1);
    rows[0].strName = "left over";
    EXPECT_FALSE(ReadTableCatalog(m_connection.m_db, TRUE, TRUE, rows));
    EXPECT_TRUE(rows.empty());
}
