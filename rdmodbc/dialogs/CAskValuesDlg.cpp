#include "CAskValuesDlg.h"

#include "AskedCondition.h"
#include "SqlRefusal.h"
#include "langres/ResString.h"
#include "query/Condition.h"
#include "resource.h"

#include <utility>

namespace
{
    // The controls of row n.
    int LabelId(int nRow)               { return IDC_ASK_LABEL + 3 * nRow; }
    int ValueId(int nRow, int nValue)   { return (nValue == 1 ? IDC_ASK_VALUE1 : IDC_ASK_VALUE2) + 3 * nRow; }

    // The template's first row, from which the others are made.
    const int aFirstRow[] = {IDC_ASK_LABEL, IDC_ASK_VALUE1, IDC_ASK_VALUE2};

    RECT ClientRectOf(HWND hDlg, HWND hControl)
    {
        RECT rect;
        ::GetWindowRect(hControl, &rect);
        ::MapWindowPoints(nullptr, hDlg, (LPPOINT)&rect, 2);
        return rect;
    }
}

CAskValuesDlg::CAskValuesDlg(CWnd* pParent)
    : CDialog(IDD_ASK_VALUES, pParent)
{
}

BOOL CAskValuesDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    for (int i = 0; m_pConditions != nullptr && i < m_nConditions; ++i)
    {
        if (m_pConditions[i].asked)
            m_rows.push_back(i);
    }
    for (int nId : aFirstRow)
    {
        if (GetDlgItem(nId) == nullptr)
            return TRUE;
    }
    // A row as high as the template's first, with the gap it leaves above.
    RECT pitch = {0, 0, 0, 16};
    ::MapDialogRect(m_hWnd, &pitch);
    HWND hAfter = GetDlgItem(IDC_ASK_VALUE2);
    for (int nRow = 1; nRow < (int)m_rows.size(); ++nRow)
        hAfter = AddRow(nRow, pitch.bottom, hAfter);
    for (int nRow = 0; nRow < (int)m_rows.size(); ++nRow)
        ShowRow(nRow, m_pConditions[m_rows[nRow]]);

    // The buttons and the frame make room for the rows below the first.
    const int nGrowth = pitch.bottom * ((int)m_rows.size() - 1);
    for (int nButton : {IDOK, IDCANCEL})
    {
        if (HWND hButton = GetDlgItem(nButton))
        {
            const RECT rect = ClientRectOf(m_hWnd, hButton);
            ::SetWindowPos(hButton, nullptr, rect.left, rect.top + nGrowth, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        }
    }
    RECT frame;
    ::GetWindowRect(m_hWnd, &frame);
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top + nGrowth,
                   SWP_NOMOVE | SWP_NOZORDER);
    CenterWindow();

    // Enter in the first box takes the values offered.
    ::SetFocus(GetDlgItem(IDC_ASK_VALUE1));
    ::SendMessageA(GetDlgItem(IDC_ASK_VALUE1), EM_SETSEL, 0, -1);
    return FALSE;
}

HWND CAskValuesDlg::AddRow(int nRow, int nPitch, HWND hAfter)
{
    const HFONT hFont = (HFONT)SendMessage(WM_GETFONT);
    for (int nId : aFirstRow)
    {
        const HWND hFirst = GetDlgItem(nId);
        char szClass[32] = "";
        ::GetClassNameA(hFirst, szClass, sizeof szClass);
        const RECT rect = ClientRectOf(m_hWnd, hFirst);
        const HWND hControl = ::CreateWindowExA(
            (DWORD)::GetWindowLongA(hFirst, GWL_EXSTYLE), szClass, "", (DWORD)::GetWindowLongA(hFirst, GWL_STYLE),
            rect.left, rect.top + nPitch * nRow, rect.right - rect.left, rect.bottom - rect.top, m_hWnd,
            (HMENU)(INT_PTR)(nId + 3 * nRow), ::GetModuleHandleA(nullptr), nullptr);
        if (hControl == nullptr)
            continue;
        ::SendMessageA(hControl, WM_SETFONT, (WPARAM)hFont, FALSE);
        ::SetWindowPos(hControl, hAfter, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        hAfter = hControl;
    }
    return hAfter;
}

void CAskValuesDlg::ShowRow(int nRow, const ColumnInfo& condition)
{
    SetDlgItemText(LabelId(nRow), AskedConditionLabel(condition));
    SetDlgItemText(ValueId(nRow, 1), condition.value1 ? condition.value1 : "");
    SetDlgItemText(ValueId(nRow, 2), condition.value2 ? condition.value2 : "");
    const bool bTwoValues = OperatorValues((ConditionOperator)condition.conditionOperator) > 1;
    ShowControl(ValueId(nRow, 2), bTwoValues ? SW_SHOW : SW_HIDE);
}

void CAskValuesDlg::OnOK()
{
    // The values go into a copy first: a refused one leaves every
    // condition as it was, for Cancel to keep.
    CColumnArray given = CColumnArray::CopyOf(m_pConditions, m_nConditions);
    if (given.n != m_nConditions)
    {
        EndDialog(IDCANCEL);
        return;
    }
    for (int nRow = 0; nRow < (int)m_rows.size(); ++nRow)
    {
        ColumnInfo& condition = given.p[m_rows[nRow]];
        CString strValue1, strValue2;
        GetDlgItemText(ValueId(nRow, 1), strValue1);
        if (OperatorValues((ConditionOperator)condition.conditionOperator) > 1)
            GetDlgItemText(ValueId(nRow, 2), strValue2);
        SetConditionMakeup(condition, condition.conditionOperator, condition.negated, strValue1, strValue2);
        // Asked for now, a value is needed as in the editor.
        condition.asked = 0;
        SqlTextFault fault = sqlTextSound;
        const ConditionResult result = RecomposeCondition(condition, m_dialect, &fault);
        const CString strRefusal = ConditionRefusal(result, fault);
        condition.asked = 1;
        if (!strRefusal.IsEmpty())
        {
            MessageBox(strRefusal, LoadResString(IDS_APP_TITLE), MB_ICONERROR);
            CWnd box(GetDlgItem(ValueId(nRow, 1)));
            GotoDlgCtrl(&box);
            return;
        }
    }
    for (int i = 0; i < m_nConditions; ++i)
        std::swap(m_pConditions[i], given.p[i]);
    EndDialog(IDOK);
}
