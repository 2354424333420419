// The data-source and table dialog, driven by the robot as a user would,
// against the private ODBC configuration (SQLite data sources rdm_dsdlg*).
#include "DialogTest.h"
#include "TestEnv.h"
#include "dialogs/CDataSourceDlg.h"
#include "langres/ResString.h"
#include "odbc/Connection.h"
#include "resource.h"

#include <gtest/gtest.h>
#include <algorithm>

using namespace robot;

namespace
{
    // The session's connection, as the Open sequence hands it to the dialog.
    SessionConnection theConnection;

    std::string Str(UINT nID)
    {
        return LoadResString(nID).Str();
    }

    bool Lists(HWND hDlg, const std::string& row)
    {
        std::vector<std::string> rows = ListRows(hDlg, IDC_SOURCE_LIST);
        return std::find(rows.begin(), rows.end(), row) != rows.end();
    }

    // The selected row lies within the rows the list shows without scrolling.
    bool SelectionInView(HWND hDlg)
    {
        HWND hList = ::GetDlgItem(hDlg, IDC_SOURCE_LIST);
        int nRow = (int)::SendMessageA(hList, LVM_GETNEXTITEM, (WPARAM)-1, LVNI_SELECTED);
        int nTop = (int)::SendMessageA(hList, LVM_GETTOPINDEX, 0, 0);
        int nPerPage = (int)::SendMessageA(hList, LVM_GETCOUNTPERPAGE, 0, 0);
        return nRow >= nTop && nRow < nTop + nPerPage;
    }

    bool NeedsScrolling(HWND hDlg)
    {
        HWND hList = ::GetDlgItem(hDlg, IDC_SOURCE_LIST);
        return ::SendMessageA(hList, LVM_GETITEMCOUNT, 0, 0) > ::SendMessageA(hList, LVM_GETCOUNTPERPAGE, 0, 0);
    }

    // What a person sees of the two steps.
    void ExpectDataSourceStep(HWND hDlg)
    {
        EXPECT_EQ(Str(IDS_TITLE_DATASOURCE), WindowText(hDlg));
        EXPECT_TRUE(IsVisible(hDlg, IDC_DSN_TYPE));
        EXPECT_FALSE(IsVisible(hDlg, IDC_BACK));
        EXPECT_FALSE(IsVisible(hDlg, IDC_INCLUDE_VIEWS));
        EXPECT_FALSE(IsVisible(hDlg, IDC_INCLUDE_SYSTEM_TABLES));
        EXPECT_FALSE(theConnection.m_db.IsOpen());
    }

    void ExpectTableStep(HWND hDlg)
    {
        EXPECT_EQ(Str(IDS_TITLE_TABLE), WindowText(hDlg));
        EXPECT_FALSE(IsVisible(hDlg, IDC_DSN_TYPE));
        EXPECT_TRUE(IsVisible(hDlg, IDC_BACK));
        EXPECT_TRUE(IsVisible(hDlg, IDC_INCLUDE_VIEWS));
        EXPECT_TRUE(IsVisible(hDlg, IDC_INCLUDE_SYSTEM_TABLES));
        EXPECT_TRUE(theConnection.m_db.IsOpen());
    }

    // A row chosen by the dialog itself: selected, in sight, ready for OK,
    // and described as nothing yet.
    void ExpectChosenInView(HWND hDlg, const std::string& row)
    {
        EXPECT_EQ(row, SelectedRow(hDlg, IDC_SOURCE_LIST));
        EXPECT_TRUE(SelectionInView(hDlg));
        EXPECT_TRUE(IsEnabled(hDlg, IDOK));
        EXPECT_EQ(Str(IDS_NO_DESCRIPTION), ControlText(hDlg, IDC_DESCRIPTION));
    }

    class DataSourceDialog : public DialogTest
    {
    protected:
        void SetUp() override
        {
            DialogTest::SetUp();
            m_robot.IdentifyTemplateBy(IDC_DSN_TYPE, IDD_DATASOURCE);
            theConnection.m_db.Close();
            theConnection.m_strConnect = "";
        }
        void TearDown() override
        {
            DialogTest::TearDown();
            theConnection.m_db.Close();
        }

