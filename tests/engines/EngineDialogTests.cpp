// The import through the dialogs, driven by the robot as a user would, on
// SQLite, MariaDB and PostgreSQL: what the dialogs offer for each engine's
// tables and types, the order the rows arrive in, and the preview.
#include "DialogTest.h"
#include "Engines.h"
#include "ImportRun.h"
#include "TestEnv.h"
#include "framework/CDBException.h"
#include "RDMODBC.h"
#include "UiRobot.h"
#include "resource.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <cstdio>
#include <map>

using namespace robot;

namespace
{
    const char kEquals[] = "equals";            // string 8 of the US module

    std::string DataSourceName(const TestEngine& engine)
    {
        return std::string(engine.connect).substr(std::string("DSN=").size());
    }

    // PostgreSQL puts NULL after every value, SQLite and MariaDB before.
    bool SortsNullsFirst(const TestEngine& engine)
    {
        return std::string(engine.name) != "PostgreSQL";
    }

    std::vector<RobotAction> ChooseTable(const TestEngine& engine, const char* pszTable)
    {
        return {SelectRow(IDC_SOURCE_LIST, DataSourceName(engine)), Click(IDOK), SelectRow(IDC_SOURCE_LIST, pszTable),
                Click(IDOK)};
    }

    // The columns of output fields 1 to 4 ("" for none): field 2, which the
    // dialog shows first, then the others.
    std::vector<RobotAction> MapColumns(const std::array<const char*, 4>& columns)
    {
        std::vector<RobotAction> actions = {SelectRow(IDC_COLUMN_LIST, columns[1])};
        for (int k : {0, 2, 3})
        {
            if (*columns[k] == '\0')
                continue;
            actions.push_back(ChooseEntryAt(IDC_OUTPUT_FIELD, k));
            actions.push_back(SelectRow(IDC_COLUMN_LIST, columns[k]));
        }
        return actions;
    }

    struct Key { const char* label; bool bDescending; };

    // The sort dialog: each key's field and direction, then OK (or Cancel).
    std::vector<RobotAction> ChooseKeys(const std::vector<Key>& keys, int nButton = IDOK)
    {
        const int anCombos[] = {IDC_SORT_KEY1, IDC_SORT_KEY2, IDC_SORT_KEY3};
        const int anBoxes[] = {IDC_SORT_DESCENDING1, IDC_SORT_DESCENDING2, IDC_SORT_DESCENDING3};
        std::vector<RobotAction> actions;
        for (size_t i = 0; i < keys.size(); ++i)
        {
            actions.push_back(ChooseEntry(anCombos[i], keys[i].label));
            actions.push_back(SetCheck(anBoxes[i], keys[i].bDescending));
        }
        actions.push_back(Click(nButton));
        return actions;
    }

    std::vector<std::string> Column(const std::vector<DeliveredRow>& rows, int k)
    {
        std::vector<std::string> values;
        for (const DeliveredRow& row : rows)
            values.push_back(row[k]);
        return values;
    }

    std::string Quoted(const TestEngine& engine, const char* pszName)
    {
        const std::string quote = DriverQuote(engine.connect).Str();
        return quote + pszName + quote;
    }

    class EngineDialogs : public DialogTest
    {
    protected:
        // Each import of a test as a new user's: nothing of the one before is
        // offered.
        static int OpenAfresh()
        {
            ForgetLastImport();
            return RDMODBCOpen();
        }

        std::string Statement() const
        {
            return theSession.m_pRecordset ? theSession.m_pRecordset->m_strSQL.Str() : "";
        }
    };
}

TEST_F(EngineDialogs, TheTableStepListsTheSameTablesAndViewsOnEveryEngine)
{
    const std::vector<std::string> shared = {"Customer Notes.v2", "active_customers", "customers", "paths", "t_1",
                                             "tx1"};
    // PostgreSQL's of another schema than the one a bare name means, with
    // their schema.
    // MariaDB lists a sequence as a table.
    const std::map<std::string, std::vector<std::string>> own = {
        {"MariaDB", {"rdm_sequence"}},
        {"PostgreSQL", {"Paths", "archive.customers", "codes"}},
    };
    for (const TestEngine& engine : TestEngines())
    {
        std::vector<std::string> expected = shared;
        auto tables = own.find(engine.name);
        if (tables != own.end())
            expected.insert(expected.end(), tables->second.begin(), tables->second.end());
        std::sort(expected.begin(), expected.end());
        std::vector<std::string> listed;
        m_robot.Expect(IDD_DATASOURCE, {
            SelectRow(IDC_SOURCE_LIST, DataSourceName(engine)), Click(IDOK),
            Inspect([&listed](HWND hDlg) { listed = ListRows(hDlg, IDC_SOURCE_LIST); }),
            Click(IDCANCEL),
        });
        EXPECT_EQ(0, OpenAfresh()) << engine.name;
        std::sort(listed.begin(), listed.end());
        EXPECT_EQ(expected, listed) << engine.name << ": only the tables and views of the database connected to";
    }
}

