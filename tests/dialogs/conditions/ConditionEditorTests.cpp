// The condition editor, driven as a user would: which columns and operators
// it offers, which value fields it enables, the texts it hands back.
#include "CatalogColumns.h"
#include "ConditionTestSupport.h"
#include "dialogs/CConditionDlg.h"
#include "dialogs/OperatorText.h"
#include "langres/ResString.h"
#include "resource.h"

#include <sqlext.h>

using namespace robot;

namespace
{
    using Texts = std::vector<std::string>;

    // A column of each kind a condition meets.
    ColumnArray* TableColumns()
    {
        return new ColumnArray{
            {"ID", "INTEGER", SQL_PRED_BASIC, SQL_INTEGER, SQL_NO_NULLS},
            {"NAME", "VARCHAR", SQL_SEARCHABLE, SQL_VARCHAR, SQL_NULLABLE},
            {"NOTE", "TEXT", SQL_SEARCHABLE, SQL_LONGVARCHAR, SQL_NULLABLE},
            {"PAID", "BIT", SQL_PRED_BASIC, SQL_BIT, SQL_NO_NULLS},
            {"QTY", "INTEGER", SQL_SEARCHABLE, SQL_INTEGER, SQL_NULLABLE},
            {"BORN", "DATE", SQL_SEARCHABLE, SQL_DATETIME, SQL_NULLABLE},
            {"CODE", nullptr, SQL_PRED_CHAR, SQL_CHAR, SQL_NULLABLE},
            {"FLAG", "BIT", SQL_SEARCHABLE, SQL_BIT, SQL_NULLABLE},
            {"ODD", "ODD", 4, SQL_VARCHAR, SQL_NULLABLE},
        };
    }
}

TEST_F(ConditionDialogs, EditorOffersTheSearchableColumnsLastFirst)
{
    ColumnArray columns{
        {"ONE", "INTEGER", SQL_SEARCHABLE, SQL_INTEGER, SQL_NULLABLE},
        {"HIDDEN", "BLOB", SQL_PRED_NONE, SQL_LONGVARBINARY, SQL_NULLABLE},
        {nullptr, "INTEGER", SQL_SEARCHABLE, SQL_INTEGER, SQL_NULLABLE},
        {"TWO", "VARCHAR", SQL_SEARCHABLE, SQL_VARCHAR, SQL_NULLABLE},
        {"THREE", "DATE", SQL_SEARCHABLE, SQL_DATETIME, SQL_NULLABLE},
    };
    CEditorOver dlg(columns);
    m_robot.Expect(IDD_CONDITION, {Inspect([](HWND hDlg) {
                                       EXPECT_EQ((Texts{"THREE", "TWO", "ONE"}), ComboEntries(hDlg, IDC_COLUMN));
                                       EXPECT_EQ("THREE", ComboSelection(hDlg, IDC_COLUMN));
                                       EXPECT_EQ("DATE", ControlText(hDlg, IDC_TYPE_NAME));
                                   }),
                                   ChooseEntry(IDC_COLUMN, "ONE"),
                                   Inspect([](HWND hDlg) { EXPECT_EQ("INTEGER", ControlText(hDlg, IDC_TYPE_NAME)); }),
                                   Click(IDCANCEL)});
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_EQ(nullptr, dlg.m_condition.name);
}

TEST_F(ConditionDialogs, EditorUsesTheFirstOfTwoColumnsOfTheSameName)
{
    ColumnArray columns{
        {"DUP", "INTEGER", SQL_SEARCHABLE, SQL_INTEGER, SQL_NULLABLE},
        {"DUP", "VARCHAR", SQL_SEARCHABLE, SQL_VARCHAR, SQL_NULLABLE},
    };
    CEditorOver dlg(columns);
    m_robot.Expect(IDD_CONDITION, {Inspect([](HWND hDlg) {
                                       EXPECT_EQ((Texts{"DUP", "DUP"}), ComboEntries(hDlg, IDC_COLUMN));
                                       EXPECT_EQ("INTEGER", ControlText(hDlg, IDC_TYPE_NAME));
                                   }),
                                   ChooseEntry(IDC_OPERATOR, kEqual), Type(IDC_VALUE1, "7"), Click(IDOK)});
    ASSERT_EQ(IDOK, dlg.DoModal());
    EXPECT_STREQ("(`DUP`=7)", dlg.m_condition.filterText);
    EXPECT_STREQ("INTEGER", dlg.m_condition.typeName);
}