        CDataSourceDlg m_dlg{theConnection};
    };
}

TEST_F(DataSourceDialog, FirstRunListsTheUserDataSourcesWithNothingChosen)
{
    m_robot.Expect(IDD_DATASOURCE, {
        Inspect([](HWND hDlg) {
            ExpectDataSourceStep(hDlg);
            EXPECT_EQ(ComboEntries(hDlg, IDC_DSN_TYPE).at(1), ComboSelection(hDlg, IDC_DSN_TYPE));
            for (const char* name : {"rdm_dsdlg", "rdm_dsdlg_both", "rdm_dsdlg_empty", "rdm_dsdlg_broken"})
                EXPECT_TRUE(Lists(hDlg, name)) << name;
            EXPECT_FALSE(Lists(hDlg, "rdm_system_dsdlg")) << "a system data source";
            EXPECT_EQ("", SelectedRow(hDlg, IDC_SOURCE_LIST));
            EXPECT_FALSE(IsEnabled(hDlg, IDOK));
            EXPECT_EQ(Str(IDS_NO_DESCRIPTION), ControlText(hDlg, IDC_DESCRIPTION));
        }),
        Screenshot(TestEnvWindowsPath("dsdlg-datasource-step.png")),
        Click(IDCANCEL),
    });
    EXPECT_EQ(IDCANCEL, m_dlg.DoModal());
}

TEST_F(DataSourceDialog, EachKindOfDataSourceShowsItsOwnDriver)
{
    m_robot.Expect(IDD_DATASOURCE, {
        SelectRow(IDC_SOURCE_LIST, "rdm_dsdlg_both"),
        Inspect([](HWND hDlg) {
            EXPECT_TRUE(IsEnabled(hDlg, IDOK));
            EXPECT_EQ("rdm_dsdlg user driver", ControlText(hDlg, IDC_DESCRIPTION));
        }),
        ChooseEntryAt(IDC_DSN_TYPE, 0),
        Inspect([](HWND hDlg) {
            ExpectDataSourceStep(hDlg);
            EXPECT_TRUE(Lists(hDlg, "rdm_system_dsdlg"));
            EXPECT_TRUE(Lists(hDlg, "rdm_dsdlg_both"));
            EXPECT_FALSE(Lists(hDlg, "rdm_dsdlg")) << "a user data source";
            EXPECT_EQ("", SelectedRow(hDlg, IDC_SOURCE_LIST));
            EXPECT_FALSE(IsEnabled(hDlg, IDOK));
            EXPECT_EQ(Str(IDS_NO_DESCRIPTION), ControlText(hDlg, IDC_DESCRIPTION));
        }),
        SelectRow(IDC_SOURCE_LIST, "rdm_dsdlg_both"),
        Inspect([](HWND hDlg) {
            EXPECT_EQ("rdm_dsdlg system driver", ControlText(hDlg, IDC_DESCRIPTION));
        }),
        ChooseEntryAt(IDC_DSN_TYPE, 1),
        Inspect([](HWND hDlg) {
            EXPECT_TRUE(Lists(hDlg, "rdm_dsdlg"));
            EXPECT_FALSE(Lists(hDlg, "rdm_system_dsdlg"));
        }),
        Click(IDCANCEL),
    });
    EXPECT_EQ(IDCANCEL, m_dlg.DoModal());
}

TEST_F(DataSourceDialog, TheDataSourceOfTheLastRunIsChosenAlready)
{
    m_dlg.m_strDataSource = "rdm_dsdlg_empty";
    m_robot.Expect(IDD_DATASOURCE, {
        Inspect([](HWND hDlg) {
            ExpectDataSourceStep(hDlg);
            ExpectChosenInView(hDlg, "rdm_dsdlg_empty");
        }),
        Click(IDCANCEL),
    });
    EXPECT_EQ(IDCANCEL, m_dlg.DoModal());
}

