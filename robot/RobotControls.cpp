#include "RobotControls.h"
#include "RobotView.h"

#include <commctrl.h>

namespace
{
    void SetRowState(HWND hList, int nRow, UINT nState, UINT nMask)
    {
        LVITEMA item = {};
        item.state = nState;
        item.stateMask = nMask;
        ::SendMessageA(hList, LVM_SETITEMSTATE, nRow, (LPARAM)&item);
    }

    HWND Control(HWND hDlg, int nId, std::string& reason)
    {
        HWND hWnd = ::GetDlgItem(hDlg, nId);
        if (hWnd == nullptr)
            reason = "no control " + std::to_string(nId);
        return hWnd;
    }

    // The first row of exactly that text: a person tells "Code" from "code".
    int FindListRow(HWND hList, const std::string& text)
    {
        const int nRows = (int)::SendMessageA(hList, LVM_GETITEMCOUNT, 0, 0);
        for (int nRow = 0; nRow < nRows; ++nRow)
        {
            if (robot::ListRowText(hList, nRow) == text)
                return nRow;
        }
        return -1;
    }
}

namespace robot
{
    RobotAction SelectRow(int nList, const std::string& text)
    {
        return [=](HWND hDlg, std::string& reason) {
            HWND hList = Control(hDlg, nList, reason);
            if (hList == nullptr)
                return StepResult::Failed;
            int nRow = FindListRow(hList, text);
            if (nRow < 0)
            {
                reason = "no row \"" + text + "\" in list " + std::to_string(nList);
                return StepResult::Wait;
            }
            return SelectRowAt(nList, nRow)(hDlg, reason);
        };
    }

    RobotAction SelectRowAt(int nList, int nRow)
    {
        return [=](HWND hDlg, std::string& reason) {
            HWND hList = Control(hDlg, nList, reason);
            if (hList == nullptr)
                return StepResult::Failed;
            if (nRow >= (int)::SendMessageA(hList, LVM_GETITEMCOUNT, 0, 0))
            {
                reason = "no row " + std::to_string(nRow) + " in list " + std::to_string(nList);
                return StepResult::Wait;
            }
            ::SetFocus(hList);
            SetRowState(hList, nRow, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
            ::SendMessageA(hList, LVM_ENSUREVISIBLE, nRow, FALSE);
            return StepResult::Done;
        };
    }

    RobotAction ClearSelection(int nList)
    {
        return [=](HWND hDlg, std::string& reason) {
            HWND hList = Control(hDlg, nList, reason);
            if (hList == nullptr)
                return StepResult::Failed;
            SetRowState(hList, -1, 0, LVIS_SELECTED);
            return StepResult::Done;
        };
    }

    RobotAction ChooseEntryAt(int nCombo, int nIndex)
    {
        return [=](HWND hDlg, std::string& reason) {
            HWND hCombo = Control(hDlg, nCombo, reason);
            if (hCombo == nullptr)
                return StepResult::Failed;
            if (nIndex >= (int)::SendMessageA(hCombo, CB_GETCOUNT, 0, 0))
            {
                reason = "no entry " + std::to_string(nIndex) + " in combo " + std::to_string(nCombo);
                return StepResult::Wait;
            }
            ::SendMessageA(hCombo, CB_SETCURSEL, nIndex, 0);
            ::SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(nCombo, CBN_SELCHANGE), (LPARAM)hCombo);
            return StepResult::Done;
        };
    }

    RobotAction ChooseEntry(int nCombo, const std::string& text)
    {
        return [=](HWND hDlg, std::string& reason) {
            HWND hCombo = Control(hDlg, nCombo, reason);
            if (hCombo == nullptr)
                return StepResult::Failed;
            int nIndex = (int)::SendMessageA(hCombo, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)text.c_str());
            if (nIndex < 0)
            {
                reason = "no entry \"" + text + "\" in combo " + std::to_string(nCombo);
                return StepResult::Wait;
            }
            return ChooseEntryAt(nCombo, nIndex)(hDlg, reason);
        };
    }

    RobotAction Type(int nEdit, const std::string& text)
    {
        return [=](HWND hDlg, std::string& reason) {
            HWND hEdit = Control(hDlg, nEdit, reason);
            if (hEdit == nullptr)
                return StepResult::Failed;
            ::SetWindowTextA(hEdit, text.c_str());
            return StepResult::Done;
        };
    }

    RobotAction SetCheck(int nButton, bool bChecked)
    {
        return [=](HWND hDlg, std::string& reason) {
            HWND hButton = Control(hDlg, nButton, reason);
            if (hButton == nullptr)
                return StepResult::Failed;
            if ((::SendMessageA(hButton, BM_GETCHECK, 0, 0) == BST_CHECKED) != bChecked)
                ::SendMessageA(hButton, BM_CLICK, 0, 0);
            return StepResult::Done;
        };
    }

    RobotAction Click(int nButton)
    {
        return [=](HWND hDlg, std::string& reason) {
            HWND hButton = Control(hDlg, nButton, reason);
            if (hButton == nullptr)
                return StepResult::Failed;
            if (::IsWindowEnabled(hButton) && ::IsWindowVisible(hButton))
                ::SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(nButton, BN_CLICKED), (LPARAM)hButton);
            return StepResult::Done;
        };
    }

    RobotAction PressCloseBox()
    {
        return [](HWND hDlg, std::string&) {
            ::SendMessageA(hDlg, WM_SYSCOMMAND, SC_CLOSE, 0);
            return StepResult::Done;
        };
    }

    void PostClick(HWND hControl, POINT ptClient, bool bDouble)
    {
        const LPARAM lPosition = MAKELPARAM(ptClient.x, ptClient.y);
        ::PostMessageA(hControl, WM_LBUTTONDOWN, MK_LBUTTON, lPosition);
        ::PostMessageA(hControl, WM_LBUTTONUP, 0, lPosition);
        if (bDouble)
        {
            ::PostMessageA(hControl, WM_LBUTTONDBLCLK, MK_LBUTTON, lPosition);
            ::PostMessageA(hControl, WM_LBUTTONUP, 0, lPosition);
        }
    }

    RobotAction QueueClick(int nControl, bool bDouble)
    {
        return [nControl, bDouble](HWND hDlg, std::string& reason) {
            HWND hControl = ::GetDlgItem(hDlg, nControl);
            if (hControl == nullptr)
            {
                reason = "no control " + std::to_string(nControl);
                return StepResult::Failed;
            }
            RECT rc;
            ::GetClientRect(hControl, &rc);
            PostClick(hControl, {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2}, bDouble);
            return StepResult::Done;
        };
    }

    RobotAction QueueClickOnRow(int nList, int nRow)
    {
        return [nList, nRow](HWND hDlg, std::string& reason) {
            HWND hList = ::GetDlgItem(hDlg, nList);
            RECT rc = {LVIR_LABEL, 0, 0, 0};
            if (hList == nullptr || !::SendMessageA(hList, LVM_GETITEMRECT, nRow, (LPARAM)&rc))
            {
                reason = "no row " + std::to_string(nRow);
                return StepResult::Failed;
            }
            PostClick(hList, {rc.left + 4, (rc.top + rc.bottom) / 2});
            return StepResult::Done;
        };
    }
}
