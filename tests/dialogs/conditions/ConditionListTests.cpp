// The condition list, driven as a user would: what it shows, what adding
// and removing do, and what OK and Cancel leave with the caller.
#include "ConditionTestSupport.h"
#include "FailingAllocation.h"
#include "dialogs/CConditionListDlg.h"
#include "langres/ResString.h"
#include "resource.h"

#include <sqlext.h>

using namespace robot;

namespace
{
    using Texts = std::vector<std::string>;

    RobotAction ExpectRows(const Texts& rows)
    {
        return Inspect([rows](HWND hDlg) { EXPECT_EQ(rows, ListRows(hDlg, IDC_CONDITION_LIST)); });
    }
}

TEST_F(ConditionDialogs, ListShowsTheConditionsLastFirst)
{
    struct Case { BOOL bUse; bool allRows; bool useConditions; };
    const Case cases[] = {{TRUE, false, true}, {FALSE, true, false}};
    for (const Case& c : cases)
    {
        CallerState state;
        state.Add("(`QTY`>=5)", "(`QTY`>=5)");
        state.Add("`NAME` LIKE 'A%'", "`NAME` LIKE 'A%'");
        state.Add("typed", "typed");
        state.bUseConditions = c.bUse;
        CConditionListDlg dlg;
        state.HandTo(dlg);
        m_robot.Expect(IDD_CONDITIONLIST,
                       {ExpectRows({"typed", "`NAME` LIKE 'A%'", "(`QTY`>=5)"}), Inspect([&c](HWND hDlg) {
                            EXPECT_EQ(c.allRows, IsChecked(hDlg, IDC_ALL_ROWS));
                            EXPECT_EQ(c.useConditions, IsChecked(hDlg, IDC_USE_CONDITIONS));
                            // The add buttons follow the choice from the start.
                            EXPECT_EQ(c.useConditions, IsEnabled(hDlg, IDC_ADD_CONDITION));
                            EXPECT_EQ(c.useConditions, IsEnabled(hDlg, IDC_ADD_TEXT));
                            EXPECT_FALSE(IsEnabled(hDlg, IDC_REMOVE_CONDITION));
                        }),
                        SelectRow(IDC_CONDITION_LIST, "typed"),
                        Inspect([](HWND hDlg) { EXPECT_TRUE(IsEnabled(hDlg, IDC_REMOVE_CONDITION)); }),
                        ClearSelection(IDC_CONDITION_LIST),
                        Inspect([](HWND hDlg) { EXPECT_FALSE(IsEnabled(hDlg, IDC_REMOVE_CONDITION)); }),
                        Click(IDCANCEL)});
        EXPECT_EQ(IDCANCEL, dlg.DoModal());
    }
}

TEST_F(ConditionDialogs, ListAddsConditionsFromTheEditorAndTypedText)
{
    CallerState state;
    state.Add("first", "first");
    ColumnInfo* pOld = state.pConditions;
    CConditionListDlg dlg;
    state.HandTo(dlg);
    m_robot.Expect({
        {IDD_CONDITIONLIST,
         {Click(IDC_ADD_CONDITION), ExpectRows({"`NAME` LIKE 'A%'", "first"}), Click(IDC_ADD_TEXT),
          ExpectRows({"`NAME` LIKE 'A%'", "   ", "first"}), Click(IDC_ADD_TEXT), Click(IDC_ADD_TEXT),
          Click(IDC_ADD_CONDITION), Click(IDC_ADD_CONDITION), ExpectRows({"`NAME` LIKE 'A%'", "   ", "(`QTY`<9)", "first"}),
          Click(IDOK)}},
        {IDD_CONDITION, {ChooseEntry(IDC_COLUMN, "NAME"), ChooseEntry(IDC_OPERATOR, kLike), Type(IDC_VALUE1, "A%"),
                         Click(IDOK)}},
        // Blanks are a text like any other.
        {IDD_TEXTENTRY, {Type(IDC_TEXT, "   "), Click(IDOK)}},
        // An empty text adds nothing, nor does a text the user cancels.
        {IDD_TEXTENTRY, {Type(IDC_TEXT, ""), Click(IDOK)}},
        {IDD_TEXTENTRY, {Type(IDC_TEXT, "cancelled"), Click(IDCANCEL)}},
        // A bit column compared builds no text: nothing to add.
        {IDD_CONDITION, {ChooseEntry(IDC_COLUMN, "PAID"), ChooseEntry(IDC_OPERATOR, kEqual), Type(IDC_VALUE1, "1"),
                         Click(IDOK)}},
        {IDD_CONDITION, {ChooseEntry(IDC_COLUMN, "QTY"), ChooseEntry(IDC_OPERATOR, kBetweenExcluding),
                         Type(IDC_VALUE2, "9"), Click(IDOK)}},
    });
    INT_PTR nResult = dlg.DoModal();
    ASSERT_EQ(IDOK, nResult);
    EXPECT_NE(pOld, dlg.m_pConditions);
    state.TakeFrom(dlg, nResult);
    EXPECT_EQ((Texts{"first", "`NAME` LIKE 'A%'", "   ", "(`QTY`<9)"}), DisplayTexts(state.pConditions, state.nConditions));
    EXPECT_EQ((Texts{"first", "`NAME` LIKE 'A%' ESCAPE '!'", "   ", "(`QTY`<9)"}),
              FilterTexts(state.pConditions, state.nConditions));
    EXPECT_STREQ("NAME", state.pConditions[1].name);
    EXPECT_EQ(nullptr, state.pConditions[2].name);
    EXPECT_EQ(0, state.pConditions[2].sqlDataType);
    EXPECT_TRUE(state.bUseConditions);
    EXPECT_TRUE(HeapsAreSound());
}

