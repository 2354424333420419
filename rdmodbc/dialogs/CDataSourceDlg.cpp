#include "CDataSourceDlg.h"
#include "ListColumn.h"
#include "MessageDrain.h"
#include "SortedListFill.h"

#include "framework/CComboBox.h"
#include "framework/CException.h"
#include "framework/CUserException.h"
#include "langres/ResString.h"
#include "query/Identifier.h"
#include "resource.h"

#include <stdlib.h>
#include <string.h>

namespace
{
    // Combo 1002 lists the system data sources first, the user ones second.
    const int nSystemItem = 0;
    const int nUserItem = 1;
}

BEGIN_MESSAGE_MAP(CDataSourceDlg, CDialog)
    ON_BN_CLICKED(IDC_BACK, OnBack)
    ON_CBN_SELCHANGE(IDC_DSN_TYPE, OnSelChangeDsnType)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_SOURCE_LIST, OnItemChangedList)
    ON_BN_CLICKED(IDC_INCLUDE_VIEWS, OnIncludeViews)
    ON_BN_CLICKED(IDC_INCLUDE_SYSTEM_TABLES, OnIncludeSystemTables)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CDataSourceDlg::CDataSourceDlg(SessionConnection& connection, CWnd* pParent)
    : CDialog(IDD_DATASOURCE, pParent), m_connection(connection)
{
}

CDataSourceDlg::~CDataSourceDlg()
{
    FreeEntries();
}

BOOL CDataSourceDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    // The kind the caller asks for: user data sources unless the last
    // import was of a system one.
    if (m_nDsnType != dsnSystem)
        m_nDsnType = dsnUser;
    CComboBox comboDsnType;
    comboDsnType.Attach(GetDlgItem(IDC_DSN_TYPE));
    comboDsnType.SetCurSel(m_nDsnType == dsnSystem ? nSystemItem : nUserItem);

    m_list.Attach(GetDlgItem(IDC_SOURCE_LIST));
    if (m_list.m_hWnd)
    {
        InsertListColumn(m_list);
    }

    m_wndDescription.SubclassDlgItem(IDC_DESCRIPTION, this);
    m_wndDescription.SetWindowText(LoadResString(IDS_NO_DESCRIPTION));

    ShowControl(IDC_INCLUDE_VIEWS, SW_HIDE);
    ShowControl(IDC_INCLUDE_SYSTEM_TABLES, SW_HIDE);
    CheckDlgButton(IDC_INCLUDE_VIEWS, m_bIncludeViews);
    CheckDlgButton(IDC_INCLUDE_SYSTEM_TABLES, m_bIncludeSystemTables);

    BOOL bReconnect = m_bReconnect;
    ShowDataSources();
    m_bReconnect = bReconnect;

    // Back from the field mapping: straight on to the tables of the data
    // source of the last run, with its completed connect string.
    if (m_bReconnect)
        OnOK();
    if (m_list.m_hWnd == nullptr)
        return TRUE;
    GotoDlgCtrl(&m_list);
    return FALSE;
}

void CDataSourceDlg::ShowDataSources()
{
    m_bReconnect = FALSE;
    m_connection.m_db.Close();

    ShowControl(IDC_BACK, SW_HIDE);
    ShowControl(IDC_DSN_TYPE, SW_SHOW);
    SetWindowText(LoadResString(IDS_TITLE_DATASOURCE));
    if (m_list.m_hWnd == nullptr)
        return;

    m_list.DeleteAllItems();
    FreeEntries();

    COdbcEnvironment environment;
    BOOL bPreselected = FALSE;
    for (CString strName = environment.GetFirstDataSource(m_nDsnType); !strName.IsEmpty();
         strName = environment.GetNextDataSource())
    {
        int nRow = m_list.InsertItem(0, strName);
        if (strName == m_strDataSource && nRow >= 0)
        {
            m_list.SetItemState(nRow, LVIS_SELECTED, LVIS_SELECTED);
            bPreselected = TRUE;
        }
        AddEntry(strName, environment.m_strDescription);
    }
    // Later rows have moved the preselected one; it is wherever the
    // selection is now.
    if (bPreselected)
        m_list.EnsureVisible(m_list.GetFirstSelected(), FALSE);
    if (m_list.GetFirstSelected() < 0)
        EnableControl(IDOK, FALSE);
    if (m_list.GetItemCount() == 0)
        ExplainEmptyList(environment.m_nRetCode == SQL_NO_DATA ? IDS_NO_DATA_SOURCES : IDS_NO_DRIVER_MANAGER);

    ShowControl(IDC_INCLUDE_VIEWS, SW_HIDE);
    ShowControl(IDC_INCLUDE_SYSTEM_TABLES, SW_HIDE);
}

// A host of one bitness reaches only the driver manager, the drivers and so
// the data sources of that bitness, which a user with both kinds installed
// may not know. An older language module has no words for it.
void CDataSourceDlg::ExplainEmptyList(UINT nReason)
{
    const CString strFormat = LoadResString(nReason);
    if (strFormat.IsEmpty())
        return;
    const int nBits = (int)sizeof(void*) * 8;
    CString strText;
    strText.Format(strFormat, nBits, nBits);
    m_wndDescription.SetWindowText(strText);
}

