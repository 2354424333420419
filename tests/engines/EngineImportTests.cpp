// The same imports on SQLite, MariaDB and PostgreSQL, each through its own
// ODBC driver: the statements each engine understands (names in its
// driver's quotes, dates as escape literals), the conditions composed as
// the condition editor composes them for the column types the catalog
// reports, and the same rows delivered on all three.
#include "CatalogColumns.h"
#include "Engines.h"
#include "ImportRun.h"
#include "MessageBoxRecorder.h"
#include "RDMODBC.h"
#include "TestEnv.h"
#include "query/Condition.h"
#include "resource.h"

#include <gtest/gtest.h>
#include <sqlext.h>
#include <algorithm>
#include <cstring>
#include <map>
#include <optional>

namespace
{
    // A condition as the user makes it in the editor. An operator 0 is the
    // engine's way of asking for a true or a false value: "is true" where
    // the column is a bit, "equals 1" where the driver reports a number or a
    // text (MariaDB's BOOLEAN is TINYINT, PostgreSQL's driver reports it as
    // VARCHAR by default).
    struct EditedCondition
    {
        const char* column;
        UINT nOperator;
        const char* value1;
        const char* value2;
        bool bNegate;
    };
    const UINT OP_TRUE_OF_THE_ENGINE = 0;

    // A table's columns as the field-mapping dialog reads them.
    class CTableColumns
    {
    public:
        CTableColumns(const TestEngine& engine, const char* pszTable) { ReadCatalogColumns(engine.connect, pszTable, m_p, m_n); }
        ~CTableColumns() { FreeColumnArray(m_p, m_n); }
        CTableColumns(const CTableColumns&) = delete;
        CTableColumns& operator=(const CTableColumns&) = delete;

        const ColumnInfo* Find(const char* pszName) const
        {
            for (int i = 0; i < m_n; ++i)
                if (m_p[i].name && std::strcmp(m_p[i].name, pszName) == 0)
                    return &m_p[i];
            return nullptr;
        }
        int Count() const { return m_n; }

    private:
        ColumnInfo* m_p = nullptr;
        int m_n = 0;
    };

    // The filter texts of the conditions, composed for the engine's column
    // types and quoted as its driver quotes.
    std::vector<CString> Compose(const TestEngine& engine, const char* pszTable,
                                 const std::vector<EditedCondition>& conditions)
    {
        CTableColumns columns(engine, pszTable);
        const CString strQuote = DriverQuote(engine.connect);
        std::vector<CString> filters;
        for (const EditedCondition& c : conditions)
        {
            const ColumnInfo* pColumn = columns.Find(c.column);
            EXPECT_NE(nullptr, pColumn) << engine.name << ": " << c.column;
            if (pColumn == nullptr)
                continue;
            UINT nOperator = c.nOperator;
            const char* pszValue1 = c.value1;
            if (nOperator == OP_TRUE_OF_THE_ENGINE)
            {
                nOperator = pColumn->sqlDataType == SQL_BIT ? IDS_OP_TRUE : IDS_OP_EQUAL;
                pszValue1 = "1";
            }
            CString strDisplay, strFilter;
            EXPECT_EQ(conditionComposed, ComposeCondition(*pColumn, strQuote, nOperator, pszValue1, c.value2,
                                                          c.bNegate, strDisplay, strFilter))
                << engine.name << ": " << c.column;
            filters.push_back(strFilter);
        }
        return filters;
    }

    // The customers as the host receives them: id (padded) on the primary
    // field, the name, the date they joined under the date rule and the
    // balance as a whole number, in the order of their ids.
    ImportChoice Customers(const TestEngine& engine, const std::vector<CString>& filters)
    {
        ImportChoice choice;
        choice.connect = engine.connect;
        choice.table = "customers";
        choice.columns = {"name", "id", "joined", "balance"};
        choice.options[1].m_bPad = TRUE;
        choice.options[1].m_nPadWidth = 3;
        choice.options[1].m_chPad = '0';
        choice.options[2].m_bDate = TRUE;
        choice.options[3].m_bInteger = TRUE;
        for (const CString& strFilter : filters)
            choice.filters.push_back(strFilter);
        choice.sortKeys[0].nField = 1;
        return choice;
    }

    std::vector<std::string> Ids(const std::vector<DeliveredRow>& rows)
    {
        std::vector<std::string> ids;
        for (const DeliveredRow& row : rows)
            ids.push_back(row[1]);
        return ids;
    }

    class EngineImport : public ::testing::Test
    {
    protected:
        void TearDown() override
        {
            RDMODBCClose();
            for (const RecordedMessageBox& box : m_messageBoxes.Boxes())
                ADD_FAILURE() << "message box: " << box.text;
        }

