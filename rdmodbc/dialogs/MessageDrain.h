#pragma once
// Dispatches every message pending for the thread, so that a dialog is drawn
// before the thread blocks in a driver.
#include <windows.h>

// A press of a key or a mouse button: what a user does to act. The releases
// pass, so that no control is left holding a press it never saw end.
inline bool IsUserPress(UINT message)
{
    switch (message)
    {
    case WM_KEYUP:
    case WM_SYSKEYUP:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
    case WM_XBUTTONUP:
        return false;
    }
    return (message >= WM_KEYFIRST && message <= WM_KEYLAST) || (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST)
        || (message >= WM_NCMOUSEMOVE && message <= WM_NCXBUTTONDBLCLK);
}

// The dialog hDlg is in the middle of refilling a list from the driver: the
// user's presses on it are dropped, not acted on (a click on Back would
// close the connection under the refill, a second click on a check box would
// start a second refill within the first). Everything else is dispatched,
// painting above all. A quit request is the host's: it goes back to the
// queue for the loop that owns it, and the drain stops there.
inline void DrainMessages(HWND hDlg)
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
    {
        if (msg.message == WM_QUIT)
        {
            ::PostQuitMessage((int)msg.wParam);
            break;
        }
        if (IsUserPress(msg.message) && (msg.hwnd == hDlg || ::IsChild(hDlg, msg.hwnd)))
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}
