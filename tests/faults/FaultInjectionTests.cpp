// A fault at every driver call. The whole import, from the host's Open
// through the dialogs to the last row and Close, runs once for every driver
// call that an undisturbed import makes, with that one call failed by the
// fault driver (tests/faults/driver) in front of the SQLite driver. However
// the fault falls, the host gets either an Open that returned 0 after the
// user was told or found a list empty, or the rows up to the fault and then
// a clean end; nothing of the module's stays allocated in the driver, and
// the heaps do not grow.
#include "DialogTest.h"
#include "FaultDriverControl.h"
#include "HeapUse.h"
#include "ImportRun.h"
#include "framework/CException.h"
#include "RDMODBC.h"
#include "UiRobot.h"
#include "resource.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <set>

using namespace robot;

namespace
{
    const char kDataSource[] = "rdm_fault";
    const char kTable[] = "Parts";
    const char kColumnsLoading[] = "Loading columns...";   // string 20 of the US module
    const char kConditionColumn[] = "Shelf";
    const char kEquals[] = "equals";                        // string 8 of the US module
    // The user goes on only with every column of the import listed.
    const char* const kColumns[] = {"Code", "Name", kConditionColumn};

    // Code on the primary output field, Name on field 1, rows on shelf A.
    const std::vector<DeliveredRow> kRows = {
        {"Bolt", "1", "", ""},
        {"Washer", "3", "", ""},
        {"Screw", "4", "", ""},
    };

    // What one import ended with.
    struct ImportOutcome
    {
        int nOpened = 0;
        std::vector<DeliveredRow> rows;
        std::vector<RobotMessageBox> messageBoxes;
        std::vector<std::string> robotFailures;
        std::string strGaveUp;   // where the user found a list without what the import needs, and left
        bool bReported = false;
        FaultReport report;
        FaultReport reportWhileReading;   // after Open returned 1
    };

    // A message box holds its owner disabled; the user acts on the dialog
    // only when it is gone.
    bool MessageBoxOpenOver(HWND hDlg, std::string& reason)
    {
        reason = "a message box is open";
        return !::IsWindowEnabled(hDlg);
    }

    // The user's next step, skipped once the user has given up on this
    // import (a dialog is cancelled only by the last step of its script).
    RobotAction UnlessGivenUp(const std::string& strGaveUp, RobotAction action)
    {
        return [&strGaveUp, action](HWND hDlg, std::string& reason) {
            return strGaveUp.empty() ? action(hDlg, reason) : StepResult::Done;
        };
    }

    // The last step of a dialog: OK, or Cancel when the user has given up.
    RobotAction ConfirmUnlessGivenUp(const std::string& strGaveUp)
    {
        return [&strGaveUp](HWND hDlg, std::string& reason) {
            return Click(strGaveUp.empty() ? IDOK : IDCANCEL)(hDlg, reason);
        };
    }

    // After OK on the data source: the table step with the table listed, or
    // the data sources again (the connection failed) or a table list
    // without the table (the catalog failed): the user cancels.
    RobotAction ChooseTableOrLeave(std::string& strGaveUp)
    {
        return [&strGaveUp](HWND hDlg, std::string& reason) {
            if (MessageBoxOpenOver(hDlg, reason))
                return StepResult::Wait;
            bool bTableStep = IsVisible(hDlg, IDC_BACK);
            const std::vector<std::string> rows = ListRows(hDlg, IDC_SOURCE_LIST);
            if (bTableStep && std::find(rows.begin(), rows.end(), kTable) != rows.end())
                SelectRow(IDC_SOURCE_LIST, kTable)(hDlg, reason);
            else
                strGaveUp = bTableStep ? "table list" : "data-source list";
            return ConfirmUnlessGivenUp(strGaveUp)(hDlg, reason);
        };
    }

    // The column list shows a placeholder row until its fill has run; then
    // it lists the columns, or fewer, or none when the catalog failed.
    RobotAction WaitForColumns(std::string& strGaveUp)
    {
        return [&strGaveUp](HWND hDlg, std::string& reason) {
            if (MessageBoxOpenOver(hDlg, reason))
                return StepResult::Wait;
            const std::vector<std::string> rows = ListRows(hDlg, IDC_COLUMN_LIST);
            if (rows.size() == 1 && rows[0] == kColumnsLoading)
            {
                reason = "the column list is loading";
                return StepResult::Wait;
            }
            for (const char* pszColumn : kColumns)
                if (std::find(rows.begin(), rows.end(), pszColumn) == rows.end())
                    strGaveUp = "column list";
            return StepResult::Done;
        };
    }

