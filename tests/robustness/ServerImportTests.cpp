// One import, two data sources: the SQLite fixture and a MariaDB server with
// the same rows (its own ODBC driver, names quoted with grave accents). The
// conditions are composed as the condition editor composes them.
#include "ImportRun.h"
#include "MessageBoxRecorder.h"
#include "RDMODBC.h"
#include "TestEnv.h"
#include "query/Condition.h"
#include "resource.h"

#include <gtest/gtest.h>
#include <sqlext.h>
#include <algorithm>

namespace
{
    struct ConditionChoice
    {
        const char* column;
        int sqlDataType;
        ConditionOperator nOperator;
        const char* value1;
        const char* value2;
        BOOL bNegate;
    };

    // Rows of the import on the data source, in a fixed order: DISTINCT
    // leaves the order to the server.
    std::vector<DeliveredRow> Import(const char* pszConnect, const std::vector<ConditionChoice>& conditions)
    {
        std::vector<CString> filters;
        const SqlDialect dialect = DriverDialect(pszConnect);
        for (const ConditionChoice& c : conditions)
        {
            ColumnInfo column;
            column.name = (char*)c.column;
            column.sqlDataType = c.sqlDataType;
            CString strDisplay, strFilter;
            EXPECT_EQ(conditionComposed, ComposeCondition(column, dialect, c.nOperator, c.value1, c.value2,
                                                          c.bNegate, strDisplay, strFilter));
            filters.push_back(strFilter);
        }
        ImportChoice choice;
        choice.connect = pszConnect;
        choice.table = "articles";
        choice.columns = {"name", "code", "price", "born"};
        choice.options[1].m_bPad = TRUE;
        choice.options[1].m_nPadWidth = 4;
        choice.options[1].m_chPad = '0';
        choice.options[2].m_bInteger = TRUE;
        choice.options[3].m_bDate = TRUE;
        for (const CString& strFilter : filters)
            choice.filters.push_back(strFilter);
        EXPECT_EQ(1, OpenImport(choice)) << pszConnect;
        std::vector<DeliveredRow> rows = ReadAllRows(64, 100);
        std::sort(rows.begin(), rows.end(), [](const DeliveredRow& a, const DeliveredRow& b) { return a[1] < b[1]; });
        return rows;
    }

    class ServerImport : public ::testing::Test
    {
    protected:
        void TearDown() override
        {
            RDMODBCClose();
            EXPECT_TRUE(m_messageBoxes.Boxes().empty())
                << (m_messageBoxes.Boxes().empty() ? "" : m_messageBoxes.Boxes()[0].text);
        }
        CMessageBoxRecorder m_messageBoxes;
    };
}

TEST_F(ServerImport, MariaDbGivesTheRowsThatSqliteGives)
{
    struct Case { const char* what; std::vector<ConditionChoice> conditions; size_t rows; };
    const Case cases[] = {
        {"no condition", {}, 6},
        {"number range", {{"price", SQL_DOUBLE, opBetweenInclusive, "0.25", "12.5", FALSE}}, 4},
        {"number not equal", {{"code", SQL_INTEGER, opEqual, "3", "", TRUE}}, 5},
        {"text equal with a quote", {{"name", SQL_VARCHAR, opEqual, "O'Brien clamp", "", FALSE}}, 1},
        {"text range", {{"name", SQL_VARCHAR, opFromInclToExcl, "B", "C", FALSE}}, 2},
        {"LIKE", {{"name", SQL_VARCHAR, opLike, "B%", "", FALSE}}, 2},
        {"LIKE with a percent sign", {{"name", SQL_VARCHAR, opLike, "%50%", "", FALSE}}, 1},
        {"NULL", {{"note", SQL_VARCHAR, opIsNull, "", "", FALSE}}, 2},
        {"not NULL and a number",
         {{"note", SQL_VARCHAR, opIsNull, "", "", TRUE}, {"price", SQL_DOUBLE, opBetweenExclusive, "-5", "100", FALSE}},
         3},
    };
    for (const Case& c : cases)
    {
        std::vector<DeliveredRow> sqlite = Import("DSN=rdm_robustness_compare", c.conditions);
        std::vector<DeliveredRow> mariadb = Import("DSN=rdm_robustness_mariadb", c.conditions);
        EXPECT_EQ(c.rows, sqlite.size()) << c.what;
        EXPECT_EQ(sqlite, mariadb) << c.what;
    }
}

TEST_F(ServerImport, MariaDbRowsArriveFormatted)
{
    std::vector<DeliveredRow> rows = Import("DSN=rdm_robustness_mariadb", {});
    ASSERT_EQ(6u, rows.size());
    EXPECT_EQ((DeliveredRow{"Anchor", "0001", "12", "2003-02-01"}), rows[0]);
    EXPECT_EQ((DeliveredRow{"Cable", "0004", "-2", ""}), rows[3]);
}

TEST_F(ServerImport, ValuesAroundTheRowBufferArriveWholeOnBothServers)
{
    // The record set reads values of up to 255 bytes with the row and reads
    // longer ones again on their own: the lengths on either side of that
    // line, in a VARCHAR and in a long text column, and NULL.
    const int lengths[] = {0, 1, 254, 255, 256, 257, 1000};
    auto Text = [](int nLength, char chEnd) {
        std::string text;
        for (int i = 0; i < nLength; ++i)
            text += (char)('a' + i % 26);
        if (nLength > 0)
            text.back() = chEnd;
        return text;
    };
    for (const char* pszConnect : {"DSN=rdm_robustness_compare", "DSN=rdm_robustness_mariadb"})
    {
        ExecuteSql(pszConnect, "DROP TABLE IF EXISTS row_buffer");
        ExecuteSql(pszConnect, "CREATE TABLE row_buffer (n INTEGER, body VARCHAR(2000), note TEXT)");
        for (int nLength : lengths)
            ExecuteSql(pszConnect, "INSERT INTO row_buffer VALUES (" + std::to_string(nLength) + ", '"
                                       + Text(nLength, '|') + "', '" + Text(nLength, '!') + "')");
        ExecuteSql(pszConnect, "INSERT INTO row_buffer VALUES (-1, NULL, NULL)");

        ImportChoice choice;
        choice.connect = pszConnect;
        choice.table = "row_buffer";
        choice.columns = {"body", "n", "note", ""};
        choice.options[0].m_strPrefix = "<";
        choice.options[2].m_strSuffix = ">";
        ASSERT_EQ(1, OpenImport(choice)) << pszConnect;
        std::vector<DeliveredRow> rows = ReadAllRows(2000, 20);
        ASSERT_EQ(std::size(lengths) + 1, rows.size()) << pszConnect;
        for (const DeliveredRow& row : rows)
        {
            int nLength = std::stoi(row[1]);
            EXPECT_EQ("<" + Text(nLength, '|'), row[0]) << pszConnect << " length " << nLength;
            EXPECT_EQ(Text(nLength, '!') + ">", row[2]) << pszConnect << " length " << nLength;
        }
    }
}
