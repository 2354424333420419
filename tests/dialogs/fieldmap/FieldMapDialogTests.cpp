// The field-mapping dialog, driven by the robot as a user would, against the
// SQLite fixture (data sources rdm_fmdlg_*).
#include "FieldMapTestSupport.h"
#include "HeapUse.h"
#include "TestEnv.h"
#include "framework/CWinApp.h"
#include "resource.h"

#include <sqlext.h>

using namespace robot;

namespace
{
    const std::vector<std::string> articleColumns = {"barcode", "changed", "code", "delivered", "name",
                                                     "note", "opens", "price", "stock", "weight"};

    RobotAction WaitForColumns()
    {
        return WaitUntil([](HWND hDlg) { return ListRows(hDlg, IDC_COLUMN_LIST) == articleColumns; },
                         "the table's columns in the list");
    }

    RobotAction WaitForEmptyList()
    {
        return WaitUntil([](HWND hDlg) { return ListRows(hDlg, IDC_COLUMN_LIST).empty(); },
                         "the placeholder gone and no columns");
    }

    RobotAction ExpectOk(bool bEnabled, const std::string& when)
    {
        return Inspect([=](HWND hDlg) { EXPECT_EQ(bEnabled, IsEnabled(hDlg, IDOK)) << when; });
    }

    // The controls of the shown output field, as a person reads them.
    struct Controls
    {
        std::string field, column, prefix, suffix, width, fill;
        bool pad, right, integer;
        int dateTime;
    };

    RobotAction ExpectControls(const Controls& c)
    {
        return Inspect([=](HWND hDlg) {
            EXPECT_EQ(c.field, ComboSelection(hDlg, IDC_OUTPUT_FIELD));
            EXPECT_EQ(c.column, SelectedRow(hDlg, IDC_COLUMN_LIST)) << c.field;
            EXPECT_EQ(c.prefix, ControlText(hDlg, IDC_PREFIX)) << c.field;
            EXPECT_EQ(c.suffix, ControlText(hDlg, IDC_SUFFIX)) << c.field;
            EXPECT_EQ(c.width, ControlText(hDlg, IDC_PAD_WIDTH)) << c.field;
            EXPECT_EQ(c.fill, ControlText(hDlg, IDC_FILL)) << c.field;
            EXPECT_EQ(c.pad, IsChecked(hDlg, IDC_PAD)) << c.field;
            EXPECT_EQ(c.right, IsChecked(hDlg, IDC_PAD_RIGHT)) << c.field;
            EXPECT_EQ(c.integer, IsChecked(hDlg, IDC_INTEGER)) << c.field;
            EXPECT_EQ(c.dateTime == 0, IsChecked(hDlg, IDC_AS_DELIVERED)) << c.field;
            EXPECT_EQ(c.dateTime == 1, IsChecked(hDlg, IDC_AS_DATE)) << c.field;
            EXPECT_EQ(c.dateTime == 2, IsChecked(hDlg, IDC_AS_TIME)) << c.field;
        });
    }

    // Enter in the dialog presses OK whatever the button shows.
    RobotAction PressEnter()
    {
        return Inspect([](HWND hDlg) { ::SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0); });
    }

    std::vector<std::string> Texts(const std::vector<RobotMessageBox>& boxes)
    {
        std::vector<std::string> texts;
        for (const RobotMessageBox& box : boxes)
            texts.push_back(box.text);
        return texts;
    }

    class FieldMapDialog : public FieldMapTest
    {
    protected:
        void TearDown() override
        {
            FreeColumnArray(m_dlg.m_pColumns, m_dlg.m_nColumns);
            FreeColumnArray(m_dlg.m_pConditions, m_dlg.m_nConditions);
            FieldMapTest::TearDown();
        }
        CTestFieldMapDlg m_dlg;
    };
}

