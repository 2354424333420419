// RDMODBCOpen from the host's call to the open record set, the user's part
// played by the robot.
#include "DialogTest.h"
#include "FaultDriverControl.h"
#include "HostWindow.h"
#include "ImportRun.h"
#include "RDMODBC.h"
#include "UiRobot.h"
#include "TestEnv.h"
#include "framework/CWinApp.h"
#include "resource.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <functional>

using namespace robot;

namespace
{
    const char kTitle[] = "Database Import";    // string 14 of the US module

    std::string AppTitle()
    {
        LPCSTR psz = AfxGetStaticModuleState()->m_pCurrentWinApp->m_pszAppName;
        return psz ? psz : "";
    }

    std::vector<RobotAction> ChooseCustomers()
    {
        return {SelectRow(IDC_SOURCE_LIST, "RDM Sample"), Click(IDOK), SelectRow(IDC_SOURCE_LIST, "Customers"), Click(IDOK)};
    }

    class OpenSequence : public DialogTest
    {
    protected:
        std::vector<DeliveredRow> SortedRows()
        {
            std::vector<DeliveredRow> rows = ReadAllRows();
            std::sort(rows.begin(), rows.end());
            return rows;
        }
    };
}

TEST_F(OpenSequence, ImportsTheTypicalSession)
{
    m_robot.Expect(IDD_DATASOURCE, ChooseCustomers());
    m_robot.Expect(IDD_FIELDMAP, {
        SelectRow(IDC_COLUMN_LIST, "Code"),
        SetCheck(IDC_PAD, true), Type(IDC_PAD_WIDTH, "8"), Type(IDC_FILL, "0"),
        ChooseEntryAt(IDC_OUTPUT_FIELD, 0),
        SelectRow(IDC_COLUMN_LIST, "Name"),
        Click(IDC_CONDITIONS),
        Click(IDOK),
    });
    m_robot.Expect(IDD_CONDITIONLIST, {SetCheck(IDC_USE_CONDITIONS, true), Click(IDC_ADD_CONDITION), Click(IDOK)});
    m_robot.Expect(IDD_CONDITION, {
        ChooseEntry(IDC_COLUMN, "City"), ChooseEntry(IDC_OPERATOR, "equals"), Type(IDC_VALUE1, "Oslo"), Click(IDOK),
    });

    ASSERT_EQ(1, RDMODBCOpen());
    EXPECT_EQ(kTitle, AppTitle());
    // Quoted as SQLite's driver quotes names, in the statement and in the
    // condition composed while the connection was closed.
    EXPECT_EQ("SELECT DISTINCT \"Code\",\"Name\" FROM \"Customers\" WHERE ((\"City\"='Oslo')\n)\n",
              theSession.m_pRecordset->m_strSQL.Str());
    const std::vector<DeliveredRow> expected = {
        {"Alder & Sons", "00001001", "", ""},
        {"Douglas \"Doug\" Fir", "00001004", "", ""},
        {"Juniper Joinery", "00001010", "", ""},
    };
    EXPECT_EQ(expected, SortedRows());
}

TEST_F(OpenSequence, ComesBackToTheTableStepAsOftenAsTheUserGoesBackAndKeepsTheMappingOfTheSameTable)
{
    auto expectTableStep = [](const char* pszTable) {
        return Inspect([pszTable](HWND hDlg) {
            EXPECT_EQ("Select a Table", WindowText(hDlg));
            EXPECT_EQ(pszTable, SelectedRow(hDlg, IDC_SOURCE_LIST));
            EXPECT_FALSE(IsChecked(hDlg, IDC_INCLUDE_VIEWS));
            EXPECT_TRUE(IsEnabled(hDlg, IDOK));
        });
    };
    // Everything set in the field mapping, on the shown field and on the
    // others, comes back with the same table; another table starts afresh.
    auto expectMapping = [](bool bKept) {
        return Inspect([bKept](HWND hDlg) {
            EXPECT_EQ(bKept ? "Code" : "", SelectedRow(hDlg, IDC_COLUMN_LIST));
            EXPECT_EQ(bKept, IsEnabled(hDlg, IDOK));
            EXPECT_EQ(bKept, IsChecked(hDlg, IDC_PAD));
            EXPECT_EQ(bKept ? "8" : "0", ControlText(hDlg, IDC_PAD_WIDTH));
            EXPECT_EQ(bKept ? "Sorted by Field 1: Name (descending)" : "", ControlText(hDlg, IDC_SORT_ORDER));
        });
    };
    m_robot.Expect(IDD_DATASOURCE, {
        SelectRow(IDC_SOURCE_LIST, "RDM Sample"), Click(IDOK),
        SetCheck(IDC_INCLUDE_VIEWS, false), SelectRow(IDC_SOURCE_LIST, "Customers"), Click(IDOK),
    });
    m_robot.Expect(IDD_FIELDMAP, {
        ChooseEntryAt(IDC_OUTPUT_FIELD, 0), SelectRow(IDC_COLUMN_LIST, "Name"), ChooseEntryAt(IDC_OUTPUT_FIELD, 1),
        SelectRow(IDC_COLUMN_LIST, "Code"), SetCheck(IDC_PAD, true), Type(IDC_PAD_WIDTH, "8"), Click(IDC_SORT),
        Click(IDC_CONDITIONS), Click(IDC_BACK),
    });
    m_robot.Expect(IDD_SORT, {ChooseEntry(IDC_SORT_KEY1, "Field 1: Name"), SetCheck(IDC_SORT_DESCENDING1, true), Click(IDOK)});
    m_robot.Expect(IDD_CONDITIONLIST, {SetCheck(IDC_USE_CONDITIONS, true), Click(IDC_ADD_TEXT), Click(IDOK)});
    m_robot.Expect(IDD_TEXTENTRY, {Type(IDC_TEXT, "City = 'Oslo'"), Click(IDOK)});
    m_robot.Expect(IDD_DATASOURCE, {expectTableStep("Customers"), Click(IDOK)});
    m_robot.Expect(IDD_FIELDMAP, {
        expectMapping(true), ChooseEntryAt(IDC_OUTPUT_FIELD, 0),
        Inspect([](HWND hDlg) { EXPECT_EQ("Name", SelectedRow(hDlg, IDC_COLUMN_LIST)); }),
        Click(IDC_CONDITIONS), Click(IDC_BACK),
    });
    m_robot.Expect(IDD_CONDITIONLIST, {
        Inspect([](HWND hDlg) {
            EXPECT_TRUE(IsChecked(hDlg, IDC_USE_CONDITIONS));
            EXPECT_EQ(std::vector<std::string>{"City = 'Oslo'"}, ListRows(hDlg, IDC_CONDITION_LIST));
        }),
        Click(IDCANCEL),
    });
    m_robot.Expect(IDD_DATASOURCE, {expectTableStep("Customers"), SelectRow(IDC_SOURCE_LIST, "Orders"), Click(IDOK)});
    m_robot.Expect(IDD_FIELDMAP, {expectMapping(false), Click(IDC_BACK)});
    m_robot.Expect(IDD_DATASOURCE, {expectTableStep("Orders"), SelectRow(IDC_SOURCE_LIST, "Customers"), Click(IDOK)});
    m_robot.Expect(IDD_FIELDMAP, {expectMapping(false), Click(IDCANCEL)});

    EXPECT_EQ(0, RDMODBCOpen());
    EXPECT_FALSE(theSession.m_db.IsOpen());
    EXPECT_EQ(nullptr, theSession.m_pRecordset);
    EXPECT_EQ(kTitle, AppTitle());
    EXPECT_EQ((std::vector<int>{IDD_DATASOURCE, IDD_FIELDMAP, IDD_SORT, IDD_CONDITIONLIST, IDD_TEXTENTRY,
                                IDD_DATASOURCE, IDD_FIELDMAP, IDD_CONDITIONLIST, IDD_DATASOURCE, IDD_FIELDMAP,
                                IDD_DATASOURCE, IDD_FIELDMAP}),
              m_robot.DialogsSeen());
}

