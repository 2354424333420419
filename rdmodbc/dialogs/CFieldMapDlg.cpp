#include "CFieldMapDlg.h"

#include "CAskValuesDlg.h"
#include "CConditionListDlg.h"
#include "CSortDlg.h"
#include "ColumnArray.h"
#include "ListColumn.h"
#include "MessageDrain.h"
#include "SortedListFill.h"
#include "framework/CComboBox.h"
#include "framework/CDataExchange.h"
#include "framework/CPaintDC.h"
#include "framework/CUserException.h"
#include "langres/ResString.h"
#include "query/Condition.h"
#include "resource.h"

#include <algorithm>

namespace
{
    BOOL IsFloatingPointType(int nSqlDataType)
    {
        return nSqlDataType == SQL_FLOAT || nSqlDataType == SQL_REAL || nSqlDataType == SQL_DOUBLE;
    }

    // Drivers of ODBC 2 report every date and time type as SQL_DATETIME; an
    // ODBC 3 driver (SQLite's, for one) reports the type codes of date, time
    // and timestamp.
    BOOL IsDateTimeType(int nSqlDataType)
    {
        return nSqlDataType == SQL_DATETIME || nSqlDataType == SQL_TYPE_DATE || nSqlDataType == SQL_TYPE_TIME
            || nSqlDataType == SQL_TYPE_TIMESTAMP;
    }
}

BEGIN_MESSAGE_MAP(CFieldMapDlg, CDialog)
    ON_CBN_SELCHANGE(IDC_OUTPUT_FIELD, OnSelChangeField)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_COLUMN_LIST, OnItemChangedColumns)
    ON_BN_CLICKED(IDC_BACK, OnBack)
    ON_BN_CLICKED(IDC_CONDITIONS, OnConditions)
    ON_BN_CLICKED(IDC_SORT, OnSort)
    ON_BN_CLICKED(IDC_PREVIEW, OnPreview)
    ON_BN_CLICKED(IDC_CLEAR_CHOICES, OnClearChoices)
    ON_WM_PAINT()
END_MESSAGE_MAP()

CFieldMapDlg::CFieldMapDlg(SessionConnection& connection, CWnd* pParent)
    : CDialog(IDD_FIELDMAP, pParent), m_connection(connection)
{
}

void CFieldMapDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, IDC_FILL, m_strFill);
    DDV_MaxChars(pDX, m_strFill, 1);
    DDX_Text(pDX, IDC_PAD_WIDTH, m_nWidth);
    DDV_MinMaxUInt(pDX, m_nWidth, 0, 255);
    DDX_Check(pDX, IDC_PAD, m_bPad);
    DDX_Check(pDX, IDC_PAD_RIGHT, m_bPadRight);
    DDX_Check(pDX, IDC_INTEGER, m_bInteger);
    DDX_Radio(pDX, IDC_AS_DELIVERED, m_nDateTime);
    // An older language module does not offer the option.
    if (GetDlgItem(IDC_ONLY_WITH_VALUE) != nullptr)
        DDX_Check(pDX, IDC_ONLY_WITH_VALUE, m_shownOptions.m_bOnlyWithValue);
}

BOOL CFieldMapDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    // The primary field is the one that must have a column: show it first.
    m_nCurField = PRIMARY_FIELD_INDEX;
    CComboBox comboField;
    comboField.Attach(GetDlgItem(IDC_OUTPUT_FIELD));
    comboField.SetCurSel(m_nCurField);

    m_listColumns.Attach(GetDlgItem(IDC_COLUMN_LIST));
    InsertListColumn(m_listColumns);

    if (m_bKeepChoices)
    {
        // What a choice of the last import has no control for in this
        // language module is not kept: it would act unseen.
        if (GetDlgItem(IDC_ONLY_WITH_VALUE) == nullptr)
        {
            for (FieldMapping& field : m_aMap)
                field.m_bOnlyWithValue = FALSE;
        }
        if (GetDlgItem(IDC_SORT) == nullptr)
        {
            for (SortKey& key : m_aSortKeys)
                key = SortKey();
        }
        LoadControls(m_aMap[m_nCurField]);
        UpdateData(FALSE);
    }
    else
        ClearChoices();
    m_bBack = FALSE;
    ShowSortOrder();
    EnableControl(IDC_PREVIEW, m_showPreview != nullptr);

    EnableControl(IDOK, FALSE);
    if (m_bKeepChoices && m_pColumns != nullptr)
    {
        // Back after a failed open, or on the same table again after Back:
        // the columns are in hand, and the data source may be what failed.
        // The list and every choice stay; OK tries the open again.
        ListColumns();
        return TRUE;
    }
    // The columns are read on the first paint; until then the user sees that
    // they are on their way.
    m_listColumns.InsertItem(LVIF_TEXT | LVIF_IMAGE, 0, LoadResString(IDS_LOADING_COLUMNS), 0, 0, 0, 0);
    m_fill = ColumnFill::pending;
    return TRUE;
}