TEST_F(FieldMapDialog, ShowsTheLoadingRowUntilTheFirstPaintThenTheColumnsSorted)
{
    m_dlg.m_strTable = "articles";
    // The dialog leaves the connection closed, even when it found it open.
    ASSERT_TRUE(theConnection.m_db.OpenEx(szArticles, CDatabase::openReadOnly));
    m_robot.Expect(IDD_FIELDMAP, {
        WaitForColumns(),
        Inspect([&](HWND hDlg) {
            EXPECT_FALSE(theConnection.m_db.IsOpen()) << "connection closed after the fill";
            EXPECT_EQ("Field 2", ComboSelection(hDlg, IDC_OUTPUT_FIELD));
            EXPECT_EQ((std::vector<std::string>{"Field 1", "Field 2", "Field 3", "Field 4"}),
                      ComboEntries(hDlg, IDC_OUTPUT_FIELD));
            EXPECT_FALSE(IsEnabled(hDlg, IDOK));
            EXPECT_EQ("", SelectedRow(hDlg, IDC_COLUMN_LIST));
        }),
        Screenshot(BinaryDirWindowsPath("tests/dialogs/fieldmap/fieldmap-dialog.png")),
        Click(IDCANCEL),
    });
    EXPECT_EQ(IDCANCEL, m_dlg.DoModal());
    EXPECT_EQ(std::vector<std::string>{Str(IDS_LOADING_COLUMNS)}, m_dlg.m_rowsBeforePaint);
    EXPECT_TRUE(m_dlg.m_bConnectedBeforePaint) << "the catalog is not read before the first paint";

    // The records stay in the order in which the catalog delivered them.
    std::vector<std::string> names;
    for (int i = 0; i < m_dlg.m_nColumns; ++i)
        names.push_back(m_dlg.m_pColumns[i].name);
    EXPECT_EQ((std::vector<std::string>{"code", "name", "price", "weight", "delivered", "opens", "changed",
                                        "note", "stock", "barcode"}), names);
}

TEST_F(FieldMapDialog, SortsByTheFieldsTheUserChoseAndShowsTheOrder)
{
    const std::string kNone = Str(IDS_SORT_NONE);
    m_dlg.m_strTable = "articles";
    m_robot.Expect(IDD_FIELDMAP, {
        WaitForColumns(),
        Inspect([](HWND hDlg) { EXPECT_EQ("", ControlText(hDlg, IDC_SORT_ORDER)) << "unsorted"; }),
        SelectRow(IDC_COLUMN_LIST, "code"),
        ChooseEntry(IDC_OUTPUT_FIELD, "Field 1"),
        SelectRow(IDC_COLUMN_LIST, "name"),
        ChooseEntry(IDC_OUTPUT_FIELD, "Field 3"),
        SelectRow(IDC_COLUMN_LIST, "delivered"),
        Click(IDC_SORT),
        Inspect([](HWND hDlg) {
            EXPECT_EQ("Sorted by Field 2: code, then Field 1: name (descending), then Field 3: delivered",
                      ControlText(hDlg, IDC_SORT_ORDER));
        }),
        Click(IDC_SORT),     // changed, then cancelled
        Inspect([](HWND hDlg) {
            EXPECT_EQ("Sorted by Field 2: code, then Field 1: name (descending), then Field 3: delivered",
                      ControlText(hDlg, IDC_SORT_ORDER)) << "Cancel leaves the keys as they were";
        }),
        ClearSelection(IDC_COLUMN_LIST),     // field 3 loses its column
        Inspect([](HWND hDlg) {
            EXPECT_EQ("Sorted by Field 2: code, then Field 1: name (descending)", ControlText(hDlg, IDC_SORT_ORDER));
        }),
        Click(IDOK),
    });
    m_robot.Expect(IDD_SORT, {
        Inspect([&](HWND hDlg) {
            const std::vector<std::string> entries = {kNone, "Field 1: name", "Field 2: code", "Field 3: delivered"};
            for (int nCombo : {IDC_SORT_KEY1, IDC_SORT_KEY2, IDC_SORT_KEY3})
            {
                EXPECT_EQ(entries, ComboEntries(hDlg, nCombo));
                EXPECT_EQ(kNone, ComboSelection(hDlg, nCombo));
            }
        }),
        ChooseEntry(IDC_SORT_KEY1, "Field 2: code"),
        ChooseEntry(IDC_SORT_KEY2, "Field 1: name"),
        SetCheck(IDC_SORT_DESCENDING2, true),
        ChooseEntry(IDC_SORT_KEY3, "Field 3: delivered"),
        Click(IDOK),
    });
    m_robot.Expect(IDD_SORT, {
        Inspect([](HWND hDlg) {
            EXPECT_EQ("Field 2: code", ComboSelection(hDlg, IDC_SORT_KEY1));
            EXPECT_EQ("Field 1: name", ComboSelection(hDlg, IDC_SORT_KEY2));
            EXPECT_TRUE(IsChecked(hDlg, IDC_SORT_DESCENDING2));
            EXPECT_EQ("Field 3: delivered", ComboSelection(hDlg, IDC_SORT_KEY3));
        }),
        ChooseEntry(IDC_SORT_KEY1, "Field 3: delivered"),
        SetCheck(IDC_SORT_DESCENDING3, true),
        Click(IDCANCEL),
    });
    EXPECT_EQ(IDOK, m_dlg.DoModal());
    // The key whose field lost its column is dropped.
    EXPECT_EQ(1, m_dlg.m_aSortKeys[0].nField);
    EXPECT_FALSE(m_dlg.m_aSortKeys[0].bDescending);
    EXPECT_EQ(0, m_dlg.m_aSortKeys[1].nField);
    EXPECT_TRUE(m_dlg.m_aSortKeys[1].bDescending);
    EXPECT_EQ(-1, m_dlg.m_aSortKeys[2].nField);
    EXPECT_EQ(std::vector<std::string>{}, Texts(m_robot.MessageBoxes()));
}