TEST_F(DataSourceDialog, ChoosingADataSourceAndATableEndsWithTheTable)
{
    m_robot.Expect(IDD_DATASOURCE, {
        SelectRow(IDC_SOURCE_LIST, "rdm_dsdlg"),
        Click(IDOK),
        Inspect([](HWND hDlg) {
            ExpectTableStep(hDlg);
            EXPECT_TRUE(IsChecked(hDlg, IDC_INCLUDE_VIEWS));
            EXPECT_TRUE(IsChecked(hDlg, IDC_INCLUDE_SYSTEM_TABLES));
            std::vector<std::string> rows = ListRows(hDlg, IDC_SOURCE_LIST);
            ASSERT_EQ(33u, rows.size());
            EXPECT_EQ((std::vector<std::string>{"customer_names", "customers", "orders", "zone_01"}),
                      std::vector<std::string>(rows.begin(), rows.begin() + 4));
            EXPECT_EQ("", SelectedRow(hDlg, IDC_SOURCE_LIST));
            EXPECT_FALSE(IsEnabled(hDlg, IDOK));
            EXPECT_EQ(Str(IDS_NO_DESCRIPTION), ControlText(hDlg, IDC_DESCRIPTION));
        }),
        SelectRow(IDC_SOURCE_LIST, "orders"),
        Inspect([](HWND hDlg) {
            EXPECT_TRUE(IsEnabled(hDlg, IDOK));
            EXPECT_EQ(Str(IDS_NO_DESCRIPTION), ControlText(hDlg, IDC_DESCRIPTION)) << "SQLite has no remarks";
        }),
        Screenshot(TestEnvWindowsPath("dsdlg-table-step.png")),
        Click(IDOK),
    });
    EXPECT_EQ(IDOK, m_dlg.DoModal());
    EXPECT_STREQ("rdm_dsdlg", m_dlg.m_strDataSource);
    EXPECT_STREQ("orders", m_dlg.m_strTable);
    EXPECT_TRUE(m_dlg.m_bIncludeViews);
    EXPECT_FALSE(theConnection.m_db.IsOpen());
    EXPECT_EQ(0u, theConnection.m_strConnect.Str().find("DSN=rdm_dsdlg;")) << theConnection.m_strConnect.Str();
}

TEST_F(DataSourceDialog, BackFromTheFieldsOpensAtTheTableOfTheLastRun)
{
    ASSERT_TRUE(OpenConnection(theConnection, "rdm_dsdlg", FALSE));
    theConnection.m_db.Close();
    const std::string completed = theConnection.m_strConnect.Str();

    m_dlg.m_strDataSource = "rdm_dsdlg";
    m_dlg.m_strTable = "zone_30";
    m_dlg.m_bReconnect = TRUE;
    m_robot.Expect(IDD_DATASOURCE, {
        Inspect([](HWND hDlg) {
            ExpectTableStep(hDlg);
            EXPECT_TRUE(NeedsScrolling(hDlg));
            ExpectChosenInView(hDlg, "zone_30");
        }),
        Click(IDOK),
    });
    EXPECT_EQ(IDOK, m_dlg.DoModal());
    EXPECT_STREQ("zone_30", m_dlg.m_strTable);
    EXPECT_EQ(completed, theConnection.m_strConnect.Str());
    EXPECT_FALSE(theConnection.m_db.IsOpen());
}

