#pragma once
// A condition typed by the user as SQL text, at most 255 characters. It is
// refused, with the reason, when the data source would read more into it
// than one condition.
#include "framework/CDialog.h"
#include "framework/SqlDialect.h"

class CTextEntryDlg : public CDialog
{
public:
    explicit CTextEntryDlg(CWnd* pParent = nullptr);

    CString m_strText = "";
    SqlDialect m_dialect;               // how the data source reads the text

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