TEST_F(FieldMapDialog, CountsAFieldChosenTwiceOnceAtItsFirstPlace)
{
    m_dlg.m_strTable = "articles";
    m_robot.Expect(IDD_FIELDMAP, {
        WaitForColumns(),
        SelectRow(IDC_COLUMN_LIST, "code"),
        ChooseEntry(IDC_OUTPUT_FIELD, "Field 4"),
        SelectRow(IDC_COLUMN_LIST, "price"),
        Click(IDC_SORT),
        Inspect([](HWND hDlg) {
            EXPECT_EQ("Sorted by Field 4: price (descending), then Field 2: code", ControlText(hDlg, IDC_SORT_ORDER));
        }),
        Click(IDOK),
    });
    m_robot.Expect(IDD_SORT, {
        ChooseEntry(IDC_SORT_KEY1, "Field 4: price"),
        SetCheck(IDC_SORT_DESCENDING1, true),
        ChooseEntry(IDC_SORT_KEY2, "Field 2: code"),
        ChooseEntry(IDC_SORT_KEY3, "Field 4: price"),
        Click(IDOK),
    });
    EXPECT_EQ(IDOK, m_dlg.DoModal());
    EXPECT_EQ(3, m_dlg.m_aSortKeys[0].nField);
    EXPECT_TRUE(m_dlg.m_aSortKeys[0].bDescending);
    EXPECT_EQ(1, m_dlg.m_aSortKeys[1].nField);
    EXPECT_EQ(-1, m_dlg.m_aSortKeys[2].nField);
}

TEST_F(FieldMapDialog, NeverTakesTheLoadingRowForAColumn)
{
    // A quick user clicks the placeholder row before the columns come.
    m_dlg.m_strTable = "articles";
    m_dlg.m_beforeFirstPaint = [](HWND hDlg) {
        std::string reason;
        EXPECT_EQ(StepResult::Done, QueueClickOnRow(IDC_COLUMN_LIST, 0)(hDlg, reason)) << reason;
    };
    m_robot.Expect(IDD_FIELDMAP, {
        WaitForColumns(),
        Inspect([](HWND hDlg) {
            EXPECT_EQ("", SelectedRow(hDlg, IDC_COLUMN_LIST));
            EXPECT_FALSE(IsEnabled(hDlg, IDOK)) << "field 2 has no column";
        }),
        Click(IDOK),
        Click(IDCANCEL),
    });
    EXPECT_EQ(IDCANCEL, m_dlg.DoModal());
    EXPECT_STREQ("", m_dlg.m_aMap[PRIMARY_FIELD_INDEX].m_strColumn);
    EXPECT_EQ(std::vector<std::string>{}, Texts(m_robot.MessageBoxes())) << "OK was never enabled";
}

