// The same imports on SQLite, MariaDB and PostgreSQL, each through its own
// ODBC driver: the statements each engine understands (names in its
// driver's quotes, dates as escape literals), the conditions composed as
// the condition editor composes them for the column types the catalog
// reports, and the same rows delivered on all three.
#include "CatalogColumns.h"
#include "Engines.h"
#include "ImportRun.h"
#include "ImportTest.h"
#include "RDMODBC.h"
#include "TestEnv.h"
#include "dialogs/SqlRefusal.h"
#include "query/Condition.h"
#include "resource.h"
#include "session/Statement.h"

#include <gtest/gtest.h>
#include <sqlext.h>
#include <algorithm>
#include <cstring>
#include <map>
#include <optional>

namespace
{
    // A condition as the user makes it in the editor. An operator 0 is the
    // engine's way of asking for a truth value (value 1 true, 0 false): "is
    // true" or "is false" where the column is a bit, "equals" where the
    // driver reports a number or a text (MariaDB's BOOLEAN is TINYINT,
    // PostgreSQL's driver reports it as VARCHAR by default).
    struct EditedCondition
    {
        const char* column;
        ConditionOperator nOperator;
        const char* value1;
        const char* value2;
        bool bNegate;
    };
    const ConditionOperator OP_TRUTH_OF_THE_ENGINE = opNone;

    // A table's columns as the field-mapping dialog reads them.
    class CTableColumns
    {
    public:
        CTableColumns(const TestEngine& engine, const char* pszTable) { ReadCatalogColumns(engine.connect, pszTable, m_array.p, m_array.n); }

        const ColumnInfo* Find(const char* pszName) const
        {
            for (int i = 0; i < m_array.n; ++i)
                if (m_array.p[i].name && std::strcmp(m_array.p[i].name, pszName) == 0)
                    return &m_array.p[i];
            return nullptr;
        }
        int Count() const { return m_array.n; }

    private:
        CColumnArray m_array;
    };

    // The filter texts of the conditions, composed for the engine's column
    // types and quoted as its driver quotes.
    std::vector<CString> Compose(const TestEngine& engine, const char* pszTable,
                                 const std::vector<EditedCondition>& conditions)
    {
        CTableColumns columns(engine, pszTable);
        const SqlDialect dialect = DriverDialect(engine.connect);
        std::vector<CString> filters;
        for (const EditedCondition& c : conditions)
        {
            const ColumnInfo* pColumn = columns.Find(c.column);
            EXPECT_NE(nullptr, pColumn) << engine.name << ": " << c.column;
            if (pColumn == nullptr)
                continue;
            ConditionOperator nOperator = c.nOperator;
            if (nOperator == OP_TRUTH_OF_THE_ENGINE)
                nOperator = pColumn->sqlDataType != SQL_BIT ? opEqual : std::strcmp(c.value1, "1") == 0 ? opTrue : opFalse;
            CString strDisplay, strFilter;
            EXPECT_EQ(conditionComposed, ComposeCondition(*pColumn, dialect, nOperator, c.value1, c.value2,
                                                          c.bNegate, strDisplay, strFilter))
                << engine.name << ": " << c.column;
            filters.push_back(strFilter);
        }
        return filters;
    }

    // A table's columns on output fields 1 to 4 ("" for none), as they are.
    ImportChoice Plain(const TestEngine& engine, const char* pszTable, const std::array<std::string, 4>& columns)
    {
        ImportChoice choice;
        choice.connect = engine.connect;
        choice.table = pszTable;
        choice.columns = columns;
        return choice;
    }

