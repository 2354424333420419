#pragma once
// What the field-mapping tests share: the data sources of their SQLite
// fixture, and the dialog with its internal operations in reach.
#include "DialogTest.h"
#include "dialogs/CFieldMapDlg.h"

#include <functional>
#include <string>
#include <vector>

extern const char szArticles[];     // the fixture's data source
extern const char szBroken[];       // a data source whose database cannot be opened
// The session's connection, as the Open sequence hands it to the dialog.
extern SessionConnection theConnection;

// The field-mapping dialog, with what the user saw before the first paint.
class CTestFieldMapDlg : public CFieldMapDlg
{
public:
    CTestFieldMapDlg() : CFieldMapDlg(theConnection) {}
    using CFieldMapDlg::FindColumn;

    std::vector<std::string> m_rowsBeforePaint;
    bool m_bConnectedBeforePaint = false;
    // Runs when the dialog is set up, before its first paint.
    std::function<void(HWND)> m_beforeFirstPaint;

protected:
    BOOL OnInitDialog() override;
};

class FieldMapTest : public DialogTest
{
protected:
    void SetUp() override;
    void TearDown() override;
};

std::string Str(UINT nID);
