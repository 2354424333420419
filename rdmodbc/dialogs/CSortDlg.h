#pragma once
// The order of the rows: up to three keys ("sort by", "then by", "then by"),
// each one of the output fields that have a column, ascending or descending.
#include "framework/CDialog.h"
#include "query/SortOrder.h"

#include <vector>

// An output field the user may sort by, as the dialog offers it.
struct SortChoice
{
    int     nField;                 // index 0-3
    CString strLabel;               // the field and its column: "Field 2: Code"
};

class CSortDlg : public CDialog
{
public:
    explicit CSortDlg(CWnd* pParent = nullptr);

    std::vector<SortChoice> m_choices;      // in: the fields that have a column
    SortKey m_aKeys[SORT_KEYS];             // in: the keys so far; out on IDOK: the chosen ones

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
};
