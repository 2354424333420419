// Many rounds of the condition dialogs leave the heap as they found it:
// every copy, condition and rejected attempt is freed once.
#include "ConditionTestSupport.h"
#include "resource.h"

#include <sqlext.h>

using namespace robot;

namespace
{
    const std::string kLongValue(2000, 'v');

    // One round of the list: the user adds a condition through the editor
    // and a typed one, removes both again and ends with OK or Cancel; the
    // caller's state has the same size after either.
    void QueueListRound(CUiRobot& robot, bool bConfirm)
    {
        robot.Expect({
            {IDD_CONDITIONLIST,
             {Click(IDC_ADD_CONDITION), Click(IDC_ADD_TEXT), SelectRowAt(IDC_CONDITION_LIST, 0),
              Click(IDC_REMOVE_CONDITION), SelectRowAt(IDC_CONDITION_LIST, 0), Click(IDC_REMOVE_CONDITION),
              Click(bConfirm ? IDOK : IDCANCEL)}},
            {IDD_CONDITION, {ChooseEntry(IDC_OPERATOR, kLike), Type(IDC_VALUE1, kLongValue), Click(IDOK)}},
            {IDD_TEXTENTRY, {Type(IDC_TEXT, "typed " + kLongValue.substr(0, 240)), Click(IDOK)}},
        });
    }

    // One round of the editor alone: told that a value is missing, the user
    // gives up; the copies of the rejected attempt are the editor's to free.
    void QueueGivenUpEdit(CUiRobot& robot)
    {
        robot.Expect(IDD_CONDITION, {ChooseEntry(IDC_OPERATOR, kLike), Click(IDOK), Click(IDCANCEL)});
    }
}

TEST_F(ConditionDialogs, ManyRoundsOfEditingFreeEverything)
{
    CallerState state{{"NAME_OF_A_COLUMN", "CHARACTER VARYING", SQL_SEARCHABLE, SQL_VARCHAR, SQL_NULLABLE}};
    state.Add("kept condition", "kept condition");

    auto round = [&](bool bConfirm) {
        QueueGivenUpEdit(m_robot);
        CEditorOver(state.columns).DoModal();

        QueueListRound(m_robot, bConfirm);
        CConditionListDlg dlg;
        state.HandTo(dlg);
        state.TakeFrom(dlg, dlg.DoModal());
    };
    // The first rounds let the window system and the runtime settle.
    round(false);
    round(true);
    const SIZE_T nBefore = BusyHeapBytes();
    for (int i = 0; i < 50; ++i)
        round(i % 2 == 0);
    const SIZE_T nAfter = BusyHeapBytes();

    ASSERT_EQ(1, state.nConditions);
    EXPECT_STREQ("kept condition", state.pConditions[0].filterText);
    FreeColumnArray(state.pConditions, state.nConditions);
    // A single forgotten string per round would leave 50 blocks of more
    // than 200 bytes behind.
    EXPECT_LT(nAfter, nBefore + 8 * 1024) << nBefore << " -> " << nAfter;
    EXPECT_TRUE(HeapsAreSound()) << "a block freed twice or written past its end";
    EXPECT_EQ(52u, m_robot.MessageBoxes().size()) << "one refused attempt per round";
}

TEST_F(ConditionDialogs, TheHostsQuitRequestEndsTheListKeepingTheCallersConditions)
{
    CallerState state{{"NAME", "VARCHAR", SQL_SEARCHABLE, SQL_VARCHAR, SQL_NULLABLE}};
    const std::string kept = "kept " + kLongValue;
    state.Add(kept.c_str(), kept.c_str());
    const RobotAction quit = Inspect([](HWND) { ::PostQuitMessage(7); });

    // The host quits while the list is open, while the editor is open over
    // it, or the typed-condition entry.
    auto round = [&](int nWhere) {
        if (nWhere == 0)
            m_robot.Expect(IDD_CONDITIONLIST, {quit});
        else
            m_robot.Expect(IDD_CONDITIONLIST, {Click(nWhere == 1 ? IDC_ADD_CONDITION : IDC_ADD_TEXT)});
        if (nWhere == 1)
            m_robot.Expect(IDD_CONDITION, {quit});
        if (nWhere == 2)
            m_robot.Expect(IDD_TEXTENTRY, {quit});
        CConditionListDlg dlg;
        state.HandTo(dlg);
        EXPECT_NE(IDOK, dlg.DoModal()) << nWhere;
        EXPECT_EQ(state.pConditions, dlg.m_pConditions) << "the caller's array, untouched";
        EXPECT_EQ(state.nConditions, dlg.m_nConditions);
        // The request goes on to the host's own loop.
        MSG msg;
        ASSERT_TRUE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << nWhere;
        EXPECT_EQ(7u, msg.wParam);
    };
    for (int nWhere : {0, 1, 2})
        round(nWhere);
    const SIZE_T nBefore = BusyHeapBytes();
    for (int i = 0; i < 30; ++i)
        round(i % 3);
    const SIZE_T nAfter = BusyHeapBytes();

    ASSERT_EQ(1, state.nConditions);
    EXPECT_EQ(kept, state.pConditions[0].filterText);
    FreeColumnArray(state.pConditions, state.nConditions);
    // A working copy left behind per round would be 30 blocks of 4 KB.
    EXPECT_LT(nAfter, nBefore + 16 * 1024) << nBefore << " -> " << nAfter;
    EXPECT_TRUE(HeapsAreSound());
}