    // The condition editor offers the columns its type information lets be
    // compared, and the operators of the chosen column's type.
    RobotAction ChooseCondition(std::string& strGaveUp)
    {
        return [&strGaveUp](HWND hDlg, std::string& reason) {
            const std::vector<std::string> columns = ComboEntries(hDlg, IDC_COLUMN);
            if (std::find(columns.begin(), columns.end(), kConditionColumn) != columns.end())
            {
                ChooseEntry(IDC_COLUMN, kConditionColumn)(hDlg, reason);
                const std::vector<std::string> operators = ComboEntries(hDlg, IDC_OPERATOR);
                if (std::find(operators.begin(), operators.end(), kEquals) != operators.end())
                    return ChooseEntry(IDC_OPERATOR, kEquals)(hDlg, reason);
            }
            strGaveUp = "condition editor";
            return StepResult::Done;
        };
    }

    // OK in the field-mapping dialog, or Cancel when the user has given up.
    // When the import then fails to open, the dialog comes back with the
    // user's choices, and the user gives up there.
    RobotAction ConfirmMapping(CUiRobot& robot, const std::string& strGaveUp)
    {
        return [&robot, &strGaveUp](HWND hDlg, std::string& reason) {
            if (strGaveUp.empty())
                robot.Expect(IDD_FIELDMAP, {Click(IDCANCEL)});
            return ConfirmUnlessGivenUp(strGaveUp)(hDlg, reason);
        };
    }

    // The condition dialogs' scripts are queued as the user opens them.
    RobotAction OpenConditions(CUiRobot& robot, std::string& strGaveUp)
    {
        return [&robot, &strGaveUp](HWND hDlg, std::string& reason) {
            robot.Expect(IDD_CONDITIONLIST, {
                SetCheck(IDC_USE_CONDITIONS, true),
                Click(IDC_ADD_CONDITION),
                ConfirmUnlessGivenUp(strGaveUp),
            });
            robot.Expect(IDD_CONDITION, {
                ChooseCondition(strGaveUp),
                UnlessGivenUp(strGaveUp, Type(IDC_VALUE1, "A")),
                ConfirmUnlessGivenUp(strGaveUp),
            });
            return Click(IDC_CONDITIONS)(hDlg, reason);
        };
    }

    // The whole import as the host and the user make it, with the nth
    // driver call failed (0: none).
    ImportOutcome RunImport(CFaultDriverControl& control, long nFailAt)
    {
        ImportOutcome outcome;
        std::string& strGaveUp = outcome.strGaveUp;
        CUiRobot robot;
        // Every dialog settles at once: a longer wait is a dialog stuck.
        robot.m_dwActionTimeoutMs = 5000;
        robot.Expect(IDD_DATASOURCE, {
            SelectRow(IDC_SOURCE_LIST, kDataSource),
            Click(IDOK),
            ChooseTableOrLeave(strGaveUp),
        });
        robot.Expect(IDD_FIELDMAP, {
            WaitForColumns(strGaveUp),
            UnlessGivenUp(strGaveUp, SelectRow(IDC_COLUMN_LIST, "Code")),
            UnlessGivenUp(strGaveUp, ChooseEntryAt(IDC_OUTPUT_FIELD, 0)),
            UnlessGivenUp(strGaveUp, SelectRow(IDC_COLUMN_LIST, "Name")),
            UnlessGivenUp(strGaveUp, OpenConditions(robot, strGaveUp)),
            ConfirmMapping(robot, strGaveUp),
        });
        if (!control.FailCall(nFailAt))
        {
            outcome.robotFailures.push_back("the fault driver took no command");
            return outcome;
        }

        ForgetLastImport();
        outcome.nOpened = RDMODBCOpen();
        if (outcome.nOpened)
        {
            control.Report(outcome.reportWhileReading);
            outcome.rows = ReadAllRows(64, kRows.size() + 1);
        }
        RDMODBCClose();

        outcome.bReported = control.Report(outcome.report);
        outcome.messageBoxes = robot.MessageBoxes();
        outcome.robotFailures = robot.Failures();
        // An import that opened never shows the field mapping again.
        const size_t nUnshown = outcome.nOpened ? 1 : 0;
        if (strGaveUp.empty() && robot.PendingScripts() != nUnshown)
            outcome.robotFailures.push_back(std::to_string(robot.PendingScripts()) + " dialogs never shown");
        return outcome;
    }

    bool IsPrefixOfRows(const std::vector<DeliveredRow>& rows)
    {
        return rows.size() <= kRows.size() && std::equal(rows.begin(), rows.end(), kRows.begin());
    }

