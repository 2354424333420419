#pragma once
// Input through the system, as a person gives it: the keys go to the window
// with the focus, a click to whatever shows at its place on the screen, and
// either is taken from the queue after the action.
#include "RobotAction.h"

namespace robot
{
    // Keys by their names, one after another: a character ("8", "O"), Tab,
    // Enter, Esc, Space, Up, Down, Left, Right, Home, End, Delete or
    // Backspace, or one of them after Shift+, Ctrl+ or Alt+ ("Alt+D",
    // "Shift+Tab").
    RobotAction PressKeys(std::vector<std::string> keys);
    // Whether the name is one that PressKeys knows.
    bool IsKeyName(const std::string& key);
    // A click of the left mouse button on a part of the control that no
    // window covers: a control of the dialog shown, or with nBelow of the
    // window so many under it (see WindowBelow); nControl 0 is that window
    // itself.
    RobotAction MouseClick(int nControl, int nBelow = 0);
    // Waits until the thread has taken every key and click from its queue.
    RobotAction WaitForInput();
    // Presses the key, one press a tick, until the condition holds: as a
    // person presses Down until the row is chosen, or Tab until the button
    // has the focus.
    RobotAction PressUntil(const std::string& key, std::function<bool(HWND)> condition, const std::string& what);
    // The window so many under the dialog on the screen, among the visible
    // top-level windows of the thread (0: the dialog itself; 1: where a
    // nested dialog's owner should be); nullptr where they end.
    HWND WindowBelow(HWND hDlg, int nBelow);
    // The window so many owners under the dialog; nullptr where they end.
    HWND OwnerBelow(HWND hDlg, int nBelow);
    // A point of hTarget, the window nBelow under hDlg or a control of it,
    // that none of the windows above it covers; false when none shows.
    bool UncoveredPoint(HWND hDlg, int nBelow, HWND hTarget, POINT& pt);
}
