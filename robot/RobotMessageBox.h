#pragma once
// Message boxes as the robot meets them: told from other dialogs by their
// controls, read (text, caption) and closed with their first button.
#include <windows.h>
#include <string>

struct RobotMessageBox
{
    std::string text;
    std::string caption;
};

namespace robot
{
    // The template of message boxes, for a script while one is shown.
    const int kMessageBox = -1;

    // A dialog whose controls are only message-box buttons, text and icon.
    bool IsMessageBox(HWND hWnd);
    RobotMessageBox ReadMessageBox(HWND hWnd);
    // Posts the press of the message box's first button.
    void CloseMessageBox(HWND hWnd);
    RobotMessageBox ReadAndCloseMessageBox(HWND hWnd);
}
