#include "HostWindow.h"

namespace
{
    const char kClassName[] = "RdmTestHost";
}

CHostWindow::CHostWindow(RECT rcWindow, std::function<void(UINT, WPARAM, LPARAM)> onMessage)
    : m_onMessage(std::move(onMessage))
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.hCursor = ::LoadCursorA(nullptr, (LPCSTR)IDC_ARROW);
    wc.hbrBackground = (HBRUSH)(COLOR_APPWORKSPACE + 1);
    wc.lpszClassName = kClassName;
    ::RegisterClassA(&wc);
    m_hWnd = ::CreateWindowExA(0, kClassName, "Host", WS_OVERLAPPEDWINDOW, rcWindow.left, rcWindow.top,
                               rcWindow.right - rcWindow.left, rcWindow.bottom - rcWindow.top, nullptr, nullptr,
                               wc.hInstance, this);
    // In a corner, where no dialog centred over the window covers it.
    m_hButton = ::CreateWindowExA(0, "BUTTON", "&Import...", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 8, 8,
                                  90, 26, m_hWnd, (HMENU)(INT_PTR)kButtonId, wc.hInstance, nullptr);
    ::ShowWindow(m_hWnd, SW_SHOWNORMAL);
    ::SetForegroundWindow(m_hWnd);
    ::SetFocus(m_hButton);
    ::UpdateWindow(m_hWnd);
}

CHostWindow::~CHostWindow()
{
    ::DestroyWindow(m_hWnd);
}

LRESULT CALLBACK CHostWindow::WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE)
        ::SetWindowLongPtrA(hWnd, GWLP_USERDATA, (LONG_PTR)((CREATESTRUCTA*)lParam)->lpCreateParams);
    auto* pThis = (CHostWindow*)::GetWindowLongPtrA(hWnd, GWLP_USERDATA);
    if (pThis != nullptr)
    {
        if (message == WM_ENABLE)
            pThis->m_enabledChanges.push_back(wParam != FALSE);
        if (message == WM_COMMAND && LOWORD(wParam) == kButtonId && HIWORD(wParam) == BN_CLICKED)
            ++pThis->m_nButtonPresses;
        if (pThis->m_onMessage)
            pThis->m_onMessage(message, wParam, lParam);
    }
    return ::DefWindowProcA(hWnd, message, wParam, lParam);
}