TEST_F(DataSourceDialog, TheViewsAndSystemTablesBoxesRefillTheList)
{
    m_robot.Expect(IDD_DATASOURCE, {
        SelectRow(IDC_SOURCE_LIST, "rdm_dsdlg"),
        Click(IDOK),
        SelectRow(IDC_SOURCE_LIST, "customer_names"),
        SetCheck(IDC_INCLUDE_VIEWS, false),
        Inspect([](HWND hDlg) {
            EXPECT_FALSE(Lists(hDlg, "customer_names"));
            EXPECT_TRUE(Lists(hDlg, "customers"));
            EXPECT_EQ("", SelectedRow(hDlg, IDC_SOURCE_LIST));
            EXPECT_FALSE(IsEnabled(hDlg, IDOK));
        }),
        SelectRow(IDC_SOURCE_LIST, "zone_30"),
        SetCheck(IDC_INCLUDE_SYSTEM_TABLES, false),
        Inspect([](HWND hDlg) {
            ExpectTableStep(hDlg);
            ExpectChosenInView(hDlg, "zone_30");
        }),
        Click(IDOK),
    });
    EXPECT_EQ(IDOK, m_dlg.DoModal());
    EXPECT_STREQ("zone_30", m_dlg.m_strTable);
    EXPECT_FALSE(m_dlg.m_bIncludeViews);
    EXPECT_FALSE(m_dlg.m_bIncludeSystemTables);
}

TEST_F(DataSourceDialog, AQuickUsersClicksWhileTheTablesRefillAreNotActedOn)
{
    // Clicks that wait in the queue when a refill of the table list starts:
    // Back right after the views box, and a double click on the box. The
    // refill draws the dialog before it blocks in the driver, and the clicks
    // must not act in the middle of it (Back would close the connection
    // under the refill, a second click would start a refill within it).
    auto expectTablesWithoutViews = [](HWND hDlg) {
        ExpectTableStep(hDlg);
        EXPECT_FALSE(IsChecked(hDlg, IDC_INCLUDE_VIEWS)) << "the box shows what the list holds";
        EXPECT_FALSE(Lists(hDlg, "customer_names"));
        EXPECT_TRUE(Lists(hDlg, "customers"));
    };
    // The robot's own timer may tick within the refill's drain, when the
    // list is empty: it looks once the list is filled again.
    auto refilled = WaitUntil([](HWND hDlg) { return !ListRows(hDlg, IDC_SOURCE_LIST).empty(); }, "the list refilled");
    m_robot.Expect(IDD_DATASOURCE, {
        SelectRow(IDC_SOURCE_LIST, "rdm_dsdlg"),
        Click(IDOK),
        // Both queued before the dialog takes the first.
        [](HWND hDlg, std::string& reason) {
            QueueClick(IDC_INCLUDE_VIEWS)(hDlg, reason);
            return QueueClick(IDC_BACK)(hDlg, reason);
        },
        refilled,
        Inspect(expectTablesWithoutViews),
        SetCheck(IDC_INCLUDE_VIEWS, true),
        Inspect([](HWND hDlg) { EXPECT_TRUE(Lists(hDlg, "customer_names")); }),
        QueueClick(IDC_INCLUDE_VIEWS, true),
        refilled,
        Inspect(expectTablesWithoutViews),
        SelectRow(IDC_SOURCE_LIST, "orders"),
        Click(IDOK),
    });
    EXPECT_EQ(IDOK, m_dlg.DoModal());
    EXPECT_STREQ("orders", m_dlg.m_strTable);
    EXPECT_FALSE(m_dlg.m_bIncludeViews);
}

TEST_F(DataSourceDialog, BackReturnsToTheChosenDataSource)
{
    m_robot.Expect(IDD_DATASOURCE, {
        SelectRow(IDC_SOURCE_LIST, "rdm_dsdlg"),
        Click(IDOK),
        Inspect(ExpectTableStep),
        Click(IDC_BACK),
        Inspect([](HWND hDlg) {
            ExpectDataSourceStep(hDlg);
            EXPECT_EQ("rdm_dsdlg", SelectedRow(hDlg, IDC_SOURCE_LIST));
            EXPECT_TRUE(IsEnabled(hDlg, IDOK));
        }),
        Click(IDCANCEL),
    });
    EXPECT_EQ(IDCANCEL, m_dlg.DoModal());
}