        std::vector<DeliveredRow> Import(const TestEngine& engine, const std::vector<EditedCondition>& conditions)
        {
            std::vector<CString> filters = Compose(engine, "customers", conditions);
            EXPECT_EQ(1, OpenImport(Customers(engine, filters))) << engine.name;
            m_strSQL = theSession.m_pRecordset ? theSession.m_pRecordset->m_strSQL.Str() : "";
            return ReadAllRows(64, 100);
        }

        std::string m_strSQL;
        CMessageBoxRecorder m_messageBoxes;
    };
}

TEST_F(EngineImport, EveryKindOfConditionSelectsTheSameRowsOnEveryEngine)
{
    using Ids_ = std::vector<std::string>;
    struct Case { const char* what; std::vector<EditedCondition> conditions; Ids_ ids; };
    const Case cases[] = {
        {"none", {}, {"001", "002", "003", "004", "005", "006", "007", "008", "009", "010"}},
        {"a whole number", {{"visits", IDS_OP_EQUAL, "-3", "", false}}, {"002"}},
        {"negative numbers", {{"visits", IDS_OP_BETWEEN_EXCLUSIVE, "", "0", false}}, {"002", "008"}},
        {"a decimal range", {{"balance", IDS_OP_BETWEEN_INCLUSIVE, "-0.5", "123.45", false}},
         {"003", "006", "007", "008", "010"}},
        {"a text with a quote", {{"name", IDS_OP_EQUAL, "O'Brien & Co", "", false}}, {"004"}},
        {"LIKE with %", {{"name", IDS_OP_LIKE, "%&%", "", false}}, {"001", "004", "006"}},
        {"NULL", {{"city", IDS_OP_IS_NULL, "", "", false}}, {"003", "009"}},
        {"not NULL", {{"city", IDS_OP_IS_NULL, "", "", true}},
         {"001", "002", "004", "005", "006", "007", "008", "010"}},
        {"true", {{"active", OP_TRUE_OF_THE_ENGINE, "", "", false}}, {"001", "003", "004", "007", "010"}},
        {"not true", {{"active", OP_TRUE_OF_THE_ENGINE, "", "", true}}, {"002", "006", "008"}},
        {"negation", {{"name", IDS_OP_LIKE, "%e%", "", true}}, {"002"}},
        {"two conditions", {{"city", IDS_OP_EQUAL, "Oslo", "", false}, {"visits", IDS_OP_BETWEEN_INCLUSIVE, "2", "", false}},
         {"001", "010"}},
    };
    for (const Case& c : cases)
    {
        for (const TestEngine& engine : TestEngines())
            EXPECT_EQ(c.ids, Ids(Import(engine, c.conditions))) << c.what << " on " << engine.name << ": " << m_strSQL;
    }
}

TEST_F(EngineImport, DateTimeAndTimestampConditionsSelectTheSameRowsOnEveryEngine)
{
    using Ids_ = std::vector<std::string>;
    struct Case { const char* column; UINT nOperator; const char* value1; const char* value2; Ids_ ids; };
    const Case cases[] = {
        {"joined", IDS_OP_EQUAL, "2003-02-01", "", {"003"}},
        {"joined", IDS_OP_BETWEEN_EXCLUSIVE, "1999-12-31", "2003-02-01", {"001", "004"}},
        {"joined", IDS_OP_FROM_INCL_TO_EXCL, "1999-12-31", "2003-02-01", {"001", "004", "010"}},
        {"joined", IDS_OP_FROM_EXCL_TO_INCL, "1999-12-31", "2003-02-01", {"001", "003", "004"}},
        {"joined", IDS_OP_BETWEEN_INCLUSIVE, "2015-01-01", "", {"006", "008", "009"}},
        {"call_at", IDS_OP_EQUAL, "12:30:00", "", {"003", "009"}},
        {"call_at", IDS_OP_BETWEEN_EXCLUSIVE, "06:30:00", "12:30:00", {"001"}},
        {"call_at", IDS_OP_FROM_INCL_TO_EXCL, "06:30:00", "12:30:00", {"001", "007"}},
        {"call_at", IDS_OP_FROM_EXCL_TO_INCL, "", "06:30:00", {"006", "007"}},
        {"call_at", IDS_OP_BETWEEN_INCLUSIVE, "17:45:00", "23:59:59", {"005", "008"}},
        {"updated", IDS_OP_EQUAL, "2003-02-01 12:30:00", "", {"002"}},
        {"updated", IDS_OP_BETWEEN_EXCLUSIVE, "1999-12-31 23:59:59", "2015-01-01 00:00:01", {"002", "004"}},
        {"updated", IDS_OP_FROM_INCL_TO_EXCL, "1999-12-31 23:59:59", "2015-01-01 00:00:01", {"002", "004", "010"}},
        {"updated", IDS_OP_FROM_EXCL_TO_INCL, "1999-12-31 23:59:59", "2015-01-01 00:00:01", {"002", "004", "008"}},
        {"updated", IDS_OP_BETWEEN_INCLUSIVE, "2022-12-24 18:08:08", "", {"001", "003", "009"}},
    };
    for (const Case& c : cases)
    {
        for (const TestEngine& engine : TestEngines())
        {
            EXPECT_EQ(c.ids, Ids(Import(engine, {{c.column, c.nOperator, c.value1, c.value2, false}})))
                << c.column << " " << c.value1 << "/" << c.value2 << " on " << engine.name << ": " << m_strSQL;
        }
    }
}