TEST_F(ConditionDialogs, EditorOffersTheOperatorsOfTheColumnsType)
{
    struct Case { const char* column; Texts operators; };
    const Case cases[] = {
        {"ID", {kEqual, kBetweenExcluding, kFromIncludingToExcluding, kFromExcludingToIncluding, kBetweenIncluding}},
        {"NAME", {kLike, kEqual, kBetweenExcluding, kFromIncludingToExcluding, kFromExcludingToIncluding,
                  kBetweenIncluding, kIsNull}},
        {"PAID", {kTrue, kFalse}},
        {"CODE", {kLike, kIsNull}},
        // A bit type that is searchable throughout gets the comparisons too.
        {"FLAG", {kLike, kEqual, kBetweenExcluding, kFromIncludingToExcluding, kFromExcludingToIncluding,
                  kBetweenIncluding, kIsNull}},
        {"ODD", {kIsNull}},
    };
    std::unique_ptr<ColumnArray> columns(TableColumns());
    CEditorOver dlg(*columns);
    std::vector<RobotAction> actions;
    for (const Case& c : cases)
    {
        actions.push_back(ChooseEntry(IDC_COLUMN, c.column));
        actions.push_back(Inspect([&c](HWND hDlg) { EXPECT_EQ(c.operators, ComboEntries(hDlg, IDC_OPERATOR)) << c.column; }));
    }
    actions.push_back(Click(IDCANCEL));
    m_robot.Expect(IDD_CONDITION, actions);
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
}

TEST_F(ConditionDialogs, EditorKeepsTheOperatorWhenTheNewColumnOffersIt)
{
    std::unique_ptr<ColumnArray> columns(TableColumns());
    CEditorOver dlg(*columns);
    auto expectOperator = [](const std::string& text) {
        return Inspect([text](HWND hDlg) { EXPECT_EQ(text, ComboSelection(hDlg, IDC_OPERATOR)); });
    };
    m_robot.Expect(IDD_CONDITION, {ChooseEntry(IDC_COLUMN, "NAME"), ChooseEntry(IDC_OPERATOR, kBetweenIncluding),
                                   ChooseEntry(IDC_COLUMN, "ID"), expectOperator(kBetweenIncluding),
                                   ChooseEntry(IDC_COLUMN, "CODE"), expectOperator(kLike),
                                   ChooseEntry(IDC_OPERATOR, kIsNull), ChooseEntry(IDC_COLUMN, "NOTE"),
                                   expectOperator(kIsNull), ChooseEntry(IDC_COLUMN, "PAID"), expectOperator(kTrue),
                                   Click(IDCANCEL)});
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
}

TEST_F(ConditionDialogs, EditorEnablesTheValueFieldsTheOperatorUses)
{
    // Only an operator that takes values can ask for them at each import.
    struct Case { const char* column; const char* op; bool value1; bool value2; };
    const Case cases[] = {
        {"NAME", kLike, true, false},
        {"NAME", kEqual, true, false},
        {"NAME", kBetweenExcluding, true, true},
        {"NAME", kFromIncludingToExcluding, true, true},
        {"NAME", kFromExcludingToIncluding, true, true},
        {"NAME", kBetweenIncluding, true, true},
        {"NAME", kIsNull, false, false},
        {"PAID", kTrue, false, false},
        {"PAID", kFalse, false, false},
        {"ID", kEqual, true, false},
    };
    std::unique_ptr<ColumnArray> columns(TableColumns());
    CEditorOver dlg(*columns);
    std::vector<RobotAction> actions;
    for (const Case& c : cases)
    {
        actions.push_back(ChooseEntry(IDC_COLUMN, c.column));
        actions.push_back(ChooseEntry(IDC_OPERATOR, c.op));
        actions.push_back(Inspect([&c](HWND hDlg) {
            EXPECT_EQ(c.value1, IsEnabled(hDlg, IDC_VALUE1)) << c.op;
            EXPECT_EQ(c.value2, IsEnabled(hDlg, IDC_VALUE2)) << c.op;
            EXPECT_EQ(c.value1, IsEnabled(hDlg, IDC_ASK_AT_IMPORT)) << c.op;
        }));
    }
    actions.push_back(Click(IDCANCEL));
    m_robot.Expect(IDD_CONDITION, actions);
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
}

