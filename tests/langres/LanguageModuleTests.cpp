// The US-English language module carries every template, control, combo
// entry and string the dialogs use, in the form they expect.
#include "TestEnv.h"
#include "resource.h"

#include <gtest/gtest.h>
#include <commctrl.h>
#include <map>
#include <set>
#include <vector>

namespace
{
    class USEnglishModule : public ::testing::Test
    {
    protected:
        void SetUp() override
        {
            INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES};
            ::InitCommonControlsEx(&controls);
            m_hModule = ::LoadLibraryA(BinaryDirWindowsPath("rdmodbcres/RDMODBCRes.US").c_str());
            ASSERT_NE(nullptr, m_hModule);
        }
        void TearDown() override { ::FreeLibrary(m_hModule); }

        static INT_PTR CALLBACK IgnoreMessages(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

        HWND Create(int nTemplate) const
        {
            return ::CreateDialogParamA(m_hModule, MAKEINTRESOURCEA(nTemplate), nullptr, IgnoreMessages, 0);
        }

        // The combo entries of a template's initialisation data, per control.
        std::map<int, std::vector<std::string>> InitialEntries(int nTemplate) const
        {
            std::map<int, std::vector<std::string>> entries;
            HRSRC hInfo = ::FindResourceA(m_hModule, MAKEINTRESOURCEA(nTemplate), MAKEINTRESOURCEA(240));
            if (hInfo == nullptr)
                return entries;
            const BYTE* pData = (const BYTE*)::LockResource(::LoadResource(m_hModule, hInfo));
            const BYTE* pEnd = pData + ::SizeofResource(m_hModule, hInfo);
            while (pData + 2 <= pEnd && *(const WORD*)pData != 0)
            {
                WORD nControl = *(const WORD*)pData;
                WORD nMessage = *(const WORD*)(pData + 2);
                DWORD nLength = *(const DWORD*)(pData + 4);
                EXPECT_EQ(0x0403, nMessage) << "control " << nControl;
                EXPECT_EQ(0, pData[8 + nLength - 1]) << "entries end in NUL";
                entries[nControl].push_back((const char*)pData + 8);
                pData += 8 + nLength;
            }
            EXPECT_EQ(pEnd - 2, pData) << "one terminating WORD 0 ends the data";
            return entries;
        }

        HMODULE m_hModule = nullptr;
    };

    std::string ClassOf(HWND hWnd)
    {
        char szClass[64] = "";
        ::GetClassNameA(hWnd, szClass, sizeof szClass);
        return szClass;
    }

    struct Control { int nID; const char* pszClass; DWORD dwStyle; };

    const DWORD kListStyle = LVS_REPORT | LVS_SORTASCENDING | LVS_SINGLESEL | LVS_NOCOLUMNHEADER | LVS_SHOWSELALWAYS;
    const DWORD kUnsortedListStyle = LVS_REPORT | LVS_SINGLESEL | LVS_NOCOLUMNHEADER | LVS_SHOWSELALWAYS;
    const DWORD kCheck = BS_AUTOCHECKBOX;
    const DWORD kRadio = BS_AUTORADIOBUTTON;
    const DWORD kFirstRadio = BS_AUTORADIOBUTTON | WS_GROUP;

    struct Template { int nID; std::vector<Control> controls; };

