#pragma once
// The preview: the first rows an import would deliver, one column per output
// field, and how many rows the import delivers in all. It only shows what it
// is given.
#include "query/OutputField.h"
#include "framework/CDialog.h"
#include "framework/CListCtrl.h"

#include <array>
#include <vector>

using PreviewRow = std::array<CString, OUTPUT_FIELDS>;

class CPreviewDlg : public CDialog
{
public:
    explicit CPreviewDlg(CWnd* pParent = nullptr);

    CString m_astrHeadings[OUTPUT_FIELDS];  // per output field 1 to 4: the field and its column
    std::vector<PreviewRow> m_rows;         // the output fields of each row, as the host receives them
    CString m_strCount;                     // "1,234 rows"

protected:
    BOOL OnInitDialog() override;

private:
    CListCtrl m_listRows;
};
