#pragma once
// The list of filter conditions and whether they apply. The dialog edits a
// copy of the caller's conditions: OK hands the copy back (the caller's
// array freed), Cancel leaves the caller's array as it was.
#include "framework/CDialog.h"
#include "framework/CListCtrl.h"
#include "framework/SqlDialect.h"
#include "query/ColumnInfo.h"

class CConditionListDlg : public CDialog
{
public:
    explicit CConditionListDlg(CWnd* pParent = nullptr);

    ColumnInfo* m_pColumns = nullptr;   // borrowed from the caller
    int m_nColumns = 0;
    SqlDialect m_dialect;               // how the data source reads SQL text
    // In: the caller's conditions. Out on IDOK: the edited ones, the
    // caller's own freed; otherwise the caller's, untouched.
    ColumnInfo* m_pConditions = nullptr;
    int m_nConditions = 0;
    BOOL m_bUseConditions = FALSE;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

    void OnAllRows();
    void OnUseConditions();
    void OnItemChangedConditions(NMHDR* pNMHDR, LRESULT* pResult);
    void OnAddCondition();
    void OnAddText();
    void OnRemoveCondition();
    void OnDestroy();

private:
    void EnableAdding(BOOL bEnable);
    void AddRow(LPCSTR pszText);
    // Frees the working copy and puts the caller's conditions back.
    void GiveBackCallersConditions();

    int m_nFilterMode = 0;              // radio 1011 = 0 (all rows), 1012 = 1 (conditions apply)
    ColumnInfo* m_pSavedConditions = nullptr;
    int m_nSavedConditions = 0;
    BOOL m_bOwnsWorkingCopy = FALSE;    // the copy is the dialog's until OK or Cancel
    CListCtrl m_listConditions;

    DECLARE_MESSAGE_MAP()
};
