#include "RobotMessageBox.h"
#include "RobotView.h"

namespace
{
    const int kMessageBoxTextId = 0xFFFF;

    bool IsMessageBoxControlId(int nId)
    {
        return (nId >= IDOK && nId <= 11) || nId == kMessageBoxTextId || nId == 0x14 || nId == 0x440;
    }

    BOOL CALLBACK CheckMessageBoxControl(HWND hWndChild, LPARAM lParam)
    {
        if (!IsMessageBoxControlId(::GetDlgCtrlID(hWndChild)))
        {
            *(bool*)lParam = false;
            return FALSE;
        }
        return TRUE;
    }
}

namespace robot
{
    bool IsMessageBox(HWND hWnd)
    {
        if (!IsDialogWindow(hWnd) || ::GetDlgItem(hWnd, kMessageBoxTextId) == nullptr)
            return false;
        bool bOnlyMessageBoxControls = true;
        ::EnumChildWindows(hWnd, CheckMessageBoxControl, (LPARAM)&bOnlyMessageBoxControls);
        return bOnlyMessageBoxControls;
    }

    RobotMessageBox ReadMessageBox(HWND hWnd)
    {
        return {ControlText(hWnd, kMessageBoxTextId), WindowText(hWnd)};
    }

    void CloseMessageBox(HWND hWnd)
    {
        static const int anButtons[] = {IDOK, IDYES, IDRETRY, IDCANCEL, IDNO, IDABORT, IDIGNORE};
        for (int nButton : anButtons)
            if (HWND hButton = ::GetDlgItem(hWnd, nButton))
            {
                ::PostMessageA(hWnd, WM_COMMAND, MAKEWPARAM(nButton, BN_CLICKED), (LPARAM)hButton);
                break;
            }
    }

    RobotMessageBox ReadAndCloseMessageBox(HWND hWnd)
    {
        RobotMessageBox box = ReadMessageBox(hWnd);
        CloseMessageBox(hWnd);
        return box;
    }
}
