// The dialog half of the framework, driven by the robot as a user would.
#include "DialogTest.h"
#include "FrameworkTestIds.h"
#include "HostWindow.h"
#include "framework/CComboBox.h"
#include "framework/CDBException.h"
#include "framework/CDataExchange.h"
#include "framework/CDialog.h"
#include "framework/CListCtrl.h"
#include "framework/CPaintDC.h"
#include "framework/CWinApp.h"
#include "resource.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <memory>
#include <new>

using namespace robot;

namespace
{
    class CTestDlg : public CDialog
    {
    public:
        CTestDlg() : CDialog(IDD_FRAMEWORK_TEST) {}

        CString m_strText = "start";
        UINT m_nNumber = 7;
        BOOL m_bCheck = TRUE;
        int m_nRadio = 2;
        std::vector<std::string> m_events;

    protected:
        BOOL OnInitDialog() override
        {
            CDialog::OnInitDialog();
            m_list.Attach(GetDlgItem(IDC_TEST_LIST));
            m_list.InsertColumn(0, "", LVCFMT_LEFT, 100);
            m_list.InsertItem(0, "beta");
            m_list.InsertItem(0, "alpha");
            return TRUE;
        }

        void DoDataExchange(CDataExchange* pDX) override
        {
            // The buttons first: a value refused later leaves them taken.
            DDX_Check(pDX, IDC_TEST_CHECK, m_bCheck);
            DDX_Radio(pDX, IDC_TEST_RADIO1, m_nRadio);
            DDX_Text(pDX, IDC_TEST_TEXT, m_strText);
            DDV_MaxChars(pDX, m_strText, 5);
            DDX_Text(pDX, IDC_TEST_NUMBER, m_nNumber);
            DDV_MinMaxUInt(pDX, m_nNumber, 0, 255);
        }

        void OnSelChangeCombo()
        {
            CComboBox combo;
            combo.Attach(GetDlgItem(IDC_TEST_COMBO));
            CString strText;
            combo.GetLBText(combo.GetCurSel(), strText);
            m_events.push_back("combo " + strText.Str());
        }

        void OnItemChangedList(NMHDR*, LRESULT* pResult)
        {
            int nRow = m_list.GetFirstSelected();
            m_events.push_back("list " + (nRow < 0 ? std::string("none") : m_list.GetItemText(nRow, 0).Str()));
            *pResult = 0;
        }

        void OnNested()
        {
            CDialog nested(IDD_FRAMEWORK_SMALL);
            m_events.push_back("nested " + std::to_string(nested.DoModal()));
        }

        void OnThrow()
        {
            switch (m_throwKind)
            {
            case ThrowKind::framework:
            {
                CDBException* pException = new CDBException(SQL_ERROR);
                pException->m_strError = "The driver said no.\n";
                throw pException;
            }
            case ThrowKind::outOfMemory:
                throw std::bad_alloc();
            case ThrowKind::other:
                throw 42;
            }
        }

    public:
        enum class ThrowKind { framework, outOfMemory, other };
        ThrowKind m_throwKind = ThrowKind::framework;

    protected:

        void OnPaint()
        {
            CPaintDC dc(this);
            if (m_events.empty() || m_events.back() != "paint")
                m_events.push_back("paint");
        }

        void OnDestroy() { m_events.push_back("destroy"); }

        CListCtrl m_list;
        DECLARE_MESSAGE_MAP()
    };

    BEGIN_MESSAGE_MAP(CTestDlg, CDialog)
        ON_CBN_SELCHANGE(IDC_TEST_COMBO, OnSelChangeCombo)
        ON_NOTIFY(LVN_ITEMCHANGED, IDC_TEST_LIST, OnItemChangedList)
        ON_BN_CLICKED(IDC_TEST_THROW, OnThrow)
        ON_BN_CLICKED(IDC_TEST_NESTED, OnNested)
        ON_WM_PAINT()
        ON_WM_DESTROY()
    END_MESSAGE_MAP()

    // The framework's dialogs are made from this program's own templates.
    class FrameworkDialog : public DialogTest
    {
    protected:
        void SetUp() override
        {
            DialogTest::SetUp();
            AfxGetModuleState()->m_hCurrentResourceHandle = ::GetModuleHandleA(nullptr);
            m_robot.IdentifyTemplateBy(IDC_TEST_THROW, IDD_FRAMEWORK_TEST);
            m_robot.IdentifyTemplateBy(IDC_TEST_NOTE, IDD_FRAMEWORK_SMALL);
        }
    };
}