// An asked condition may offer no value: it is confirmed without texts,
// and gets them from the values given at the import. With a value it is
// written as any other, and asked all the same.
TEST_F(ConditionDialogs, EditorTakesAnAskedConditionWithOrWithoutTheValueOffered)
{
    struct Case { const char* column; const char* op; const char* value; const char* filter; };
    const Case cases[] = {
        {"NAME", kEqual, "", nullptr},
        {"QTY", kBetweenIncluding, "2", "(`QTY`>=2)"},
    };
    std::unique_ptr<ColumnArray> columns(TableColumns());
    for (const Case& c : cases)
    {
        const size_t nBoxes = m_robot.MessageBoxes().size();
        CEditorOver dlg(*columns);
        m_robot.Expect(IDD_CONDITION, {ChooseEntry(IDC_COLUMN, c.column), ChooseEntry(IDC_OPERATOR, c.op),
                                       Type(IDC_VALUE1, c.value), SetCheck(IDC_ASK_AT_IMPORT, true), Click(IDOK)});
        ASSERT_EQ(IDOK, dlg.DoModal()) << c.op;
        EXPECT_EQ(nBoxes, m_robot.MessageBoxes().size()) << c.op;
        EXPECT_EQ(1, dlg.m_condition.asked) << c.op;
        EXPECT_STREQ(c.filter, dlg.m_condition.filterText) << c.op;
    }
}

TEST_F(ConditionDialogs, EditorHandsBackTheTextsOfEachOperator)
{
    struct Case
    {
        const char* column; const char* op; const char* value1; const char* value2; bool negate;
        const char* display; const char* filter;
    };
    const Case cases[] = {
        {"NAME", kLike, "Sm%", "", false, "`NAME` LIKE 'Sm%'", "`NAME` LIKE 'Sm%' ESCAPE '!'"},
        {"NAME", kLike, "O'N%", "", true, "NOT (`NAME` LIKE 'O''N%')", "NOT (`NAME` LIKE 'O''N%' ESCAPE '!')"},
        {"NAME", kEqual, "it's", "ignored", false, "(`NAME`='it''s')", "(`NAME`='it''s')"},
        {"QTY", kBetweenIncluding, "5", "10", false, "(`QTY`>=5) AND (`QTY`<=10)", "(`QTY`>=5) AND (`QTY`<=10)"},
        {"QTY", kBetweenIncluding, "5", "10", true, "NOT ((`QTY`>=5) AND (`QTY`<=10))",
         "NOT ((`QTY`>=5) AND (`QTY`<=10))"},
        {"QTY", kBetweenExcluding, "", "100", false, "(`QTY`<100)", "(`QTY`<100)"},
        {"QTY", kFromExcludingToIncluding, "1", "", false, "(`QTY`>1)", "(`QTY`>1)"},
        {"BORN", kFromIncludingToExcluding, "2003-02-01", "2003-12-31", false,
         "(`BORN`>=\"2003-02-01\") AND (`BORN`<\"2003-12-31\")", "(`BORN`>={d '2003-02-01'}) AND (`BORN`<{d '2003-12-31'})"},
        {"PAID", kTrue, "", "", false, "`PAID`", "`PAID`"},
        {"PAID", kFalse, "", "", false, "NOT `PAID`", "NOT `PAID`"},
        {"PAID", kFalse, "", "", true, "NOT (NOT `PAID`)", "NOT (NOT `PAID`)"},
        {"NOTE", kIsNull, "typed before", "", false, "`NOTE` IS NULL", "`NOTE` IS NULL"},
        {"NOTE", kIsNull, "", "", true, "NOT (`NOTE` IS NULL)", "NOT (`NOTE` IS NULL)"},
    };
    std::unique_ptr<ColumnArray> columns(TableColumns());
    for (const Case& c : cases)
    {
        CEditorOver dlg(*columns);
        m_robot.Expect(IDD_CONDITION, {ChooseEntry(IDC_COLUMN, c.column), ChooseEntry(IDC_OPERATOR, c.op),
                                       Type(IDC_VALUE1, c.value1), Type(IDC_VALUE2, c.value2),
                                       SetCheck(IDC_NEGATE, c.negate), Click(IDOK)});
        ASSERT_EQ(IDOK, dlg.DoModal()) << c.display;
        EXPECT_STREQ(c.display, dlg.m_condition.displayText);
        EXPECT_STREQ(c.filter, dlg.m_condition.filterText);
        EXPECT_STREQ(c.column, dlg.m_condition.name);
    }
    EXPECT_TRUE(m_robot.MessageBoxes().empty());
}