TEST_F(EngineImport, DeliversTheSameFormattedRowsOnEveryEngine)
{
    const std::vector<DeliveredRow> sqlite = Import(TestEngines()[0], {});
    ASSERT_EQ(10u, sqlite.size());
    EXPECT_EQ((DeliveredRow{"O'Brien & Co", "004", "2000-02-29", "1200"}), sqlite[3]);
    EXPECT_EQ((DeliveredRow{"Elm Street Bakery", "005", "", "0"}), sqlite[4]) << "NULL reads as \"\", 0 as a number";
    for (const TestEngine& engine : TestEngines())
        EXPECT_EQ(sqlite, Import(engine, {})) << engine.name;
}

TEST_F(EngineImport, QuotesNamesAsEachDriverDoes)
{
    struct Case { const char* quote; const char* sql; };
    const Case cases[] = {
        // SQLite's driver reports a date by its ODBC 3 code, which compares
        // as text there.
        {"\"", "SELECT DISTINCT \"id\",\"name\",\"joined\",\"balance\" FROM \"customers\" "
               "WHERE (\"joined\">='2003-02-01') ORDER BY \"id\""},
        {"`", "SELECT DISTINCT `id`,`name`,`joined`,`balance` FROM `customers` "
              "WHERE (`joined`>={d '2003-02-01'}) ORDER BY `id`"},
        {"\"", "SELECT DISTINCT \"id\",\"name\",\"joined\",\"balance\" FROM \"customers\" "
               "WHERE (\"joined\">={d '2003-02-01'}) ORDER BY \"id\""},
    };
    for (size_t i = 0; i < TestEngines().size(); ++i)
    {
        const TestEngine& engine = TestEngines()[i];
        EXPECT_STREQ(cases[i].quote, DriverQuote(engine.connect)) << engine.name;
        EXPECT_EQ((std::vector<std::string>{"003", "006", "008", "009"}),
                  Ids(Import(engine, {{"joined", IDS_OP_BETWEEN_INCLUSIVE, "2003-02-01", "", false}})))
            << engine.name;
        EXPECT_EQ(cases[i].sql, m_strSQL) << engine.name;
    }
}

TEST_F(EngineImport, ReadsNamesThatNeedTheirQuotesOnEveryEngine)
{
    // Mixed case, a blank, both quote characters, and a dot in the table's
    // name (taken whole).
    for (const TestEngine& engine : TestEngines())
    {
        ImportChoice choice;
        choice.connect = engine.connect;
        choice.table = "Customer Notes.v2";
        choice.columns = {"Customer Id", "NoteId", "Quote\"Grave`Mark", ""};
        std::vector<CString> filters =
            Compose(engine, "Customer Notes.v2", {{"Customer Id", IDS_OP_BETWEEN_INCLUSIVE, "1", "4", false},
                                                  {"Quote\"Grave`Mark", IDS_OP_IS_NULL, "", "", true}});
        for (const CString& strFilter : filters)
            choice.filters.push_back(strFilter);
        choice.sortKeys[0].nField = 1;
        ASSERT_EQ(1, OpenImport(choice)) << engine.name;
        EXPECT_EQ((std::vector<DeliveredRow>{{"1", "1", "first call", ""}, {"4", "3", "said \"yes\"", ""}}),
                  ReadAllRows()) << engine.name;
    }
}

TEST_F(EngineImport, TypedConditionsGoToTheEngineAsTyped)
{
    for (const TestEngine& engine : TestEngines())
    {
        ImportChoice choice = Customers(engine, {});
        choice.filters = {"visits > 5 OR city = 'Kyoto'"};
        ASSERT_EQ(1, OpenImport(choice)) << engine.name;
        EXPECT_EQ((std::vector<std::string>{"001", "005", "006", "007", "010"}), Ids(ReadAllRows())) << engine.name;
    }
}

