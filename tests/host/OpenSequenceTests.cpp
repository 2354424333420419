// RDMODBCOpen from the host's call to the open record set, the user's part
// played by the robot.
#include "ImportRun.h"
#include "RDMODBC.h"
#include "UiRobot.h"
#include "framework/CWinApp.h"
#include "resource.h"

#include <gtest/gtest.h>
#include <algorithm>

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

    class OpenSequence : public ::testing::Test
    {
    protected:
        void TearDown() override
        {
            RDMODBCClose();
            EXPECT_EQ(std::vector<std::string>{}, m_robot.Failures());
            EXPECT_EQ(0u, m_robot.PendingScripts());
        }

        std::vector<DeliveredRow> SortedRows()
        {
            std::vector<DeliveredRow> rows = ReadAllRows();
            std::sort(rows.begin(), rows.end());
            return rows;
        }

        CUiRobot m_robot;
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
    EXPECT_EQ("SELECT DISTINCT \"Code\",\"Name\" FROM \"Customers\" WHERE (\"City\"='Oslo')",
              theSession.m_pRecordset->m_strSQL.Str());
    const std::vector<DeliveredRow> expected = {
        {"Alder & Sons", "00001001", "", ""},
        {"Douglas \"Doug\" Fir", "00001004", "", ""},
        {"Juniper Joinery", "00001010", "", ""},
    };
    EXPECT_EQ(expected, SortedRows());
}

TEST_F(OpenSequence, ComesBackToTheTableStepAsOftenAsTheUserGoesBack)
{
    auto expectTableStep = Inspect([](HWND hDlg) {
        EXPECT_EQ("Select a Table", WindowText(hDlg));
        EXPECT_EQ("Customers", SelectedRow(hDlg, IDC_SOURCE_LIST));
        EXPECT_FALSE(IsChecked(hDlg, IDC_INCLUDE_VIEWS));
        EXPECT_TRUE(IsEnabled(hDlg, IDOK));
    });
    m_robot.Expect(IDD_DATASOURCE, {
        SelectRow(IDC_SOURCE_LIST, "RDM Sample"), Click(IDOK),
        SetCheck(IDC_INCLUDE_VIEWS, false), SelectRow(IDC_SOURCE_LIST, "Customers"), Click(IDOK),
    });
    m_robot.Expect(IDD_FIELDMAP, {SelectRow(IDC_COLUMN_LIST, "Code"), Click(IDC_BACK)});
    m_robot.Expect(IDD_DATASOURCE, {expectTableStep, Click(IDOK)});
    m_robot.Expect(IDD_FIELDMAP, {Click(IDC_BACK)});
    m_robot.Expect(IDD_DATASOURCE, {expectTableStep, Click(IDOK)});
    m_robot.Expect(IDD_FIELDMAP, {
        Inspect([](HWND hDlg) { EXPECT_EQ("", SelectedRow(hDlg, IDC_COLUMN_LIST)) << "no mapping survives Back"; }),
        Click(IDCANCEL),
    });

    EXPECT_EQ(0, RDMODBCOpen());
    EXPECT_FALSE(theSession.m_db.IsOpen());
    EXPECT_EQ(nullptr, theSession.m_pRecordset);
    EXPECT_EQ(kTitle, AppTitle());
    EXPECT_EQ((std::vector<int>{IDD_DATASOURCE, IDD_FIELDMAP, IDD_DATASOURCE, IDD_FIELDMAP, IDD_DATASOURCE, IDD_FIELDMAP}),
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

TEST_F(OpenSequence, ShowsTheDriversTextForABadTypedCondition)
{
    m_robot.Expect(IDD_DATASOURCE, ChooseCustomers());
    m_robot.Expect(IDD_FIELDMAP, {SelectRow(IDC_COLUMN_LIST, "Code"), Click(IDC_CONDITIONS), Click(IDOK)});
    m_robot.Expect(IDD_CONDITIONLIST, {SetCheck(IDC_USE_CONDITIONS, true), Click(IDC_ADD_TEXT), Click(IDOK)});
    m_robot.Expect(IDD_TEXTENTRY, {Type(IDC_TEXT, "no_such_column = 1"), Click(IDOK)});

    EXPECT_EQ(0, RDMODBCOpen());
    ASSERT_EQ(1u, m_robot.MessageBoxes().size());
    EXPECT_NE(std::string::npos, m_robot.MessageBoxes()[0].text.find("no_such_column")) << m_robot.MessageBoxes()[0].text;
    EXPECT_EQ(kTitle, m_robot.MessageBoxes()[0].caption);
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
    EXPECT_EQ(0, RDMODBCOpen());
    ASSERT_EQ(1u, m_robot.MessageBoxes().size());
    EXPECT_NE(std::string::npos, m_robot.MessageBoxes()[0].text.find("Data source name not found"));
    EXPECT_FALSE(theSession.m_db.IsOpen());
    EXPECT_EQ(nullptr, theSession.m_pRecordset);
}

TEST_F(OpenSequence, DeliversTimestampsUnderTheDateAndTimeRules)
{
    m_robot.Expect(IDD_DATASOURCE, ChooseCustomers());
    m_robot.Expect(IDD_FIELDMAP, {
        SelectRow(IDC_COLUMN_LIST, "Updated"),
        WaitUntil([](HWND h) { return IsEnabled(h, IDC_AS_DATE); }, "date/time options for a timestamp"),
        SetCheck(IDC_AS_DATE, true),
        ChooseEntryAt(IDC_OUTPUT_FIELD, 0),
        SelectRow(IDC_COLUMN_LIST, "Updated"),
        SetCheck(IDC_AS_TIME, true),
        ChooseEntryAt(IDC_OUTPUT_FIELD, 2),
        SelectRow(IDC_COLUMN_LIST, "Name"),
        Inspect([](HWND h) { EXPECT_FALSE(IsEnabled(h, IDC_AS_DATE)) << "not offered for text"; }),
        Click(IDOK),
    });
    ASSERT_EQ(1, RDMODBCOpen());
    std::vector<DeliveredRow> rows = SortedRows();
    ASSERT_EQ(10u, rows.size());   // the duplicate customer comes once
    const DeliveredRow expected[] = {
        {"", "", "Elm Street Bakery", ""},     // a NULL timestamp stays empty
        {"00:00:00", "2024-03-01", "Douglas \"Doug\" Fir", ""},
        {"08:15:00", "2024-01-05", "Alder & Sons", ""},
    };
    for (const DeliveredRow& row : expected)
        EXPECT_NE(rows.end(), std::find(rows.begin(), rows.end(), row)) << row[2];
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