TEST_F(OpenSequence, ReturnsZeroWithTheConnectionClosedWhenTheUserCancels)
{
    m_robot.Expect(IDD_DATASOURCE, {SelectRow(IDC_SOURCE_LIST, "RDM Sample"), Click(IDOK),
                                    WaitUntil([](HWND h) { return IsVisible(h, IDC_BACK); }, "table step"),
                                    Click(IDCANCEL)});
    EXPECT_EQ(0, RDMODBCOpen());
    EXPECT_FALSE(theSession.m_db.IsOpen());
    EXPECT_EQ(kTitle, AppTitle());
}

TEST_F(OpenSequence, ShowsTheDriversTextForABadTypedConditionAndGivesTheChoicesBack)
{
    const char kOrder[] = "Sorted by Field 1: Name (descending)";
    m_robot.Expect(IDD_DATASOURCE, ChooseCustomers());
    m_robot.Expect(IDD_FIELDMAP, {
        SelectRow(IDC_COLUMN_LIST, "Code"),
        SetCheck(IDC_PAD, true), Type(IDC_PAD_WIDTH, "8"), Type(IDC_FILL, "0"),
        ChooseEntryAt(IDC_OUTPUT_FIELD, 0),
        SelectRow(IDC_COLUMN_LIST, "Name"), Type(IDC_PREFIX, "<"),
        ChooseEntryAt(IDC_OUTPUT_FIELD, 2),
        SelectRow(IDC_COLUMN_LIST, "Since"), SetCheck(IDC_AS_DATE, true),
        Click(IDC_SORT),
        Click(IDC_CONDITIONS),
        Click(IDOK),
    });
    m_robot.Expect(IDD_SORT, {ChooseEntry(IDC_SORT_KEY1, "Field 1: Name"), SetCheck(IDC_SORT_DESCENDING1, true),
                              Click(IDOK)});
    m_robot.Expect(IDD_CONDITIONLIST, {SetCheck(IDC_USE_CONDITIONS, true), Click(IDC_ADD_TEXT), Click(IDC_ADD_CONDITION),
                                       Click(IDOK)});
    m_robot.Expect(IDD_TEXTENTRY, {Type(IDC_TEXT, "no_such_column = 1"), Click(IDOK)});
    m_robot.Expect(IDD_CONDITION, {
        ChooseEntry(IDC_COLUMN, "Country"), ChooseEntry(IDC_OPERATOR, "equals"), Type(IDC_VALUE1, "Norway"), Click(IDOK),
    });
    // After the driver's message the dialog is back as the user left it.
    m_robot.Expect(IDD_FIELDMAP, {
        WaitUntil([](HWND h) { return SelectedRow(h, IDC_COLUMN_LIST) == "Code"; }, "field 2's column chosen again"),
        Inspect([&](HWND hDlg) {
            EXPECT_EQ(1u, m_robot.MessageBoxes().size());
            EXPECT_EQ("Field 2", ComboSelection(hDlg, IDC_OUTPUT_FIELD));
            EXPECT_TRUE(IsChecked(hDlg, IDC_PAD));
            EXPECT_EQ("8", ControlText(hDlg, IDC_PAD_WIDTH));
            EXPECT_EQ("0", ControlText(hDlg, IDC_FILL));
            EXPECT_TRUE(IsEnabled(hDlg, IDOK));
            EXPECT_EQ(kOrder, ControlText(hDlg, IDC_SORT_ORDER));
        }),
        ChooseEntryAt(IDC_OUTPUT_FIELD, 0),
        Inspect([](HWND hDlg) {
            EXPECT_EQ("Name", SelectedRow(hDlg, IDC_COLUMN_LIST));
            EXPECT_EQ("<", ControlText(hDlg, IDC_PREFIX));
        }),
        ChooseEntryAt(IDC_OUTPUT_FIELD, 2),
        Inspect([](HWND hDlg) {
            EXPECT_EQ("Since", SelectedRow(hDlg, IDC_COLUMN_LIST));
            EXPECT_TRUE(IsChecked(hDlg, IDC_AS_DATE));
        }),
        Click(IDC_CONDITIONS),
        Click(IDOK),
    });
    m_robot.Expect(IDD_CONDITIONLIST, {
        Inspect([](HWND hDlg) {
            EXPECT_TRUE(IsChecked(hDlg, IDC_USE_CONDITIONS));
            EXPECT_EQ((std::vector<std::string>{"(\"Country\"='Norway')", "no_such_column = 1"}),
                      ListRows(hDlg, IDC_CONDITION_LIST));
        }),
        SelectRow(IDC_CONDITION_LIST, "no_such_column = 1"), Click(IDC_REMOVE_CONDITION), Click(IDOK),
    });

    EXPECT_EQ(1, RDMODBCOpen());
    ASSERT_EQ(1u, m_robot.MessageBoxes().size()) << "the driver's text, once";
    EXPECT_NE(std::string::npos, m_robot.MessageBoxes()[0].text.find("no_such_column")) << m_robot.MessageBoxes()[0].text;
    EXPECT_EQ(kTitle, m_robot.MessageBoxes()[0].caption);
    const std::vector<DeliveredRow> expected = {
        {"<Juniper Joinery", "00001010", "2022-12-24", ""},
        {"<Douglas \"Doug\" Fir", "00001004", "2015-01-01", ""},
        {"<Alder & Sons", "00001001", "2001-03-14", ""},
    };
    EXPECT_EQ(expected, ReadAllRows());
}

