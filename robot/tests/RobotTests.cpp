// The robot itself, before it drives the module: a dialog without a script
// is walked, a fault in an action is told and its dialog cancelled, and a
// script file reads back as what the robot wrote. The dialog is a plain
// Win32 one with an edit and OK and Cancel, so that only the robot is tested.
#include "RobotTestIds.h"
#include "UiRobot.h"
#include "resource.h"

#include <gtest/gtest.h>

using namespace robot;

namespace
{
    // The dialog with the text in its edit; OK takes the edit's text back.
    INT_PTR CALLBACK RobotTestDialogProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_INITDIALOG)
        {
            ::SetWindowLongPtrA(hDlg, DWLP_USER, lParam);
            ::SetDlgItemTextA(hDlg, IDC_ROBOT_TEXT, ((std::string*)lParam)->c_str());
            return TRUE;
        }
        if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL))
        {
            if (LOWORD(wParam) == IDOK)
                *(std::string*)::GetWindowLongPtrA(hDlg, DWLP_USER) = ControlText(hDlg, IDC_ROBOT_TEXT);
            ::EndDialog(hDlg, LOWORD(wParam));
            return TRUE;
        }
        return FALSE;
    }

    // Shows the dialog; its result: IDOK or IDCANCEL.
    INT_PTR ShowDialog(std::string& text)
    {
        return ::DialogBoxParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_ROBOT_TEST), nullptr,
                                 RobotTestDialogProc, (LPARAM)&text);
    }

    // Where an action that faults writes.
    int* volatile s_pNowhere = nullptr;

    class Robot : public ::testing::Test
    {
    protected:
        void SetUp() override { m_robot.IdentifyTemplateBy(IDC_ROBOT_TEXT, IDD_ROBOT_TEST); }
        void TearDown() override { EXPECT_EQ(0u, m_robot.PendingScripts()); }
        CUiRobot m_robot;
    };
}

TEST_F(Robot, WalksEveryDialogThatNoScriptIsQueuedFor)
{
    // The first dialog has its script; the second, none, runs the walk on
    // every tick until the walk closes it.
    int nWalked = 0;
    m_robot.WalkUnscripted([&](HWND hDlg, std::string& reason) {
        EXPECT_EQ(IDD_ROBOT_TEST, m_robot.IdentifyTemplate(hDlg));
        return ++nWalked < 3 ? Type(IDC_ROBOT_TEXT, std::to_string(nWalked))(hDlg, reason) : Click(IDOK)(hDlg, reason);
    });
    m_robot.Expect(IDD_ROBOT_TEST, {Type(IDC_ROBOT_TEXT, "abc"), Click(IDOK)});
    std::string scripted = "start";
    EXPECT_EQ(IDOK, ShowDialog(scripted));
    EXPECT_EQ("abc", scripted);
    EXPECT_EQ(0, nWalked);
    std::string walked = "start";
    EXPECT_EQ(IDOK, ShowDialog(walked));
    EXPECT_EQ(3, nWalked);
    EXPECT_EQ("2", walked);
    EXPECT_EQ(std::vector<std::string>{}, m_robot.Failures());
}

TEST_F(Robot, TellsAFaultInAnActionAndCancelsItsDialog)
{
    // The system swallows a fault in a timer's callback; the robot must not
    // wait for the action for ever.
    m_robot.Expect(IDD_ROBOT_TEST, {Inspect([](HWND) { *s_pNowhere = 1; }), Click(IDOK)});
    std::string text = "start";
    EXPECT_EQ(IDCANCEL, ShowDialog(text));
    ASSERT_EQ(1u, m_robot.Failures().size());
    EXPECT_NE(std::string::npos, m_robot.Failures()[0].find("fault 0xC0000005")) << m_robot.Failures()[0];
}

