#include "CTextEntryDlg.h"

#include "SqlRefusal.h"
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
    // The text stays in the box to be mended.
    if (pDX->m_bSaveAndValidate)
    {
        const SqlTextFault fault = CheckSqlCondition(m_strText, m_dialect);
        if (fault != sqlTextSound)
            pDX->Fail(SqlTextRefusal(fault));
    }
}