TEST_F(OpenSequence, EndsWithNothingWhenTheUserGivesUpAfterAFailedOpen)
{
    m_robot.Expect(IDD_DATASOURCE, ChooseCustomers());
    m_robot.Expect(IDD_FIELDMAP, {SelectRow(IDC_COLUMN_LIST, "Code"), Click(IDC_CONDITIONS), Click(IDOK)});
    m_robot.Expect(IDD_CONDITIONLIST, {SetCheck(IDC_USE_CONDITIONS, true), Click(IDC_ADD_TEXT), Click(IDOK)});
    m_robot.Expect(IDD_TEXTENTRY, {Type(IDC_TEXT, "no_such_column = 1"), Click(IDOK)});
    auto columnChosen = WaitUntil([](HWND h) { return SelectedRow(h, IDC_COLUMN_LIST) == "Code"; }, "Code chosen again");
    m_robot.Expect(IDD_FIELDMAP, {columnChosen, Click(IDOK)});
    m_robot.Expect(IDD_FIELDMAP, {columnChosen, Click(IDCANCEL)});

    EXPECT_EQ(0, RDMODBCOpen());
    EXPECT_EQ(2u, m_robot.MessageBoxes().size()) << "the driver's text at each failed open";
    EXPECT_FALSE(theSession.m_db.IsOpen());
}

TEST_F(OpenSequence, ReportsAVanishedDataSourceInsteadOfThrowingAtTheHost)
{
    m_robot.Expect(IDD_DATASOURCE, ChooseCustomers());
    m_robot.Expect(IDD_FIELDMAP, {
        SelectRow(IDC_COLUMN_LIST, "Code"),
        // The data source goes away between the dialogs and the record set.
        Inspect([](HWND) { theSession.m_strConnect = "DSN=rdm_no_such_source"; }),
        Click(IDOK),
    });
    // The dialog comes back with its columns and the user's choices, the
    // failure told once; OK tries again, and after a second failure the
    // user gives up.
    auto backAsItWas = Inspect([this](HWND hDlg) {
        EXPECT_EQ("Code", SelectedRow(hDlg, IDC_COLUMN_LIST));
        EXPECT_EQ(9u, ListRows(hDlg, IDC_COLUMN_LIST).size());
        EXPECT_TRUE(IsEnabled(hDlg, IDOK));
        EXPECT_EQ(m_robot.DialogsSeen().size() - 2, m_robot.MessageBoxes().size()) << "one message for each failure";
    });
    m_robot.Expect(IDD_FIELDMAP, {backAsItWas, Click(IDOK)});
    m_robot.Expect(IDD_FIELDMAP, {backAsItWas, Click(IDCANCEL)});
    EXPECT_EQ(0, RDMODBCOpen());
    ASSERT_EQ(2u, m_robot.MessageBoxes().size());
    for (const RobotMessageBox& box : m_robot.MessageBoxes())
        EXPECT_NE(std::string::npos, box.text.find("Data source name not found")) << box.text;
    EXPECT_FALSE(theSession.m_db.IsOpen());
    EXPECT_EQ(nullptr, theSession.m_pRecordset);
}

TEST_F(OpenSequence, ReleasesAnUnclosedSessionOnTheNextOpen)
{
    m_robot.Expect(IDD_DATASOURCE, ChooseCustomers());
    m_robot.Expect(IDD_FIELDMAP, {SelectRow(IDC_COLUMN_LIST, "Code"), Click(IDOK)});
    ASSERT_EQ(1, RDMODBCOpen());
    ASSERT_NE(nullptr, theSession.m_pRecordset);

    m_robot.Expect(IDD_DATASOURCE, {Click(IDCANCEL)});
    EXPECT_EQ(0, RDMODBCOpen());
    EXPECT_EQ(nullptr, theSession.m_pRecordset);
    EXPECT_FALSE(theSession.m_db.IsOpen());
}

