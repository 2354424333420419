#include "CPreviewDlg.h"

#include "resource.h"

CPreviewDlg::CPreviewDlg(CWnd* pParent)
    : CDialog(IDD_PREVIEW, pParent)
{
}

BOOL CPreviewDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetDlgItemText(IDC_PREVIEW_COUNT, m_strCount);
    m_listRows.Attach(GetDlgItem(IDC_PREVIEW_LIST));
    if (m_listRows.m_hWnd == nullptr)
        return TRUE;

    RECT rcList;
    m_listRows.GetClientRect(&rcList);
    const int nWidth = (rcList.right - rcList.left - 20) / OUTPUT_FIELDS;
    for (int k = 0; k < OUTPUT_FIELDS; ++k)
        m_listRows.InsertColumn(k, m_astrHeadings[k], LVCFMT_LEFT, nWidth);

    // Filled at once and drawn once, not row by row.
    m_listRows.SendMessage(WM_SETREDRAW, FALSE);
    for (size_t nRow = 0; nRow < m_rows.size(); ++nRow)
    {
        int nItem = m_listRows.InsertItem((int)nRow, m_rows[nRow][0]);
        for (int k = 1; k < OUTPUT_FIELDS && nItem >= 0; ++k)
            m_listRows.SetItemText(nItem, k, m_rows[nRow][k]);
    }
    m_listRows.SendMessage(WM_SETREDRAW, TRUE);
    ::InvalidateRect(m_listRows.m_hWnd, nullptr, TRUE);
    return TRUE;
}