TEST_F(ConditionDialogs, EditorCopiesTheColumnIntoTheCondition)
{
    ColumnArray columns{{"QTY", "INTEGER", SQL_SEARCHABLE, SQL_INTEGER, SQL_NULLABLE}};
    columns.p[0].dataType = SQL_SMALLINT;
    columns.p[0].datetimeSub = 8;
    CEditorOver dlg(columns);
    m_robot.Expect(IDD_CONDITION, {ChooseEntry(IDC_OPERATOR, kEqual), Type(IDC_VALUE1, "3"), Click(IDOK)});
    ASSERT_EQ(IDOK, dlg.DoModal());
    const ColumnInfo& condition = dlg.m_condition;
    EXPECT_STREQ("QTY", condition.name);
    EXPECT_NE(columns.p[0].name, condition.name) << "a copy of its own";
    EXPECT_STREQ("INTEGER", condition.typeName);
    EXPECT_NE(columns.p[0].typeName, condition.typeName);
    EXPECT_EQ(SQL_SEARCHABLE, condition.searchable);
    EXPECT_EQ(0, condition.nullable) << "not carried into a condition";
    EXPECT_EQ(SQL_SMALLINT, condition.dataType);
    EXPECT_EQ(SQL_INTEGER, condition.sqlDataType);
    EXPECT_EQ(8, condition.datetimeSub);
}

TEST_F(ConditionDialogs, EditorAsksForAMissingValueAndStaysOpen)
{
    struct Case { const char* column; const char* op; const char* value2; const char* typed; const char* filter; };
    const Case cases[] = {
        {"NAME", kLike, "", "A%", "`NAME` LIKE 'A%' ESCAPE '!'"},
        {"QTY", kBetweenIncluding, "", "2", "(`QTY`>=2)"},
        // Equality reads only the first field, whatever the second holds.
        {"QTY", kEqual, "5", "2", "(`QTY`=2)"},
    };
    std::unique_ptr<ColumnArray> columns(TableColumns());
    for (const Case& c : cases)
    {
        const size_t nBoxes = m_robot.MessageBoxes().size();
        CEditorOver dlg(*columns);
        m_robot.Expect(IDD_CONDITION,
                       {ChooseEntry(IDC_COLUMN, c.column), ChooseEntry(IDC_OPERATOR, c.op), Type(IDC_VALUE2, c.value2),
                        Click(IDOK), Click(IDOK),
                        Inspect([this, nBoxes](HWND hDlg) {
                            EXPECT_TRUE(::IsWindowVisible(hDlg));
                            EXPECT_EQ(nBoxes + 2, m_robot.MessageBoxes().size());
                        }),
                        Type(IDC_VALUE1, c.typed), Click(IDOK)});
        ASSERT_EQ(IDOK, dlg.DoModal()) << c.op;
        ASSERT_EQ(nBoxes + 2, m_robot.MessageBoxes().size()) << c.op;
        for (size_t i = nBoxes; i < m_robot.MessageBoxes().size(); ++i)
        {
            EXPECT_EQ("Enter a value for the condition.", m_robot.MessageBoxes()[i].text);
            EXPECT_EQ("Database Import", m_robot.MessageBoxes()[i].caption);
        }
        EXPECT_STREQ(c.filter, dlg.m_condition.filterText);
        EXPECT_STREQ(c.column, dlg.m_condition.name);
    }
}

