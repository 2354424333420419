#pragma once
// A condition typed by the user as SQL text, at most 255 characters.
#include "framework/CDialog.h"

class CTextEntryDlg : public CDialog
{
public:
    explicit CTextEntryDlg(CWnd* pParent = nullptr);

    CString m_strText = "";

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