TEST_F(EngineDialogs, OffersEachColumnsOptionsAndDeliversTheSameRowsOnEveryEngine)
{
    auto expectOptions = [](const char* pszColumn, bool bInteger, bool bDateTime) {
        return WaitUntil([=](HWND hDlg) {
            return SelectedRow(hDlg, IDC_COLUMN_LIST) == pszColumn && IsEnabled(hDlg, IDC_INTEGER) == bInteger
                && IsEnabled(hDlg, IDC_AS_DATE) == bDateTime && IsEnabled(hDlg, IDC_AS_TIME) == bDateTime;
        }, std::string("the options of ") + pszColumn);
    };
    std::vector<DeliveredRow> sqlite;
    for (const TestEngine& engine : TestEngines())
    {
        m_robot.Expect(IDD_DATASOURCE, ChooseTable(engine, "customers"));
        m_robot.Expect(IDD_FIELDMAP, {
            SelectRow(IDC_COLUMN_LIST, "id"), expectOptions("id", false, false),
            SetCheck(IDC_PAD, true), Type(IDC_PAD_WIDTH, "3"), Type(IDC_FILL, "0"),
            ChooseEntryAt(IDC_OUTPUT_FIELD, 0),
            SelectRow(IDC_COLUMN_LIST, "name"), expectOptions("name", false, false),
            SelectRow(IDC_COLUMN_LIST, "balance"), expectOptions("balance", true, false),
            SetCheck(IDC_INTEGER, true),
            ChooseEntryAt(IDC_OUTPUT_FIELD, 2),
            SelectRow(IDC_COLUMN_LIST, "joined"), expectOptions("joined", false, true),
            SetCheck(IDC_AS_DATE, true),
            ChooseEntryAt(IDC_OUTPUT_FIELD, 3),
            SelectRow(IDC_COLUMN_LIST, "call_at"), expectOptions("call_at", false, true),
            SelectRow(IDC_COLUMN_LIST, "updated"), expectOptions("updated", false, true),
            SetCheck(IDC_AS_TIME, true),
            Click(IDC_SORT),
            Click(IDOK),
        });
        m_robot.Expect(IDD_SORT, ChooseKeys({{"Field 2: id", false}}));
        ASSERT_EQ(1, OpenAfresh()) << engine.name;
        std::vector<DeliveredRow> rows = ReadAllRows();
        ASSERT_EQ(10u, rows.size()) << engine.name;
        if (sqlite.empty())
        {
            sqlite = rows;
            EXPECT_EQ((DeliveredRow{"1520", "001", "2001-03-14", "08:15:00"}), rows[0]);
            EXPECT_EQ((DeliveredRow{"0", "005", "", ""}), rows[4]) << "NULLs";
        }
        EXPECT_EQ(sqlite, rows) << engine.name;
        RDMODBCClose();
    }
}

TEST_F(EngineDialogs, DeliversTheRowsInTheOrderTheUserChoseOnEveryEngine)
{
    using Ids = std::vector<std::string>;
    const std::array<const char*, 4> visits = {"name", "id", "city", "visits"};
    const std::array<const char*, 4> joined = {"name", "id", "city", "joined"};
    struct Case
    {
        const char* what;
        std::array<const char*, 4> columns;
        std::vector<std::vector<RobotAction>> sortDialogs;
        std::vector<RobotAction> afterSorting;
        std::vector<const char*> order;         // the ORDER BY list, names unquoted, "+" for DESC
        Ids idsNullsFirst;
        Ids idsNullsLast;
    };
    const Case cases[] = {
        {"one key ascending", visits, {ChooseKeys({{"Field 1: name", false}})}, {}, {"name"},
         {"1", "2", "3", "5", "6", "7", "8", "9", "10", "4"}, {"1", "2", "3", "5", "6", "7", "8", "9", "10", "4"}},
        {"one key descending", visits, {ChooseKeys({{"Field 2: id", true}})}, {}, {"id+"},
         {"10", "9", "8", "7", "6", "5", "4", "3", "2", "1"}, {"10", "9", "8", "7", "6", "5", "4", "3", "2", "1"}},
        {"three keys", visits,
         {ChooseKeys({{"Field 3: city", false}, {"Field 4: visits", true}, {"Field 1: name", false}})}, {},
         {"city", "visits+", "name"},
         {"9", "3", "6", "8", "2", "7", "5", "10", "1", "4"}, {"6", "8", "2", "7", "5", "4", "10", "1", "9", "3"}},
        {"a date", joined, {ChooseKeys({{"Field 4: joined", false}})}, {}, {"joined"},
         {"5", "7", "2", "10", "4", "1", "3", "8", "6", "9"}, {"7", "2", "10", "4", "1", "3", "8", "6", "9", "5"}},
        {"a key whose field lost its column", visits,
         {ChooseKeys({{"Field 3: city", true}, {"Field 1: name", false}})},
         {ChooseEntryAt(IDC_OUTPUT_FIELD, 2), ClearSelection(IDC_COLUMN_LIST)}, {"name"},
         {"1", "2", "3", "5", "6", "7", "8", "9", "10", "4"}, {"1", "2", "3", "5", "6", "7", "8", "9", "10", "4"}},
        {"Cancel in the sort dialog", visits,
         {ChooseKeys({{"Field 2: id", true}}), ChooseKeys({{"Field 1: name", false}}, IDCANCEL)}, {}, {"id+"},
         {"10", "9", "8", "7", "6", "5", "4", "3", "2", "1"}, {"10", "9", "8", "7", "6", "5", "4", "3", "2", "1"}},
    };
    for (const TestEngine& engine : TestEngines())
    {
        for (const Case& c : cases)
        {
            std::vector<RobotAction> mapping = MapColumns(c.columns);
            for (const std::vector<RobotAction>& sortDialog : c.sortDialogs)
            {
                mapping.push_back(Click(IDC_SORT));
                m_robot.Expect(IDD_SORT, sortDialog);
            }
            mapping.insert(mapping.end(), c.afterSorting.begin(), c.afterSorting.end());
            mapping.push_back(Click(IDOK));
            m_robot.Expect(IDD_DATASOURCE, ChooseTable(engine, "customers"));
            m_robot.Expect(IDD_FIELDMAP, mapping);
            ASSERT_EQ(1, OpenAfresh()) << c.what << " on " << engine.name;

            std::string order;
            for (const char* pszKey : c.order)
            {
                std::string key = pszKey;
                bool bDescending = key.back() == '+';
                if (bDescending)
                    key.pop_back();
                order += (order.empty() ? "" : ",") + Quoted(engine, key.c_str()) + (bDescending ? " DESC" : "");
            }
            const std::string statement = Statement();
            EXPECT_EQ("\nORDER BY " + order + "\n", statement.substr(statement.find("\nORDER BY "))) << c.what;
            EXPECT_EQ(SortsNullsFirst(engine) ? c.idsNullsFirst : c.idsNullsLast, Column(ReadAllRows(), 1))
                << c.what << " on " << engine.name << ": " << statement;
            RDMODBCClose();
        }
    }
}