TEST_F(EngineImport, TheCatalogTellsEachColumnsTypeDespiteADriversNull)
{
    // MariaDB's driver gives no SQL_DATA_TYPE in its type information, and
    // PostgreSQL's reports DOUBLE PRECISION as SQL_FLOAT: the dialog still
    // offers whole numbers for the doubles and the date and time options
    // for the dates and times.
    struct Case { const char* column; int sqlDataType; int datetimeSub; };
    const Case dateTimes[] = {
        {"joined", SQL_DATETIME, SQL_CODE_DATE},
        {"call_at", SQL_DATETIME, SQL_CODE_TIME},
        {"updated", SQL_DATETIME, SQL_CODE_TIMESTAMP},
    };
    for (const TestEngine& engine : TestEngines())
    {
        CTableColumns columns(engine, "customers");
        ASSERT_EQ(9, columns.Count()) << engine.name;
        const int nBalance = columns.Find("balance")->sqlDataType;
        EXPECT_TRUE(nBalance == SQL_FLOAT || nBalance == SQL_REAL || nBalance == SQL_DOUBLE) << engine.name;
        for (const Case& c : dateTimes)
        {
            const ColumnInfo* pColumn = columns.Find(c.column);
            // SQLite's driver reports the ODBC 3 codes of date, time and
            // timestamp, which compare as text there.
            if (engine.connect == TestEngines()[0].connect)
                EXPECT_EQ(SQL_TYPE_DATE + c.datetimeSub - SQL_CODE_DATE, pColumn->sqlDataType) << c.column;
            else
            {
                EXPECT_EQ(c.sqlDataType, pColumn->sqlDataType) << engine.name << " " << c.column;
                EXPECT_EQ(c.datetimeSub, pColumn->datetimeSub) << engine.name << " " << c.column;
            }
            EXPECT_NE(0, pColumn->searchable) << engine.name << " " << c.column;
            EXPECT_EQ(1, pColumn->nullable) << engine.name << " " << c.column;
        }
    }
}

TEST_F(EngineImport, NoImportChangesARowWhateverItsConditionHolds)
{
    // A typed condition is free SQL, and the read-only option a hint that
    // none of these drivers enforces. Whatever the condition holds, the rows
    // are the same after the import, on every engine.
    const char* pszEverything = "SELECT id, name, city, visits, balance, joined, call_at, updated, active "
                                "FROM customers ORDER BY id";
    const std::map<std::string, std::string> forgettingFunction = {
        {"MariaDB", "CREATE OR REPLACE FUNCTION rdm_forget_customers() RETURNS INT MODIFIES SQL DATA "
                    "BEGIN DELETE FROM customers; RETURN 1; END"},
        {"PostgreSQL", "CREATE OR REPLACE FUNCTION rdm_forget_customers() RETURNS integer AS "
                       "'DELETE FROM customers; SELECT 1' LANGUAGE sql"},
    };
    struct Case { const char* what; const char* engine; const char* condition; bool bSorted; };
    const Case cases[] = {
        {"a second statement", nullptr, "id > 0; DELETE FROM customers", true},
        {"a second statement after a comment", nullptr, "id > 0 /* */; UPDATE customers SET name = 'x'", true},
        {"a function that changes data", "MariaDB", "rdm_forget_customers() = 1", true},
        {"a function that changes data", "PostgreSQL", "rdm_forget_customers() = 1", true},
        {"a lock", "MariaDB", "id = 1 FOR UPDATE", false},
    };
    for (const TestEngine& engine : TestEngines())
    {
        const std::vector<TextRow> before = QueryRows(engine.connect, pszEverything);
        ASSERT_EQ(10u, before.size()) << engine.name;
        auto function = forgettingFunction.find(engine.name);
        if (function != forgettingFunction.end())
            ExecuteSql(engine.connect, function->second);
        for (const Case& c : cases)
        {
            if (c.engine && std::string(c.engine) != engine.name)
                continue;
            ImportChoice choice = Customers(engine, {});
            choice.filters = {c.condition};
            if (!c.bSorted)
                choice.sortKeys[0].nField = -1;
            if (OpenImport(choice))
                ReadAllRows();
            RDMODBCClose();
            m_messageBoxes.Clear();   // a refused statement is told; the rows are what counts
            EXPECT_EQ(before, QueryRows(engine.connect, pszEverything)) << c.what << " on " << engine.name;
        }
        if (std::string(engine.name) == "MariaDB")
        {
            // The lock went with the import.
            EXPECT_EQ(1u, QueryRows(engine.connect, "SELECT id FROM customers WHERE id = 1 FOR UPDATE NOWAIT").size());
        }
        if (function != forgettingFunction.end())
            ExecuteSql(engine.connect, "DROP FUNCTION rdm_forget_customers");
    }
}