void CFieldMapDlg::OnPaint()
{
    CPaintDC dc(this);
    if (m_fill != ColumnFill::pending)
        return;
    // A paint dispatched by the fill's own message drain must not start a
    // second fill; and a failed connection leaves by exception, is reported
    // once, and must not come back with every repaint.
    m_fill = ColumnFill::running;
    try
    {
        FillColumnList();
    }
    catch (...)
    {
        m_fill = ColumnFill::idle;
        throw;
    }
}

void CFieldMapDlg::FillColumnList()
{
    // The dialog and the host's windows draw themselves before the catalog
    // queries block the thread in the driver.
    DrainMessages(m_hWnd);
    m_listColumns.DeleteAllItems();
    FreeColumnArray(m_pColumns, m_nColumns);

    CDatabase& db = m_connection.m_db;
    BOOL bRead = FALSE;
    try
    {
        ReopenConnection(m_connection);
        // Half a column list would be taken for the table's: a column
        // missing from it would take the choices made on it along.
        bRead = ReadColumnArray(db, m_strSchema, m_strTable, m_pColumns, m_nColumns);
    }
    catch (CUserException* pException)
    {
        // Cancelled: back to the tables, every choice kept.
        pException->Delete();
        FreeColumnArray(m_pColumns, m_nColumns);
        db.Close();
        m_fill = ColumnFill::idle;
        OnBack();
        return;
    }
    if (!bRead)
        FreeColumnArray(m_pColumns, m_nColumns);
    ListColumns();

    // The dialog borrows the session's connection and leaves it closed.
    db.Close();

    if (!bRead)
    {
        // Every choice stays as it is, the last import's too: the next read
        // of the columns judges them.
        CString strMessage = LoadResString(IDS_COLUMNS_UNREADABLE);
        if (strMessage.IsEmpty())
            strMessage = "The columns of this table could not be read.";
        MessageBox(strMessage, LoadResString(IDS_APP_TITLE), MB_ICONERROR);
        return;
    }
    // With the last import's choices, what the table no longer has goes, and
    // the conditions are written for the engine as it is now.
    if (m_bRemembered)
        ComposeRememberedChoices();
}

void CFieldMapDlg::ListColumns()
{
    std::vector<LPCSTR> texts;
    for (int i = 0; i < m_nColumns; ++i)
        texts.push_back(m_pColumns[i].name ? m_pColumns[i].name : "");
    InsertSortedRows(m_listColumns, texts, TRUE);
    // The columns are the user's to choose from now; the shown field's
    // column, if it has one, is chosen again.
    m_fill = ColumnFill::idle;
    ShowColumnOf(m_nCurField);
}

int CFieldMapDlg::FindColumn(LPCSTR pszName) const
{
    const ColumnInfo* pColumn = FindColumnInfo(m_pColumns, m_nColumns, pszName);
    return pColumn ? (int)(pColumn - m_pColumns) : -1;
}

void CFieldMapDlg::EnableDateTimeGroup(BOOL bEnable)
{
    EnableControl(IDC_AS_DELIVERED, bEnable);
    EnableControl(IDC_AS_TIME, bEnable);
    EnableControl(IDC_AS_DATE, bEnable);
}