    std::string RowsText(const std::vector<DeliveredRow>& rows)
    {
        std::string text;
        for (const DeliveredRow& row : rows)
            text += "[" + row[0] + "," + row[1] + "," + row[2] + "," + row[3] + "]";
        return text;
    }

    // What is wrong with how an import ended; "" when it ended soundly.
    std::string Judge(const ImportOutcome& outcome, bool bFailedCall)
    {
        std::vector<std::string> faults;
        if (!outcome.bReported)
            faults.push_back("the fault driver did not report");
        else if (bFailedCall && outcome.report.strFailed.empty())
            faults.push_back("the call was never made (" + std::to_string(outcome.report.nCalls) + " calls)");
        for (const std::string& failure : outcome.robotFailures)
            faults.push_back("robot: " + failure);
        if (outcome.report.nConnections != 0 || outcome.report.nStatements != 0)
            faults.push_back("after Close the driver still holds " + std::to_string(outcome.report.nConnections) +
                             " connections and " + std::to_string(outcome.report.nStatements) + " statements");
        if (outcome.report.nStatementsAtDisconnect != 0)
            faults.push_back(std::to_string(outcome.report.nStatementsAtDisconnect) +
                             " statements still allocated when their connection closed");
        if (outcome.nOpened)
        {
            if (!IsPrefixOfRows(outcome.rows))
                faults.push_back("rows " + RowsText(outcome.rows) + " are not the first rows of the import");
            else if (outcome.rows.size() < kRows.size() && outcome.messageBoxes.empty())
                faults.push_back("the rows end after " + std::to_string(outcome.rows.size()) + " without a word");
        }
        else if (outcome.messageBoxes.empty() && outcome.strGaveUp.empty())
            faults.push_back("Open returned 0 and the user was told nothing");
        if (outcome.messageBoxes.size() > 1)
            faults.push_back("the user was told " + std::to_string(outcome.messageBoxes.size()) + " times");
        if (faults.empty())
            return "";
        std::string text;
        for (const std::string& fault : faults)
            text += (text.empty() ? "" : "; ") + fault;
        for (const RobotMessageBox& box : outcome.messageBoxes)
            text += " | message: " + box.text;
        return text;
    }
}

TEST(FaultInjection, AFailedCallAnywhereEndsTheImportCleanly)
{
    CFaultDriverControl control("DSN=rdm_fault_control");
    ASSERT_TRUE(control.IsOpen()) << "no control connection to the fault driver";

    // The undisturbed import gives the count of calls to fail in turn; a
    // second one shows that the count is the same every time, and leaves the
    // window system and the runtime settled before the heaps are measured.
    const ImportOutcome undisturbed = RunImport(control, 0);
    ASSERT_EQ(1, undisturbed.nOpened);
    EXPECT_EQ(kRows, undisturbed.rows);
    EXPECT_EQ("", Judge(undisturbed, false));
    EXPECT_TRUE(undisturbed.messageBoxes.empty());
    EXPECT_EQ(1, undisturbed.reportWhileReading.nConnections) << "the record set's connection";
    EXPECT_EQ(1, undisturbed.reportWhileReading.nStatements) << "the record set's statement";
    const long nCalls = undisturbed.report.nCalls;
    ASSERT_GT(nCalls, 0);
    ASSERT_EQ(nCalls, RunImport(control, 0).report.nCalls);
    // What each run ended with is kept in room taken before the heaps are
    // measured, so that only what the runs leave behind counts.
    struct RunResult
    {
        char szFailed[32];
        char szFault[1024];
    };
    std::vector<RunResult> results(nCalls);
    const SIZE_T nHeapBefore = BusyHeapBytes();
    for (long k = 1; k <= nCalls; ++k)
    {
        const ImportOutcome outcome = RunImport(control, k);
        std::snprintf(results[k - 1].szFailed, sizeof results[k - 1].szFailed, "%s", outcome.report.strFailed.c_str());
        std::snprintf(results[k - 1].szFault, sizeof results[k - 1].szFault, "%s", Judge(outcome, true).c_str());
    }
    const SIZE_T nHeapAfter = BusyHeapBytes();

    std::vector<std::string> unsound;
    std::set<std::string> failedSites;
    for (long k = 1; k <= nCalls; ++k)
    {
        const RunResult& result = results[k - 1];
        if (result.szFailed[0] != '\0')
            failedSites.insert(result.szFailed);
        if (result.szFault[0] != '\0')
            unsound.push_back("call " + std::to_string(k) + " (" + result.szFailed + "): " + result.szFault);
    }
    std::string sites;
    for (const std::string& site : failedSites)
        sites += (sites.empty() ? "" : ", ") + site;
    std::printf("fault injection: %ld driver calls in an undisturbed import, %ld runs with one failed,"
                " %zu distinct call sites failed (%s); heaps %+lld bytes\n",
                nCalls, nCalls, failedSites.size(), sites.c_str(), (long long)nHeapAfter - (long long)nHeapBefore);
    EXPECT_EQ(std::vector<std::string>{}, unsound);
    // A block of some 40 bytes forgotten by every run would leave more than
    // this behind.
    EXPECT_LT(nHeapAfter, nHeapBefore + 4 * 1024) << nHeapBefore << " -> " << nHeapAfter;
    EXPECT_TRUE(HeapsAreSound()) << "a block freed twice or written past its end";
}