    // The customers as the host receives them: id (padded) on the primary
    // field, the name, the date they joined under the date rule and the
    // balance as a whole number, in the order of their ids.
    ImportChoice Customers(const TestEngine& engine, const std::vector<CString>& filters)
    {
        ImportChoice choice = Plain(engine, "customers", {"name", "id", "joined", "balance"});
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

    class EngineImport : public ImportTest
    {
    protected:
        std::vector<DeliveredRow> Import(const TestEngine& engine, const std::vector<EditedCondition>& conditions)
        {
            std::vector<CString> filters = Compose(engine, "customers", conditions);
            EXPECT_EQ(1, OpenImport(Customers(engine, filters))) << engine.name;
            m_strSQL = theSession.m_pRecordset ? theSession.m_pRecordset->m_strSQL.Str() : "";
            return ReadAllRows(64, 100);
        }

        std::string m_strSQL;
    };
}

TEST_F(EngineImport, EveryKindOfConditionSelectsTheSameRowsOnEveryEngine)
{
    using Ids_ = std::vector<std::string>;
    struct Case { const char* what; std::vector<EditedCondition> conditions; Ids_ ids; };
    const Case cases[] = {
        {"none", {}, {"001", "002", "003", "004", "005", "006", "007", "008", "009", "010"}},
        {"a whole number", {{"visits", opEqual, "-3", "", false}}, {"002"}},
        {"negative numbers", {{"visits", opBetweenExclusive, "", "0", false}}, {"002", "008"}},
        {"a decimal range", {{"balance", opBetweenInclusive, "-0.5", "123.45", false}},
         {"003", "006", "007", "008", "010"}},
        {"a number not equal", {{"visits", opEqual, "-3", "", true}},
         {"001", "003", "005", "006", "007", "008", "009", "010"}},   // NULL is not unequal either
        {"equals, a second value ignored", {{"id", opEqual, "6", "1", false}}, {"006"}},
        {"from a number on", {{"id", opFromInclToExcl, "9", "", false}}, {"009", "010"}},
        {"outside a range", {{"id", opBetweenInclusive, "2", "9", true}}, {"001", "010"}},
        {"a text with a quote", {{"name", opEqual, "O'Brien & Co", "", false}}, {"004"}},
        {"a text range", {{"name", opFromInclToExcl, "B", "E", false}}, {"002", "003"}},
        {"LIKE with %", {{"name", opLike, "%&%", "", false}}, {"001", "004", "006"}},
        {"LIKE with a quote", {{"name", opLike, "O'B%", "", false}}, {"004"}},
        {"NULL", {{"city", opIsNull, "", "", false}}, {"003", "009"}},
        {"not NULL", {{"city", opIsNull, "", "", true}},
         {"001", "002", "004", "005", "006", "007", "008", "010"}},
        {"true", {{"active", OP_TRUTH_OF_THE_ENGINE, "1", "", false}}, {"001", "003", "004", "007", "010"}},
        {"not true", {{"active", OP_TRUTH_OF_THE_ENGINE, "1", "", true}}, {"002", "006", "008"}},
        {"false", {{"active", OP_TRUTH_OF_THE_ENGINE, "0", "", false}}, {"002", "006", "008"}},
        {"negation", {{"name", opLike, "%e%", "", true}}, {"002"}},
        {"two conditions", {{"city", opEqual, "Oslo", "", false}, {"visits", opBetweenInclusive, "2", "", false}},
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
    struct Case { const char* column; ConditionOperator nOperator; const char* value1; const char* value2; Ids_ ids; };
    const Case cases[] = {
        {"joined", opEqual, "2003-02-01", "", {"003"}},
        {"joined", opBetweenExclusive, "1999-12-31", "2003-02-01", {"001", "004"}},
        {"joined", opFromInclToExcl, "1999-12-31", "2003-02-01", {"001", "004", "010"}},
        {"joined", opFromExclToIncl, "1999-12-31", "2003-02-01", {"001", "003", "004"}},
        {"joined", opBetweenInclusive, "2015-01-01", "", {"006", "008", "009"}},
        {"call_at", opEqual, "12:30:00", "", {"003", "009"}},
        {"call_at", opBetweenExclusive, "06:30:00", "12:30:00", {"001"}},
        {"call_at", opFromInclToExcl, "06:30:00", "12:30:00", {"001", "007"}},
        {"call_at", opFromExclToIncl, "", "06:30:00", {"006", "007"}},
        {"call_at", opBetweenInclusive, "17:45:00", "23:59:59", {"005", "008"}},
        {"updated", opEqual, "2003-02-01 12:30:00", "", {"002"}},
        {"updated", opBetweenExclusive, "1999-12-31 23:59:59", "2015-01-01 00:00:01", {"002", "004"}},
        {"updated", opFromInclToExcl, "1999-12-31 23:59:59", "2015-01-01 00:00:01", {"002", "004", "010"}},
        {"updated", opFromExclToIncl, "1999-12-31 23:59:59", "2015-01-01 00:00:01", {"002", "004", "008"}},
        {"updated", opBetweenInclusive, "2022-12-24 18:08:08", "", {"001", "003", "009"}},
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
               "WHERE ((\"joined\">='2003-02-01')\n)\nORDER BY \"id\"\n"},
        {"`", "SELECT DISTINCT `id`,`name`,`joined`,`balance` FROM `customers` "
              "WHERE ((`joined`>={d '2003-02-01'})\n)\nORDER BY `id`\n"},
        {"\"", "SELECT DISTINCT \"id\",\"name\",\"joined\",\"balance\" FROM \"customers\" "
               "WHERE ((\"joined\">={d '2003-02-01'})\n)\nORDER BY \"id\"\n"},
    };
    for (size_t i = 0; i < TestEngines().size(); ++i)
    {
        const TestEngine& engine = TestEngines()[i];
        EXPECT_STREQ(cases[i].quote, DriverQuote(engine.connect)) << engine.name;
        EXPECT_TRUE(DriverDialect(engine.connect).bReadingMeasured)
            << engine.name << ": its backslashes and its character set told";
        EXPECT_EQ((std::vector<std::string>{"003", "006", "008", "009"}),
                  Ids(Import(engine, {{"joined", opBetweenInclusive, "2003-02-01", "", false}})))
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
        ImportChoice choice = Plain(engine, "Customer Notes.v2", {"Customer Id", "NoteId", "Quote\"Grave`Mark", ""});
        std::vector<CString> filters =
            Compose(engine, "Customer Notes.v2", {{"Customer Id", opBetweenInclusive, "1", "4", false},
                                                  {"Quote\"Grave`Mark", opIsNull, "", "", true}});
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

TEST_F(EngineImport, ReadsANameOfMoreBytesThanTheDriversLongestNameHasCharacters)
{
    // Characters of two bytes each in UTF-8: on MariaDB 40, beyond the 64
    // that its driver reports as its longest name; on PostgreSQL as many as
    // its 63 bytes hold.
    const std::map<std::string, int> characters = {{"SQLite", 40}, {"MariaDB", 40}, {"PostgreSQL", 31}};
    for (const TestEngine& engine : TestEngines())
    {
        std::string name;
        for (int i = 0; i < characters.at(engine.name); ++i)
            name += "\xC3\xA9";
        const std::string quote = DriverQuote(engine.connect).Str();
        ExecuteSql(engine.connect, "DROP TABLE IF EXISTS wide_names");
        ExecuteSql(engine.connect, "CREATE TABLE wide_names (" + quote + name + quote + " INTEGER)");
        ExecuteSql(engine.connect, "INSERT INTO wide_names VALUES (40)");
        CTableColumns columns(engine, "wide_names");
        ASSERT_EQ(1, columns.Count()) << engine.name;
        EXPECT_NE(nullptr, columns.Find(name.c_str())) << engine.name;
        ImportChoice choice = Plain(engine, "wide_names", {"", name, "", ""});
        ASSERT_EQ(1, OpenImport(choice)) << engine.name;
        EXPECT_EQ((std::vector<DeliveredRow>{{"", "40", "", ""}}), ReadAllRows()) << engine.name;
        ExecuteSql(engine.connect, "DROP TABLE wide_names");
    }
}

TEST_F(EngineImport, AFieldThatShowsOnlyValuesStaysEmptyForANullOrAnEmptyText)
{
    // Paths 1 (a text), 16 (an empty text) and 17 (NULL); customers 3
    // (0 visits) and 4 (NULL visits) under the integer rule.
    struct Case { bool bOnly; std::vector<std::string> notes; std::vector<std::string> visits; };
    const Case cases[] = {
        {true, {"[C:\\temp\\...]", "", ""}, {"Visits: 0", ""}},
        {false, {"[C:\\temp\\...]", "[...........]", "[...........]"}, {"Visits: 0", "Visits: 0"}},
    };
    for (const TestEngine& engine : TestEngines())
    {
        for (const Case& c : cases)
        {
            ImportChoice paths = Plain(engine, "paths", {"note", "id", "", ""});
            paths.options[0].m_strPrefix = "[";
            paths.options[0].m_strSuffix = "]";
            paths.options[0].m_bPad = TRUE;
            paths.options[0].m_nPadWidth = 11;
            paths.options[0].m_chPad = '.';
            paths.options[0].m_bPadRight = TRUE;
            paths.options[0].m_bOnlyWithValue = c.bOnly;
            paths.filters = {"id IN (1, 16, 17)"};
            paths.sortKeys[0].nField = 1;
            ASSERT_EQ(1, OpenImport(paths)) << engine.name;
            std::vector<std::string> notes;
            for (const DeliveredRow& row : ReadAllRows())
                notes.push_back(row[0]);
            EXPECT_EQ(c.notes, notes) << engine.name << " only with a value: " << c.bOnly;

            ImportChoice customers = Customers(engine, {});
            customers.columns = {"visits", "id", "", ""};
            customers.options[0].m_strPrefix = "Visits: ";
            customers.options[0].m_bInteger = TRUE;
            customers.options[0].m_bOnlyWithValue = c.bOnly;
            customers.filters = {"id IN (3, 4)"};
            ASSERT_EQ(1, OpenImport(customers)) << engine.name;
            std::vector<std::string> visits;
            for (const DeliveredRow& row : ReadAllRows())
                visits.push_back(row[0]);
            EXPECT_EQ(c.visits, visits) << engine.name << " only with a value: " << c.bOnly;
        }
    }
}

TEST_F(EngineImport, NoImportChangesARowOrASequenceWhateverItsConditionHolds)
{
    // A typed condition is free SQL. What could make the statement more
    // than one is refused before it reaches the engine (R); what is one
    // statement runs read-only, so that the engine refuses a change (S) or
    // the import opens (O); "-" where the engine has no such thing.
    const char* pszEverything = "SELECT id, name, city, visits, balance, joined, call_at, updated, active "
                                "FROM customers ORDER BY id";
    const std::map<std::string, std::string> sequenceState = {
        {"MariaDB", "SELECT next_not_cached_value FROM rdm_sequence"},
        {"PostgreSQL", "SELECT last_value, is_called FROM rdm_sequence"},
    };
    const std::map<std::string, std::string> forgettingFunction = {
        {"MariaDB", "CREATE OR REPLACE FUNCTION rdm_forget_customers() RETURNS INT MODIFIES SQL DATA "
                    "BEGIN DELETE FROM customers; RETURN 1; END"},
        {"PostgreSQL", "CREATE OR REPLACE FUNCTION rdm_forget_customers() RETURNS integer AS "
                       "'DELETE FROM customers; SELECT 1' LANGUAGE sql"},
    };
    struct Case { const char* what; const char* condition; bool bSorted; const char* outcomes; };
    const Case cases[] = {
        {"a second statement", "id > 0; DELETE FROM customers", true, "RRR"},
        {"COMMIT, then DELETE", "1=0; COMMIT; DELETE FROM customers; SELECT 1 WHERE 1=0", true, "RRR"},
        {"DDL, which commits on MariaDB", "1=1; DROP TABLE customers", true, "RRR"},
        {"a second statement after a comment", "id > 0 /* */; UPDATE customers SET name = 'x'", true, "RRR"},
        {"a statement behind a backslash", "name = 'x\\'; DELETE FROM customers; -- '", true, "ROR"},
        {"a comment that MariaDB runs", "id > 0 /*!99999 OR 1=1 */", true, "ORO"},
        {"a file the server writes", "1=1 INTO OUTFILE 'rdm-outfile.txt'", true, "SSS"},
        {"a function that changes data", "rdm_forget_customers() = 1", true, "-SS"},
        {"a sequence", "NEXTVAL(rdm_sequence) > 0", true, "-S-"},
        {"a sequence", "nextval('rdm_sequence') > 0", true, "--S"},
        {"a lock", "id = 1 FOR UPDATE", false, "-S-"},
        {"a lock", "pg_advisory_lock(7) IS NOT NULL", true, "--O"},
    };
    for (size_t nEngine = 0; nEngine < TestEngines().size(); ++nEngine)
    {
        const TestEngine& engine = TestEngines()[nEngine];
        const SqlDialect dialect = DriverDialect(engine.connect);
        const std::vector<TextRow> before = QueryRows(engine.connect, pszEverything);
        ASSERT_EQ(10u, before.size()) << engine.name;
        auto sequence = sequenceState.find(engine.name);
        const std::vector<TextRow> sequenceBefore =
            sequence != sequenceState.end() ? QueryRows(engine.connect, sequence->second) : std::vector<TextRow>{};
        auto function = forgettingFunction.find(engine.name);
        if (function != forgettingFunction.end())
            ExecuteSql(engine.connect, function->second);
        for (const Case& c : cases)
        {
            const char chOutcome = c.outcomes[nEngine];
            if (chOutcome == '-')
                continue;
            ImportChoice choice = Customers(engine, {});
            choice.filters = {c.condition};
            if (!c.bSorted)
                choice.sortKeys[0].nField = -1;
            const SqlTextFault fault = CheckSqlCondition(c.condition, dialect);
            EXPECT_EQ(chOutcome == 'R', fault != sqlTextSound) << c.what << " on " << engine.name;
            const int nOpened = OpenImport(choice);
            if (nOpened)
                ReadAllRows();
            RDMODBCClose();
            EXPECT_EQ(chOutcome == 'O', nOpened == 1) << c.what << " on " << engine.name;
            const std::vector<RecordedMessageBox> boxes = TakeMessageBoxes();
            EXPECT_EQ(chOutcome == 'O' ? 0u : 1u, boxes.size()) << c.what << " on " << engine.name;
            if (chOutcome == 'R' && !boxes.empty())
            {
                EXPECT_EQ(0u, boxes[0].text.find(SqlTextRefusal(fault).Str())) << c.what;
            }
            EXPECT_EQ(before, QueryRows(engine.connect, pszEverything)) << c.what << " on " << engine.name;
            if (sequence != sequenceState.end())
            {
                EXPECT_EQ(sequenceBefore, QueryRows(engine.connect, sequence->second)) << c.what << " on " << engine.name;
            }
        }
        // The locks went with the import.
        if (std::string(engine.name) == "MariaDB")
        {
            EXPECT_EQ(1u, QueryRows(engine.connect, "SELECT id FROM customers WHERE id = 1 FOR UPDATE NOWAIT").size());
        }
        if (std::string(engine.name) == "PostgreSQL")
        {
            EXPECT_EQ((std::vector<TextRow>{{"1"}}),
                      QueryRows(engine.connect, "SELECT CASE WHEN pg_try_advisory_lock(7) THEN 1 ELSE 0 END"));
        }
        if (function != forgettingFunction.end())
            ExecuteSql(engine.connect, "DROP FUNCTION rdm_forget_customers");
    }
}

TEST_F(EngineImport, ACommentAtTheEndOfATypedConditionEndsWithIt)
{
    for (const TestEngine& engine : TestEngines())
    {
        ImportChoice choice = Customers(engine, {});
        choice.filters = {"city = 'Oslo' -- the capital", "visits >= 2 -- at least twice"};
        ASSERT_EQ(1, OpenImport(choice)) << engine.name;
        EXPECT_EQ((std::vector<std::string>{"001", "010"}), Ids(ReadAllRows())) << engine.name << ": the order too";

        CString astrColumns[4] = {"name", "id", "joined", "balance"};
        OutputField fields[4];
        const CString strCount = ComposeRowCount(
            ComposeStatement("", "customers", astrColumns, fields, DriverDialect(engine.connect)),
            ComposeFilter(choice.filters.data(), (int)choice.filters.size()));
        EXPECT_EQ((std::vector<TextRow>{{"2"}}), QueryRows(engine.connect, strCount.Str())) << engine.name;
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
        ImportChoice choice = Plain(engine, "rdm_blocks", {"label", "n", "note", ""});
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

TEST_F(EngineImport, ValuesAroundTheBoundBufferArriveWholeOnEveryEngine)
{
    // The record set reads values of up to 255 bytes with the row and reads
    // longer ones again on their own: the lengths on either side of that
    // line, in a VARCHAR and in a long text column, and NULL.
    const int lengths[] = {0, 1, 254, 255, 256, 257, 1000};
    auto text = [](int nLength, char chEnd) {
        std::string value;
        for (int i = 0; i < nLength; ++i)
            value += (char)('a' + i % 26);
        if (nLength > 0)
            value.back() = chEnd;
        return value;
    };
    for (const TestEngine& engine : TestEngines())
    {
        ExecuteSql(engine.connect, "DROP TABLE IF EXISTS row_buffer");
        ExecuteSql(engine.connect, "CREATE TABLE row_buffer (n INTEGER, body VARCHAR(2000), note TEXT)");
        for (int nLength : lengths)
            ExecuteSql(engine.connect, "INSERT INTO row_buffer VALUES (" + std::to_string(nLength) + ", '" +
                                           text(nLength, '|') + "', '" + text(nLength, '!') + "')");
        ExecuteSql(engine.connect, "INSERT INTO row_buffer VALUES (-1, NULL, NULL)");
        // A value that holds a NUL ends there, as the host reads it: read
        // with the row, in the first piece read on its own, in a later one.
        // (PostgreSQL's texts hold none.) Row -n ends at byte n.
        const int nulsAt[] = {50, 100, 600};
        const bool bNuls = std::string(engine.name) != "PostgreSQL";
        for (int nAt : nulsAt)
        {
            if (!bNuls)
                break;
            auto withNul = [&](char chEnd) {
                const std::string before = text(nAt, chEnd), after = text(nAt == 50 ? 150 : 900, 'x');
                return std::string(engine.name) == "MariaDB" ? "CONCAT('" + before + "', CHAR(0), '" + after + "')"
                                                             : "'" + before + "' || char(0) || '" + after + "'";
            };
            ExecuteSql(engine.connect, "INSERT INTO row_buffer VALUES (-" + std::to_string(nAt) + ", " + withNul('|') +
                                           ", " + withNul('!') + ")");
        }

        ImportChoice choice = Plain(engine, "row_buffer", {"body", "n", "note", ""});
        choice.options[0].m_strPrefix = "<";
        choice.options[2].m_strSuffix = ">";
        ASSERT_EQ(1, OpenImport(choice)) << engine.name;
        const std::vector<DeliveredRow> rows = ReadAllRows(2000, 20);
        ASSERT_EQ(std::size(lengths) + 1 + (bNuls ? std::size(nulsAt) : 0), rows.size()) << engine.name;
        for (const DeliveredRow& row : rows)
        {
            const int n = std::stoi(row[1]);
            const int nLength = n < -1 ? -n : n;
            EXPECT_EQ("<" + text(nLength, '|'), row[0]) << engine.name << " length " << nLength;
            EXPECT_EQ(text(nLength, '!') + ">", row[2]) << engine.name << " length " << nLength;
        }
        ExecuteSql(engine.connect, "DROP TABLE row_buffer");
    }
}

TEST_F(EngineImport, DeliversEachRowOnceAndEndsWithNothingOpen)
{
    // Seven customers live in three cities and two in none: each city once.
    for (const TestEngine& engine : TestEngines())
    {
        ImportChoice choice = Plain(engine, "customers", {"", "city", "", ""});
        ASSERT_EQ(1, OpenImport(choice)) << engine.name;
        std::vector<std::string> cities = Ids(ReadAllRows());
        std::sort(cities.begin(), cities.end());
        EXPECT_EQ((std::vector<std::string>{"", "Boston", "Brno", "Kyoto", "Lyon", "Oslo"}), cities) << engine.name;
        EXPECT_EQ(nullptr, theSession.m_pRecordset) << engine.name << ": reading ends at the end of the rows";
        EXPECT_FALSE(theSession.m_db.IsOpen()) << engine.name;
    }
}

TEST_F(EngineImport, AnEmptyResultEndsAtOnceAndLeavesTheBuffers)
{
    for (const TestEngine& engine : TestEngines())
    {
        ImportChoice choice = Customers(engine, {});
        choice.filters = {"id < 0"};
        ASSERT_EQ(1, OpenImport(choice)) << engine.name;
        char buffers[4][8] = {"keep", "keep", "keep", "keep"};
        for (int nCall = 0; nCall < 2; ++nCall)
        {
            EXPECT_EQ(0, RDMODBCMoveNext(buffers[0], 7, buffers[1], 7, buffers[2], 7, buffers[3], 7)) << engine.name;
            for (const char* pszBuffer : buffers)
                EXPECT_STREQ("keep", pszBuffer) << engine.name << ": no row, the buffers untouched";
        }
    }
}

TEST_F(EngineImport, ATableThatIsNotThereIsReportedAndTheImportStaysClosable)
{
    for (const TestEngine& engine : TestEngines())
    {
        ImportChoice choice = Customers(engine, {});
        choice.table = "no_such_table";
        EXPECT_EQ(0, OpenImport(choice)) << engine.name;
        const std::vector<RecordedMessageBox> boxes = TakeMessageBoxes();
        ASSERT_EQ(1u, boxes.size()) << engine.name;
        EXPECT_NE(std::string::npos, boxes[0].text.find("no_such_table")) << engine.name << ": " << boxes[0].text;
        ASSERT_NE(nullptr, theSession.m_pRecordset) << engine.name << ": the closed record set stays until Close";
        EXPECT_FALSE(theSession.m_pRecordset->IsOpen()) << engine.name;
        EXPECT_FALSE(theSession.m_db.IsOpen()) << engine.name;
        EXPECT_EQ(0, RDMODBCClose()) << engine.name;
        EXPECT_EQ(nullptr, theSession.m_pRecordset) << engine.name;
        EXPECT_EQ(0, RDMODBCClose()) << engine.name;
    }
}

TEST_F(EngineImport, JoinsTheConditionsInTheirOrderOnlyWhileTheyAreInUse)
{
    // Edited conditions, one without a text between them (a bit compared
    // with a value makes none) and a typed one, joined with AND in their
    // order, each in its own parentheses: a typed OR narrows as the list
    // reads, and a clause typed after a condition is no clause of the
    // statement (on MariaDB INTO OUTFILE would write a file). None of them
    // while conditions are not in use.
    using Ids_ = std::vector<std::string>;
    for (const TestEngine& engine : TestEngines())
    {
        const std::vector<CString> edited = Compose(engine, "customers", {
            {"visits", opBetweenInclusive, "2", "", false},
            {"city", opIsNull, "", "", true},
        });
        ASSERT_EQ(2u, edited.size()) << engine.name;
        struct Case { std::vector<const char*> filters; bool bInUse; Ids_ ids; std::string where; };
        const Case cases[] = {
            {{edited[0], nullptr, "balance < 100", edited[1]}, true, {"006", "010"},
             " WHERE (" + edited[0].Str() + "\n)\nAND (balance < 100\n)\nAND (" + edited[1].Str() + "\n)"},
            {{edited[0], "balance < 100 OR 1=1"}, true, {"001", "005", "006", "009", "010"},
             " WHERE (" + edited[0].Str() + "\n)\nAND (balance < 100 OR 1=1\n)"},
            {{edited[0], nullptr, "balance < 100", edited[1]}, false,
             {"001", "002", "003", "004", "005", "006", "007", "008", "009", "010"}, ""},
            {{nullptr}, true, {"001", "002", "003", "004", "005", "006", "007", "008", "009", "010"}, ""},
        };
        for (const Case& c : cases)
        {
            ImportChoice choice = Customers(engine, {});
            choice.filters = c.filters;
            choice.useConditions = c.bInUse;
            ASSERT_EQ(1, OpenImport(choice)) << engine.name;
            const std::string statement = theSession.m_pRecordset->m_strSQL.Str();
            EXPECT_EQ(c.ids, Ids(ReadAllRows())) << engine.name << ": " << statement;
            const size_t nWhere = std::min(statement.find(" WHERE "), statement.find("\nORDER BY"));
            EXPECT_EQ(c.where, statement.substr(nWhere, statement.find("\nORDER BY") - nWhere)) << engine.name;
            EXPECT_EQ('\n', statement.back()) << "a driver's own addition goes on a line of its own";
        }
    }
}