TEST_F(FrameworkDialog, ShowsTheMembersAndTheInitialisationData)
{
    CTestDlg dlg;
    m_robot.Expect(IDD_FRAMEWORK_TEST, {
        Inspect([](HWND hDlg) {
            EXPECT_EQ((std::vector<std::string>{"One", "Two"}), ComboEntries(hDlg, IDC_TEST_COMBO));
            EXPECT_EQ("start", ControlText(hDlg, IDC_TEST_TEXT));
            EXPECT_EQ("7", ControlText(hDlg, IDC_TEST_NUMBER));
            EXPECT_TRUE(IsChecked(hDlg, IDC_TEST_CHECK));
            EXPECT_TRUE(IsChecked(hDlg, IDC_TEST_RADIO3));
            EXPECT_EQ((std::vector<std::string>{"alpha", "beta"}), ListRows(hDlg, IDC_TEST_LIST));
        }),
        Click(IDCANCEL),
    });
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_STREQ("start", dlg.m_strText) << "Cancel keeps the members";
}

TEST_F(FrameworkDialog, RoutesControlNotificationsToTheMessageMap)
{
    CTestDlg dlg;
    m_robot.Expect(IDD_FRAMEWORK_TEST, {
        ChooseEntry(IDC_TEST_COMBO, "Two"),
        SelectRow(IDC_TEST_LIST, "beta"),
        ClearSelection(IDC_TEST_LIST),
        Click(IDCANCEL),
    });
    dlg.DoModal();
    std::vector<std::string> events;
    for (const std::string& event : dlg.m_events)
        if (event != "paint")
            events.push_back(event);
    // Selecting a row changes its focus and selection states: one
    // notification each; the list reports whatever is selected at the time.
    ASSERT_GE(events.size(), 4u);
    EXPECT_EQ("combo Two", events.front());
    EXPECT_EQ("list beta", events[events.size() - 3]);
    EXPECT_EQ("list none", events[events.size() - 2]);
    EXPECT_EQ("destroy", events.back());
    EXPECT_NE(dlg.m_events.end(), std::find(dlg.m_events.begin(), dlg.m_events.end(), "paint"));
}

TEST_F(FrameworkDialog, RefusesInvalidValuesWithTheStandardMessages)
{
    CTestDlg dlg;
    m_robot.Expect(IDD_FRAMEWORK_TEST, {
        Type(IDC_TEST_NUMBER, "256"),
        Click(IDOK),
        Type(IDC_TEST_NUMBER, "-1"),
        Click(IDOK),
        Type(IDC_TEST_NUMBER, "12"),
        Type(IDC_TEST_TEXT, "toolong"),
        Click(IDOK),
        Inspect([](HWND hDlg) { EXPECT_EQ(::GetDlgItem(hDlg, IDC_TEST_TEXT), ::GetFocus()) << "focus back on the field"; }),
        Type(IDC_TEST_TEXT, "fine"),
        SetCheck(IDC_TEST_CHECK, false),
        Click(IDC_TEST_RADIO1),
        SetCheck(IDC_TEST_RADIO1, true),
        Click(IDOK),
    });
    EXPECT_EQ(IDOK, dlg.DoModal());
    std::vector<std::string> texts;
    for (const RobotMessageBox& box : m_robot.MessageBoxes())
        texts.push_back(box.text);
    EXPECT_EQ((std::vector<std::string>{"Please enter an integer between 0 and 255.",
                                        "Please enter a positive integer.",
                                        "Please enter no more than 5 characters."}), texts);
    EXPECT_STREQ("fine", dlg.m_strText);
    EXPECT_EQ(12u, dlg.m_nNumber);
    EXPECT_FALSE(dlg.m_bCheck);
    EXPECT_EQ(0, dlg.m_nRadio);
}