// Each step starts in its list, where the user chooses: the button that led
// there may be hidden or disabled now, and the keyboard's focus with it.
void CDataSourceDlg::OnBack()
{
    ShowDataSources();
    if (m_list.m_hWnd != nullptr)
        GotoDlgCtrl(&m_list);
}

void CDataSourceDlg::OnSelChangeDsnType()
{
    CComboBox comboDsnType;
    comboDsnType.Attach(GetDlgItem(IDC_DSN_TYPE));
    m_nDsnType = comboDsnType.GetCurSel() == nSystemItem ? dsnSystem : dsnUser;
    m_wndDescription.SetWindowText(LoadResString(IDS_NO_DESCRIPTION));
    ShowDataSources();
}

void CDataSourceDlg::OnItemChangedList(NMHDR*, LRESULT* pResult)
{
    if (m_list.m_hWnd)
    {
        CString strText = SelectedText();
        EnableControl(IDOK, m_list.GetFirstSelected() >= 0);
        LPCSTR pszDescription = FindDescription(strText);
        m_wndDescription.SetWindowText(pszDescription ? pszDescription : (LPCSTR)LoadResString(IDS_NO_DESCRIPTION));
    }
    *pResult = 0;
}

void CDataSourceDlg::OnOK()
{
    if (m_list.m_hWnd == nullptr)
        return;

    CString strTitle;
    GetWindowText(strTitle);
    if (strTitle == LoadResString(IDS_TITLE_DATASOURCE))
    {
        if (m_list.GetFirstSelected() >= 0)
            m_strDataSource = SelectedText();
        m_list.DeleteAllItems();
        m_list.InsertItem(0, LoadResString(IDS_LOADING));

        BOOL bListed;
        try
        {
            bListed = ListTables(m_bIncludeViews, m_bIncludeSystemTables);
        }
        catch (CException*)
        {
            // The data sources come back before the error is reported, so
            // that the placeholder row cannot be taken for a data source.
            ShowDataSources();
            throw;
        }
        if (!bListed)
        {
            ShowDataSources();
            return;
        }
        m_wndDescription.SetWindowText(LoadResString(IDS_NO_DESCRIPTION));
        SetWindowText(LoadResString(IDS_TITLE_TABLE));
        ShowControl(IDC_BACK, SW_SHOW);
        ShowControl(IDC_DSN_TYPE, SW_HIDE);
        ShowControl(IDC_INCLUDE_VIEWS, SW_SHOW);
        ShowControl(IDC_INCLUDE_SYSTEM_TABLES, SW_SHOW);
        // The table of the last run, or of the last import, is chosen
        // already: Enter goes on with it.
        EnableControl(IDOK, m_list.GetFirstSelected() >= 0);
        GotoDlgCtrl(&m_list);
        return;
    }

    if (const TableRow* pTable = SelectedTable())
    {
        m_strTable = pTable->strName;
        m_strSchema = pTable->strSchema;
    }
    m_connection.m_db.Close();
    if (GetDlgItem(IDC_INCLUDE_VIEWS))
        m_bIncludeViews = IsDlgButtonChecked(IDC_INCLUDE_VIEWS) == BST_CHECKED;
    if (GetDlgItem(IDC_INCLUDE_SYSTEM_TABLES))
        m_bIncludeSystemTables = IsDlgButtonChecked(IDC_INCLUDE_SYSTEM_TABLES) == BST_CHECKED;
    CDialog::OnOK();
}

BOOL CDataSourceDlg::ListTables(BOOL bIncludeViews, BOOL bIncludeSystemTables)
{
    // The list is drawn (with the placeholder row, or emptied) before the
    // thread blocks in the driver; nothing is processed while it connects.
    DrainMessages(m_hWnd);

    if (m_strDataSource.IsEmpty() || m_list.m_hWnd == nullptr)
        return FALSE;
    if (!OpenConnection(m_connection, m_strDataSource, m_bReconnect))
        return FALSE;

    std::vector<TableRow> rows;
    // A read the user cancelled leaves the tables listed before.
    const BOOL bRead = ReadTableCatalog(m_connection.m_db, bIncludeViews, bIncludeSystemTables, rows);
    m_tables = bRead ? std::move(rows) : std::vector<TableRow>();
    ShowTables();
    SelectTable(m_strSchema, m_strTable);
    return TRUE;
}

void CDataSourceDlg::ShowTables()
{
    m_list.DeleteAllItems();
    FreeEntries();
    // A table of another schema shows with its schema, so that two tables
    // of one name can be told apart; the row knows its table by its item
    // data, not by its text.
    std::vector<CString> names;
    for (const TableRow& table : m_tables)
    {
        names.push_back(TableDisplayName(table.strSchema, table.strName, m_connection.m_dialect));
        // The entries come first, so that selecting a row shows its remarks.
        AddEntry(names.back(), table.strRemarks);
    }
    std::vector<LPCSTR> texts(names.begin(), names.end());
    InsertSortedRows(m_list, texts, FALSE);
}