void CFieldMapDlg::OnItemChangedColumns(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    // Until the columns are in, the list holds the placeholder row, which is
    // no column.
    if (m_fill != ColumnFill::idle)
        return;
    int nItem = m_listColumns.GetFirstSelected();
    CString strName = nItem >= 0 ? m_listColumns.GetItemText(nItem, 0) : CString();

    m_aMap[m_nCurField].m_strColumn = strName;
    if (m_nCurField == PRIMARY_FIELD_INDEX)
        EnableControl(IDOK, !strName.IsEmpty());

    ShowSortOrder();

    // The options keep their values while disabled: they are stored and
    // applied like any other.
    EnableControl(IDC_INTEGER, FALSE);
    EnableDateTimeGroup(FALSE);
    int nColumn = FindColumn(strName);
    if (nColumn >= 0)
    {
        int nSqlDataType = m_pColumns[nColumn].sqlDataType;
        if (IsFloatingPointType(nSqlDataType))
            EnableControl(IDC_INTEGER, TRUE);
        else if (IsDateTimeType(nSqlDataType))
            EnableDateTimeGroup(TRUE);
    }
}

void CFieldMapDlg::OnSelChangeField()
{
    CComboBox comboField;
    comboField.Attach(GetDlgItem(IDC_OUTPUT_FIELD));
    int nPrevious = m_nCurField;
    // A language module's list may hold more entries than there are output
    // fields, or leave none selected: such a choice is not a field.
    int nSelected = comboField.GetCurSel();
    if (nSelected < 0 || nSelected >= OUTPUT_FIELDS)
    {
        comboField.SetCurSel(nPrevious);
        return;
    }
    m_nCurField = nSelected;

    if (!UpdateData(TRUE))
    {
        comboField.SetCurSel(nPrevious);
        m_nCurField = nPrevious;
        return;
    }

    ShowColumnOf(m_nCurField);
    StoreControls(m_aMap[nPrevious]);
    LoadControls(m_aMap[m_nCurField]);
    UpdateData(FALSE);
}

void CFieldMapDlg::OnConditions()
{
    CConditionListDlg dlg;
    dlg.m_pColumns = m_pColumns;
    dlg.m_nColumns = m_nColumns;
    dlg.m_dialect = m_connection.m_dialect;
    dlg.m_pConditions = m_pConditions;
    dlg.m_nConditions = m_nConditions;
    dlg.m_bUseConditions = m_bUseConditions;
    if (dlg.DoModal() == IDOK)
    {
        m_pConditions = dlg.m_pConditions;
        m_nConditions = dlg.m_nConditions;
        m_bUseConditions = dlg.m_bUseConditions;
    }
}

void CFieldMapDlg::OnSort()
{
    CSortDlg dlg;
    for (int k = 0; k < OUTPUT_FIELDS; ++k)
    {
        if (!m_aMap[k].m_strColumn.IsEmpty())
            dlg.m_choices.push_back({k, FieldLabel(k)});
    }
    std::copy(std::begin(m_aSortKeys), std::end(m_aSortKeys), dlg.m_aKeys);
    if (dlg.DoModal() != IDOK)
        return;
    std::copy(std::begin(dlg.m_aKeys), std::end(dlg.m_aKeys), m_aSortKeys);
    ShowSortOrder();
}

void CFieldMapDlg::OnPreview()
{
    // As on a field switch: the shown field's values must hold first.
    if (!m_showPreview || !UpdateData(TRUE))
        return;
    StoreControls(m_aMap[m_nCurField]);
    if (AskConditionValues())
        m_showPreview(*this);
}

void CFieldMapDlg::OnClearChoices()
{
    ClearChoices();
    LoadControls(m_aMap[m_nCurField]);
    UpdateData(FALSE);
    ShowColumnOf(m_nCurField);
    ShowSortOrder();
}

void CFieldMapDlg::OnOK()
{
    if (m_aMap[PRIMARY_FIELD_INDEX].m_strColumn.IsEmpty())
    {
        MessageBox(LoadResString(IDS_NO_PRIMARY_COLUMN), LoadResString(IDS_NO_PRIMARY_CAPTION), MB_ICONERROR);
        return;
    }
    if (!UpdateData(TRUE))
        return;
    StoreControls(m_aMap[m_nCurField]);
    // A key whose field has lost its column goes, and so does a field's
    // second place.
    std::vector<SortKey> keys = EffectiveSortKeys();
    for (int i = 0; i < SORT_KEYS; ++i)
        m_aSortKeys[i] = i < (int)keys.size() ? keys[i] : SortKey();
    if (AskConditionValues())
        CDialog::OnOK();
}

