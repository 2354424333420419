#include "CConditionDlg.h"

#include "OperatorText.h"
#include "SqlRefusal.h"
#include "langres/ResString.h"
#include "query/Condition.h"
#include "resource.h"

#include <sqlext.h>

namespace
{
    // The operators each kind of searchability offers, in the order shown.
    const ConditionOperator aLikeOnly[] = {opLike};
    const ConditionOperator aBit[] = {opTrue, opFalse};
    const ConditionOperator aComparisons[] = {opEqual, opBetweenExclusive, opFromInclToExcl, opFromExclToIncl,
                                              opBetweenInclusive};
    const ConditionOperator aAll[] = {opLike, opEqual, opBetweenExclusive, opFromInclToExcl, opFromExclToIncl,
                                      opBetweenInclusive};
}

CConditionDlg::CConditionDlg(CWnd* pParent)
    : CDialog(IDD_CONDITION, pParent)
{
}

CConditionDlg::~CConditionDlg()
{
    FreeColumnInfo(m_condition);
}

BEGIN_MESSAGE_MAP(CConditionDlg, CDialog)
    ON_CBN_SELCHANGE(IDC_COLUMN, OnSelChangeColumn)
    ON_CBN_SELCHANGE(IDC_OPERATOR, OnSelChangeOperator)
END_MESSAGE_MAP()

BOOL CConditionDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_comboColumns.Attach(GetDlgItem(IDC_COLUMN));
    m_comboOperators.Attach(GetDlgItem(IDC_OPERATOR));
    if (m_pColumns == nullptr || m_comboColumns.m_hWnd == nullptr)
        return TRUE;

    // Each column goes on top, so the last filterable column comes first.
    for (int i = 0; i < m_nColumns; ++i)
    {
        if (m_pColumns[i].name != nullptr && m_pColumns[i].searchable != 0)
            m_comboColumns.InsertString(0, m_pColumns[i].name);
    }
    SetDlgItemText(IDC_TYPE_NAME, "");
    if (m_comboColumns.GetCount() > 0)
    {
        m_comboColumns.SetCurSel(0);
        OnSelChangeColumn();
    }
    return TRUE;
}

void CConditionDlg::OnSelChangeColumn()
{
    if (m_comboColumns.m_hWnd == nullptr || GetDlgItem(IDC_TYPE_NAME) == nullptr)
        return;
    if (m_comboColumns.GetCount() > 0)
    {
        const ColumnInfo* pColumn = SelectedColumn();
        SetDlgItemText(IDC_TYPE_NAME, pColumn && pColumn->typeName ? pColumn->typeName : "");
        if (pColumn)
            FillOperators(pColumn->sqlDataType, pColumn->searchable, pColumn->nullable);
    }
    OnSelChangeOperator();
}

void CConditionDlg::FillOperators(int nSqlDataType, int nSearchable, int nNullable)
{
    if (m_comboOperators.m_hWnd == nullptr)
        return;
    // The user's operator stays chosen when the new column offers it too.
    CString strChosen;
    int nChosen = m_comboOperators.GetCurSel();
    if (nChosen >= 0)
        m_comboOperators.GetLBText(nChosen, strChosen);
    m_comboOperators.ResetContent();

    auto append = [this](const ConditionOperator* pOperators, size_t nOperators) {
        for (size_t i = 0; i < nOperators; ++i)
            m_comboOperators.AddString(LoadResString(OperatorStringId(pOperators[i])));
    };
    switch (nSearchable)
    {
    case SQL_PRED_CHAR:
        append(aLikeOnly, _countof(aLikeOnly));
        break;
    case SQL_PRED_BASIC:
        if (nSqlDataType == SQL_BIT)
            append(aBit, _countof(aBit));
        else
            append(aComparisons, _countof(aComparisons));
        break;
    case SQL_PRED_SEARCHABLE:
        append(aAll, _countof(aAll));
        break;
    }
    if (nSearchable != 0 && nNullable == 1)
        m_comboOperators.AddString(LoadResString(OperatorStringId(opIsNull)));

    int nFound = strChosen.IsEmpty() ? CB_ERR : m_comboOperators.FindStringExact(-1, strChosen);
    m_comboOperators.SetCurSel(nFound == CB_ERR ? 0 : nFound);
}

void CConditionDlg::OnSelChangeOperator()
{
    if (m_comboOperators.m_hWnd == nullptr || m_comboOperators.GetCurSel() < 0)
        return;
    // The comparisons use both values. Only an operator that takes values
    // can ask for them; a language module without the option asks nothing.
    const int nValues = OperatorValues(SelectedOperator());
    EnableControl(IDC_VALUE1, nValues > 0);
    EnableControl(IDC_VALUE2, nValues > 1);
    EnableControl(IDC_ASK_AT_IMPORT, nValues > 0);
}

void CConditionDlg::OnOK()
{
    // Nothing to build a condition from: confirmed, without texts.
    if (m_comboColumns.m_hWnd == nullptr || m_comboOperators.m_hWnd == nullptr ||
        m_comboColumns.GetCount() == 0 || m_comboOperators.GetCount() == 0)
    {
        EndDialog(IDOK);
        return;
    }
    const ColumnInfo* pColumn = SelectedColumn();
    if (pColumn == nullptr)
    {
        EndDialog(IDOK);
        return;
    }
    SetConditionColumn(m_condition, *pColumn);

    // Disabled fields are read as well: which values an operator uses is
    // the composition's to decide, not the fields' state.
    CString strValue1, strValue2;
    GetDlgItemText(IDC_VALUE1, strValue1);
    GetDlgItemText(IDC_VALUE2, strValue2);
    if (m_comboOperators.GetCurSel() < 0)
    {
        EndDialog(IDOK);
        return;
    }

    // What the condition is made of goes with it: the last import composes
    // it anew for the connection of its day.
    SetConditionMakeup(m_condition, SelectedOperator(), IsDlgButtonChecked(IDC_NEGATE) == BST_CHECKED, strValue1,
                       strValue2);
    m_condition.asked = IsAsked();
    SqlTextFault fault = sqlTextSound;
    const ConditionResult result = RecomposeCondition(m_condition, m_dialect, &fault);
    const CString strRefusal = ConditionRefusal(result, fault);
    if (!strRefusal.IsEmpty())
    {
        MessageBox(strRefusal, LoadResString(IDS_APP_TITLE), MB_ICONERROR);
        return;
    }
    EndDialog(IDOK);
}

BOOL CConditionDlg::IsAsked() const
{
    return GetDlgItem(IDC_ASK_AT_IMPORT) != nullptr && IsDlgButtonChecked(IDC_ASK_AT_IMPORT) == BST_CHECKED
        && OperatorValues(SelectedOperator()) > 0;
}

// The first column of the array whose name is the chosen entry's text.
const ColumnInfo* CConditionDlg::SelectedColumn() const
{
    int nSelected = m_comboColumns.GetCurSel();
    if (nSelected < 0)
        return nullptr;
    CString strName;
    m_comboColumns.GetLBText(nSelected, strName);
    return FindColumnInfo(m_pColumns, m_nColumns, strName);
}

ConditionOperator CConditionDlg::SelectedOperator() const
{
    CString strOperator;
    m_comboOperators.GetLBText(m_comboOperators.GetCurSel(), strOperator);
    return FindOperator(strOperator, LoadResString);
}