TEST_F(OpenSequence, AQuitRequestOfTheHostEndsOpenWithNothingOpen)
{
    // The host quits while the user is in one of the dialogs: whatever the
    // dialog holds is not taken for a choice, and the request reaches the
    // host's own loop.
    const RobotAction quit = Inspect([](HWND) { ::PostQuitMessage(5); });
    struct Case { const char* where; std::vector<RobotScript> scripts; };
    const Case cases[] = {
        {"data sources", {{IDD_DATASOURCE, {SelectRow(IDC_SOURCE_LIST, "RDM Sample"), quit}}}},
        {"field mapping", {{IDD_DATASOURCE, ChooseCustomers()}, {IDD_FIELDMAP, {SelectRow(IDC_COLUMN_LIST, "Code"), quit}}}},
        {"sort order", {{IDD_DATASOURCE, ChooseCustomers()},
                        {IDD_FIELDMAP, {SelectRow(IDC_COLUMN_LIST, "Code"), Click(IDC_SORT)}},
                        {IDD_SORT, {ChooseEntry(IDC_SORT_KEY1, "Field 2: Code"), quit}}}},
    };
    for (const Case& c : cases)
    {
        m_robot.Expect(c.scripts);
        EXPECT_EQ(0, RDMODBCOpen()) << c.where;
        MSG msg;
        EXPECT_TRUE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << c.where;
        EXPECT_EQ(nullptr, theSession.m_pRecordset) << c.where;
        EXPECT_FALSE(theSession.m_db.IsOpen()) << c.where;
        RDMODBCClose();
    }
    EXPECT_TRUE(m_robot.MessageBoxes().empty());
}

TEST_F(OpenSequence, TheHostsWindowOwnsTheFirstDialogAndTakesNoInputUntilOpenReturns)
{
    CHostWindow host;
    auto ownedByTheHost = Inspect([&host](HWND hDlg) {
        EXPECT_EQ(host.Handle(), ::GetWindow(hDlg, GW_OWNER));
        EXPECT_FALSE(::IsWindowEnabled(host.Handle()));
    });
    const RobotAction clickTheHost = MouseClick(CHostWindow::kButtonId, 1);
    const RobotAction pressItsMnemonic = PressKeys({"Alt+I"});
    // A click on the host as the user leaves a dialog: the next one has
    // come when the click is taken from the queue.
    auto clickTheHostAndPress = [clickTheHost](int nButton) {
        return [clickTheHost, nButton](HWND hDlg, std::string& reason) {
            StepResult result = clickTheHost(hDlg, reason);
            return result == StepResult::Done ? Click(nButton)(hDlg, reason) : result;
        };
    };
    m_robot.Expect(IDD_DATASOURCE, {ownedByTheHost, clickTheHost, pressItsMnemonic, WaitForInput(),
                                    SelectRow(IDC_SOURCE_LIST, "RDM Sample"), Click(IDOK),
                                    SelectRow(IDC_SOURCE_LIST, "Customers"), clickTheHostAndPress(IDOK)});
    m_robot.Expect(IDD_FIELDMAP, {ownedByTheHost, clickTheHost, pressItsMnemonic, WaitForInput(), ownedByTheHost,
                                  SelectRow(IDC_COLUMN_LIST, "Code"), Click(IDOK)});

    ASSERT_EQ(1, RDMODBCOpen());
    EXPECT_EQ(0, host.ButtonPresses());
    ASSERT_FALSE(host.EnabledChanges().empty());
    EXPECT_FALSE(host.EnabledChanges().front());
    EXPECT_TRUE(host.EnabledChanges().back());
    EXPECT_TRUE(::IsWindowEnabled(host.Handle()));
    EXPECT_EQ(host.Handle(), ::GetActiveWindow());
    EXPECT_EQ(10u, ReadAllRows().size());
}

TEST_F(OpenSequence, LongWorkOnABusyDataSourceIsOwnedByItsDialogAndCancelGoesBackOneStep)
{
    // Each query and catalog call of the busy data source takes two
    // seconds, so that the window of long work comes up, and Cancel ends
    // the driver's wait (SQLCancel). Back from the field mapping,
    // the data-source dialog reads the tables again before it shows, while
    // the host's window is the active one: a window owned by the host would
    // enable it again as it closed.
    struct Case
    {
        const char* what;
        bool bCancelTables;         // Cancel while the tables are read
        bool bCancelColumns;        // Cancel while the columns are read, else Back
        const char* title;          // of the data-source dialog then
        const char* selected;
    };
    const std::vector<Case> cases = {
        {"waited for, then Back", false, false, "Select a Table", "Customers"},
        {"the tables cancelled", true, false, "Select a Data Source", "rdm_busy"},
        {"the columns cancelled", false, true, "Select a Table", "Customers"},
    };
    CFaultDriverControl busy("DSN=rdm_fault_control");
    ASSERT_TRUE(busy.IsOpen());
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        FaultReport before, after;
        ASSERT_TRUE(busy.Report(before));
        CHostWindow host;
        auto hostDisabled = Inspect([&host](HWND hDlg) {
            EXPECT_NE(host.Handle(), ::GetWindow(hDlg, GW_OWNER));
            EXPECT_FALSE(::IsWindowEnabled(host.Handle()));
        });
        const RobotAction cancel = Click(IDCANCEL);
        m_robot.Expect(IDD_PROGRESS, {hostDisabled, c.bCancelTables ? cancel : WaitForInput()});
        std::vector<RobotAction> dataSource = {SelectRow(IDC_SOURCE_LIST, "rdm_busy"), Click(IDOK)};
        if (!c.bCancelTables)
        {
            dataSource.push_back(SelectRow(IDC_SOURCE_LIST, "Customers"));
            dataSource.push_back(Click(IDOK));
            m_robot.Expect(IDD_PROGRESS, {hostDisabled, c.bCancelColumns ? cancel : WaitForInput()});
            m_robot.Expect(IDD_FIELDMAP, c.bCancelColumns ? std::vector<RobotAction>{} : std::vector<RobotAction>{Click(IDC_BACK)});
            m_robot.Expect(IDD_PROGRESS, {hostDisabled});
            m_robot.Expect(IDD_DATASOURCE, dataSource);
            dataSource.clear();
        }
        for (RobotAction action : {Inspect([&c](HWND hDlg) {
                                       EXPECT_EQ(c.title, WindowText(hDlg));
                                       EXPECT_EQ(c.selected, SelectedRow(hDlg, IDC_SOURCE_LIST));
                                   }),
                                   MouseClick(CHostWindow::kButtonId, 1), WaitForInput(), Click(IDCANCEL)})
            dataSource.push_back(action);
        m_robot.Expect(IDD_DATASOURCE, dataSource);

        EXPECT_EQ(0, RDMODBCOpen());
        EXPECT_EQ(0, host.ButtonPresses());
        EXPECT_EQ(0u, m_robot.PendingScripts());
        EXPECT_TRUE(m_robot.MessageBoxes().empty());
        EXPECT_TRUE(::IsWindowEnabled(host.Handle()));
        ASSERT_TRUE(busy.Report(after));
        EXPECT_EQ(c.bCancelTables || c.bCancelColumns ? 1 : 0, after.nWaitsCancelled - before.nWaitsCancelled);
    }
}