TEST_F(EngineDialogs, ThePreviewShowsWhatTheHostGetsAndAFailedOpenKeepsTheChoices)
{
    const std::vector<std::vector<std::string>> expected = {
        {"O'Brien & Co", "004", "2000-02-29", ""},
        {"Juniper Joinery", "010", "1999-12-31", ""},
        {"Alder & Sons", "001", "2001-03-14", ""},
    };
    for (const TestEngine& engine : TestEngines())
    {
        std::vector<std::vector<std::string>> previewed;
        const size_t nBoxes = m_robot.MessageBoxes().size();
        m_robot.Expect(IDD_DATASOURCE, ChooseTable(engine, "customers"));
        m_robot.Expect(IDD_FIELDMAP, {
            SelectRow(IDC_COLUMN_LIST, "id"), SetCheck(IDC_PAD, true), Type(IDC_PAD_WIDTH, "3"), Type(IDC_FILL, "0"),
            ChooseEntryAt(IDC_OUTPUT_FIELD, 0), SelectRow(IDC_COLUMN_LIST, "name"),
            ChooseEntryAt(IDC_OUTPUT_FIELD, 2), SelectRow(IDC_COLUMN_LIST, "joined"), SetCheck(IDC_AS_DATE, true),
            Click(IDC_CONDITIONS), Click(IDC_SORT), Click(IDC_PREVIEW),
            // A typed condition the data source refuses: the preview says so
            // and the dialog stays as it is.
            Click(IDC_CONDITIONS), Click(IDC_PREVIEW),
            Inspect([&](HWND hDlg) {
                ASSERT_EQ(nBoxes + 1, m_robot.MessageBoxes().size()) << engine.name;
                EXPECT_NE(std::string::npos, m_robot.MessageBoxes().back().text.find("no_such_column"))
                    << m_robot.MessageBoxes().back().text;
                EXPECT_EQ("joined", SelectedRow(hDlg, IDC_COLUMN_LIST));
                EXPECT_TRUE(IsChecked(hDlg, IDC_AS_DATE));
                EXPECT_EQ("Sorted by Field 1: name (descending)", ControlText(hDlg, IDC_SORT_ORDER));
            }),
            // The import fails to open in the same way, and the dialog comes
            // back as it was.
            Click(IDOK),
        });
        m_robot.Expect(IDD_CONDITIONLIST, {SetCheck(IDC_USE_CONDITIONS, true), Click(IDC_ADD_CONDITION), Click(IDOK)});
        m_robot.Expect(IDD_CONDITION, {ChooseEntry(IDC_COLUMN, "city"), ChooseEntry(IDC_OPERATOR, kEquals),
                                       Type(IDC_VALUE1, "Oslo"), Click(IDOK)});
        m_robot.Expect(IDD_SORT, ChooseKeys({{"Field 1: name", true}}));
        m_robot.Expect(IDD_PREVIEW, {
            Inspect([&](HWND hDlg) {
                previewed = ListCells(hDlg, IDC_PREVIEW_LIST);
                EXPECT_EQ((std::vector<std::string>{"Field 1: name", "Field 2: id", "Field 3: joined", "Field 4"}),
                          ListHeadings(hDlg, IDC_PREVIEW_LIST));
                EXPECT_EQ("The import delivers 3 rows.", ControlText(hDlg, IDC_PREVIEW_COUNT));
            }),
            Click(IDCANCEL),
        });
        m_robot.Expect(IDD_CONDITIONLIST, {Click(IDC_ADD_TEXT), Click(IDOK)});
        m_robot.Expect(IDD_TEXTENTRY, {Type(IDC_TEXT, "no_such_column = 1"), Click(IDOK)});
        m_robot.Expect(IDD_FIELDMAP, {
            WaitUntil([](HWND h) { return SelectedRow(h, IDC_COLUMN_LIST) == "id"; }, "field 2's column chosen again"),
            Inspect([&](HWND hDlg) {
                EXPECT_EQ(nBoxes + 2, m_robot.MessageBoxes().size()) << "the failed open told";
                EXPECT_EQ("3", ControlText(hDlg, IDC_PAD_WIDTH));
                EXPECT_EQ("Sorted by Field 1: name (descending)", ControlText(hDlg, IDC_SORT_ORDER));
            }),
            Click(IDC_CONDITIONS), Click(IDOK),
        });
        m_robot.Expect(IDD_CONDITIONLIST, {SelectRow(IDC_CONDITION_LIST, "no_such_column = 1"),
                                           Click(IDC_REMOVE_CONDITION), Click(IDOK)});

        ASSERT_EQ(1, OpenAfresh()) << engine.name;
        EXPECT_EQ(expected, previewed) << engine.name;
        std::vector<std::vector<std::string>> delivered;
        for (const DeliveredRow& row : ReadAllRows())
            delivered.push_back({row[0], row[1], row[2], row[3]});
        EXPECT_EQ(previewed, delivered) << engine.name << ": the rows the preview showed, in its order";
        RDMODBCClose();
    }
}

TEST_F(EngineDialogs, FindsTextsWithQuotesBackslashesAndWildcardsExactlyOnEveryEngine)
{
    const char kLike[] = "contains (LIKE)";    // string 7 of the US module
    using Ids = std::vector<std::string>;
    struct Case { const char* op; const char* value; Ids ids; };
    const Case cases[] = {
        {kEquals, "C:\\temp\\", {"1"}},
        {kEquals, "it's", {"4"}},
        {kEquals, "it\\'s", {"5"}},
        {kEquals, "\\", {"6"}},
        {kEquals, "\\\\", {"7"}},
        {kEquals, "'\\", {"13"}},
        {kLike, "C:\\temp%", {"1", "2"}},
        {kLike, "%\\", {"1", "13", "6", "7"}},
        {kLike, "\\%", {"14", "6", "7"}},
        {kLike, "%'%", {"13", "4", "5"}},
        {kLike, "100%", {"10", "8", "9"}},
        {kLike, "100_", {"10", "8", "9"}},
        {kLike, "a_b", {"11", "12"}},
        {kLike, "%!", {"15"}},
    };
    for (const TestEngine& engine : TestEngines())
    {
        for (const Case& c : cases)
        {
            m_robot.Expect(IDD_DATASOURCE, ChooseTable(engine, "paths"));
            m_robot.Expect(IDD_FIELDMAP, {SelectRow(IDC_COLUMN_LIST, "id"), Click(IDC_CONDITIONS), Click(IDOK)});
            m_robot.Expect(IDD_CONDITIONLIST, {SetCheck(IDC_USE_CONDITIONS, true), Click(IDC_ADD_CONDITION), Click(IDOK)});
            m_robot.Expect(IDD_CONDITION, {ChooseEntry(IDC_COLUMN, "note"), ChooseEntry(IDC_OPERATOR, c.op),
                                           Type(IDC_VALUE1, c.value), Click(IDOK)});
            ASSERT_EQ(1, OpenAfresh()) << c.value << " on " << engine.name;
            Ids ids = Column(ReadAllRows(), 1);
            std::sort(ids.begin(), ids.end());
            EXPECT_EQ(c.ids, ids) << c.op << " " << c.value << " on " << engine.name << ": " << Statement();
            RDMODBCClose();
        }
    }
}

