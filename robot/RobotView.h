#pragma once
// What a person sees of a dialog, as the robot reads it from the controls.
#include <windows.h>
#include <string>
#include <vector>

namespace robot
{
    std::string WindowText(HWND hWnd);
    std::string ControlText(HWND hDlg, int nId);
    // Whether one of the dialog's controls reads strText.
    bool ShowsText(HWND hDlg, const std::string& strText);
    bool IsEnabled(HWND hDlg, int nId);
    bool IsVisible(HWND hDlg, int nId);
    bool IsChecked(HWND hDlg, int nId);
    // A window of the system's dialog class: a dialog, or a message box.
    bool IsDialogWindow(HWND hWnd);
    // The text of a row of the list view, in one of its columns.
    std::string ListRowText(HWND hList, int nRow, int nColumn = 0);
    std::vector<std::string> ListRows(HWND hDlg, int nList);
    // Every row of a report-view list with the text of each of its columns.
    std::vector<std::vector<std::string>> ListCells(HWND hDlg, int nList);
    std::vector<std::string> ListHeadings(HWND hDlg, int nList);
    std::string SelectedRow(HWND hDlg, int nList);     // "" when none
    // The check state of each of the window's buttons and the row chosen in
    // each of its lists, by control: what a click or a key it took would
    // change.
    std::string ControlStates(HWND hWnd);
    std::vector<std::string> ComboEntries(HWND hDlg, int nCombo);
    std::string ComboSelection(HWND hDlg, int nCombo); // "" when none
}
