#include "RobotView.h"

#include <commctrl.h>

namespace robot
{
    std::string WindowText(HWND hWnd)
    {
        char szText[4096] = "";
        ::GetWindowTextA(hWnd, szText, sizeof szText);
        return szText;
    }

    std::string ControlText(HWND hDlg, int nId)
    {
        return WindowText(::GetDlgItem(hDlg, nId));
    }

    bool ShowsText(HWND hDlg, const std::string& strText)
    {
        for (HWND hChild = ::GetWindow(hDlg, GW_CHILD); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
            if (WindowText(hChild) == strText)
                return true;
        return false;
    }

    bool IsEnabled(HWND hDlg, int nId)
    {
        HWND hWnd = ::GetDlgItem(hDlg, nId);
        return hWnd && ::IsWindowEnabled(hWnd);
    }

    bool IsVisible(HWND hDlg, int nId)
    {
        HWND hWnd = ::GetDlgItem(hDlg, nId);
        return hWnd && (::GetWindowLongA(hWnd, GWL_STYLE) & WS_VISIBLE);
    }

    bool IsChecked(HWND hDlg, int nId)
    {
        return ::IsDlgButtonChecked(hDlg, nId) == BST_CHECKED;
    }

    bool IsDialogWindow(HWND hWnd)
    {
        char szClass[64] = "";
        ::GetClassNameA(hWnd, szClass, sizeof szClass);
        return lstrcmpA(szClass, "#32770") == 0;
    }

    std::string ListRowText(HWND hList, int nRow, int nColumn)
    {
        char szText[1024] = "";
        LVITEMA item = {};
        item.iSubItem = nColumn;
        item.pszText = szText;
        item.cchTextMax = sizeof szText;
        ::SendMessageA(hList, LVM_GETITEMTEXTA, nRow, (LPARAM)&item);
        return szText;
    }

    std::vector<std::string> ListRows(HWND hDlg, int nList)
    {
        HWND hList = ::GetDlgItem(hDlg, nList);
        std::vector<std::string> rows;
        int nCount = hList ? (int)::SendMessageA(hList, LVM_GETITEMCOUNT, 0, 0) : 0;
        for (int i = 0; i < nCount; ++i)
            rows.push_back(ListRowText(hList, i));
        return rows;
    }

    std::vector<std::vector<std::string>> ListCells(HWND hDlg, int nList)
    {
        HWND hList = ::GetDlgItem(hDlg, nList);
        HWND hHeader = hList ? (HWND)::SendMessageA(hList, LVM_GETHEADER, 0, 0) : nullptr;
        int nColumns = hHeader ? (int)::SendMessageA(hHeader, HDM_GETITEMCOUNT, 0, 0) : 1;
        std::vector<std::vector<std::string>> rows;
        for (int i = 0, nCount = (int)ListRows(hDlg, nList).size(); i < nCount; ++i)
        {
            rows.emplace_back();
            for (int nColumn = 0; nColumn < nColumns; ++nColumn)
                rows.back().push_back(ListRowText(hList, i, nColumn));
        }
        return rows;
    }

    std::vector<std::string> ListHeadings(HWND hDlg, int nList)
    {
        HWND hList = ::GetDlgItem(hDlg, nList);
        HWND hHeader = hList ? (HWND)::SendMessageA(hList, LVM_GETHEADER, 0, 0) : nullptr;
        std::vector<std::string> headings;
        for (int i = 0, nCount = hHeader ? (int)::SendMessageA(hHeader, HDM_GETITEMCOUNT, 0, 0) : 0; i < nCount; ++i)
        {
            char szText[256] = "";
            LVCOLUMNA column = {};
            column.mask = LVCF_TEXT;
            column.pszText = szText;
            column.cchTextMax = sizeof szText;
            ::SendMessageA(hList, LVM_GETCOLUMNA, i, (LPARAM)&column);
            headings.push_back(szText);
        }
        return headings;
    }

    std::string SelectedRow(HWND hDlg, int nList)
    {
        HWND hList = ::GetDlgItem(hDlg, nList);
        int nRow = hList ? (int)::SendMessageA(hList, LVM_GETNEXTITEM, (WPARAM)-1, LVNI_SELECTED) : -1;
        return nRow < 0 ? "" : ListRowText(hList, nRow);
    }

    std::string ControlStates(HWND hWnd)
    {
        std::string states;
        for (HWND hChild = ::GetWindow(hWnd, GW_CHILD); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
        {
            const int nId = ::GetDlgCtrlID(hChild);
            char szClass[32] = "";
            ::GetClassNameA(hChild, szClass, sizeof szClass);
            if (lstrcmpiA(szClass, "Button") == 0)
                states += std::to_string(nId) + "=" + std::to_string(::SendMessageA(hChild, BM_GETCHECK, 0, 0)) + " ";
            else if (lstrcmpiA(szClass, WC_LISTVIEWA) == 0)
                states += std::to_string(nId) + "=\"" + SelectedRow(hWnd, nId) + "\" ";
        }
        return states;
    }

    std::vector<std::string> ComboEntries(HWND hDlg, int nCombo)
    {
        std::vector<std::string> entries;
        HWND hCombo = ::GetDlgItem(hDlg, nCombo);
        int nCount = hCombo ? (int)::SendMessageA(hCombo, CB_GETCOUNT, 0, 0) : 0;
        for (int i = 0; i < nCount; ++i)
        {
            char szText[1024] = "";
            ::SendMessageA(hCombo, CB_GETLBTEXT, i, (LPARAM)szText);
            entries.push_back(szText);
        }
        return entries;
    }

    std::string ComboSelection(HWND hDlg, int nCombo)
    {
        HWND hCombo = ::GetDlgItem(hDlg, nCombo);
        int nSel = hCombo ? (int)::SendMessageA(hCombo, CB_GETCURSEL, 0, 0) : CB_ERR;
        if (nSel == CB_ERR)
            return "";
        char szText[1024] = "";
        ::SendMessageA(hCombo, CB_GETLBTEXT, nSel, (LPARAM)szText);
        return szText;
    }
}
