#pragma once
// Dispatches every message pending for the thread, so that the dialogs are
// drawn before the thread blocks in a driver.
#include <windows.h>

// A quit request is the host's: it goes back to the queue for the loop that
// owns it, and the drain stops there.
inline void DrainMessages()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
    {
        if (msg.message == WM_QUIT)
        {
            ::PostQuitMessage((int)msg.wParam);
            break;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}