TEST_F(ConditionDialogs, ListRemovesTheSelectedRowAndTheFirstConditionOfItsText)
{
    CallerState state;
    state.Add("same", "first same");
    state.Add("other", "other");
    state.Add("same", "second same");
    CConditionListDlg dlg;
    state.HandTo(dlg);
    m_robot.Expect(IDD_CONDITIONLIST,
                   {ExpectRows({"same", "other", "same"}), SelectRowAt(IDC_CONDITION_LIST, 0),
                    Click(IDC_REMOVE_CONDITION), ExpectRows({"other", "same"}), Inspect([](HWND hDlg) {
                        EXPECT_FALSE(IsEnabled(hDlg, IDC_REMOVE_CONDITION));
                    }),
                    Click(IDOK)});
    INT_PTR nResult = dlg.DoModal();
    ASSERT_EQ(IDOK, nResult);
    state.TakeFrom(dlg, nResult);
    EXPECT_EQ((Texts{"other", "second same"}), FilterTexts(state.pConditions, state.nConditions));
}

TEST_F(ConditionDialogs, ListLeavesNoArrayWhenTheLastConditionIsRemoved)
{
    CallerState state;
    state.Add("only", "only");
    CConditionListDlg dlg;
    state.HandTo(dlg);
    m_robot.Expect(IDD_CONDITIONLIST, {SelectRow(IDC_CONDITION_LIST, "only"), Click(IDC_REMOVE_CONDITION),
                                       ExpectRows({}), Click(IDC_REMOVE_CONDITION), Click(IDOK)});
    INT_PTR nResult = dlg.DoModal();
    ASSERT_EQ(IDOK, nResult);
    state.TakeFrom(dlg, nResult);
    EXPECT_EQ(nullptr, state.pConditions);
    EXPECT_EQ(0, state.nConditions);
}

TEST_F(ConditionDialogs, ListWithAllRowsChosenKeepsTheConditionsButSwitchesThemOff)
{
    CallerState state;
    state.Add("kept", "kept");
    CConditionListDlg dlg;
    state.HandTo(dlg);
    m_robot.Expect(IDD_CONDITIONLIST, {SetCheck(IDC_ALL_ROWS, true), Inspect([](HWND hDlg) {
                                           EXPECT_FALSE(IsEnabled(hDlg, IDC_ADD_CONDITION));
                                           EXPECT_FALSE(IsEnabled(hDlg, IDC_ADD_TEXT));
                                       }),
                                       SetCheck(IDC_USE_CONDITIONS, true), Inspect([](HWND hDlg) {
                                           EXPECT_TRUE(IsEnabled(hDlg, IDC_ADD_CONDITION));
                                           EXPECT_TRUE(IsEnabled(hDlg, IDC_ADD_TEXT));
                                       }),
                                       SetCheck(IDC_ALL_ROWS, true), Click(IDOK)});
    INT_PTR nResult = dlg.DoModal();
    ASSERT_EQ(IDOK, nResult);
    state.TakeFrom(dlg, nResult);
    EXPECT_FALSE(state.bUseConditions);
    EXPECT_EQ(Texts{"kept"}, DisplayTexts(state.pConditions, state.nConditions));

    // Choosing the conditions again brings them back.
    CConditionListDlg again;
    state.HandTo(again);
    m_robot.Expect(IDD_CONDITIONLIST, {ExpectRows({"kept"}), SetCheck(IDC_USE_CONDITIONS, true), Click(IDOK)});
    nResult = again.DoModal();
    ASSERT_EQ(IDOK, nResult);
    state.TakeFrom(again, nResult);
    EXPECT_TRUE(state.bUseConditions);
    EXPECT_EQ(Texts{"kept"}, DisplayTexts(state.pConditions, state.nConditions));
}