TEST_F(FrameworkDialog, ReportsAnExceptionFromAHandlerOnceAndGoesOn)
{
    CWinApp app("Import");
    AFX_MAINTAIN_STATE2 moduleState(AfxGetStaticModuleState());
    AfxGetModuleState()->m_hCurrentResourceHandle = ::GetModuleHandleA(nullptr);

    struct Case { CTestDlg::ThrowKind kind; const char* text; };
    const Case cases[] = {
        {CTestDlg::ThrowKind::framework, "The driver said no.\n"},
        {CTestDlg::ThrowKind::outOfMemory, "Out of memory."},
        {CTestDlg::ThrowKind::other, "An unexpected error occurred."},
    };
    for (const Case& c : cases)
    {
        const size_t nShown = m_robot.MessageBoxes().size();
        CTestDlg dlg;
        dlg.m_throwKind = c.kind;
        m_robot.Expect(IDD_FRAMEWORK_TEST, {Click(IDC_TEST_THROW), Type(IDC_TEST_TEXT, "after"), Click(IDOK)});
        EXPECT_EQ(IDOK, dlg.DoModal()) << c.text;
        ASSERT_EQ(nShown + 1, m_robot.MessageBoxes().size()) << c.text;
        EXPECT_EQ(c.text, m_robot.MessageBoxes().back().text);
        EXPECT_EQ("Import", m_robot.MessageBoxes().back().caption);
        EXPECT_STREQ("after", dlg.m_strText) << "the dialog stays usable";
    }
}

TEST_F(FrameworkDialog, BelongsToTheWindowItCameFromWhichTakesNoInputUntilItEnds)
{
    // Clicks and keys as a person gives them, on what shows of the windows
    // under the dialog: the host's button (its mnemonic Alt+I) under the
    // dialog, the dialog's check box (Alt+C) under the nested one.
    CHostWindow host;
    auto ownedAndAlone = [&host](int nBelow) {
        return Inspect([&host, nBelow](HWND hDlg) {
            EXPECT_EQ(host.Handle(), OwnerBelow(hDlg, nBelow)) << "owned by the window it came from";
            for (int i = 1; i <= nBelow; ++i)
            {
                EXPECT_EQ(OwnerBelow(hDlg, i), WindowBelow(hDlg, i)) << "right under it on the screen";
                EXPECT_FALSE(::IsWindowEnabled(WindowBelow(hDlg, i))) << i << " below";
            }
            EXPECT_EQ(0, ::GetWindowLongA(hDlg, GWL_EXSTYLE) & WS_EX_APPWINDOW) << "no taskbar entry of its own";
            EXPECT_EQ(hDlg, ::GetActiveWindow());
        });
    };
    m_robot.Expect(IDD_FRAMEWORK_TEST, {
        ownedAndAlone(1),
        MouseClick(CHostWindow::kButtonId, 1), PressKeys({"Alt+I"}), WaitForInput(),
        ownedAndAlone(1),
        Click(IDC_TEST_NESTED),
        Inspect([](HWND hDlg) {
            EXPECT_TRUE(::IsWindowEnabled(hDlg)) << "enabled again when the nested dialog ends";
            EXPECT_EQ(hDlg, ::GetActiveWindow());
            EXPECT_TRUE(IsChecked(hDlg, IDC_TEST_CHECK));
        }),
        MouseClick(IDC_TEST_CHECK), WaitForInput(),
        Inspect([](HWND hDlg) { EXPECT_FALSE(IsChecked(hDlg, IDC_TEST_CHECK)) << "takes the user's clicks again"; }),
        Click(IDOK),
    });
    m_robot.Expect(IDD_FRAMEWORK_SMALL, {
        ownedAndAlone(2),
        MouseClick(IDC_TEST_CHECK, 1), MouseClick(CHostWindow::kButtonId, 2), PressKeys({"Alt+C"}), WaitForInput(),
        ownedAndAlone(2),
        Inspect([](HWND hDlg) { EXPECT_TRUE(IsChecked(WindowBelow(hDlg, 1), IDC_TEST_CHECK)); }),
        Click(IDCANCEL),
    });
    CTestDlg dlg;
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_FALSE(dlg.m_bCheck);
    EXPECT_NE(dlg.m_events.end(), std::find(dlg.m_events.begin(), dlg.m_events.end(), "nested 2"));
    EXPECT_EQ(0, host.ButtonPresses());
    EXPECT_TRUE(::IsWindowEnabled(host.Handle()));
    EXPECT_EQ(host.Handle(), ::GetActiveWindow());
}