TEST_F(EngineDialogs, ImportsTheTableAndTheColumnsTheUserChoseByteForByte)
{
    struct Case
    {
        const char* engine;                     // nullptr for every engine
        std::vector<RobotAction> tableStep;     // after the data source
        std::vector<std::string> columns;
        std::vector<RobotAction> mapping;
        std::vector<DeliveredRow> rows;
    };
    const Case cases[] = {
        // "t_1" is a pattern that "tx1" matches too.
        {nullptr, {SelectRow(IDC_SOURCE_LIST, "t_1")}, {"t1_id", "t1_name"},
         {SelectRow(IDC_COLUMN_LIST, "t1_name")}, {{"", "one", "", ""}}},
        {"PostgreSQL", {SelectRow(IDC_SOURCE_LIST, "archive.customers")}, {"old_id", "old_name"},
         {SelectRow(IDC_COLUMN_LIST, "old_id")}, {{"", "100", "", ""}}},
        // Switching views on and off chooses "Paths" again, not "paths".
        {"PostgreSQL", {SelectRow(IDC_SOURCE_LIST, "Paths"), SetCheck(IDC_INCLUDE_VIEWS, false),
                        SetCheck(IDC_INCLUDE_VIEWS, true)},
         {"id", "note"}, {SelectRow(IDC_COLUMN_LIST, "note")}, {{"", "capital", "", ""}}},
        // Back on field 2 after field 1, "Code" is chosen again, not "code".
        {"PostgreSQL", {SelectRow(IDC_SOURCE_LIST, "codes")}, {"Code", "code"},
         {SelectRow(IDC_COLUMN_LIST, "Code"), ChooseEntryAt(IDC_OUTPUT_FIELD, 0), SelectRow(IDC_COLUMN_LIST, "code"),
          ChooseEntryAt(IDC_OUTPUT_FIELD, 1),
          WaitUntil([](HWND hDlg) { return SelectedRow(hDlg, IDC_COLUMN_LIST) == "Code"; }, "Code chosen again")},
         {{"1", "one", "", ""}, {"2", "two", "", ""}}},
    };
    for (const TestEngine& engine : TestEngines())
    {
        for (const Case& c : cases)
        {
            if (c.engine && std::string(c.engine) != engine.name)
                continue;
            std::vector<RobotAction> dataSource = {SelectRow(IDC_SOURCE_LIST, DataSourceName(engine)), Click(IDOK)};
            dataSource.insert(dataSource.end(), c.tableStep.begin(), c.tableStep.end());
            dataSource.push_back(Click(IDOK));
            std::vector<std::string> listed;
            std::vector<RobotAction> mapping = {
                // The placeholder row stands alone in the list until the
                // columns are in; every table here has two or more.
                WaitUntil([](HWND hDlg) { return ListRows(hDlg, IDC_COLUMN_LIST).size() > 1; }, "the columns"),
                Inspect([&listed](HWND hDlg) { listed = ListRows(hDlg, IDC_COLUMN_LIST); })};
            mapping.insert(mapping.end(), c.mapping.begin(), c.mapping.end());
            mapping.push_back(Click(IDOK));
            m_robot.Expect(IDD_DATASOURCE, dataSource);
            m_robot.Expect(IDD_FIELDMAP, mapping);
            ASSERT_EQ(1, OpenAfresh()) << engine.name;
            std::vector<DeliveredRow> rows = ReadAllRows();
            std::sort(rows.begin(), rows.end());
            std::sort(listed.begin(), listed.end());
            EXPECT_EQ(c.columns, listed) << engine.name;
            EXPECT_EQ(c.rows, rows) << engine.name << ": " << Statement();
            RDMODBCClose();
        }
    }
}

TEST_F(EngineDialogs, AServerThatWentAwayKeepsTheListAndTheChoicesAndOkImportsOnceItIsBack)
{
    // The PostgreSQL server of the test run stops between the dialog and the
    // open; the user is told once, finds the dialog as it was, starts the
    // server again and presses OK.
    const TestEngine& engine = TestEngines()[2];
    CServerOutage outage("postgresql");
    std::vector<std::string> columns;
    m_robot.Expect(IDD_DATASOURCE, ChooseTable(engine, "customers"));
    m_robot.Expect(IDD_FIELDMAP, {
        SelectRow(IDC_COLUMN_LIST, "id"), SetCheck(IDC_PAD, true), Type(IDC_PAD_WIDTH, "3"), Type(IDC_FILL, "0"),
        ChooseEntryAt(IDC_OUTPUT_FIELD, 0), SelectRow(IDC_COLUMN_LIST, "name"), Click(IDC_CONDITIONS), Click(IDC_SORT),
        Inspect([&](HWND hDlg) {
            columns = ListRows(hDlg, IDC_COLUMN_LIST);
            ASSERT_TRUE(outage.Stop()) << "the server stopped";
        }),
        Click(IDOK),
    });
    m_robot.Expect(IDD_CONDITIONLIST, {SetCheck(IDC_USE_CONDITIONS, true), Click(IDC_ADD_CONDITION), Click(IDOK)});
    m_robot.Expect(IDD_CONDITION, {ChooseEntry(IDC_COLUMN, "city"), ChooseEntry(IDC_OPERATOR, kEquals),
                                   Type(IDC_VALUE1, "Oslo"), Click(IDOK)});
    m_robot.Expect(IDD_SORT, ChooseKeys({{"Field 1: name", true}}));
    m_robot.Expect(IDD_FIELDMAP, {
        Inspect([&](HWND hDlg) {
            ASSERT_EQ(1u, m_robot.MessageBoxes().size()) << "the failure told once";
            EXPECT_NE(std::string::npos, m_robot.MessageBoxes()[0].text.find("onnect"))
                << "in the driver's words: " << m_robot.MessageBoxes()[0].text;
            EXPECT_EQ(columns, ListRows(hDlg, IDC_COLUMN_LIST));
            EXPECT_EQ("id", SelectedRow(hDlg, IDC_COLUMN_LIST));
            EXPECT_TRUE(IsChecked(hDlg, IDC_PAD));
            EXPECT_EQ("3", ControlText(hDlg, IDC_PAD_WIDTH));
            EXPECT_EQ("Sorted by Field 1: name (descending)", ControlText(hDlg, IDC_SORT_ORDER));
            EXPECT_TRUE(IsEnabled(hDlg, IDOK)) << "OK tries again";
            ASSERT_TRUE(outage.Start()) << "the server back";
        }),
        Click(IDOK),
    });

    ASSERT_EQ(1, OpenAfresh());
    const std::vector<DeliveredRow> expected = {
        {"O'Brien & Co", "004", "", ""},
        {"Juniper Joinery", "010", "", ""},
        {"Alder & Sons", "001", "", ""},
    };
    EXPECT_EQ(expected, ReadAllRows());
    EXPECT_EQ(1u, m_robot.MessageBoxes().size());
}