TEST_F(ConditionDialogs, ListCancelLeavesTheCallersStateAsItWas)
{
    CallerState state;
    state.Add("one", "one filter");
    state.Add("two", "two filter");
    state.bUseConditions = FALSE;
    ColumnInfo* pBefore = state.pConditions;
    CConditionListDlg dlg;
    state.HandTo(dlg);
    m_robot.Expect({
        {IDD_CONDITIONLIST,
         {SetCheck(IDC_USE_CONDITIONS, true), Click(IDC_ADD_TEXT), SelectRow(IDC_CONDITION_LIST, "two"),
          Click(IDC_REMOVE_CONDITION), SelectRow(IDC_CONDITION_LIST, "one"), Click(IDC_REMOVE_CONDITION),
          ExpectRows({"added"}), Click(IDCANCEL)}},
        {IDD_TEXTENTRY, {Type(IDC_TEXT, "added"), Click(IDOK)}},
    });
    INT_PTR nResult = dlg.DoModal();
    EXPECT_EQ(IDCANCEL, nResult);
    state.TakeFrom(dlg, nResult);
    EXPECT_EQ(pBefore, state.pConditions);
    EXPECT_EQ(pBefore, dlg.m_pConditions);
    EXPECT_EQ(2, dlg.m_nConditions);
    EXPECT_FALSE(dlg.m_bUseConditions);
    EXPECT_EQ((Texts{"one", "two"}), DisplayTexts(state.pConditions, state.nConditions));
    EXPECT_EQ((Texts{"one filter", "two filter"}), FilterTexts(state.pConditions, state.nConditions));
    EXPECT_TRUE(HeapsAreSound());
}

TEST_F(ConditionDialogs, ListRefusesATypedTextItCannotTakeAndKeepsItToMend)
{
    const std::string strLongest(255, 'x');
    struct Case { std::string refused; std::string message; std::string mended; };
    const Case cases[] = {
        {strLongest + "y", "Please enter no more than 255 characters.", strLongest},
        {"1=0; COMMIT; DELETE FROM orders; SELECT 1 WHERE 1=0", LoadResString(IDS_SQL_SEPARATOR).Str(), "1=0"},
        {"NAME = 'O'Neil'", LoadResString(IDS_SQL_OPEN_TEXT).Str(), "NAME = 'O''Neil'"},
        {"QTY > 1 /* and more", LoadResString(IDS_SQL_OPEN_COMMENT).Str(), "QTY > 1 -- and more"},
    };
    for (const Case& c : cases)
    {
        CallerState state;
        CConditionListDlg dlg;
        state.HandTo(dlg);
        const size_t nBoxesBefore = m_robot.MessageBoxes().size();
        m_robot.Expect({
            {IDD_CONDITIONLIST, {Click(IDC_ADD_TEXT), Click(IDOK)}},
            {IDD_TEXTENTRY, {Type(IDC_TEXT, c.refused), Click(IDOK), Inspect([&c](HWND hDlg) {
                                 EXPECT_TRUE(::IsWindowVisible(hDlg));
                                 EXPECT_EQ(c.refused, ControlText(hDlg, IDC_TEXT)) << "kept to mend";
                             }),
                             Type(IDC_TEXT, c.mended), Click(IDOK)}},
        });
        INT_PTR nResult = dlg.DoModal();
        ASSERT_EQ(IDOK, nResult);
        state.TakeFrom(dlg, nResult);
        ASSERT_EQ(nBoxesBefore + 1, m_robot.MessageBoxes().size());
        EXPECT_EQ(c.message, m_robot.MessageBoxes().back().text);
        EXPECT_EQ(Texts{c.mended}, DisplayTexts(state.pConditions, state.nConditions));
    }
}

TEST_F(ConditionDialogs, ListKeepsTheCallersConditionsWhenTheHeapCannotCopyThem)
{
    // The heap gives out at the copy's block, or at one of its texts: the
    // dialog ends as cancelled, and OK can never hand back a copy that lost
    // the conditions or their texts.
    struct Case { const char* function; int nSucceeding; };
    const Case cases[] = {{"calloc", 0}, {"_strdup", 0}, {"_strdup", 3}};
    for (const Case& c : cases)
    {
        CallerState state;
        state.Add("(`QTY`=1)", "(`QTY`=1)");
        state.Add("typed", "typed");
        ColumnInfo* pCallers = state.pConditions;
        INT_PTR nResult = 0;
        {
            CConditionListDlg dlg;
            state.HandTo(dlg);
            // The dialog ends as it starts; the user has no part in it.
            m_robot.Expect(IDD_CONDITIONLIST, {});
            CFailingAllocation failing(c.function, c.nSucceeding);
            ASSERT_TRUE(failing.IsActive()) << c.function;
            nResult = dlg.DoModal();
            EXPECT_GT(failing.Failures(), 0) << c.function << " " << c.nSucceeding;
            state.TakeFrom(dlg, nResult);
        }
        EXPECT_EQ(IDCANCEL, nResult) << c.function << " " << c.nSucceeding;
        EXPECT_EQ(pCallers, state.pConditions);
        ASSERT_EQ(2, state.nConditions);
        EXPECT_STREQ("(`QTY`=1)", state.pConditions[0].filterText);
        EXPECT_STREQ("typed", state.pConditions[1].displayText);
    }
    EXPECT_TRUE(HeapsAreSound());
}
