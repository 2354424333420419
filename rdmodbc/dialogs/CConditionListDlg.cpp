#include "CConditionListDlg.h"

#include "AskedCondition.h"
#include "CConditionDlg.h"
#include "CTextEntryDlg.h"
#include "ListColumn.h"
#include "framework/CComboBox.h"
#include "framework/CDataExchange.h"
#include "resource.h"

CConditionListDlg::CConditionListDlg(CWnd* pParent)
    : CDialog(IDD_CONDITIONLIST, pParent)
{
}

BEGIN_MESSAGE_MAP(CConditionListDlg, CDialog)
    ON_BN_CLICKED(IDC_ADD_CONDITION, OnAddCondition)
    ON_BN_CLICKED(IDC_ALL_ROWS, OnAllRows)
    ON_BN_CLICKED(IDC_USE_CONDITIONS, OnUseConditions)
    ON_BN_CLICKED(IDC_REMOVE_CONDITION, OnRemoveCondition)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_CONDITION_LIST, OnItemChangedConditions)
    ON_BN_CLICKED(IDC_ADD_TEXT, OnAddText)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

void CConditionListDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Radio(pDX, IDC_ALL_ROWS, m_nFilterMode);
}

BOOL CConditionListDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (m_pColumns != nullptr)
    {
        CComboBox comboColumns;
        comboColumns.Attach(GetDlgItem(IDC_COLUMN));
        if (comboColumns.m_hWnd != nullptr)
        {
            for (int i = 0; i < m_nColumns; ++i)
                comboColumns.AddString(m_pColumns[i].name ? m_pColumns[i].name : "");
            comboColumns.SetCurSel(0);
        }
    }

    // The copy is made before anything can stop the set-up: OK and Cancel
    // free one array each, and the caller's must be the saved one by then.
    m_pSavedConditions = m_pConditions;
    m_nSavedConditions = m_nConditions;
    m_pConditions = CopyColumnArray(m_pSavedConditions, m_nSavedConditions);
    m_nConditions = m_pConditions ? m_nSavedConditions : 0;
    m_bOwnsWorkingCopy = TRUE;
    // Without a copy to edit (the heap is full), the caller's conditions
    // must not be taken for none: the dialog ends as cancelled.
    if (m_pConditions == nullptr && m_nSavedConditions > 0)
    {
        OnCancel();
        return TRUE;
    }

    m_listConditions.Attach(GetDlgItem(IDC_CONDITION_LIST));
    if (m_listConditions.m_hWnd == nullptr)
        return FALSE;
    InsertListColumn(m_listConditions);
    // Each condition goes on top, so the last one comes first.
    for (int i = 0; i < m_nConditions; ++i)
        m_listConditions.InsertItem(0, ConditionListText(m_pConditions[i]));

    m_nFilterMode = m_bUseConditions ? 1 : 0;
    UpdateData(FALSE);
    EnableAdding(m_nFilterMode > 0);
    EnableControl(IDC_REMOVE_CONDITION, FALSE);
    return TRUE;
}

void CConditionListDlg::OnAllRows()
{
    EnableAdding(FALSE);
}

void CConditionListDlg::OnUseConditions()
{
    EnableAdding(TRUE);
}

void CConditionListDlg::OnItemChangedConditions(NMHDR*, LRESULT* pResult)
{
    EnableControl(IDC_REMOVE_CONDITION, m_listConditions.GetFirstSelected() >= 0);
    *pResult = 0;
}

void CConditionListDlg::OnAddCondition()
{
    if (m_listConditions.m_hWnd == nullptr)
        return;
    CConditionDlg dlg;
    dlg.m_pColumns = m_pColumns;
    dlg.m_nColumns = m_nColumns;
    dlg.m_dialect = m_dialect;
    // A condition without texts restricts nothing and would show as a row
    // that no removal could find: it is dropped as if the user had cancelled,
    // and the editor frees it. An asked one gets its texts from the values
    // given at the import.
    if (dlg.DoModal() != IDOK || (dlg.m_condition.displayText == nullptr && !dlg.m_condition.asked))
        return;
    const CString strText = ConditionListText(dlg.m_condition);
    if (AppendColumnInfo(m_pConditions, m_nConditions, dlg.m_condition))
        AddRow(strText);
}

void CConditionListDlg::OnAddText()
{
    if (m_listConditions.m_hWnd == nullptr)
        return;
    CTextEntryDlg dlg;
    dlg.m_strText = "";
    dlg.m_dialect = m_dialect;
    if (dlg.DoModal() != IDOK || dlg.m_strText.IsEmpty())
        return;
    if (AppendTypedCondition(m_pConditions, m_nConditions, dlg.m_strText))
        AddRow(dlg.m_strText);
}

void CConditionListDlg::OnRemoveCondition()
{
    if (m_listConditions.m_hWnd == nullptr)
        return;
    int nRow = m_listConditions.GetFirstSelected();
    if (nRow < 0 || nRow >= m_nConditions)
        return;
    // Rows and records are not in the same order: the record is the first
    // one that shows the row's text.
    const CString strText = m_listConditions.GetItemText(nRow, 0);
    for (int i = 0; i < m_nConditions; ++i)
    {
        if (strText == ConditionListText(m_pConditions[i]))
        {
            m_listConditions.DeleteItem(nRow);
            RemoveColumnInfo(m_pConditions, m_nConditions, i);
            EnableControl(IDC_REMOVE_CONDITION, m_listConditions.GetFirstSelected() >= 0);
            return;
        }
    }
}

void CConditionListDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    FreeColumnArray(m_pSavedConditions, m_nSavedConditions);
    m_bUseConditions = m_nFilterMode > 0;
    m_bOwnsWorkingCopy = FALSE;
    EndDialog(IDOK);
}

void CConditionListDlg::OnCancel()
{
    GiveBackCallersConditions();
    EndDialog(IDCANCEL);
}

void CConditionListDlg::OnDestroy()
{
    // Ended neither by OK nor by Cancel: the host's quit request closed the
    // modal loop. The caller keeps its conditions, and the copy goes.
    if (m_bOwnsWorkingCopy)
        GiveBackCallersConditions();
    m_listConditions.Detach();
}

void CConditionListDlg::GiveBackCallersConditions()
{
    FreeColumnArray(m_pConditions, m_nConditions);
    m_pConditions = m_pSavedConditions;
    m_nConditions = m_nSavedConditions;
    m_bOwnsWorkingCopy = FALSE;
}

void CConditionListDlg::EnableAdding(BOOL bEnable)
{
    EnableControl(IDC_ADD_CONDITION, bEnable);
    EnableControl(IDC_ADD_TEXT, bEnable);
}

// A new row goes before the last one, or on top of an empty list.
void CConditionListDlg::AddRow(LPCSTR pszText)
{
    int nRows = m_listConditions.GetItemCount();
    m_listConditions.InsertItem(nRows > 0 ? nRows - 1 : 0, pszText);
}