TEST_F(EngineDialogs, TheLastImportKeepsNoPasswordOfADataSourceThatNeedsOne)
{
    m_robot.Expect(IDD_DATASOURCE, {SelectRow(IDC_SOURCE_LIST, "rdm_engine_postgresql_secret"), Click(IDOK),
                                    SelectRow(IDC_SOURCE_LIST, "customers"), Click(IDOK)});
    m_robot.Expect(IDD_FIELDMAP, {SelectRow(IDC_COLUMN_LIST, "id"), Click(IDOK)});
    ASSERT_EQ(1, OpenAfresh());
    EXPECT_EQ(10u, ReadAllRows().size());
    RDMODBCClose();
    // The server takes no other password.
    CDatabase db;
    bool bRefused = false;
    try
    {
        db.OpenEx("DSN=rdm_engine_postgresql_secret;Password=wrong", CDatabase::noOdbcDialog);
    }
    catch (CDBException* pException)
    {
        bRefused = true;
        pException->Delete();
    }
    EXPECT_TRUE(bRefused);

    HKEY hKey = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\KAVEX\\RDMODBC", 0, KEY_READ, &hKey));
    char szStored[4096] = "";
    DWORD cbStored = sizeof szStored;
    EXPECT_EQ(ERROR_SUCCESS, ::RegQueryValueExA(hKey, "LastImport", nullptr, nullptr, (LPBYTE)szStored, &cbStored));
    ::RegCloseKey(hKey);
    const std::string stored(szStored, cbStored);
    EXPECT_NE(std::string::npos, stored.find("rdm_engine_postgresql_secret")) << "the import was kept";
    EXPECT_EQ(std::string::npos, stored.find("Pa55-w0rd!"));
    EXPECT_EQ(std::string::npos, stored.find("PWD")) << "no connect string at all";
}

// The last import keeps what its conditions are made of, and the next Open
// writes them for the server as it reads SQL then. A backslash in a value,
// written for a server that takes it as a character, would escape the
// quote after it once the server takes it for an escape (and the other
// way round); a typed condition, written for the old reading, is left out
// with a message.
TEST_F(EngineDialogs, ARememberedConditionIsWrittenAnewWhenTheServerReadsBackslashesOtherwise)
{
    // Each server's mode changed from its default, and back.
    struct Server { const TestEngine& engine; std::string changed; std::string back; };
    const std::string strMariaDbMode = QueryRows(TestEngines()[1].connect, "SELECT @@GLOBAL.sql_mode")[0][0].value_or("");
    const Server servers[] = {
        {TestEngines()[1], "SET GLOBAL sql_mode = CONCAT(@@GLOBAL.sql_mode, ',NO_BACKSLASH_ESCAPES')",
         "SET GLOBAL sql_mode = '" + strMariaDbMode + "'"},
        {TestEngines()[2], "ALTER ROLE CURRENT_USER SET standard_conforming_strings = off",
         "ALTER ROLE CURRENT_USER RESET standard_conforming_strings"},
    };
    for (const Server& server : servers)
    {
        const TestEngine& engine = server.engine;
        const std::string strSource = DataSourceName(engine);
        const std::vector<RobotAction> byEnter = {
            WaitUntil([strSource](HWND h) { return SelectedRow(h, IDC_SOURCE_LIST) == strSource; }, "the data source"),
            PressKeys({"Enter"}),
            WaitUntil([](HWND h) { return SelectedRow(h, IDC_SOURCE_LIST) == "paths"; }, "the table"),
            PressKeys({"Enter"}),
        };
        const std::vector<RobotAction> mappingByEnter = {
            WaitUntil([](HWND h) { return IsEnabled(h, IDOK); }, "OK, once the columns are in"), PressKeys({"Enter"})};
        m_robot.Expect(IDD_DATASOURCE, ChooseTable(engine, "paths"));
        m_robot.Expect(IDD_FIELDMAP, {SelectRow(IDC_COLUMN_LIST, "id"), Click(IDC_CONDITIONS), Click(IDC_CONDITIONS),
                                      Click(IDOK)});
        m_robot.Expect(IDD_CONDITIONLIST, {SetCheck(IDC_USE_CONDITIONS, true), Click(IDC_ADD_CONDITION), Click(IDOK)});
        m_robot.Expect(IDD_CONDITION, {ChooseEntry(IDC_COLUMN, "note"), ChooseEntry(IDC_OPERATOR, kEquals),
                                       Type(IDC_VALUE1, "it\\'s"), Click(IDOK)});
        m_robot.Expect(IDD_CONDITIONLIST, {Click(IDC_ADD_TEXT), Click(IDOK)});
        m_robot.Expect(IDD_TEXTENTRY, {Type(IDC_TEXT, "id > 0"), Click(IDOK)});
        ASSERT_EQ(1, OpenAfresh()) << engine.name;
        EXPECT_EQ(std::vector<std::string>{"5"}, Column(ReadAllRows(), 1)) << engine.name << ": " << Statement();
        RDMODBCClose();

        for (const std::string* pMode : {&server.changed, &server.back})
        {
            const std::string& strMode = *pMode;
            ExecuteSql(engine.connect, strMode);
            const size_t nBoxes = m_robot.MessageBoxes().size();
            m_robot.Expect(IDD_DATASOURCE, byEnter);
            m_robot.Expect(IDD_FIELDMAP, mappingByEnter);
            ASSERT_EQ(1, RDMODBCOpen()) << engine.name << " after " << strMode;
            EXPECT_EQ(std::vector<std::string>{"5"}, Column(ReadAllRows(), 1))
                << engine.name << " after " << strMode << ": " << Statement();
            RDMODBCClose();
            if (pMode == &server.changed)
            {
                ASSERT_EQ(nBoxes + 1, m_robot.MessageBoxes().size()) << engine.name;
                EXPECT_NE(std::string::npos, m_robot.MessageBoxes().back().text.find("\"id > 0\""))
                    << m_robot.MessageBoxes().back().text;
            }
            else
                EXPECT_EQ(nBoxes, m_robot.MessageBoxes().size()) << engine.name << ": nothing typed is left to drop";
        }
    }
}

