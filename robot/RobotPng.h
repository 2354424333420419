#pragma once
// Screenshots of the robot's dialogs as PNG files.
#include <windows.h>
#include <string>

namespace robot
{
    // Saves a PNG of the window over the windows that own it, as the screen
    // shows them, once each has drawn all that is pending.
    bool SaveWindowPng(HWND hWnd, const std::string& path);
}