BOOL CFieldMapDlg::AskConditionValues()
{
    if (!HasAskedConditions(m_pConditions, m_nConditions, m_bUseConditions))
        return TRUE;
    CAskValuesDlg dlg(this);
    dlg.m_dialect = m_connection.m_dialect;
    dlg.m_pConditions = m_pConditions;
    dlg.m_nConditions = m_nConditions;
    if (dlg.HasTemplate())
        return dlg.DoModal() == IDOK;
    // A language module without the question: each condition goes with the
    // values last given, and one that was never given any cannot go.
    for (int i = 0; i < m_nConditions; ++i)
    {
        if (m_pConditions[i].asked && m_pConditions[i].filterText == nullptr)
        {
            MessageBox(LoadResString(IDS_MISSING_VALUE), LoadResString(IDS_APP_TITLE), MB_ICONERROR);
            return FALSE;
        }
    }
    return TRUE;
}

void CFieldMapDlg::OnBack()
{
    // The shown field is stored as on OK: what the user set comes back when
    // the table step leads to the same table again. A refused value keeps
    // the dialog open.
    if (!UpdateData(TRUE))
        return;
    StoreControls(m_aMap[m_nCurField]);
    m_bBack = TRUE;
    EndDialog(IDOK);
}

void CFieldMapDlg::ClearChoices()
{
    for (FieldMapping& field : m_aMap)
    {
        field = FieldMapping();
        field.m_chPad = '0';
    }
    FreeColumnArray(m_pConditions, m_nConditions);
    m_bUseConditions = FALSE;
    for (SortKey& key : m_aSortKeys)
        key = SortKey();
}

void CFieldMapDlg::ComposeRememberedChoices()
{
    m_bRemembered = FALSE;
    std::vector<CString> gone, unwritten;
    for (FieldMapping& field : m_aMap)
    {
        if (field.m_strColumn.IsEmpty() || FindColumn(field.m_strColumn) >= 0)
            continue;
        gone.push_back(field.m_strColumn);
        field.m_strColumn = "";
    }
    const SqlDialect& dialect = m_connection.m_dialect;
    RecomposeConditions(m_pConditions, m_nConditions, m_pColumns, m_nColumns, dialect,
                        !m_rememberedReading || ReadsTextAlike(*m_rememberedReading, dialect), gone, unwritten);
    ShowSortOrder();

    // "a", "b": each text once, in quotes. An older language module has no
    // words for it: what went is simply not chosen.
    auto quotedList = [](const std::vector<CString>& texts) {
        CString strList;
        for (size_t i = 0; i < texts.size(); ++i)
        {
            if (std::find(texts.begin(), texts.begin() + i, texts[i]) != texts.begin() + i)
                continue;
            strList += strList.IsEmpty() ? "\"" : ", \"";
            strList += texts[i] + "\"";
        }
        return strList;
    };
    CString strMessage;
    auto appendPart = [&strMessage, &quotedList](const std::vector<CString>& texts, UINT nID) {
        const CString strFormat = LoadResString(nID);
        if (texts.empty() || strFormat.IsEmpty())
            return;
        CString strPart;
        strPart.Format(strFormat, (LPCSTR)quotedList(texts));
        strMessage += strMessage.IsEmpty() ? strPart : "\n\n" + strPart;
    };
    appendPart(gone, IDS_LAST_IMPORT_DROPPED);
    appendPart(unwritten, IDS_LAST_IMPORT_REWRITTEN);
    if (!strMessage.IsEmpty())
        MessageBox(strMessage, LoadResString(IDS_APP_TITLE), MB_ICONINFORMATION);
}

void CFieldMapDlg::StoreControls(FieldMapping& field)
{
    static_cast<OutputField&>(field) = m_shownOptions;
    GetDlgItemText(IDC_PREFIX, field.m_strPrefix);
    GetDlgItemText(IDC_SUFFIX, field.m_strSuffix);
    field.m_bPad = m_bPad;
    field.m_bPadRight = m_bPadRight;
    field.m_bInteger = m_bInteger;
    field.m_nPadWidth = (int)m_nWidth;
    field.m_chPad = m_strFill.IsEmpty() ? '\0' : m_strFill.GetAt(0);
    field.m_bDate = m_nDateTime == 1;
    field.m_bTime = m_nDateTime == 2;
}