// A statement that runs longer than the import may (QueryTimeout, seconds,
// beside the last import) is cancelled by the driver: the user reads why,
// and gets the field mapping back as it was.
TEST_F(EngineDialogs, AStatementThatRunsPastTheTimeoutEndsWithItsMessageAndTheMappingComesBack)
{
    // Two seconds for this test only, whatever its end.
    struct ShortTimeout
    {
        ShortTimeout()
        {
            const DWORD dwSeconds = 2;
            ::RegSetKeyValueA(HKEY_CURRENT_USER, "SOFTWARE\\KAVEX\\RDMODBC", "QueryTimeout", REG_DWORD, &dwSeconds,
                              sizeof dwSeconds);
        }
        ~ShortTimeout() { ::RegDeleteKeyValueA(HKEY_CURRENT_USER, "SOFTWARE\\KAVEX\\RDMODBC", "QueryTimeout"); }
    } shortTimeout;
    // Without the timeout each would sleep a minute a row, and then import.
    struct Sleeper { const TestEngine& engine; const char* condition; const char* words; };
    const Sleeper sleepers[] = {
        {TestEngines()[1], "SLEEP(60) = 0", "max_statement_time exceeded"},
        {TestEngines()[2], "pg_sleep(60) IS NOT NULL", "statement timeout"},
    };
    for (const Sleeper& sleeper : sleepers)
    {
        const size_t nBoxes = m_robot.MessageBoxes().size();
        m_robot.Expect(IDD_DATASOURCE, ChooseTable(sleeper.engine, "customers"));
        m_robot.Expect(IDD_FIELDMAP, {SelectRow(IDC_COLUMN_LIST, "id"), Click(IDC_CONDITIONS), Click(IDOK)});
        m_robot.Expect(IDD_CONDITIONLIST, {SetCheck(IDC_USE_CONDITIONS, true), Click(IDC_ADD_TEXT), Click(IDOK)});
        m_robot.Expect(IDD_TEXTENTRY, {Type(IDC_TEXT, sleeper.condition), Click(IDOK)});
        m_robot.Expect(IDD_FIELDMAP, {
            Inspect([&](HWND hDlg) {
                EXPECT_EQ(nBoxes + 1, m_robot.MessageBoxes().size()) << sleeper.engine.name << ": the timeout told";
                EXPECT_EQ("id", SelectedRow(hDlg, IDC_COLUMN_LIST));
            }),
            Click(IDCANCEL),
        });
        EXPECT_EQ(0, OpenAfresh()) << sleeper.engine.name;
        ASSERT_LT(nBoxes, m_robot.MessageBoxes().size());
        EXPECT_NE(std::string::npos, m_robot.MessageBoxes().back().text.find(sleeper.words))
            << m_robot.MessageBoxes().back().text;
        EXPECT_EQ(0u, m_robot.MessageBoxes().back().text.find("The statement ran longer than an import may"))
            << "the plain words first: " << m_robot.MessageBoxes().back().text;
    }
}