TEST_F(ConditionDialogs, EditorRefusesAValueItCannotWriteSafelyAndKeepsWhatWasTyped)
{
    struct Case
    {
        const char* column; const char* first; const char* refused; UINT nMessage; const char* mended;
        const char* display; const char* filter;
    };
    const Case cases[] = {
        {"BORN", "2003-02-01", "next spring", IDS_NOT_A_DATETIME, "2003-12-31",
         "NOT ((\"BORN\">=\"2003-02-01\") AND (\"BORN\"<=\"2003-12-31\"))",
         "NOT ((\"BORN\">={d '2003-02-01'}) AND (\"BORN\"<={d '2003-12-31'}))"},
        // A number goes in as typed, and so must be one: never a second
        // statement, a comment that hides the rest or a way out of its
        // parentheses.
        {"QTY", "2", "10; DELETE FROM orders", IDS_SQL_NOT_A_NUMBER, "10",
         "NOT ((\"QTY\">=2) AND (\"QTY\"<=10))", "NOT ((\"QTY\">=2) AND (\"QTY\"<=10))"},
        {"QTY", "2", "10) -- all", IDS_SQL_NOT_A_NUMBER, "10",
         "NOT ((\"QTY\">=2) AND (\"QTY\"<=10))", "NOT ((\"QTY\">=2) AND (\"QTY\"<=10))"},
        {"QTY", "2", "0) OR (1=1", IDS_SQL_NOT_A_NUMBER, "1e3",
         "NOT ((\"QTY\">=2) AND (\"QTY\"<=1e3))", "NOT ((\"QTY\">=2) AND (\"QTY\"<=1e3))"},
    };
    std::unique_ptr<ColumnArray> columns(TableColumns());
    for (const Case& c : cases)
    {
        const size_t nBoxesBefore = m_robot.MessageBoxes().size();
        CEditorOver dlg(*columns);
        dlg.m_dialect.strIdentifierQuote = "\"";
        m_robot.Expect(IDD_CONDITION,
                       {ChooseEntry(IDC_COLUMN, c.column), ChooseEntry(IDC_OPERATOR, kBetweenIncluding),
                        Type(IDC_VALUE1, c.first), Type(IDC_VALUE2, c.refused), SetCheck(IDC_NEGATE, true),
                        Click(IDOK),
                        Inspect([this, &c, nBoxesBefore](HWND hDlg) {
                            EXPECT_TRUE(::IsWindowVisible(hDlg)) << "the editor stays open";
                            ASSERT_EQ(nBoxesBefore + 1, m_robot.MessageBoxes().size());
                            EXPECT_EQ(LoadResString(c.nMessage).Str(), m_robot.MessageBoxes().back().text);
                            EXPECT_EQ("Database Import", m_robot.MessageBoxes().back().caption);
                            EXPECT_EQ(c.column, ComboSelection(hDlg, IDC_COLUMN));
                            EXPECT_EQ(kBetweenIncluding, ComboSelection(hDlg, IDC_OPERATOR));
                            EXPECT_EQ(c.first, ControlText(hDlg, IDC_VALUE1));
                            EXPECT_EQ(c.refused, ControlText(hDlg, IDC_VALUE2));
                            EXPECT_TRUE(IsChecked(hDlg, IDC_NEGATE));
                        }),
                        Type(IDC_VALUE2, c.mended), Click(IDOK)});
        ASSERT_EQ(IDOK, dlg.DoModal()) << c.refused;
        EXPECT_EQ(nBoxesBefore + 1, m_robot.MessageBoxes().size());
        EXPECT_STREQ(c.display, dlg.m_condition.displayText);
        EXPECT_STREQ(c.filter, dlg.m_condition.filterText);
    }
}

TEST_F(ConditionDialogs, EditorConfirmsAConditionWithoutTextsForABitComparison)
{
    std::unique_ptr<ColumnArray> columns(TableColumns());
    CEditorOver dlg(*columns);
    m_robot.Expect(IDD_CONDITION, {ChooseEntry(IDC_COLUMN, "FLAG"), ChooseEntry(IDC_OPERATOR, kEqual),
                                   Type(IDC_VALUE1, "1"), Click(IDOK)});
    ASSERT_EQ(IDOK, dlg.DoModal());
    EXPECT_STREQ("FLAG", dlg.m_condition.name);
    EXPECT_EQ(nullptr, dlg.m_condition.displayText);
    EXPECT_EQ(nullptr, dlg.m_condition.filterText);
}

TEST_F(ConditionDialogs, EditorConfirmsAnEmptyResultWhenNoColumnIsSearchable)
{
    ColumnArray columns{
        {"BLOB1", "BLOB", SQL_PRED_NONE, SQL_LONGVARBINARY, SQL_NULLABLE},
        {"BLOB2", "BLOB", SQL_PRED_NONE, SQL_LONGVARBINARY, SQL_NULLABLE},
    };
    CEditorOver dlg(columns);
    m_robot.Expect(IDD_CONDITION, {Inspect([](HWND hDlg) {
                                       EXPECT_EQ(Texts{}, ComboEntries(hDlg, IDC_COLUMN));
                                       EXPECT_EQ(Texts{}, ComboEntries(hDlg, IDC_OPERATOR));
                                       EXPECT_EQ("", ControlText(hDlg, IDC_TYPE_NAME));
                                   }),
                                   Type(IDC_VALUE1, "x"), Click(IDOK)});
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(nullptr, dlg.m_condition.name);
    EXPECT_EQ(nullptr, dlg.m_condition.typeName);
    EXPECT_EQ(nullptr, dlg.m_condition.displayText);
    EXPECT_EQ(nullptr, dlg.m_condition.filterText);
    EXPECT_TRUE(m_robot.MessageBoxes().empty());
}