TEST_F(EngineImport, BlocksAndSingleRowsDeliverTheSameRowsOnEveryEngine)
{
    // 600 rows: two blocks of 256 and a last one of 88. Values longer than a
    // bound buffer in the middle of a block, at a block's first and last row
    // and at the very last; a NULL in every column.
    const int nRows = 600;
    auto label = [](int n) -> std::optional<std::string> {
        if (n % 97 == 0)
            return std::nullopt;
        if (n == 130 || n == 257 || n == 512)
            return std::string(300 + n, 'a') + std::to_string(n);
        return "label " + std::to_string(n);
    };
    auto note = [](int n) -> std::optional<std::string> {
        if (n == 300)
            return std::nullopt;
        if (n == 131 || n == 600)
            return "long " + std::string(1000, 'b');
        return n % 2 ? "odd" : "even";
    };
    auto literal = [](const std::optional<std::string>& value) { return value ? "'" + *value + "'" : "NULL"; };
    std::vector<std::string> inserts;
    std::vector<DeliveredRow> expected;
    for (int n = 1; n <= nRows; ++n)
    {
        if ((n - 1) % 100 == 0)
            inserts.push_back("INSERT INTO rdm_blocks VALUES ");
        else
            inserts.back() += ",";
        const std::string strKey = n == 400 ? "NULL" : std::to_string(n);
        inserts.back() += "(" + strKey + "," + literal(label(n)) + "," + literal(note(n)) + ")";
        expected.push_back({label(n).value_or(""), n == 400 ? "" : strKey, note(n).value_or(""), ""});
    }
    std::sort(expected.begin(), expected.end());
    // Where each engine's driver can read a value of any row of a block.
    const std::map<std::string, SQLULEN> rowsPerFetch = {{"SQLite", 1}, {"MariaDB", 1}, {"PostgreSQL", 256}};
    const SQLULEN nImportRowsPerFetch = theSession.m_nRowsPerFetch;

    for (const TestEngine& engine : TestEngines())
    {
        ExecuteSql(engine.connect, "DROP TABLE IF EXISTS rdm_blocks");
        ExecuteSql(engine.connect, "CREATE TABLE rdm_blocks (n INTEGER, label VARCHAR(1200), note VARCHAR(1200))");
        for (const std::string& strInsert : inserts)
            ExecuteSql(engine.connect, strInsert);
        ImportChoice choice;
        choice.connect = engine.connect;
        choice.table = "rdm_blocks";
        choice.columns = {"label", "n", "note", ""};
        choice.sortKeys[0].nField = 1;

        ASSERT_EQ(1, OpenImport(choice)) << engine.name;
        EXPECT_EQ(rowsPerFetch.at(engine.name), theSession.m_pRecordset->RowsPerFetch()) << engine.name;
        if (std::string(engine.name) == "PostgreSQL")
        {
            // Its driver streams the import's rows from a cursor, 32 blocks a
            // round trip; the session's connect string, which the preview and
            // the count use, stays as the driver completed it.
            const std::string strImport = theSession.m_db.GetConnect().Str();
            EXPECT_NE(std::string::npos, strImport.find("UseDeclareFetch=1;")) << strImport;
            EXPECT_NE(std::string::npos, strImport.find("Fetch=8192;")) << strImport;
            EXPECT_NE(std::string::npos, theSession.m_strConnect.Str().find("UseDeclareFetch=0;"));
        }
        std::vector<DeliveredRow> blocks = ReadAllRows(1400, nRows);
        theSession.m_nRowsPerFetch = 1;
        ASSERT_EQ(1, OpenImport(choice)) << engine.name;
        EXPECT_EQ(1u, theSession.m_pRecordset->RowsPerFetch()) << engine.name;
        std::vector<DeliveredRow> singleRows = ReadAllRows(1400, nRows);
        theSession.m_nRowsPerFetch = nImportRowsPerFetch;

        EXPECT_EQ(singleRows, blocks) << engine.name;
        std::sort(blocks.begin(), blocks.end());
        EXPECT_EQ(expected, blocks) << engine.name;
        ExecuteSql(engine.connect, "DROP TABLE rdm_blocks");
    }
}