TEST_F(FieldMapDialog, TakesOnlyTheFourOutputFieldsFromItsFieldList)
{
    // A language module whose field list holds a fifth entry, or a list
    // left without a selection: neither is an output field.
    m_dlg.m_strTable = "articles";
    auto sendSelChange = [](HWND hDlg) {
        ::SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDC_OUTPUT_FIELD, CBN_SELCHANGE),
                       (LPARAM)::GetDlgItem(hDlg, IDC_OUTPUT_FIELD));
    };
    m_robot.Expect(IDD_FIELDMAP, {
        WaitForColumns(),
        SelectRow(IDC_COLUMN_LIST, "code"),
        Inspect([](HWND hDlg) { ::SendDlgItemMessageA(hDlg, IDC_OUTPUT_FIELD, CB_ADDSTRING, 0, (LPARAM)"Field 5"); }),
        ChooseEntry(IDC_OUTPUT_FIELD, "Field 5"),
        Inspect([](HWND hDlg) { EXPECT_EQ("Field 2", ComboSelection(hDlg, IDC_OUTPUT_FIELD)); }),
        Inspect([&](HWND hDlg) {
            ::SendDlgItemMessageA(hDlg, IDC_OUTPUT_FIELD, CB_SETCURSEL, (WPARAM)-1, 0);
            sendSelChange(hDlg);
            EXPECT_EQ("Field 2", ComboSelection(hDlg, IDC_OUTPUT_FIELD));
            EXPECT_EQ("code", SelectedRow(hDlg, IDC_COLUMN_LIST));
        }),
        Type(IDC_PREFIX, "<"),
        Click(IDOK),
    });
    EXPECT_EQ(IDOK, m_dlg.DoModal());
    EXPECT_STREQ("code", m_dlg.m_aMap[PRIMARY_FIELD_INDEX].m_strColumn);
    EXPECT_STREQ("<", m_dlg.m_aMap[PRIMARY_FIELD_INDEX].m_strPrefix);
    EXPECT_TRUE(HeapsAreSound());
}

TEST_F(FieldMapDialog, EnablesOkOnlyWhileField2HasAColumn)
{
    m_dlg.m_strTable = "articles";
    m_robot.Expect(IDD_FIELDMAP, {
        WaitForColumns(),
        SelectRow(IDC_COLUMN_LIST, "name"),
        ExpectOk(true, "field 2 on name"),
        ClearSelection(IDC_COLUMN_LIST),
        ExpectOk(false, "field 2 cleared"),
        ChooseEntry(IDC_OUTPUT_FIELD, "Field 1"),
        SelectRow(IDC_COLUMN_LIST, "price"),
        ExpectOk(false, "field 1 on price"),
        ChooseEntry(IDC_OUTPUT_FIELD, "Field 2"),
        Inspect([](HWND hDlg) { EXPECT_EQ("", SelectedRow(hDlg, IDC_COLUMN_LIST)) << "field 2 has no column"; }),
        SelectRow(IDC_COLUMN_LIST, "code"),
        ExpectOk(true, "field 2 on code"),
        ChooseEntry(IDC_OUTPUT_FIELD, "Field 3"),
        Inspect([](HWND hDlg) { EXPECT_EQ("", SelectedRow(hDlg, IDC_COLUMN_LIST)) << "field 3 has no column"; }),
        SelectRow(IDC_COLUMN_LIST, "note"),
        ClearSelection(IDC_COLUMN_LIST),
        ExpectOk(true, "field 3 chosen and cleared"),
        ChooseEntry(IDC_OUTPUT_FIELD, "Field 1"),
        Inspect([](HWND hDlg) { EXPECT_EQ("price", SelectedRow(hDlg, IDC_COLUMN_LIST)) << "field 1 kept price"; }),
        Click(IDOK),
    });
    EXPECT_EQ(IDOK, m_dlg.DoModal());
    EXPECT_FALSE(m_dlg.m_bBack);
    EXPECT_STREQ("price", m_dlg.m_aMap[0].m_strColumn);
    EXPECT_STREQ("code", m_dlg.m_aMap[1].m_strColumn);
    EXPECT_STREQ("", m_dlg.m_aMap[2].m_strColumn);
    EXPECT_STREQ("", m_dlg.m_aMap[3].m_strColumn);
    EXPECT_EQ(std::vector<std::string>{}, Texts(m_robot.MessageBoxes()));
}

