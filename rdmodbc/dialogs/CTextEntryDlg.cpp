#include "CTextEntryDlg.h"

#include "framework/CDataExchange.h"
#include "resource.h"

CTextEntryDlg::CTextEntryDlg(CWnd* pParent)
    : CDialog(IDD_TEXTENTRY, pParent)
{
}

void CTextEntryDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, IDC_TEXT, m_strText);
    DDV_MaxChars(pDX, m_strText, 255);
}
