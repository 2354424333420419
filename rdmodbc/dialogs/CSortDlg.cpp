#include "CSortDlg.h"

#include "framework/CComboBox.h"
#include "langres/ResString.h"
#include "resource.h"

namespace
{
    const int anKeyCombos[SORT_KEYS] = {IDC_SORT_KEY1, IDC_SORT_KEY2, IDC_SORT_KEY3};
    const int anDescendingBoxes[SORT_KEYS] = {IDC_SORT_DESCENDING1, IDC_SORT_DESCENDING2, IDC_SORT_DESCENDING3};
}

CSortDlg::CSortDlg(CWnd* pParent)
    : CDialog(IDD_SORT, pParent)
{
}

BOOL CSortDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    // Each drop-down: "(none)" first, then the choices in field order. A key
    // whose field has no column any more shows as "(none)".
    for (int i = 0; i < SORT_KEYS; ++i)
    {
        CComboBox comboKey;
        comboKey.Attach(GetDlgItem(anKeyCombos[i]));
        comboKey.AddString(LoadResString(IDS_SORT_NONE));
        int nSelected = 0;
        for (size_t nChoice = 0; nChoice < m_choices.size(); ++nChoice)
        {
            comboKey.AddString(m_choices[nChoice].strLabel);
            if (m_choices[nChoice].nField == m_aKeys[i].nField)
                nSelected = (int)nChoice + 1;
        }
        comboKey.SetCurSel(nSelected);
        CheckDlgButton(anDescendingBoxes[i], nSelected > 0 && m_aKeys[i].bDescending ? BST_CHECKED : BST_UNCHECKED);
    }
    return TRUE;
}

void CSortDlg::OnOK()
{
    for (int i = 0; i < SORT_KEYS; ++i)
    {
        CComboBox comboKey;
        comboKey.Attach(GetDlgItem(anKeyCombos[i]));
        int nSelected = comboKey.GetCurSel();
        bool bChoice = nSelected > 0 && nSelected <= (int)m_choices.size();
        m_aKeys[i].nField = bChoice ? m_choices[nSelected - 1].nField : -1;
        m_aKeys[i].bDescending = bChoice && IsDlgButtonChecked(anDescendingBoxes[i]) == BST_CHECKED;
    }
    EndDialog(IDOK);
}
