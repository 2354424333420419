#pragma once
// A host application's main window: shown, active, with one button, as a
// host has it when the user starts an import from it (rdmhost's window, and
// the tests'). It records what the module must not do to it while its
// dialogs are up: a press of its button, and every change of its enabled
// state.
#include <windows.h>
#include <functional>
#include <vector>

class CHostWindow
{
public:
    static const int kButtonId = 100;
    // Where rdmhost and the tests put it: the dialogs, centred over it,
    // leave its button showing.
    static constexpr RECT kPlace = {100, 80, 1000, 760};

    // At this place on the screen; onMessage, when set, sees every message
    // the window gets (a host's own handling of a menu command or a timer).
    explicit CHostWindow(RECT rcWindow = kPlace, std::function<void(UINT, WPARAM, LPARAM)> onMessage = nullptr);
    ~CHostWindow();
    CHostWindow(const CHostWindow&) = delete;
    CHostWindow& operator=(const CHostWindow&) = delete;

    HWND Handle() const { return m_hWnd; }
    HWND Button() const { return m_hButton; }
    int ButtonPresses() const { return m_nButtonPresses; }
    // The enabled state after each change, in their order (WM_ENABLE).
    const std::vector<bool>& EnabledChanges() const { return m_enabledChanges; }

private:
    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_hWnd = nullptr;
    HWND m_hButton = nullptr;
    int m_nButtonPresses = 0;
    std::vector<bool> m_enabledChanges;
    std::function<void(UINT, WPARAM, LPARAM)> m_onMessage;
};