void CFieldMapDlg::LoadControls(const FieldMapping& field)
{
    m_shownOptions = field;
    SetDlgItemText(IDC_PREFIX, field.m_strPrefix);
    SetDlgItemText(IDC_SUFFIX, field.m_strSuffix);
    m_bPad = field.m_bPad;
    m_nWidth = (UINT)field.m_nPadWidth;
    m_strFill = field.m_chPad == '\0' ? CString() : CString(field.m_chPad, 1);
    m_bPadRight = field.m_bPadRight;
    m_bInteger = field.m_bInteger;
    m_nDateTime = field.m_bDate ? 1 : field.m_bTime ? 2 : 0;
}

void CFieldMapDlg::ShowColumnOf(int nField)
{
    // The list's own search ignores case, and "code" is not "Code". The
    // selection changes run OnItemChangedColumns for the shown field.
    const CString& strColumn = m_aMap[nField].m_strColumn;
    int nItem = -1;
    for (int i = 0; i < m_listColumns.GetItemCount() && nItem < 0 && !strColumn.IsEmpty(); ++i)
    {
        if (m_listColumns.GetItemText(i, 0) == strColumn)
            nItem = i;
    }
    if (nItem >= 0)
    {
        m_listColumns.SetItemState(nItem, LVIS_SELECTED, LVIS_SELECTED);
        m_listColumns.EnsureVisible(nItem, FALSE);
    }
    else
    {
        int nSelected = m_listColumns.GetFirstSelected();
        if (nSelected >= 0)
            m_listColumns.SetItemState(nSelected, 0, LVIS_SELECTED);
    }
}

void CFieldMapDlg::LoadChoices(const ImportChoices& choices)
{
    m_strDataSource = choices.table.strDataSource;
    m_strSchema = choices.table.strSchema;
    m_strTable = choices.table.strTable;
    std::copy(std::begin(choices.aFields), std::end(choices.aFields), m_aMap);
    CColumnArray conditions(choices.conditions);
    std::swap(m_pConditions, conditions.p);
    std::swap(m_nConditions, conditions.n);
    m_bUseConditions = choices.bUseConditions;
    std::copy(std::begin(choices.aSortKeys), std::end(choices.aSortKeys), m_aSortKeys);
}

void CFieldMapDlg::StoreChoices(ImportChoices& choices) const
{
    choices.table.strDataSource = m_strDataSource;
    choices.table.strSchema = m_strSchema;
    choices.table.strTable = m_strTable;
    std::copy(std::begin(m_aMap), std::end(m_aMap), choices.aFields);
    choices.conditions = CColumnArray::CopyOf(m_pConditions, m_nConditions);
    choices.bUseConditions = m_bUseConditions;
    std::copy(std::begin(m_aSortKeys), std::end(m_aSortKeys), choices.aSortKeys);
}

CString CFieldMapDlg::FieldLabel(int nField) const
{
    CComboBox comboField;
    comboField.Attach(GetDlgItem(IDC_OUTPUT_FIELD));
    CString strField;
    if (nField < comboField.GetCount())
        comboField.GetLBText(nField, strField);
    if (m_aMap[nField].m_strColumn.IsEmpty())
        return strField;
    return strField + ": " + m_aMap[nField].m_strColumn;
}

// The chosen order in one line: the keys that count as the fields are
// mapped now; nothing when unsorted.
void CFieldMapDlg::ShowSortOrder()
{
    if (GetDlgItem(IDC_SORT_ORDER) == nullptr)
        return;
    CString strOrder;
    for (const SortKey& key : EffectiveSortKeys())
    {
        const CString strLabel = FieldLabel(key.nField);
        CString strKey = strLabel;
        if (key.bDescending)
            strKey.Format(LoadResString(IDS_SORT_DESCENDING), (LPCSTR)strLabel);
        CString strPart;
        strPart.Format(LoadResString(strOrder.IsEmpty() ? IDS_SORTED_BY : IDS_SORT_THEN), (LPCSTR)strKey);
        strOrder += strPart;
    }
    SetDlgItemText(IDC_SORT_ORDER, strOrder);
}

std::vector<SortKey> CFieldMapDlg::EffectiveSortKeys() const
{
    CString astrColumns[OUTPUT_FIELDS];
    for (int k = 0; k < OUTPUT_FIELDS; ++k)
        astrColumns[k] = m_aMap[k].m_strColumn;
    return ::EffectiveSortKeys(m_aSortKeys, astrColumns);
}