    const std::vector<Template>& Templates()
    {
        static const std::vector<Template> templates = {
            {IDD_DATASOURCE, {{IDOK, "Button", BS_DEFPUSHBUTTON}, {IDCANCEL, "Button", 0},
                              {IDC_SOURCE_LIST, "SysListView32", kListStyle}, {IDC_BACK, "Button", 0},
                              {IDC_DSN_TYPE, "ComboBox", CBS_DROPDOWNLIST}, {IDC_INCLUDE_VIEWS, "Button", kCheck},
                              {IDC_INCLUDE_SYSTEM_TABLES, "Button", kCheck}, {IDC_DESCRIPTION, "Static", 0}}},
            {IDD_FIELDMAP, {{IDOK, "Button", BS_DEFPUSHBUTTON}, {IDCANCEL, "Button", 0}, {IDC_BACK, "Button", 0},
                            {IDC_COLUMN_LIST, "SysListView32", kListStyle}, {IDC_PREFIX, "Edit", 0},
                            {IDC_SUFFIX, "Edit", 0}, {IDC_OUTPUT_FIELD, "ComboBox", CBS_DROPDOWNLIST},
                            {IDC_CONDITIONS, "Button", 0}, {IDC_AS_DELIVERED, "Button", kFirstRadio},
                            {IDC_AS_DATE, "Button", kRadio}, {IDC_AS_TIME, "Button", kRadio},
                            {IDC_PAD_WIDTH, "Edit", ES_NUMBER}, {IDC_FILL, "Edit", 0}, {IDC_PAD, "Button", kCheck},
                            {IDC_PAD_RIGHT, "Button", kCheck}, {IDC_INTEGER, "Button", kCheck},
                            {IDC_SORT, "Button", 0}, {IDC_SORT_ORDER, "Static", SS_NOPREFIX}}},
            {IDD_CONDITIONLIST, {{IDOK, "Button", BS_DEFPUSHBUTTON}, {IDCANCEL, "Button", 0},
                                 {IDC_ALL_ROWS, "Button", kFirstRadio}, {IDC_USE_CONDITIONS, "Button", kRadio},
                                 {IDC_CONDITION_LIST, "SysListView32", kUnsortedListStyle | WS_GROUP},
                                 {IDC_ADD_CONDITION, "Button", 0}, {IDC_ADD_TEXT, "Button", 0},
                                 {IDC_REMOVE_CONDITION, "Button", 0}}},
            {IDD_CONDITION, {{IDOK, "Button", BS_DEFPUSHBUTTON}, {IDCANCEL, "Button", 0},
                             {IDC_COLUMN, "ComboBox", CBS_DROPDOWNLIST}, {IDC_TYPE_NAME, "Static", 0},
                             {IDC_OPERATOR, "ComboBox", CBS_DROPDOWNLIST}, {IDC_VALUE1, "Edit", 0},
                             {IDC_VALUE2, "Edit", 0}, {IDC_NEGATE, "Button", kCheck}}},
            {IDD_TEXTENTRY, {{IDOK, "Button", BS_DEFPUSHBUTTON}, {IDCANCEL, "Button", 0}, {IDC_TEXT, "Edit", 0}}},
            {IDD_SORT, {{IDOK, "Button", BS_DEFPUSHBUTTON}, {IDCANCEL, "Button", 0},
                        {IDC_SORT_KEY1, "ComboBox", CBS_DROPDOWNLIST}, {IDC_SORT_KEY2, "ComboBox", CBS_DROPDOWNLIST},
                        {IDC_SORT_KEY3, "ComboBox", CBS_DROPDOWNLIST}, {IDC_SORT_DESCENDING1, "Button", kCheck},
                        {IDC_SORT_DESCENDING2, "Button", kCheck}, {IDC_SORT_DESCENDING3, "Button", kCheck}}},
        };
        return templates;
    }

    BOOL CALLBACK CollectMnemonic(HWND hWnd, LPARAM lParam)
    {
        char szText[256] = "";
        ::GetWindowTextA(hWnd, szText, sizeof szText);
        auto* pMnemonics = (std::vector<char>*)lParam;
        for (const char* psz = szText; *psz; ++psz)
            if (psz[0] == '&' && psz[1] != '\0' && psz[1] != '&')
                pMnemonics->push_back((char)toupper((unsigned char)psz[1]));
        return TRUE;
    }
}

