#pragma once
// The values of the asked conditions, asked as an import or its preview
// opens: one row per asked condition in the list's order, its column and
// operator, and a box per value filled with the values last given. OK
// composes each condition with its values by the condition editor's rules;
// a value refused keeps the dialog open with the editor's message.
#include "framework/CDialog.h"
#include "framework/SqlDialect.h"
#include "query/ColumnInfo.h"

#include <vector>

class CAskValuesDlg : public CDialog
{
public:
    explicit CAskValuesDlg(CWnd* pParent = nullptr);

    SqlDialect m_dialect;               // how the data source reads SQL text
    // The conditions, borrowed. On IDOK the asked ones hold the values
    // given and their texts composed of them; otherwise they are untouched.
    ColumnInfo* m_pConditions = nullptr;
    int m_nConditions = 0;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    // Adds row nRow's label and boxes, each like the first row's and nPitch
    // pixels lower per row, after hAfter in the tab order; the last added.
    HWND AddRow(int nRow, int nPitch, HWND hAfter);
    // Shows the condition of row nRow: its label, the values last given, and
    // the second box only where its operator takes two values.
    void ShowRow(int nRow, const ColumnInfo& condition);

    std::vector<int> m_rows;            // per row, the index of its condition
};