TEST_F(DataSourceDialog, ADataSourceThatCannotConnectIsReportedAndAnotherCanBeChosen)
{
    m_robot.Expect(IDD_DATASOURCE, {
        SelectRow(IDC_SOURCE_LIST, "rdm_dsdlg_broken"),
        Click(IDOK),
        Inspect([](HWND hDlg) {
            ExpectDataSourceStep(hDlg);
            EXPECT_FALSE(Lists(hDlg, Str(IDS_LOADING))) << "the placeholder is no data source";
            EXPECT_EQ("rdm_dsdlg_broken", SelectedRow(hDlg, IDC_SOURCE_LIST));
        }),
        SelectRow(IDC_SOURCE_LIST, "rdm_dsdlg"),
        Click(IDOK),
        Inspect(ExpectTableStep),
        SelectRow(IDC_SOURCE_LIST, "customers"),
        Click(IDOK),
    });
    EXPECT_EQ(IDOK, m_dlg.DoModal());
    ASSERT_EQ(1u, m_robot.MessageBoxes().size());
    // The driver manager cannot find the data source's driver among the
    // installed ones: what to do first, then its own words.
    const std::string& shown = m_robot.MessageBoxes()[0].text;
    EXPECT_EQ(0u, shown.find("The data source or its driver could not be found.")) << shown;
    EXPECT_NE(std::string::npos,
              shown.find("[unixODBC][Driver Manager]Data source name not found and no default driver specified "
                         "(SQLSTATE IM002)"))
        << shown;
    EXPECT_STREQ("rdm_dsdlg", m_dlg.m_strDataSource);
    EXPECT_STREQ("customers", m_dlg.m_strTable);
}

TEST_F(DataSourceDialog, ADataSourceWithoutTablesOffersNothingAndCancelCloses)
{
    m_robot.Expect(IDD_DATASOURCE, {
        SelectRow(IDC_SOURCE_LIST, "rdm_dsdlg_empty"),
        Click(IDOK),
        Inspect([](HWND hDlg) {
            ExpectTableStep(hDlg);
            EXPECT_EQ(std::vector<std::string>{}, ListRows(hDlg, IDC_SOURCE_LIST));
            EXPECT_FALSE(IsEnabled(hDlg, IDOK));
        }),
        Click(IDCANCEL),
    });
    EXPECT_EQ(IDCANCEL, m_dlg.DoModal());
    EXPECT_FALSE(theConnection.m_db.IsOpen());
}

TEST_F(DataSourceDialog, AReconnectThatFailsIsReportedAndStartsAtTheDataSources)
{
    theConnection.m_strConnect = "DSN=rdm_dsdlg_broken";
    m_dlg.m_strDataSource = "rdm_dsdlg_broken";
    m_dlg.m_strTable = "customers";
    m_dlg.m_bReconnect = TRUE;
    m_robot.Expect(IDD_DATASOURCE, {
        Inspect([](HWND hDlg) {
            ExpectDataSourceStep(hDlg);
            EXPECT_EQ("rdm_dsdlg_broken", SelectedRow(hDlg, IDC_SOURCE_LIST));
        }),
        Click(IDCANCEL),
    });
    EXPECT_EQ(IDCANCEL, m_dlg.DoModal());
    EXPECT_EQ(1u, m_robot.MessageBoxes().size());
    EXPECT_FALSE(m_dlg.m_bReconnect);
}

// The host is closing while the user opens a data source: its quit request
// survives the wait for the driver and ends the dialog, which leaves no
// connection open behind itself.
TEST_F(DataSourceDialog, AQuitRequestDuringTheConnectionReachesTheHost)
{
    m_robot.Expect(IDD_DATASOURCE, {
        SelectRow(IDC_SOURCE_LIST, "rdm_dsdlg"),
        [](HWND hDlg, std::string& reason) {
            ::PostQuitMessage(7);
            Click(IDOK)(hDlg, reason);
            // Had the request been lost, nothing would end the dialog.
            MSG msg;
            if (!::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE))
                Click(IDCANCEL)(hDlg, reason);
            return StepResult::Done;
        },
    });
    EXPECT_NE(IDCANCEL, m_dlg.DoModal());
    MSG msg;
    ASSERT_TRUE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(7u, msg.wParam);
    EXPECT_FALSE(theConnection.m_db.IsOpen());
}