TEST_F(OpenSequence, EachNestedDialogBelongsToTheOneUnderItWhichTakesNoInputUntilItCloses)
{
    // Clicks and keys of a person on the dialog under the nested one: on a
    // control that shows beside the nested dialog, on the host's button, and
    // the mnemonic of a control of the dialog under that the nested one does
    // not have. After the nested dialog, a click on the one under acts again.
    struct Under
    {
        int nTemplate;
        int nHostBelow;                     // how many owners under the nested dialog the host's window is
        int nClickAfter;                    // a box of it that a click ticks
        std::vector<RobotScript> way;       // the dialogs on the way there
    };
    const Under fieldMap = {IDD_FIELDMAP, 2, IDC_PAD, {}};
    const Under conditionList = {IDD_CONDITIONLIST, 3, IDC_ALL_ROWS,
                                 {{IDD_FIELDMAP, {SelectRow(IDC_COLUMN_LIST, "Code"), Click(IDC_CONDITIONS), Click(IDCANCEL)}}}};
    const Under editor = {IDD_CONDITION, 4, IDC_NEGATE,
                          {conditionList.way[0], {IDD_CONDITIONLIST, {SetCheck(IDC_USE_CONDITIONS, true),
                                                                      Click(IDC_ADD_CONDITION), Click(IDCANCEL)}}}};
    struct Case
    {
        const char* what;
        const Under& under;
        std::vector<RobotAction> open;      // in the dialog under
        int nNested;
        int nShowing;                       // a control of the dialog under that shows beside it; 0: none
        const char* key;
        std::vector<RobotAction> close;     // in the nested dialog; a message box closes itself
    };
    const std::vector<Case> cases = {
        {"condition list", fieldMap, {Click(IDC_CONDITIONS)}, IDD_CONDITIONLIST, IDC_COLUMN_LIST, "Alt+C",
         {Click(IDCANCEL)}},
        {"sort order", fieldMap, {Click(IDC_SORT)}, IDD_SORT, IDC_COLUMN_LIST, "Alt+C", {Click(IDCANCEL)}},
        {"preview", fieldMap, {SelectRow(IDC_COLUMN_LIST, "Code"), Click(IDC_PREVIEW)}, IDD_PREVIEW, 0, "Alt+C",
         {Click(IDCANCEL)}},
        {"the framework's message box", fieldMap,
         {SelectRow(IDC_COLUMN_LIST, "Code"), Type(IDC_PAD_WIDTH, "300"), Click(IDOK)}, kMessageBox, IDC_COLUMN_LIST,
         "Alt+C", {}},
        {"condition editor", conditionList, {SetCheck(IDC_USE_CONDITIONS, true), Click(IDC_ADD_CONDITION)},
         IDD_CONDITION, IDC_ALL_ROWS, "Alt+D", {Click(IDCANCEL)}},
        {"text entry", conditionList, {SetCheck(IDC_USE_CONDITIONS, true), Click(IDC_ADD_TEXT)}, IDD_TEXTENTRY,
         IDC_ALL_ROWS, "Alt+D", {Click(IDCANCEL)}},
        {"a dialog's message box", editor, {ChooseEntry(IDC_COLUMN, "City"), ChooseEntry(IDC_OPERATOR, "equals"),
                                            Click(IDOK)}, kMessageBox, IDC_NEGATE, "Alt+N", {}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        CHostWindow host;
        const int nHostBelow = c.under.nHostBelow;
        std::string before;
        size_t nDialogsSeen = 0;
        std::vector<RobotAction> nested = {
            Inspect([&](HWND hDlg) {
                HWND hUnder = WindowBelow(hDlg, 1);
                EXPECT_EQ(c.under.nTemplate, m_robot.IdentifyTemplate(hUnder));
                EXPECT_EQ(hUnder, OwnerBelow(hDlg, 1)) << "owned by the dialog it came from";
                EXPECT_EQ(host.Handle(), OwnerBelow(hDlg, nHostBelow));
                EXPECT_EQ(host.Handle(), WindowBelow(hDlg, nHostBelow));
                for (int i = 1; i <= nHostBelow; ++i)
                    EXPECT_FALSE(::IsWindowEnabled(WindowBelow(hDlg, i))) << i << " below";
                before = ControlStates(hUnder);
                nDialogsSeen = m_robot.DialogsSeen().size();
            }),
            MouseClick(CHostWindow::kButtonId, nHostBelow),
        };
        if (c.nShowing != 0)
            nested.push_back(MouseClick(c.nShowing, 1));
        nested.push_back(PressKeys({c.key}));
        nested.push_back(WaitForInput());
        nested.push_back(Inspect([&](HWND hDlg) {
            EXPECT_EQ(hDlg, ::GetActiveWindow()) << "still the one the user works in";
            EXPECT_EQ(before, ControlStates(WindowBelow(hDlg, 1))) << "nothing changed under it";
            EXPECT_EQ(nDialogsSeen, m_robot.DialogsSeen().size()) << "no dialog opened from under it";
        }));
        nested.insert(nested.end(), c.close.begin(), c.close.end());

        const int nClickAfter = c.under.nClickAfter;
        std::vector<RobotAction> under = c.open;
        for (RobotAction action : {
                 Inspect([](HWND hDlg) {
                     EXPECT_TRUE(::IsWindowEnabled(hDlg));
                     EXPECT_EQ(hDlg, ::GetActiveWindow());
                 }),
                 MouseClick(nClickAfter), WaitForInput(),
                 Inspect([nClickAfter](HWND hDlg) { EXPECT_TRUE(IsChecked(hDlg, nClickAfter)) << "the click taken"; }),
                 Click(IDCANCEL)})
            under.push_back(action);

        m_robot.Expect(IDD_DATASOURCE, ChooseCustomers());
        m_robot.Expect(c.under.way);
        m_robot.Expect(c.under.nTemplate, under);
        m_robot.Expect(c.nNested, nested);
        EXPECT_EQ(0, RDMODBCOpen());
        EXPECT_EQ(0, host.ButtonPresses());
        EXPECT_EQ(0u, m_robot.PendingScripts());
        EXPECT_TRUE(::IsWindowEnabled(host.Handle()));
    }
}

namespace
{
    // Thread procedures are WINAPI, which a lambda is not on x86.
    DWORD WINAPI SendTheCallFromAThread(LPVOID pHost)
    {
        ::SendMessageA((HWND)pHost, WM_APP + 1, 0, 0);
        return 0;
    }

    DWORD WINAPI RunTheCallOnAThread(LPVOID pCall)
    {
        (*(std::function<void()>*)pCall)();
        return 0;
    }
}

TEST_F(OpenSequence, AHostThatCallsTheExportsWhileTheDialogsAreUpGetsNothingAndTheImportGoesOn)
{
    // A host that lets the user start a second import, or reads and closes
    // on a timer, or on a message from another thread, calls the exports
    // while the first Open runs its dialogs. With the connection of the
    // table step open, nothing of the session may change.
    std::vector<int> results;
    const UINT kCall = WM_APP + 1;
    auto callTheExports = [&results]() {
        char szField[8] = "";
        results.push_back(RDMODBCOpen());
        results.push_back(RDMODBCMoveNext(szField, 7, szField, 7, szField, 7, szField, 7));
        results.push_back(RDMODBCClose());
    };
    struct Case { const char* what; std::function<void(HWND hHost)> call; };
    const Case cases[] = {
        {"a command of the host's menu", [&](HWND hHost) { ::PostMessageA(hHost, kCall, 0, 0); }},
        {"the host's timer", [&](HWND hHost) { ::SetTimer(hHost, 1, 10, nullptr); }},
        {"a message another thread sends", [&](HWND hHost) {
             ::CloseHandle(::CreateThread(nullptr, 0, SendTheCallFromAThread, hHost, 0, nullptr));
         }},
        {"another thread", [&](HWND) {
             std::function<void()> call = callTheExports;
             HANDLE hThread = ::CreateThread(nullptr, 0, RunTheCallOnAThread, &call, 0, nullptr);
             ::WaitForSingleObject(hThread, 10000);
             ::CloseHandle(hThread);
         }},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        results.clear();
        CHostWindow host(CHostWindow::kPlace, [&](UINT message, WPARAM wParam, LPARAM) {
            if (message == WM_TIMER)
                ::KillTimer(host.Handle(), wParam);
            if (message == kCall || message == WM_TIMER)
                callTheExports();
        });
        HMODULE hLanguageModule = nullptr;
        m_robot.Expect(IDD_DATASOURCE, {
            SelectRow(IDC_SOURCE_LIST, "RDM Sample"), Click(IDOK), SelectRow(IDC_SOURCE_LIST, "Customers"),
            Inspect([&](HWND) {
                hLanguageModule = theSession.m_hResModule;
                c.call(host.Handle());
            }),
            WaitUntil([&](HWND) { return results.size() == 3; }, "the host's calls made"),
            Inspect([&](HWND hDlg) {
                EXPECT_EQ((std::vector<int>{0, 0, 0}), results);
                EXPECT_TRUE(theSession.m_db.IsOpen()) << "the table step's connection";
                EXPECT_EQ(hLanguageModule, theSession.m_hResModule);
                EXPECT_EQ(hDlg, ::GetActiveWindow());
            }),
            Click(IDOK),
        });
        m_robot.Expect(IDD_FIELDMAP, {SelectRow(IDC_COLUMN_LIST, "Code"), Click(IDOK)});
        ASSERT_EQ(1, RDMODBCOpen());
        EXPECT_EQ(10u, ReadAllRows().size()) << "the first import's rows";
        RDMODBCClose();
    }
}

TEST_F(OpenSequence, ImportsByKeyboardAlone)
{
    // Keys as a person presses them, through the system: Tab and Alt+letter
    // to a control, arrows in lists and drop-downs, Space on a box, Enter
    // for the default button, Esc to close; the person looks at the screen
    // to see where the focus and the choice are.
    auto focusOn = [](int nId) { return [nId](HWND hDlg) { return ::GetFocus() == ::GetDlgItem(hDlg, nId); }; };
    auto rowChosen = [](int nList, const std::string& row) {
        return PressUntil("Down", [nList, row](HWND hDlg) { return SelectedRow(hDlg, nList) == row; }, row + " chosen");
    };
    auto entryChosen = [](int nCombo, const std::string& entry) {
        return PressUntil("Down", [nCombo, entry](HWND hDlg) { return ComboSelection(hDlg, nCombo) == entry; },
                          entry + " chosen");
    };
    auto listed = [](int nList, const std::string& row) {
        return WaitUntil([nList, row](HWND hDlg) {
            const std::vector<std::string> rows = ListRows(hDlg, nList);
            return std::find(rows.begin(), rows.end(), row) != rows.end();
        }, row + " listed");
    };
    auto keys = [](std::vector<std::string> names) { return PressKeys(std::move(names)); };

    m_robot.Expect(IDD_DATASOURCE, {
        listed(IDC_SOURCE_LIST, "RDM Sample"),
        Inspect([focusOn](HWND hDlg) { EXPECT_TRUE(focusOn(IDC_SOURCE_LIST)(hDlg)) << "the data sources to choose from"; }),
        keys({"Home"}), rowChosen(IDC_SOURCE_LIST, "RDM Sample"), keys({"Enter"}),
        WaitUntil([](HWND hDlg) { return WindowText(hDlg) == "Select a Table"; }, "the table step"),
        listed(IDC_SOURCE_LIST, "Customers"),
        Inspect([focusOn](HWND hDlg) { EXPECT_TRUE(focusOn(IDC_SOURCE_LIST)(hDlg)) << "the tables to choose from"; }),
        // Back by its mnemonic, and on again with the default button.
        keys({"Alt+B"}),
        WaitUntil([](HWND hDlg) { return WindowText(hDlg) == "Select a Data Source"; }, "the data-source step"),
        listed(IDC_SOURCE_LIST, "RDM Sample"),
        Inspect([focusOn](HWND hDlg) { EXPECT_TRUE(focusOn(IDC_SOURCE_LIST)(hDlg)) << "the data sources to choose from"; }),
        PressUntil("Shift+Tab", focusOn(IDOK), "OK's focus"), keys({"Enter"}),
        WaitUntil([](HWND hDlg) { return WindowText(hDlg) == "Select a Table"; }, "the table step"),
        listed(IDC_SOURCE_LIST, "Customers"),
        Inspect([focusOn](HWND hDlg) { EXPECT_TRUE(focusOn(IDC_SOURCE_LIST)(hDlg)) << "the tables to choose from"; }),
        keys({"Alt+V"}), WaitForInput(),
        Inspect([](HWND hDlg) { EXPECT_FALSE(IsChecked(hDlg, IDC_INCLUDE_VIEWS)); }),
        keys({"Tab", "Space"}), WaitForInput(),
        Inspect([](HWND hDlg) { EXPECT_FALSE(IsChecked(hDlg, IDC_INCLUDE_SYSTEM_TABLES)); }),
        PressUntil("Tab", focusOn(IDC_SOURCE_LIST), "the list's focus"),
        keys({"Home"}), rowChosen(IDC_SOURCE_LIST, "Customers"), keys({"Enter"}),
    });
    m_robot.Expect(IDD_FIELDMAP, {
        listed(IDC_COLUMN_LIST, "Code"),
        Inspect([focusOn](HWND hDlg) { EXPECT_TRUE(focusOn(IDC_COLUMN_LIST)(hDlg)) << "the columns to choose from"; }),
        keys({"Home"}), rowChosen(IDC_COLUMN_LIST, "Code"),
        keys({"Alt+W", "Tab", "8", "Tab", "0"}), WaitForInput(),
        Inspect([](HWND hDlg) {
            EXPECT_TRUE(IsChecked(hDlg, IDC_PAD));
            EXPECT_EQ("8", ControlText(hDlg, IDC_PAD_WIDTH));
            EXPECT_EQ("0", ControlText(hDlg, IDC_FILL));
        }),
        keys({"Alt+O", "Up"}), WaitForInput(),
        Inspect([](HWND hDlg) { EXPECT_EQ("Field 1", ComboSelection(hDlg, IDC_OUTPUT_FIELD)); }),
        keys({"Alt+L", "Home"}), rowChosen(IDC_COLUMN_LIST, "Name"),
        keys({"Alt+C"}), WaitForInput(),
        keys({"Alt+Y"}), WaitForInput(),
        keys({"Alt+V"}), WaitForInput(),
        // From the preview's button back to a place where Enter means OK.
        keys({"Alt+L", "Enter"}),
    });
    m_robot.Expect(IDD_CONDITIONLIST, {
        keys({"Alt+T", "Alt+D"}), WaitForInput(),
        listed(IDC_CONDITION_LIST, "(\"City\"='Oslo')"),
        PressUntil("Tab", focusOn(IDOK), "OK's focus"), keys({"Enter"}),
    });
    m_robot.Expect(IDD_CONDITION, {
        keys({"Home"}), entryChosen(IDC_COLUMN, "City"),
        keys({"Alt+O", "Home"}), entryChosen(IDC_OPERATOR, "equals"),
        keys({"Alt+V", "O", "s", "l", "o", "Enter"}),
    });
    m_robot.Expect(IDD_SORT, {
        entryChosen(IDC_SORT_KEY1, "Field 1: Name"), keys({"Tab", "Space", "Enter"}),
    });
    std::vector<std::vector<std::string>> previewed;
    m_robot.Expect(IDD_PREVIEW, {
        Inspect([&](HWND hDlg) { previewed = ListCells(hDlg, IDC_PREVIEW_LIST); }), keys({"Esc"}),
    });

    ASSERT_EQ(1, RDMODBCOpen());
    const std::vector<DeliveredRow> expected = {
        {"Juniper Joinery", "00001010", "", ""},
        {"Douglas \"Doug\" Fir", "00001004", "", ""},
        {"Alder & Sons", "00001001", "", ""},
    };
    EXPECT_EQ(expected, ReadAllRows());
    ASSERT_EQ(3u, previewed.size());
    EXPECT_EQ("Juniper Joinery", previewed[0][0]);
    EXPECT_TRUE(m_robot.MessageBoxes().empty());
}

TEST_F(OpenSequence, RepeatsTheLastImportByEnterAloneAndSaysWhichColumnsWent)
{
    const char kSample[] = "DSN=RDM Sample";
    ExecuteSql(kSample, "DROP TABLE IF EXISTS Remembered");
    ExecuteSql(kSample, "CREATE TABLE Remembered AS SELECT Code, Name, City FROM Customers");
    const std::vector<RobotAction> byEnter = {
        WaitUntil([](HWND hDlg) { return SelectedRow(hDlg, IDC_SOURCE_LIST) == "RDM Sample"; }, "the data source"),
        PressKeys({"Enter"}),
        WaitUntil([](HWND hDlg) { return SelectedRow(hDlg, IDC_SOURCE_LIST) == "Remembered"; }, "the table"),
        PressKeys({"Enter"}),
    };
    const RobotAction okOnceTheColumnsAreIn =
        WaitUntil([](HWND hDlg) { return IsEnabled(hDlg, IDOK); }, "OK, once the columns are in");

    // The first time, every choice by hand: two conditions, one on the
    // column that goes later, a field shown only with a value, an order.
    m_robot.Expect(IDD_DATASOURCE, {SelectRow(IDC_SOURCE_LIST, "RDM Sample"), Click(IDOK),
                                    SelectRow(IDC_SOURCE_LIST, "Remembered"), Click(IDOK)});
    m_robot.Expect(IDD_FIELDMAP, {
        SelectRow(IDC_COLUMN_LIST, "Code"), ChooseEntryAt(IDC_OUTPUT_FIELD, 0), SelectRow(IDC_COLUMN_LIST, "Name"),
        ChooseEntryAt(IDC_OUTPUT_FIELD, 2), SelectRow(IDC_COLUMN_LIST, "City"), Type(IDC_PREFIX, "in "),
        SetCheck(IDC_ONLY_WITH_VALUE, true), Click(IDC_CONDITIONS), Click(IDC_CONDITIONS), Click(IDC_SORT), Click(IDOK),
    });
    m_robot.Expect(IDD_CONDITIONLIST, {SetCheck(IDC_USE_CONDITIONS, true), Click(IDC_ADD_CONDITION), Click(IDOK)});
    m_robot.Expect(IDD_CONDITION, {ChooseEntry(IDC_COLUMN, "City"), ChooseEntry(IDC_OPERATOR, "equals"),
                                   Type(IDC_VALUE1, "Oslo"), Click(IDOK)});
    m_robot.Expect(IDD_CONDITIONLIST, {Click(IDC_ADD_TEXT), Click(IDOK)});
    m_robot.Expect(IDD_TEXTENTRY, {Type(IDC_TEXT, "Code > 1001"), Click(IDOK)});
    m_robot.Expect(IDD_SORT, {ChooseEntry(IDC_SORT_KEY1, "Field 1: Name"), Click(IDOK)});
    ASSERT_EQ(1, RDMODBCOpen());
    const std::vector<DeliveredRow> first = ReadAllRows();
    RDMODBCClose();
    ASSERT_EQ(2u, first.size());
    EXPECT_EQ("in Oslo", first[0][2]);

    // The week after: Enter at each step.
    std::vector<RobotAction> mapping = {okOnceTheColumnsAreIn, Inspect([](HWND hDlg) {
        EXPECT_EQ("Code", SelectedRow(hDlg, IDC_COLUMN_LIST));
        EXPECT_EQ("Sorted by Field 1: Name", ControlText(hDlg, IDC_SORT_ORDER));
    }), PressKeys({"Enter"})};
    m_robot.Expect(IDD_DATASOURCE, byEnter);
    m_robot.Expect(IDD_FIELDMAP, mapping);
    ASSERT_EQ(1, RDMODBCOpen());
    EXPECT_EQ(first, ReadAllRows());
    RDMODBCClose();
    EXPECT_TRUE(m_robot.MessageBoxes().empty());

    // The column of field 3 and of a condition goes: the user is told once,
    // and the rest imports, the typed condition with it.
    ExecuteSql(kSample, "ALTER TABLE Remembered DROP COLUMN City");
    m_robot.Expect(IDD_DATASOURCE, byEnter);
    m_robot.Expect(IDD_FIELDMAP, {okOnceTheColumnsAreIn, PressKeys({"Enter"})});
    ASSERT_EQ(1, RDMODBCOpen());
    const std::vector<DeliveredRow> rest = ReadAllRows();
    ASSERT_EQ(1u, m_robot.MessageBoxes().size());
    EXPECT_EQ("The table no longer has these columns of the last import, and what used them was left out: \"City\"",
              m_robot.MessageBoxes()[0].text);
    EXPECT_EQ(QueryRows(kSample, "SELECT COUNT(*) FROM (SELECT DISTINCT Code, Name FROM Remembered WHERE Code > 1001)")[0][0],
              std::to_string(rest.size()));
    for (const DeliveredRow& row : rest)
        EXPECT_EQ("", row[2]) << row[0];
    RDMODBCClose();

    // Clear starts the table afresh.
    m_robot.Expect(IDD_DATASOURCE, byEnter);
    m_robot.Expect(IDD_FIELDMAP, {okOnceTheColumnsAreIn, Click(IDC_CLEAR_CHOICES), Inspect([](HWND hDlg) {
        EXPECT_EQ("", SelectedRow(hDlg, IDC_COLUMN_LIST));
        EXPECT_FALSE(IsEnabled(hDlg, IDOK));
        EXPECT_EQ("", ControlText(hDlg, IDC_SORT_ORDER));
    }), Click(IDC_CONDITIONS), Click(IDCANCEL)});
    m_robot.Expect(IDD_CONDITIONLIST, {Inspect([](HWND hDlg) {
        EXPECT_EQ(std::vector<std::string>{}, ListRows(hDlg, IDC_CONDITION_LIST));
    }), Click(IDCANCEL)});
    EXPECT_EQ(0, RDMODBCOpen());
    ExecuteSql(kSample, "DROP TABLE Remembered");
}