// The next Open of the same import finds the table's columns unreadable (a
// timeout, a privilege taken away): the user is told once, and nothing of
// the last import is taken for gone. Back and the table again, once the
// data source answers, and the import is the last one.
TEST(FaultInjection, AColumnListThatCannotBeReadKeepsTheLastImportsChoices)
{
    CFaultDriverControl control("DSN=rdm_fault_control");
    ASSERT_TRUE(control.IsOpen()) << "no control connection to the fault driver";
    ASSERT_TRUE(control.Off());
    ForgetLastImport();
    {
        CUiRobot robot;
        robot.Expect(IDD_DATASOURCE, {SelectRow(IDC_SOURCE_LIST, kDataSource), Click(IDOK),
                                      SelectRow(IDC_SOURCE_LIST, kTable), Click(IDOK)});
        robot.Expect(IDD_FIELDMAP, {SelectRow(IDC_COLUMN_LIST, "Code"), ChooseEntryAt(IDC_OUTPUT_FIELD, 0),
                                    SelectRow(IDC_COLUMN_LIST, "Name"), Click(IDC_CONDITIONS), Click(IDOK)});
        robot.Expect(IDD_CONDITIONLIST, {SetCheck(IDC_USE_CONDITIONS, true), Click(IDC_ADD_CONDITION), Click(IDOK)});
        robot.Expect(IDD_CONDITION, {ChooseEntry(IDC_COLUMN, kConditionColumn), ChooseEntry(IDC_OPERATOR, kEquals),
                                     Type(IDC_VALUE1, "A"), Click(IDOK)});
        ASSERT_EQ(1, RDMODBCOpen());
        EXPECT_EQ(kRows, ReadAllRows());
        RDMODBCClose();
        EXPECT_EQ(std::vector<std::string>{}, robot.Failures());
    }

    ASSERT_TRUE(control.FailFunction("SQLColumns"));
    CUiRobot robot;
    auto selected = [](const char* pszRow) {
        return WaitUntil([pszRow](HWND h) { return SelectedRow(h, IDC_SOURCE_LIST) == pszRow; }, pszRow);
    };
    robot.Expect(IDD_DATASOURCE, {selected(kDataSource), Click(IDOK), selected(kTable), Click(IDOK)});
    robot.Expect(IDD_FIELDMAP, {
        WaitUntil([&robot](HWND h) { return robot.MessageBoxes().size() == 1 && ::IsWindowEnabled(h); },
                  "the message read"),
        Inspect([&](HWND hDlg) {
            EXPECT_EQ(0u, ListRows(hDlg, IDC_COLUMN_LIST).size()) << "no half list";
            EXPECT_FALSE(IsEnabled(hDlg, IDOK));
            ASSERT_TRUE(control.Off()) << "the data source answers again";
        }),
        Click(IDC_BACK),
    });
    robot.Expect(IDD_DATASOURCE, {selected(kTable), Click(IDOK)});
    robot.Expect(IDD_FIELDMAP, {
        WaitUntil([](HWND h) { return IsEnabled(h, IDOK); }, "OK, once the columns are in"),
        Inspect([](HWND hDlg) { EXPECT_EQ("Code", SelectedRow(hDlg, IDC_COLUMN_LIST)); }),
        Click(IDOK),
    });
    ASSERT_EQ(1, RDMODBCOpen());
    EXPECT_EQ(kRows, ReadAllRows()) << "the fields and the condition of the last import";
    RDMODBCClose();
    ASSERT_EQ(1u, robot.MessageBoxes().size());
    EXPECT_EQ(0u, robot.MessageBoxes()[0].text.find("The columns of this table could not be read"))
        << robot.MessageBoxes()[0].text;
    EXPECT_EQ(std::vector<std::string>{}, robot.Failures());
}