// A statement that runs long shows that it does, and Cancel stops it on the
// server, the preview's rows and its count as the import's: the field
// mapping comes back long before the sleep would end, with every choice
// kept and nothing told, and no statement of the import runs on after it.
// A server that takes the connection and says nothing: Cancel abandons the
// connect and the data sources are back at once; left alone, the connect
// ends with the words about a server not reached, and the driver's text.
TEST_F(EngineDialogs, CancelStopsLongWorkOnTheServerAndTheDialogComesBack)
{
    // SQLite has no server to ask: its statement is one that counts to a
    // billion. The count's condition sleeps only once every row has been
    // seen: the preview's rows come, its count sleeps (%s: the rows).
    struct Sleeper { const TestEngine& engine; const char* condition; const char* running; const char* countCondition; };
    const Sleeper sleepers[] = {
        {TestEngines()[0],
         "id IN (WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c WHERE x < 1000000000) "
         "SELECT COUNT(*) FROM c)",
         nullptr, nullptr},
        {TestEngines()[1], "SLEEP(30) = 0",
         "SELECT COUNT(*) FROM information_schema.PROCESSLIST WHERE INFO LIKE '%SLEEP(30)%' "
         "AND INFO NOT LIKE '%PROCESSLIST%'",
         "IF((@rdm_seen := COALESCE(@rdm_seen, 0) + 1) > %s, SLEEP(30) = 0, 1)"},
        {TestEngines()[2], "pg_sleep(30) IS NOT NULL",
         "SELECT COUNT(*) FROM pg_stat_activity WHERE state = 'active' AND query LIKE '%pg_sleep(30)%' "
         "AND pid <> pg_backend_pid()",
         "CASE WHEN set_config('rdm.seen', (COALESCE(NULLIF(current_setting('rdm.seen', true), ''), '0')::int + 1)"
         "::text, false)::int > %s THEN pg_sleep(30) IS NOT NULL ELSE true END"},
    };
    for (const Sleeper& sleeper : sleepers)
    {
        const size_t nBoxes = m_robot.MessageBoxes().size();
        DWORD dwCancelled = 0;
        m_robot.Expect(IDD_DATASOURCE, ChooseTable(sleeper.engine, "customers"));
        const auto backSoon = [&](HWND hDlg) {
            EXPECT_LT(::GetTickCount() - dwCancelled, 10000u) << sleeper.engine.name << ": not the sleep's end";
            EXPECT_EQ(nBoxes, m_robot.MessageBoxes().size()) << "a Cancel is not a failure";
            EXPECT_EQ("id", SelectedRow(hDlg, IDC_COLUMN_LIST));
            if (sleeper.running)
            {
                EXPECT_EQ("0", QueryRows(sleeper.engine.connect, sleeper.running)[0][0]) << "nothing runs on";
            }
        };
        m_robot.Expect(IDD_FIELDMAP, {SelectRow(IDC_COLUMN_LIST, "id"), Click(IDC_CONDITIONS), Click(IDC_PREVIEW),
                                      Inspect(backSoon), Click(IDOK)});
        m_robot.Expect(IDD_CONDITIONLIST, {SetCheck(IDC_USE_CONDITIONS, true), Click(IDC_ADD_TEXT), Click(IDOK)});
        m_robot.Expect(IDD_TEXTENTRY, {Type(IDC_TEXT, sleeper.condition), Click(IDOK)});
        m_robot.ExpectShowing(IDD_PROGRESS, "Opening the import...",
                              {Inspect([&](HWND) { dwCancelled = ::GetTickCount(); }), Click(IDCANCEL)});
        m_robot.ExpectShowing(IDD_PROGRESS, "Opening the import...", {
            Inspect([&](HWND hDlg) {
                EXPECT_FALSE(::IsWindowEnabled(::GetWindow(hDlg, GW_OWNER))) << "modal over its owner";
                if (sleeper.running)
                {
                    EXPECT_EQ("1", QueryRows(sleeper.engine.connect, sleeper.running)[0][0]) << "the server at work";
                }
                dwCancelled = ::GetTickCount();
            }),
            Click(IDCANCEL),
        });
        m_robot.Expect(IDD_FIELDMAP, {Inspect(backSoon), Click(IDCANCEL)});
        EXPECT_EQ(0, OpenAfresh()) << sleeper.engine.name;
        if (!sleeper.countCondition)
            continue;

        char szCount[512];
        snprintf(szCount, sizeof szCount, sleeper.countCondition,
                 QueryRows(sleeper.engine.connect, "SELECT COUNT(*) FROM customers")[0][0].value_or("0").c_str());
        m_robot.Expect(IDD_DATASOURCE, ChooseTable(sleeper.engine, "customers"));
        m_robot.Expect(IDD_FIELDMAP, {SelectRow(IDC_COLUMN_LIST, "id"), Click(IDC_CONDITIONS), Click(IDC_PREVIEW),
                                      Inspect(backSoon), Click(IDCANCEL)});
        m_robot.Expect(IDD_CONDITIONLIST, {SetCheck(IDC_USE_CONDITIONS, true), Click(IDC_ADD_TEXT), Click(IDOK)});
        m_robot.Expect(IDD_TEXTENTRY, {Type(IDC_TEXT, szCount), Click(IDOK)});
        m_robot.ExpectShowing(IDD_PROGRESS, "Counting the rows...", {
            Inspect([&](HWND) {
                EXPECT_EQ("1", QueryRows(sleeper.engine.connect, sleeper.running)[0][0]) << "the server counting";
                dwCancelled = ::GetTickCount();
            }),
            Click(IDCANCEL),
        });
        EXPECT_EQ(0, OpenAfresh()) << sleeper.engine.name;
    }

    const char kSilent[] = "rdm_engine_postgresql_silent";
    const size_t nBoxes = m_robot.MessageBoxes().size();
    DWORD dwCancelled = 0;
    m_robot.ExpectShowing(IDD_PROGRESS, std::string("Connecting to ") + kSilent + "...",
                          {Inspect([&](HWND) { dwCancelled = ::GetTickCount(); }), Click(IDCANCEL)});
    m_robot.Expect(IDD_DATASOURCE, {
        SelectRow(IDC_SOURCE_LIST, kSilent), Click(IDOK),
        Inspect([&](HWND hDlg) {
            EXPECT_LT(::GetTickCount() - dwCancelled, 2000u) << "the connect abandoned, not awaited";
            EXPECT_EQ(nBoxes, m_robot.MessageBoxes().size()) << "a Cancel is not a failure";
            const std::vector<std::string> sources = ListRows(hDlg, IDC_SOURCE_LIST);
            EXPECT_NE(sources.end(), std::find(sources.begin(), sources.end(), kSilent)) << "the data sources again";
        }),
        SelectRow(IDC_SOURCE_LIST, kSilent), Click(IDOK),
        Inspect([&](HWND) {
            ASSERT_EQ(nBoxes + 1, m_robot.MessageBoxes().size()) << "the connect failed in the end";
            const std::string& strText = m_robot.MessageBoxes().back().text;
            EXPECT_EQ(0u, strText.find("The database server could not be reached.")) << strText;
            EXPECT_NE(std::string::npos, strText.find("(SQLSTATE 08")) << "the driver's text after: " << strText;
        }),
        Click(IDCANCEL),
    });
    EXPECT_EQ(0, OpenAfresh());
}