TEST_F(FieldMapDialog, OffersWholeNumbersForFloatingPointAndDateTimeForDateAndTimeColumns)
{
    struct Case { const char* column; bool integer; bool dateTime; };
    const Case cases[] = {
        {"price", true, false},         // REAL
        {"weight", true, false},        // DOUBLE
        {"delivered", false, true},     // DATE
        {"opens", false, true},         // TIME
        {"changed", false, true},       // TIMESTAMP
        {"code", false, false},         // INTEGER
        {"name", false, false},         // TEXT
        {"note", false, false},         // VARCHAR
        {"barcode", false, false},      // CHAR
    };
    m_dlg.m_strTable = "articles";
    std::vector<RobotAction> actions = {
        WaitForColumns(),
        Inspect([](HWND hDlg) {
            EXPECT_FALSE(IsEnabled(hDlg, IDC_INTEGER)) << "no column chosen yet";
            EXPECT_FALSE(IsEnabled(hDlg, IDC_AS_DELIVERED)) << "no column chosen yet";
        }),
    };
    for (const Case& c : cases)
    {
        actions.push_back(SelectRow(IDC_COLUMN_LIST, c.column));
        actions.push_back(Inspect([c](HWND hDlg) {
            EXPECT_EQ(c.integer, IsEnabled(hDlg, IDC_INTEGER)) << c.column;
            for (int nId : {IDC_AS_DELIVERED, IDC_AS_DATE, IDC_AS_TIME})
                EXPECT_EQ(c.dateTime, IsEnabled(hDlg, nId)) << c.column << " control " << nId;
        }));
    }
    // A disabled option keeps its value.
    for (RobotAction action : {SelectRow(IDC_COLUMN_LIST, "price"), SetCheck(IDC_INTEGER, true),
                               SelectRow(IDC_COLUMN_LIST, "delivered"), SetCheck(IDC_AS_DATE, true),
                               SelectRow(IDC_COLUMN_LIST, "name"),
                               Inspect([](HWND hDlg) {
                                   EXPECT_FALSE(IsEnabled(hDlg, IDC_INTEGER));
                                   EXPECT_FALSE(IsEnabled(hDlg, IDC_AS_DATE));
                                   EXPECT_TRUE(IsChecked(hDlg, IDC_INTEGER));
                                   EXPECT_TRUE(IsChecked(hDlg, IDC_AS_DATE));
                               }),
                               ClearSelection(IDC_COLUMN_LIST),
                               Inspect([](HWND hDlg) {
                                   EXPECT_FALSE(IsEnabled(hDlg, IDC_INTEGER)) << "no column";
                                   EXPECT_FALSE(IsEnabled(hDlg, IDC_AS_TIME)) << "no column";
                               }),
                               SelectRow(IDC_COLUMN_LIST, "name"), Click(IDOK)})
        actions.push_back(action);
    m_robot.Expect(IDD_FIELDMAP, actions);
    EXPECT_EQ(IDOK, m_dlg.DoModal());
    const FieldMapping& field2 = m_dlg.m_aMap[1];
    EXPECT_TRUE(field2.m_bInteger) << "stored and applied like any other";
    EXPECT_TRUE(field2.m_bDate);
    EXPECT_FALSE(field2.m_bTime);
}