// Each failure says first what went wrong and what to do, in the language
// module's words (general ones where no kind fits), then the driver's own
// text with its SQLSTATE.
class FailureMessages : public DialogTest
{
};

TEST_F(FailureMessages, SayWhatToDoBeforeTheDriversText)
{
    CFaultDriverControl control("DSN=rdm_fault_control");
    ASSERT_TRUE(control.IsOpen()) << "no control connection to the fault driver";
    const char kNoDriver[] = "The data source or its driver could not be found.";
    const char kNotReached[] = "The database server could not be reached.";
    const char kLogin[] = "The database server refused the login.";
    const char kGone[] = "The table, or one of the columns the import uses, is not there any more";
    const char kPermission[] = "You have no permission to read this.";
    const char kReadOnly[] = "The server refused a change: the import only reads";
    const char kUnreadable[] = "The server could not read the statement";
    const std::string bitness = "The data source's driver is not of this program's bitness. This is a "
                                + std::to_string(sizeof(void*) * 8) + "-bit program";
    struct Case { const char* function; const char* state; long native; const char* text; std::string advice; };
    const Case cases[] = {
        {"SQLDriverConnect", "IM002", 0, "Data source name not found", kNoDriver},
        {"SQLDriverConnect", "IM003", 0, "Specified driver could not be loaded", kNoDriver},
        {"SQLDriverConnect", "IM014", 0, "The specified DSN contains an architecture mismatch", bitness},
        {"SQLDriverConnect", "08001", 0, "could not connect to server: Connection refused", kNotReached},
        {"SQLDriverConnect", "08S01", 0, "Communication link failure", kNotReached},
        {"SQLDriverConnect", "HYT00", 0, "Timeout expired", kNotReached},
        {"SQLDriverConnect", "HYT01", 0, "Connection timeout expired", kNotReached},
        {"SQLDriverConnect", "28000", 1045, "Access denied for user 'rdm'", kLogin},
        {"SQLDriverConnect", "28P01", 0, "password authentication failed for user", kLogin},
        {"SQLExecDirect", "42S02", 0, "no such table: Parts", kGone},
        {"SQLExecDirect", "42S22", 0, "Unknown column 'Shelf'", kGone},
        {"SQLExecDirect", "42P01", 0, "relation \"parts\" does not exist", kGone},
        {"SQLExecDirect", "42703", 0, "column \"shelf\" does not exist", kGone},
        {"SQLExecDirect", "42000", 1142, "SELECT command denied to user 'rdm'", kPermission},
        {"SQLExecDirect", "42501", 0, "permission denied for table parts", kPermission},
        {"SQLExecDirect", "25006", 0, "cannot execute UPDATE in a read-only transaction", kReadOnly},
        {"SQLExecDirect", "HY000", 1792, "Cannot execute statement in a READ ONLY transaction", kReadOnly},
        {"SQLExecDirect", "42000", 1064, "You have an error in your SQL syntax", kUnreadable},
        {"SQLExecDirect", "42601", 0, "syntax error at or near \"FORM\"", kUnreadable},
        {"SQLExecDirect", "42883", 0, "function no_such_function() does not exist", kUnreadable},
        {"SQLExecDirect", "57014", 0, "canceling statement due to statement timeout", "The statement ran longer"},
        {"SQLExecDirect", "HY000", 0, "something no words are kept for", "The database reported a failure, in its own words below."},
    };
    ImportChoice choice;
    choice.connect = "DSN=" + std::string(kDataSource);
    choice.table = kTable;
    choice.columns = {"Name", "Code", "", ""};
    for (const Case& c : cases)
    {
        ASSERT_TRUE(control.FailFunction(c.function, c.state, c.native, c.text));
        const size_t nBoxes = m_robot.MessageBoxes().size();
        int nOpened = 0;
        try
        {
            nOpened = OpenImport(choice);
        }
        catch (CException* pException)
        {
            pException->ReportError();
            pException->Delete();
        }
        EXPECT_EQ(0, nOpened) << c.state;
        ASSERT_EQ(nBoxes + 1, m_robot.MessageBoxes().size()) << c.state;
        const std::string shown = m_robot.MessageBoxes().back().text;
        EXPECT_EQ(0u, shown.find(c.advice)) << shown;
        EXPECT_NE(std::string::npos, shown.find(std::string(c.text) + " (SQLSTATE " + c.state + ")")) << shown;
        RDMODBCClose();
    }
    ASSERT_TRUE(control.Off());
}