TEST_F(USEnglishModule, TemplatesHoldEveryControlTheDialogsUse)
{
    for (const Template& t : Templates())
    {
        HWND hDlg = Create(t.nID);
        ASSERT_NE(nullptr, hDlg) << "template " << t.nID;
        for (const Control& c : t.controls)
        {
            SCOPED_TRACE("template " + std::to_string(t.nID) + ", control " + std::to_string(c.nID));
            HWND hControl = ::GetDlgItem(hDlg, c.nID);
            ASSERT_NE(nullptr, hControl);
            EXPECT_EQ(c.pszClass, ClassOf(hControl));
            DWORD dwStyle = (DWORD)::GetWindowLongA(hControl, GWL_STYLE);
            if (c.pszClass == std::string("Button"))
            {
                // A button's kind is a value in its low bits, not a set of flags.
                EXPECT_EQ(c.dwStyle & BS_TYPEMASK, dwStyle & BS_TYPEMASK);
                EXPECT_EQ(c.dwStyle & ~BS_TYPEMASK, dwStyle & c.dwStyle & ~BS_TYPEMASK);
            }
            else
            {
                EXPECT_EQ(c.dwStyle, dwStyle & c.dwStyle);
            }
            if (c.pszClass == std::string("ComboBox"))
            {
                EXPECT_EQ(0u, dwStyle & CBS_SORT) << "entries keep the order the dialog gives them";
            }
        }
        ::DestroyWindow(hDlg);
    }
}

TEST_F(USEnglishModule, RadioGroupsEndWhereTheDialogsExpect)
{
    // The control after the last radio button starts a new group, so that
    // the group's value counts only its own buttons.
    struct Group { int nTemplate; int nLast; };
    for (Group g : {Group{IDD_FIELDMAP, IDC_AS_TIME}, Group{IDD_CONDITIONLIST, IDC_USE_CONDITIONS}})
    {
        HWND hDlg = Create(g.nTemplate);
        ASSERT_NE(nullptr, hDlg);
        HWND hNext = ::GetWindow(::GetDlgItem(hDlg, g.nLast), GW_HWNDNEXT);
        ASSERT_NE(nullptr, hNext);
        EXPECT_NE(0, ::GetWindowLongA(hNext, GWL_STYLE) & WS_GROUP) << "template " << g.nTemplate;
        ::DestroyWindow(hDlg);
    }
    HWND hDlg = Create(IDD_FIELDMAP);
    EXPECT_EQ(::GetDlgItem(hDlg, IDC_AS_DATE), ::GetWindow(::GetDlgItem(hDlg, IDC_AS_DELIVERED), GW_HWNDNEXT));
    EXPECT_EQ(::GetDlgItem(hDlg, IDC_AS_TIME), ::GetWindow(::GetDlgItem(hDlg, IDC_AS_DATE), GW_HWNDNEXT));
    ::DestroyWindow(hDlg);
}

TEST_F(USEnglishModule, EachDialogUsesEveryMnemonicOnce)
{
    for (const Template& t : Templates())
    {
        HWND hDlg = Create(t.nID);
        std::vector<char> mnemonics;
        ::EnumChildWindows(hDlg, CollectMnemonic, (LPARAM)&mnemonics);
        std::set<char> unique(mnemonics.begin(), mnemonics.end());
        EXPECT_EQ(mnemonics.size(), unique.size()) << "template " << t.nID;
        ::DestroyWindow(hDlg);
    }
}

TEST_F(USEnglishModule, CombosStartWithTheirEntries)
{
    const std::map<int, std::vector<std::string>> dataSource = {
        {IDC_DSN_TYPE, {"System data sources", "User data sources"}}};
    const std::map<int, std::vector<std::string>> fieldMap = {
        {IDC_OUTPUT_FIELD, {"Field 1", "Field 2", "Field 3", "Field 4"}}};
    EXPECT_EQ(dataSource, InitialEntries(IDD_DATASOURCE));
    EXPECT_EQ(fieldMap, InitialEntries(IDD_FIELDMAP));
}

TEST_F(USEnglishModule, HoldsEveryStringTheModuleReads)
{
    std::set<std::string> operators;
    for (UINT nID = 1; nID <= IDS_SORT_DESCENDING; ++nID)
    {
        char szText[256] = "";
        int nLength = ::LoadStringA(m_hModule, nID, szText, sizeof szText);
        if (nID == 4 || nID == 6 || nID == 18)
            continue;
        EXPECT_GT(nLength, 0) << "string " << nID;
        if ((nID >= 7 && nID <= 12) || (nID >= 15 && nID <= 17))
            operators.insert(szText);
    }
    EXPECT_EQ(9u, operators.size()) << "the editor tells operators apart by their texts";
}