TEST_F(FieldMapDialog, KeepsEachOutputFieldsSettingsAcrossFieldSwitches)
{
    m_dlg.m_strTable = "articles";
    const Controls field2 = {"Field 2", "code", "<", ">", "8", "*", true, true, false, 0};
    const Controls field1 = {"Field 1", "opens", "at ", "", "0", "", false, false, false, 2};
    const Controls fresh3 = {"Field 3", "", "", "", "0", "0", false, false, false, 0};
    m_robot.Expect(IDD_FIELDMAP, {
        WaitForColumns(),
        SelectRow(IDC_COLUMN_LIST, "code"),
        Type(IDC_PREFIX, "<"), Type(IDC_SUFFIX, ">"), SetCheck(IDC_PAD, true), Type(IDC_PAD_WIDTH, "8"),
        Type(IDC_FILL, "*"), SetCheck(IDC_PAD_RIGHT, true),
        ChooseEntry(IDC_OUTPUT_FIELD, "Field 1"),
        ExpectControls({"Field 1", "", "", "", "0", "0", false, false, false, 0}),
        SelectRow(IDC_COLUMN_LIST, "opens"),
        Type(IDC_PREFIX, "at "), Type(IDC_FILL, ""), SetCheck(IDC_AS_TIME, true),
        ChooseEntry(IDC_OUTPUT_FIELD, "Field 2"),
        ExpectControls(field2),
        ChooseEntry(IDC_OUTPUT_FIELD, "Field 1"),
        ExpectControls(field1),     // fill character 0 shows an empty edit
        ChooseEntry(IDC_OUTPUT_FIELD, "Field 3"),
        ExpectControls(fresh3),
        Type(IDC_PREFIX, "third"), SetCheck(IDC_INTEGER, true),
        Click(IDOK),                // stores the shown field 3
    });
    EXPECT_EQ(IDOK, m_dlg.DoModal());

    struct Expected
    {
        const char* column; const char* prefix; const char* suffix;
        BOOL pad; int width; char fill; BOOL right; BOOL integer; BOOL date; BOOL time;
    };
    const Expected expected[] = {
        {"opens", "at ", "", FALSE, 0, '\0', FALSE, FALSE, FALSE, TRUE},
        {"code", "<", ">", TRUE, 8, '*', TRUE, FALSE, FALSE, FALSE},
        {"", "third", "", FALSE, 0, '0', FALSE, TRUE, FALSE, FALSE},
        {"", "", "", FALSE, 0, '0', FALSE, FALSE, FALSE, FALSE},
    };
    for (int i = 0; i < OUTPUT_FIELDS; ++i)
    {
        const FieldMapping& f = m_dlg.m_aMap[i];
        const Expected& e = expected[i];
        SCOPED_TRACE("output field " + std::to_string(i + 1));
        EXPECT_STREQ(e.column, f.m_strColumn);
        EXPECT_STREQ(e.prefix, f.m_strPrefix);
        EXPECT_STREQ(e.suffix, f.m_strSuffix);
        EXPECT_EQ(e.pad, f.m_bPad);
        EXPECT_EQ(e.width, f.m_nPadWidth);
        EXPECT_EQ(e.fill, f.m_chPad);
        EXPECT_EQ(e.right, f.m_bPadRight);
        EXPECT_EQ(e.integer, f.m_bInteger);
        EXPECT_EQ(e.date, f.m_bDate);
        EXPECT_EQ(e.time, f.m_bTime);
    }
}