// A condition whose values are asked at each import: the question comes
// when OK opens the import, the values given are written as the editor
// writes typed ones (a quote and a backslash found exactly, a date refused
// until it reads as one), and Cancel in it brings the field mapping back
// as it was.
TEST_F(EngineDialogs, AskedConditionsTakeTheValuesGivenAtTheImportOnEveryEngine)
{
    const char kBetween[] = "between (including both ends)";   // string 12 of the US module
    const int nSecondRow = 3;                                    // the question's next row of controls
    for (const TestEngine& engine : TestEngines())
    {
        const size_t nBoxes = m_robot.MessageBoxes().size();
        m_robot.Expect(IDD_DATASOURCE, ChooseTable(engine, "paths"));
        m_robot.Expect(IDD_FIELDMAP, {SelectRow(IDC_COLUMN_LIST, "id"), Click(IDC_CONDITIONS), Click(IDC_PREVIEW),
                                      Click(IDOK),
                                      Inspect([&](HWND hDlg) {
                                          EXPECT_EQ("id", SelectedRow(hDlg, IDC_COLUMN_LIST)) << "Cancel kept it";
                                      }),
                                      Click(IDOK)});
        m_robot.Expect(IDD_CONDITIONLIST, {SetCheck(IDC_USE_CONDITIONS, true), Click(IDC_ADD_CONDITION),
                                           Inspect([&](HWND hDlg) {
                                               EXPECT_EQ(std::vector<std::string>{"note equals (asked)"},
                                                         ListRows(hDlg, IDC_CONDITION_LIST));
                                           }),
                                           Click(IDOK)});
        m_robot.Expect(IDD_CONDITION, {ChooseEntry(IDC_COLUMN, "note"), ChooseEntry(IDC_OPERATOR, kEquals),
                                       SetCheck(IDC_ASK_AT_IMPORT, true), Click(IDOK)});
        // The preview asks too, and shows the rows of the value given.
        m_robot.Expect(IDD_ASK_VALUES, {Inspect([&](HWND hDlg) {
                                            EXPECT_EQ("note equals", ControlText(hDlg, IDC_ASK_LABEL));
                                            EXPECT_FALSE(IsVisible(hDlg, IDC_ASK_VALUE2));
                                        }),
                                        Type(IDC_ASK_VALUE1, "it's"), Click(IDOK)});
        m_robot.Expect(IDD_PREVIEW, {Inspect([&](HWND hDlg) {
                                         EXPECT_EQ((std::vector<std::vector<std::string>>{{"", "4", "", ""}}),
                                                   ListCells(hDlg, IDC_PREVIEW_LIST)) << engine.name;
                                     }),
                                     Click(IDCANCEL)});
        m_robot.Expect(IDD_ASK_VALUES, {Inspect([&](HWND hDlg) {
                                            EXPECT_EQ("it's", ControlText(hDlg, IDC_ASK_VALUE1)) << "the value last given";
                                        }),
                                        Click(IDCANCEL)});
        m_robot.Expect(IDD_ASK_VALUES, {Type(IDC_ASK_VALUE1, "it\\'s"), Click(IDOK)});
        ASSERT_EQ(1, OpenAfresh()) << engine.name;
        EXPECT_EQ(std::vector<std::string>{"5"}, Column(ReadAllRows(), 1)) << engine.name << ": " << Statement();
        RDMODBCClose();
        EXPECT_EQ(nBoxes, m_robot.MessageBoxes().size());

        m_robot.Expect(IDD_DATASOURCE, ChooseTable(engine, "customers"));
        m_robot.Expect(IDD_FIELDMAP, {SelectRow(IDC_COLUMN_LIST, "id"), Click(IDC_CONDITIONS), Click(IDC_CONDITIONS),
                                      Click(IDOK)});
        m_robot.Expect(IDD_CONDITIONLIST, {SetCheck(IDC_USE_CONDITIONS, true), Click(IDC_ADD_CONDITION), Click(IDOK)});
        m_robot.Expect(IDD_CONDITION, {ChooseEntry(IDC_COLUMN, "visits"), ChooseEntry(IDC_OPERATOR, kBetween),
                                       Type(IDC_VALUE1, "0"), Type(IDC_VALUE2, "10"),
                                       SetCheck(IDC_ASK_AT_IMPORT, true), Click(IDOK)});
        m_robot.Expect(IDD_CONDITIONLIST, {Click(IDC_ADD_CONDITION), Click(IDOK)});
        m_robot.Expect(IDD_CONDITION, {ChooseEntry(IDC_COLUMN, "joined"), ChooseEntry(IDC_OPERATOR, kBetween),
                                       SetCheck(IDC_ASK_AT_IMPORT, true), Click(IDOK)});
        std::vector<RobotAction> question = {
            Inspect([&](HWND hDlg) {
                EXPECT_EQ("0", ControlText(hDlg, IDC_ASK_VALUE1)) << "the value offered";
                EXPECT_EQ("10", ControlText(hDlg, IDC_ASK_VALUE2));
                EXPECT_EQ("joined " + std::string(kBetween), ControlText(hDlg, IDC_ASK_LABEL + nSecondRow));
                EXPECT_TRUE(IsVisible(hDlg, IDC_ASK_VALUE2 + nSecondRow));
            }),
            Type(IDC_ASK_VALUE1, "1"), Type(IDC_ASK_VALUE2, "12"), Type(IDC_ASK_VALUE1 + nSecondRow, "1995-01-01"),
        };
        // SQLite's driver reports a date by its ODBC 3 code, whose values
        // are compared as text: only the other engines read it as a date.
        if (std::string(engine.name) != "SQLite")
        {
            question.insert(question.end(), {
                Type(IDC_ASK_VALUE2 + nSecondRow, "2001-02-30"), Click(IDOK),
                Inspect([&](HWND) {
                    ASSERT_EQ(nBoxes + 1, m_robot.MessageBoxes().size()) << "the wrong date refused";
                    EXPECT_NE(std::string::npos, m_robot.MessageBoxes().back().text.find("not a date"))
                        << m_robot.MessageBoxes().back().text;
                }),
            });
        }
        question.insert(question.end(), {Type(IDC_ASK_VALUE2 + nSecondRow, "2001-12-31"), Click(IDOK)});
        m_robot.Expect(IDD_ASK_VALUES, question);
        ASSERT_EQ(1, OpenAfresh()) << engine.name;
        const std::string statement = Statement() + " WHERE " + theSession.m_pRecordset->m_strFilter.Str();
        std::vector<std::string> ids = Column(ReadAllRows(), 1);
        std::sort(ids.begin(), ids.end());
        EXPECT_EQ((std::vector<std::string>{"1", "7"}), ids) << engine.name << ": " << statement;
        RDMODBCClose();
    }
}
