#include "framework/CDatabase.h"
#include "odbc/CatalogFields.h"
#include "odbc/TableCatalog.h"

#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

namespace
{
    using Row = std::pair<std::string, std::string>;   // name, remarks

    const std::string LONG_REMARK =
        "A remark of one hundred characters that a driver with short catalog fields cuts. xxxxxxxxxxxxxxxxxxx";

    // Rows shaped like a catalog result, fetched from SQLite through the
    // driver as SQLTables' rows are, in rowid order.
    class CatalogRows : public ::testing::Test
    {
    protected:
        void SetUp() override
        {
            ASSERT_TRUE(m_db.OpenEx("DSN=rdm_odbc_rows", CDatabase::noOdbcDialog));
        }

        std::vector<Row> Fetch(int nFieldSize, BOOL bViews, BOOL bSystem)
        {
            CStatementHandle hstmt;
            hstmt.Allocate(m_db.m_hdbc);
            SQLRETURN nRetCode = ::SQLExecDirect(hstmt, (SQLCHAR*)"SELECT * FROM catalog_rows ORDER BY rowid", SQL_NTS);
            EXPECT_TRUE(SQL_SUCCEEDED(nRetCode));
            std::vector<TableRow> tableRows;
            FetchTableRows(hstmt, nFieldSize, bViews, bSystem, tableRows);
            std::vector<Row> rows;
            for (const TableRow& row : tableRows)
                rows.emplace_back(row.strName.Str(), row.strRemarks.Str());
            return rows;
        }

        CDatabase m_db;
    };
}

TEST(NameFieldSize, FollowsTheDriversLongestNameWithinBounds)
{
    struct Case { SQLUSMALLINT nReported; int nFieldSize; };
    const Case cases[] = {
        {40000, 256},    // negative to a signed reading
        {32768, 256},
        {32767, 2048},
        {5000, 2048},
        {2049, 2048},
        {2048, 2048},
        {64, 64},
        {10, 10},
        {1, 1},
        {0, 256},        // no maximum, or the driver cannot tell
        {65535, 256},    // -1 to a signed reading
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.nFieldSize, NameFieldSize(c.nReported)) << c.nReported;
}

TEST_F(CatalogRows, KeepsFetchOrderAndHidesOnlyExactViewAndSystemTableTypes)
{
    const Row customers = {"customers", "who buys"};
    const Row activeCustomers = {"active_customers", ""};
    const Row pgClass = {"pg_class", "relations"};
    const Row lowerCaseView = {"lower_case_view", ""};
    const Row orderAlias = {"order_alias", ""};
    const Row otherCustomers = {"customers", "same name, other catalog"};
    const Row notes = {"notes", LONG_REMARK};
    struct Case { BOOL bViews; BOOL bSystem; std::vector<Row> expected; };
    const Case cases[] = {
        {FALSE, FALSE, {customers, lowerCaseView, orderAlias, otherCustomers, notes}},
        {TRUE, FALSE, {customers, activeCustomers, lowerCaseView, orderAlias, otherCustomers, notes}},
        {FALSE, TRUE, {customers, pgClass, lowerCaseView, orderAlias, otherCustomers, notes}},
        {TRUE, TRUE, {customers, activeCustomers, pgClass, lowerCaseView, orderAlias, otherCustomers, notes}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, Fetch(256, c.bViews, c.bSystem)) << "views " << c.bViews << ", system " << c.bSystem;
}

TEST_F(CatalogRows, CutsRemarksToTheFieldSize)
{
    std::vector<Row> rows = Fetch(64, TRUE, TRUE);
    ASSERT_EQ(7u, rows.size());
    EXPECT_EQ(Row("notes", LONG_REMARK.substr(0, 64)), rows[6]);
}

TEST_F(CatalogRows, ShortFieldsNoLongerRecogniseSystemTablesAndLeaveOutNamesCutShort)
{
    // "lower_case_view" and "order_alias" would arrive as names of no table.
    const std::vector<Row> expected = {
        {"customers", "who buys"},
        {"pg_class", "relations"},          // "SYSTEM TAB" is not "SYSTEM TABLE"
        {"customers", "same name,"},
        {"notes", LONG_REMARK.substr(0, 10)},
    };
    EXPECT_EQ(expected, Fetch(10, FALSE, FALSE));
}