TEST_F(FieldMapDialog, RefusesAnInvalidWidthAndStaysOnTheField)
{
    struct Case { const char* width; const char* message; };
    const Case cases[] = {
        {"300", "Please enter an integer between 0 and 255."},
        {"abc", "Please enter a positive integer."},
    };
    for (const Case& c : cases)
    {
        size_t nShown = m_robot.MessageBoxes().size();
        CTestFieldMapDlg dlg;
        dlg.m_strTable = "articles";
        std::vector<std::string> previewedPrefixes;
        dlg.m_showPreview = [&](const CFieldMapDlg& shown) { previewedPrefixes.push_back(shown.m_aMap[1].m_strPrefix.Str()); };
        const Controls refused = {"Field 2", "name", "p2", "", c.width, "0", true, false, false, 0};
        m_robot.Expect(IDD_FIELDMAP, {
            WaitForColumns(),
            SelectRow(IDC_COLUMN_LIST, "name"),
            Type(IDC_PREFIX, "p2"), SetCheck(IDC_PAD, true), Type(IDC_PAD_WIDTH, c.width),
            ChooseEntry(IDC_OUTPUT_FIELD, "Field 3"),
            ExpectControls(refused),
            Click(IDC_BACK),
            ExpectControls(refused),
            Click(IDC_PREVIEW),
            ExpectControls(refused),
            Click(IDOK),
            ExpectControls(refused),
            Type(IDC_PAD_WIDTH, "255"),
            Click(IDC_PREVIEW),
            Click(IDOK),
        });
        EXPECT_EQ(IDOK, dlg.DoModal()) << c.width;
        std::vector<std::string> texts = Texts(m_robot.MessageBoxes());
        texts.erase(texts.begin(), texts.begin() + nShown);
        EXPECT_EQ((std::vector<std::string>{c.message, c.message, c.message, c.message}), texts)
            << "field switch, Back, Preview, OK";
        EXPECT_EQ(std::vector<std::string>{"p2"}, previewedPrefixes) << "one preview, once the values hold, of the shown field too";
        EXPECT_FALSE(dlg.m_bBack) << "the refused Back does not send a later OK back";
        EXPECT_EQ(255, dlg.m_aMap[1].m_nPadWidth);
        EXPECT_STREQ("p2", dlg.m_aMap[1].m_strPrefix);
        EXPECT_STREQ("", dlg.m_aMap[2].m_strPrefix);
        FreeColumnArray(dlg.m_pColumns, dlg.m_nColumns);
    }
}

TEST_F(FieldMapDialog, BackStoresTheShownFieldForTheSameTableAgain)
{
    m_dlg.m_strTable = "articles";
    m_robot.Expect(IDD_FIELDMAP, {
        WaitForColumns(),
        SelectRow(IDC_COLUMN_LIST, "code"),
        Type(IDC_PREFIX, "kept"), SetCheck(IDC_PAD, true),
        Click(IDC_BACK),
    });
    EXPECT_EQ(IDOK, m_dlg.DoModal());
    EXPECT_TRUE(m_dlg.m_bBack);
    EXPECT_STREQ("kept", m_dlg.m_aMap[1].m_strPrefix);
    EXPECT_TRUE(m_dlg.m_aMap[1].m_bPad);
    EXPECT_EQ(std::vector<std::string>{}, Texts(m_robot.MessageBoxes()));
}

TEST_F(FieldMapDialog, RefusesOkWhileField2HasNoColumn)
{
    m_dlg.m_strTable = "articles";
    m_robot.Expect(IDD_FIELDMAP, {
        WaitForColumns(),
        ChooseEntry(IDC_OUTPUT_FIELD, "Field 1"),
        SelectRow(IDC_COLUMN_LIST, "name"),
        PressEnter(),
        Inspect([](HWND hDlg) { EXPECT_TRUE(::IsWindowVisible(hDlg)) << "the dialog stays"; }),
        Click(IDCANCEL),
    });
    EXPECT_EQ(IDCANCEL, m_dlg.DoModal());
    ASSERT_EQ(1u, m_robot.MessageBoxes().size());
    EXPECT_EQ(Str(IDS_NO_PRIMARY_COLUMN), m_robot.MessageBoxes()[0].text);
    EXPECT_EQ(Str(IDS_NO_PRIMARY_CAPTION), m_robot.MessageBoxes()[0].caption);
}

TEST_F(FieldMapDialog, LeavesTheListEmptyForATableWithoutColumns)
{
    m_dlg.m_strTable = "no_such_table";
    m_robot.Expect(IDD_FIELDMAP, {
        WaitForEmptyList(),
        Inspect([](HWND hDlg) {
            EXPECT_FALSE(IsEnabled(hDlg, IDOK));
            EXPECT_TRUE(IsEnabled(hDlg, IDC_BACK));
            EXPECT_FALSE(theConnection.m_db.IsOpen());
        }),
        Click(IDC_BACK),
    });
    EXPECT_EQ(IDOK, m_dlg.DoModal());
    EXPECT_TRUE(m_dlg.m_bBack);
    EXPECT_EQ(nullptr, m_dlg.m_pColumns);
    EXPECT_EQ(0, m_dlg.m_nColumns);
    EXPECT_EQ(std::vector<std::string>{}, Texts(m_robot.MessageBoxes()));
}

