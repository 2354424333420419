#pragma once
// The first dialog of an import: the user chooses a data source (user or
// system), the dialog connects the session to it, and the user chooses one
// of its tables. One list serves both steps; the window title tells which.
#include "framework/CDialog.h"
#include "framework/CListCtrl.h"
#include "framework/CStatic.h"
#include "odbc/Connection.h"
#include "odbc/OdbcEnvironment.h"
#include "odbc/TableCatalog.h"

#include <vector>

// The description of one row of the list: a data source's driver, a table's
// remarks. Both texts are heap copies (_strdup) owned by the dialog's entry
// array; pszDescription is null when there was nothing to describe.
struct DescriptionEntry
{
    char* pszName;
    char* pszDescription;
};

class CDataSourceDlg : public CDialog
{
public:
    // The dialog connects the session's connection and leaves it closed.
    explicit CDataSourceDlg(SessionConnection& connection, CWnd* pParent = nullptr);
    ~CDataSourceDlg() override;

    CString m_strDataSource;
    CString m_strTable;
    CString m_strSchema;                // the table's schema; "" where the data source has none
    DsnType m_nDsnType = dsnUser;
    BOOL    m_bReconnect = FALSE;
    BOOL    m_bIncludeViews = TRUE;
    BOOL    m_bIncludeSystemTables = TRUE;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

    void ShowDataSources();
    void ExplainEmptyList(UINT nReason);
    void OnBack();
    void OnSelChangeDsnType();
    void OnItemChangedList(NMHDR* pNMHDR, LRESULT* pResult);
    void OnIncludeViews();
    void OnIncludeSystemTables();
    void OnDestroy();

    BOOL ListTables(BOOL bIncludeViews, BOOL bIncludeSystemTables);
    // The list filled with m_tables.
    void ShowTables();

    void   AddEntry(LPCSTR pszName, LPCSTR pszDescription);
    LPCSTR FindDescription(LPCSTR pszText) const;
    void   FreeEntries();

    DescriptionEntry* m_pEntries = nullptr;
    int       m_nEntries = 0;
    CStatic   m_wndDescription;

private:
    void RefillTables(int nCheckBox);
    CString SelectedText() const;
    // The table of the selected row of the table step; null when none is.
    const TableRow* SelectedTable() const;
    // Selects the row of the table of that schema and name, byte for byte.
    BOOL SelectTable(const CString& strSchema, const CString& strName);

    SessionConnection& m_connection;
    // Room in m_pEntries; it doubles when full, so that a catalog of tens of
    // thousands of tables fills in linear time.
    int       m_nEntryCapacity = 0;
    CListCtrl m_list;
    // The tables the table step lists; each row's item data is its index.
    std::vector<TableRow> m_tables;

    DECLARE_MESSAGE_MAP()
};