TEST_F(Robot, PlaysTheScriptThatItWrites)
{
    // Quotes, a comment sign and a byte above ASCII survive the writing and
    // the reading; the close box cancels.
    const std::string text = "a\"#\xE9";
    const std::string script = "dialog " + std::to_string(IDD_ROBOT_TEST) + "\n  type " +
                               std::to_string(IDC_ROBOT_TEXT) + " " + RobotScriptText(text) + "\n  close\n";
    std::vector<RobotScript> scripts;
    std::string error;
    ASSERT_TRUE(ParseRobotScript(script, scripts, error)) << error;
    ASSERT_EQ(1u, scripts.size());
    ASSERT_EQ(2u, scripts[0].actions.size());
    std::vector<RobotAction>& actions = scripts[0].actions;
    actions.insert(actions.end() - 1, Inspect([&](HWND hDlg) { EXPECT_EQ(text, ControlText(hDlg, IDC_ROBOT_TEXT)); }));
    m_robot.Expect(scripts);
    std::string kept = "start";
    EXPECT_EQ(IDCANCEL, ShowDialog(kept));
    EXPECT_EQ("start", kept);
    EXPECT_EQ(std::vector<std::string>{}, m_robot.Failures());
}

TEST(RobotScript, ReadsTheActionsOfEachDialog)
{
    std::vector<RobotScript> scripts;
    std::string error;
    ASSERT_TRUE(ParseRobotScript("# import\ndialog IDD_DATASOURCE\n  select IDC_SOURCE_LIST \"My \"\"DSN\"\"\"\n"
                                 "  click IDOK\n"
                                 "dialog 1002\n  check 1027\n  type IDC_PAD_WIDTH 8\n  choose-index 1007 0\n"
                                 "  press Alt+O Down Shift+Tab 8 \" \" Esc\n  mouse IDC_PAD\n  mouse IDOK below 1\n",
                                 scripts, error)) << error;
    ASSERT_EQ(2u, scripts.size());
    EXPECT_EQ(IDD_DATASOURCE, scripts[0].nTemplate);
    EXPECT_EQ(2u, scripts[0].actions.size());
    EXPECT_EQ(IDD_FIELDMAP, scripts[1].nTemplate);
    EXPECT_EQ(6u, scripts[1].actions.size());

    const char* bad[] = {"click 1\n", "dialog x\n", "dialog IDD_NO_SUCH_DIALOG\n", "dialog 1\n  frobnicate 3\n",
                         "dialog 1\n  type 5 \"open\n", "dialog 1\n  choose-index 1007 first\n",
                         "dialog 1\n  click IDC_NO_SUCH_BUTTON\n", "dialog 1\n  close IDCANCEL\n",
                         "dialog 1\n  press\n", "dialog 1\n  press Alt+Nothing\n", "dialog 1\n  press Shift+\n",
                         "dialog 1\n  mouse IDC_PAD below\n", "dialog 1\n  mouse IDC_PAD under 1\n"};
    for (const char* text : bad)
    {
        std::vector<RobotScript> ignored;
        EXPECT_FALSE(ParseRobotScript(text, ignored, error)) << text;
    }
}

TEST(RobotScript, NamesEachNumberOnlyByItsOwnName)
{
    struct Case { int nId; const char* name; };
    const Case dialogs[] = {{IDD_FIELDMAP, "IDD_FIELDMAP"}, {IDD_DATASOURCE, "IDD_DATASOURCE"}};
    for (const Case& c : dialogs)
        EXPECT_EQ(c.name, RobotScriptName(c.nId, "IDD_")) << c.nId;
    const Case controls[] = {
        {IDC_PAD, "IDC_PAD"},
        {IDOK, "IDOK"},
        {IDCANCEL, "IDCANCEL"},
        {IDC_SOURCE_LIST, "IDC_SOURCE_LIST"},   // the same number as IDD_DATASOURCE
        {IDC_USE_CONDITIONS, "1012"},           // IDC_AS_TIME has it too
        {4711, "4711"},
    };
    for (const Case& c : controls)
        EXPECT_EQ(c.name, RobotScriptName(c.nId, "IDC_")) << c.nId;
}