TEST_F(FieldMapDialog, ReportsAFailedConnectionOnceAndStaysUsable)
{
    CWinApp app("Field map test");
    AFX_MAINTAIN_STATE2 moduleState(AfxGetStaticModuleState());
    AfxGetModuleState()->m_hCurrentResourceHandle = s_hLanguageModule;
    theConnection.m_strConnect = szBroken;

    m_dlg.m_strTable = "articles";
    m_robot.Expect(IDD_FIELDMAP, {
        WaitForEmptyList(),
        WaitUntil([&](HWND) { return m_robot.MessageBoxes().size() == 1; }, "the failure reported"),
        Inspect([](HWND hDlg) {
            // Repaints do not try again.
            for (int i = 0; i < 3; ++i)
            {
                ::InvalidateRect(hDlg, nullptr, TRUE);
                ::UpdateWindow(hDlg);
            }
            EXPECT_FALSE(IsEnabled(hDlg, IDOK));
        }),
        Click(IDCANCEL),
    });
    EXPECT_EQ(IDCANCEL, m_dlg.DoModal());
    ASSERT_EQ(1u, m_robot.MessageBoxes().size());
    EXPECT_EQ(Str(IDS_FAILURE_OTHER) + "\n\n[SQLite]connect failed (SQLSTATE HY000)\n", m_robot.MessageBoxes()[0].text)
        << "what to do, then the driver's text";
    EXPECT_EQ("Field map test", m_robot.MessageBoxes()[0].caption);
    EXPECT_FALSE(theConnection.m_db.IsOpen());
    EXPECT_EQ(0, m_dlg.m_nColumns);
}

TEST_F(FieldMapDialog, TakesBackTheConditionsOfTheConditionList)
{
    m_dlg.m_strTable = "articles";
    m_robot.Expect({
        {IDD_FIELDMAP, {WaitForColumns(), Click(IDC_CONDITIONS), SelectRow(IDC_COLUMN_LIST, "code"), Click(IDOK)}},
        {IDD_CONDITIONLIST, {SetCheck(IDC_USE_CONDITIONS, true), Click(IDC_ADD_TEXT), Click(IDOK)}},
        {IDD_TEXTENTRY, {Type(IDC_TEXT, "code > 0"), Click(IDOK)}},
    });
    EXPECT_EQ(IDOK, m_dlg.DoModal());
    ASSERT_EQ(1, m_dlg.m_nConditions);
    EXPECT_STREQ("code > 0", m_dlg.m_pConditions[0].filterText);
    EXPECT_TRUE(m_dlg.m_bUseConditions);
    EXPECT_EQ(10, m_dlg.m_nColumns) << "the columns stay the dialog's";
}

TEST(FindColumn, TakesTheFirstRecordOfAName)
{
    CTestFieldMapDlg dlg;
    ColumnInfo columns[3];
    char szAmount[] = "amount", szCode[] = "code", szAmount2[] = "amount";
    columns[0].name = szAmount;
    columns[1].name = szCode;
    columns[2].name = szAmount2;
    struct Case { const char* name; int index; };
    const Case cases[] = {{"amount", 0}, {"code", 1}, {"Amount", -1}, {"amoun", -1}, {"", -1}, {nullptr, -1}};

    EXPECT_EQ(-1, dlg.FindColumn("amount")) << "no columns yet";
    dlg.m_pColumns = columns;
    dlg.m_nColumns = 3;
    for (const Case& c : cases)
        EXPECT_EQ(c.index, dlg.FindColumn(c.name)) << (c.name ? c.name : "(null)");
    dlg.m_pColumns = nullptr;
    dlg.m_nColumns = 0;
}