void CDataSourceDlg::OnIncludeViews()
{
    RefillTables(IDC_INCLUDE_VIEWS);
}

void CDataSourceDlg::OnIncludeSystemTables()
{
    RefillTables(IDC_INCLUDE_SYSTEM_TABLES);
}

// One of the two filter check boxes changed: the tables are read again with
// the new filter, and the row the user had chosen stays chosen if it is
// still listed.
void CDataSourceDlg::RefillTables(int nCheckBox)
{
    if (m_list.m_hWnd == nullptr)
        return;

    const TableRow* pKept = SelectedTable();
    const CString strKeptSchema = pKept ? pKept->strSchema : CString();
    const CString strKeptName = pKept ? pKept->strName : CString();
    m_list.DeleteAllItems();
    if (GetDlgItem(nCheckBox))
    {
        BOOL bChecked = IsDlgButtonChecked(nCheckBox);
        try
        {
            if (nCheckBox == IDC_INCLUDE_VIEWS)
            {
                ListTables(bChecked != 0, m_bIncludeSystemTables);
                m_bIncludeViews = bChecked;
            }
            else
            {
                ListTables(m_bIncludeViews, bChecked != 0);
                m_bIncludeSystemTables = bChecked;
            }
        }
        catch (CUserException* pException)
        {
            // Cancelled: the box and the list as they were.
            pException->Delete();
            CheckDlgButton(nCheckBox, bChecked ? BST_UNCHECKED : BST_CHECKED);
            ShowTables();
        }
    }
    if (!strKeptName.IsEmpty())
        SelectTable(strKeptSchema, strKeptName);
    EnableControl(IDOK, m_list.GetFirstSelected() >= 0);
}

CString CDataSourceDlg::SelectedText() const
{
    int nRow = m_list.GetFirstSelected();
    return nRow >= 0 ? m_list.GetItemText(nRow, 0) : CString();
}

const TableRow* CDataSourceDlg::SelectedTable() const
{
    int nRow = m_list.GetFirstSelected();
    if (nRow < 0)
        return nullptr;
    size_t nTable = (size_t)m_list.GetItemData(nRow);
    return nTable < m_tables.size() ? &m_tables[nTable] : nullptr;
}

BOOL CDataSourceDlg::SelectTable(const CString& strSchema, const CString& strName)
{
    for (int nRow = 0; nRow < m_list.GetItemCount(); ++nRow)
    {
        size_t nTable = (size_t)m_list.GetItemData(nRow);
        if (nTable < m_tables.size() && m_tables[nTable].strName == strName && m_tables[nTable].strSchema == strSchema)
        {
            m_list.SetItemState(nRow, LVIS_SELECTED, LVIS_SELECTED);
            m_list.EnsureVisible(nRow, FALSE);
            return TRUE;
        }
    }
    return FALSE;
}

void CDataSourceDlg::OnCancel()
{
    m_connection.m_db.Close();
    CDialog::OnCancel();
}

void CDataSourceDlg::OnDestroy()
{
    CDialog::OnDestroy();
    // However the dialog ends, the session's connection is not left open.
    m_connection.m_db.Close();
    FreeEntries();
    // The object may run again; it must not keep handles of this window.
    m_list.Detach();
    m_wndDescription.Detach();
}

void CDataSourceDlg::AddEntry(LPCSTR pszName, LPCSTR pszDescription)
{
    if (pszName == nullptr)
        return;
    if (m_nEntries == m_nEntryCapacity)
    {
        int nCapacity = m_nEntryCapacity ? 2 * m_nEntryCapacity : 16;
        DescriptionEntry* pEntries = (DescriptionEntry*)realloc(m_pEntries, nCapacity * sizeof(DescriptionEntry));
        // Without room the row simply has no description.
        if (pEntries == nullptr)
            return;
        m_pEntries = pEntries;
        m_nEntryCapacity = nCapacity;
    }
    DescriptionEntry& entry = m_pEntries[m_nEntries++];
    entry.pszName = _strdup(pszName);
    entry.pszDescription = pszDescription && *pszDescription ? _strdup(pszDescription) : nullptr;
}

LPCSTR CDataSourceDlg::FindDescription(LPCSTR pszText) const
{
    if (pszText == nullptr)
        return nullptr;
    for (int i = 0; i < m_nEntries; ++i)
        if (m_pEntries[i].pszName && strcmp(m_pEntries[i].pszName, pszText) == 0)
            return m_pEntries[i].pszDescription;
    return nullptr;
}

void CDataSourceDlg::FreeEntries()
{
    for (int i = 0; i < m_nEntries; ++i)
    {
        free(m_pEntries[i].pszName);
        free(m_pEntries[i].pszDescription);
    }
    free(m_pEntries);
    m_pEntries = nullptr;
    m_nEntries = 0;
    m_nEntryCapacity = 0;
}
