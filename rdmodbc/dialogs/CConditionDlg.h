#pragma once
// The condition editor: one filter condition made from a column of the
// chosen table, an operator its type allows, up to two values and an
// optional negation; and, where the language module offers it, whether the
// values are asked for at each import (those typed are then the ones
// offered, and may be empty).
#include "framework/CComboBox.h"
#include "framework/CDialog.h"
#include "framework/SqlDialect.h"
#include "query/ColumnInfo.h"
#include "query/Operator.h"

class CConditionDlg : public CDialog
{
public:
    explicit CConditionDlg(CWnd* pParent = nullptr);
    // The result still held when the dialog goes (cancelled, or not taken
    // by the caller) is the dialog's to free.
    ~CConditionDlg() override;

    ColumnInfo* m_pColumns = nullptr;   // borrowed from the caller
    int m_nColumns = 0;
    SqlDialect m_dialect;               // how the data source reads SQL text
    // On IDOK the caller takes the strings, leaving them null here.
    ColumnInfo m_condition;

    void OnSelChangeColumn();
    void OnSelChangeOperator();

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    void FillOperators(int nSqlDataType, int nSearchable, int nNullable);
    const ColumnInfo* SelectedColumn() const;
    ConditionOperator SelectedOperator() const;
    // The option to ask for the values at each import is set, and the
    // operator takes values.
    BOOL IsAsked() const;

    CComboBox m_comboColumns;
    CComboBox m_comboOperators;

    DECLARE_MESSAGE_MAP()
};