// The columns as the SQLite driver describes a real table's catalog.
TEST_F(ConditionDialogs, EditorOffersTheOperatorsOfATablesCatalog)
{
    ColumnArray columns;
    ReadCatalogColumns("DSN=rdm_dialogs_conditions", "orders", columns.p, columns.n);
    ASSERT_EQ(8, columns.n);
    struct Expected { const char* name; int sqlDataType; int searchable; };
    const Expected expected[] = {
        {"id", SQL_INTEGER, SQL_SEARCHABLE},
        {"name", SQL_VARCHAR, SQL_SEARCHABLE},
        {"note", SQL_LONGVARCHAR, SQL_SEARCHABLE},
        {"paid", SQL_BIT, SQL_SEARCHABLE},
        {"price", SQL_DOUBLE, SQL_SEARCHABLE},
        {"born", SQL_TYPE_DATE, SQL_SEARCHABLE},
        {"at", SQL_TYPE_TIME, SQL_SEARCHABLE},
        {"stamp", SQL_TYPE_TIMESTAMP, SQL_SEARCHABLE},
    };
    for (int i = 0; i < columns.n; ++i)
    {
        EXPECT_STREQ(expected[i].name, columns.p[i].name);
        EXPECT_EQ(expected[i].sqlDataType, columns.p[i].sqlDataType) << expected[i].name;
        EXPECT_EQ(expected[i].searchable, columns.p[i].searchable) << expected[i].name;
    }

    CEditorOver dlg(columns);
    m_robot.Expect(IDD_CONDITION,
                   {Inspect([](HWND hDlg) {
                        EXPECT_EQ((Texts{"stamp", "at", "born", "price", "paid", "note", "name", "id"}),
                                  ComboEntries(hDlg, IDC_COLUMN));
                        EXPECT_EQ("TIMESTAMP", ControlText(hDlg, IDC_TYPE_NAME));
                    }),
                    ChooseEntry(IDC_COLUMN, "born"), ChooseEntry(IDC_OPERATOR, kBetweenIncluding),
                    Type(IDC_VALUE1, "2003-02-01"), Type(IDC_VALUE2, "2003-12-31"), Click(IDOK)});
    ASSERT_EQ(IDOK, dlg.DoModal());
    // The driver's date type is 91, which is written as a quoted literal.
    EXPECT_STREQ("(`born`>='2003-02-01') AND (`born`<='2003-12-31')", dlg.m_condition.filterText);
}

TEST(OperatorChoice, IsFoundByItsTextByteForByte)
{
    CString (*pfnLoad)(UINT) = [](UINT nID) -> CString {
        switch (nID)
        {
        case IDS_OP_LIKE:              return "like";
        case IDS_OP_EQUAL:             return "=";
        case IDS_OP_BETWEEN_EXCLUSIVE: return "between";
        case IDS_OP_FROM_INCL_TO_EXCL: return "from [ to (";
        case IDS_OP_FROM_EXCL_TO_INCL: return "from ( to ]";
        case IDS_OP_BETWEEN_INCLUSIVE: return "between";       // a wording repeated
        case IDS_MISSING_VALUE:        return "Please enter a value";
        case IDS_APP_TITLE:            return "RDMODBC";
        case IDS_OP_TRUE:              return "is true";
        case IDS_OP_FALSE:             return "is false";
        default:                       return "";              // 17 missing from the module
        }
    };
    struct Case { const char* text; ConditionOperator op; };
    const Case cases[] = {
        {"like", opLike}, {"=", opEqual}, {"between", opBetweenExclusive},
        {"from [ to (", opFromInclToExcl}, {"from ( to ]", opFromExclToIncl},
        {"is true", opTrue}, {"is false", opFalse},
        {"LIKE", opNone}, {"like ", opNone}, {"RDMODBC", opNone}, {"Please enter a value", opNone}, {"", opNone},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.op, FindOperator(c.text, pfnLoad)) << '"' << c.text << '"';
}