TEST_F(FrameworkDialog, FromAPopupOfTheHostDisablesTheHostToo)
{
    // A host's palette or tool window, owned by its main window, is where
    // the user started: it owns the dialog, and the main window above it
    // takes no input either.
    CHostWindow host;
    HWND hPalette = ::CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "Palette", WS_POPUP | WS_CAPTION | WS_VISIBLE, 1020,
                                      80, 200, 300, host.Handle(), nullptr, nullptr, nullptr);
    ::SetActiveWindow(hPalette);
    m_robot.Expect(IDD_FRAMEWORK_TEST, {
        Inspect([&](HWND hDlg) {
            EXPECT_EQ(hPalette, ::GetWindow(hDlg, GW_OWNER));
            EXPECT_FALSE(::IsWindowEnabled(hPalette));
            EXPECT_FALSE(::IsWindowEnabled(host.Handle()));
        }),
        MouseClick(CHostWindow::kButtonId, 2), WaitForInput(),
        Click(IDCANCEL),
    });
    CTestDlg dlg;
    dlg.DoModal();
    EXPECT_TRUE(::IsWindowEnabled(hPalette));
    EXPECT_TRUE(::IsWindowEnabled(host.Handle()));
    EXPECT_EQ(0, host.ButtonPresses());
    ::DestroyWindow(hPalette);
}

TEST_F(FrameworkDialog, OpensCentredOverItsOwnerAndWhollyOnTheScreen)
{
    RECT rcWork;
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &rcWork, 0);
    struct Case { const char* where; bool bHost; RECT rcHost; };
    const Case cases[] = {
        {"over its owner", true, {300, 200, 1000, 800}},
        {"its owner partly off the screen at the bottom right", true, {rcWork.right - 200, rcWork.bottom - 150,
                                                                      rcWork.right + 600, rcWork.bottom + 450}},
        {"its owner partly off the screen at the top left", true, {-600, -500, 200, 150}},
        {"no window to own it", false, {}},
    };
    for (const Case& c : cases)
    {
        ASSERT_EQ(nullptr, ::GetActiveWindow()) << c.where;
        std::unique_ptr<CHostWindow> pHost(c.bHost ? new CHostWindow(c.rcHost) : nullptr);
        RECT rcDialog = {};
        m_robot.Expect(IDD_FRAMEWORK_TEST, {Inspect([&](HWND hDlg) {
                                                 EXPECT_EQ(pHost ? pHost->Handle() : nullptr,
                                                           ::GetWindow(hDlg, GW_OWNER)) << c.where;
                                                 ::GetWindowRect(hDlg, &rcDialog);
                                             }),
                                             Click(IDCANCEL)});
        CTestDlg dlg;
        dlg.DoModal();
        RECT rcOver = rcWork;
        if (pHost)
            ::GetWindowRect(pHost->Handle(), &rcOver);
        const int nWidth = rcDialog.right - rcDialog.left, nHeight = rcDialog.bottom - rcDialog.top;
        ASSERT_GT(nWidth, 0) << c.where;
        const int xCentred = (rcOver.left + rcOver.right) / 2 - nWidth / 2;
        const int yCentred = (rcOver.top + rcOver.bottom) / 2 - nHeight / 2;
        const int xExpected = std::max((LONG)std::min(xCentred, (int)rcWork.right - nWidth), rcWork.left);
        const int yExpected = std::max((LONG)std::min(yCentred, (int)rcWork.bottom - nHeight), rcWork.top);
        EXPECT_EQ(xExpected, rcDialog.left) << c.where;
        EXPECT_EQ(yExpected, rcDialog.top) << c.where;
        if (c.rcHost.left > 0 && c.rcHost.right < rcWork.right && c.rcHost.bottom < rcWork.bottom)
        {
            EXPECT_EQ(xCentred, rcDialog.left) << c.where << ": centred where it fits";
            EXPECT_EQ(yCentred, rcDialog.top) << c.where;
        }
        else
        {
            EXPECT_TRUE(rcDialog.left >= rcWork.left && rcDialog.top >= rcWork.top && rcDialog.right <= rcWork.right &&
                        rcDialog.bottom <= rcWork.bottom) << c.where << ": whole on the screen";
        }
    }
}

TEST_F(FrameworkDialog, ReturnsMinusOneWithoutATemplate)
{
    CDialog missing(4711);
    EXPECT_EQ(-1, missing.DoModal());
}
