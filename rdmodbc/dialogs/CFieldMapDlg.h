#pragma once
// The second step of the import: the chosen table's columns, and per output
// field its column, the text around the value and the value's formatting.
// Also opens the filter-condition list, and goes Back to the data-source step.
// The column and condition arrays are the caller's to free, whatever the
// dialog's result (CColumnArrayOwner).
#include "framework/CDialog.h"
#include "framework/CListCtrl.h"
#include "odbc/Connection.h"
#include "query/ImportChoices.h"

#include <functional>
#include <optional>

class CFieldMapDlg : public CDialog
{
public:
    // The column list is read through the session's connection, reopened
    // with its completed connect string and left closed.
    explicit CFieldMapDlg(SessionConnection& connection, CWnd* pParent = nullptr);

    CString m_strDataSource;            // shown to nobody: the connection uses the session's string
    CString m_strSchema;                // the table's schema; "" where the data source has none
    CString m_strTable;
    FieldMapping m_aMap[OUTPUT_FIELDS];
    BOOL m_bBack = FALSE;               // the dialog ended through Back
    ColumnInfo* m_pColumns = nullptr;   // in the order the catalog delivered them
    int m_nColumns = 0;
    ColumnInfo* m_pConditions = nullptr;
    int m_nConditions = 0;
    BOOL m_bUseConditions = FALSE;
    // The order of the rows; after OK only the keys that count, the others
    // cleared. Offered only by a language module that has the sort button.
    SortKey m_aSortKeys[SORT_KEYS];
    // In: show the choices above as the last run left them, instead of
    // starting afresh (the import of them failed to open, and the user mends
    // the cause or gives up; or the user went Back and chose the same table
    // again). With the columns of the last run, the list shows them without
    // asking the data source.
    BOOL m_bKeepChoices = FALSE;
    // In, with m_bKeepChoices: the choices are the last import's, made on
    // the table as it was then. Once the columns are read, a field,
    // condition or key whose column the table no longer has is left out,
    // the conditions are written anew for the engine as it reads SQL now
    // and those that cannot be are left out, and the user is told which.
    BOOL m_bRemembered = FALSE;
    // In, with m_bRemembered: how the engine read SQL text when the typed
    // conditions were written; not known for an older last import, whose
    // typed conditions are read as the engine reads them now.
    std::optional<SqlDialect> m_rememberedReading;
    // Shows what an import of the dialog's choices would deliver; set by the
    // Open sequence. Without it, or without the preview button in the
    // language module, no preview is offered.
    std::function<void(const CFieldMapDlg&)> m_showPreview;

    // The members above from the choices, and the choices from them: the
    // table, the fields, a copy of the conditions with their switch, and
    // the order. The dialog's condition array is replaced, the caller's
    // copy left as it is.
    void LoadChoices(const ImportChoices& choices);
    void StoreChoices(ImportChoices& choices) const;

    // "Field 2: Code": the output field's entry in the field list and its
    // column; the entry alone for a field without a column.
    CString FieldLabel(int nField) const;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnPaint();
    void OnItemChangedColumns(NMHDR* pNMHDR, LRESULT* pResult);
    void OnSelChangeField();
    void OnConditions();
    void OnSort();
    void OnPreview();
    void OnClearChoices();
    void OnOK() override;
    void OnBack();

    void FillColumnList();
    // The column array in the list, and the shown field's column chosen.
    void ListColumns();
    // Index of the first column record of that name (byte for byte), or -1.
    int FindColumn(LPCSTR pszName) const;
    void EnableDateTimeGroup(BOOL bEnable);

private:
    // Every field without a column and options, no conditions, no order.
    void ClearChoices();
    // Writes the remembered conditions anew, leaves out the choices whose
    // columns the table no longer has and the conditions that cannot be
    // written now, and tells the user which.
    void ComposeRememberedChoices();
    void StoreControls(FieldMapping& field);
    void LoadControls(const FieldMapping& field);
    // Selects the field's column in the list, or clears the selection when
    // the list has no such column; the options follow the selection.
    void ShowColumnOf(int nField);
    void ShowSortOrder();
    // Asks for the values of the asked conditions where conditions are in
    // use; FALSE when the user cancelled the question (nothing is to open).
    BOOL AskConditionValues();
    // The sort keys that count as the fields are mapped now.
    std::vector<SortKey> EffectiveSortKeys() const;

    // The controls of the output field shown.
    CString m_strFill = "0";
    UINT m_nWidth = 0;
    BOOL m_bPad = FALSE;
    BOOL m_bPadRight = FALSE;
    BOOL m_bInteger = FALSE;
    int m_nDateTime = 0;                // the radio group's choice: 0 as delivered, 1 date, 2 time
    // The shown field's options that have no member of their own above:
    // their controls exchange them here, and they go to and from the field
    // whole.
    OutputField m_shownOptions;

    SessionConnection& m_connection;
    int m_nCurField = PRIMARY_FIELD_INDEX;
    CListCtrl m_listColumns;
    // The column list: filled, to be filled on the next paint (its
    // placeholder row shows), or its fill reading the catalog.
    enum class ColumnFill { idle, pending, running };
    ColumnFill m_fill = ColumnFill::idle;

    DECLARE_MESSAGE_MAP()
};
