#pragma once
// What the field-mapping tests share: the language module as the resource
// handle, the data sources of their SQLite fixture, and the dialog with its
// internal operations in reach.
#include "UiRobot.h"
#include "dialogs/CFieldMapDlg.h"

#include <gtest/gtest.h>
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

class FieldMapTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;
    void TearDown() override;

    CUiRobot m_robot;
    static HMODULE s_hLanguageModule;
};

std::string Str(UINT nID);
