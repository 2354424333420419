#pragma once
// The paint context of one WM_PAINT: BeginPaint on construction (which
// validates the update region), EndPaint on destruction.
#include "CWnd.h"

class CPaintDC
{
public:
    explicit CPaintDC(CWnd* pWnd) : m_hWnd(pWnd->m_hWnd)  { m_hDC = ::BeginPaint(m_hWnd, &m_ps); }
    ~CPaintDC()                                         { ::EndPaint(m_hWnd, &m_ps); }
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;

    HDC m_hDC;
private:
    HWND m_hWnd;
    PAINTSTRUCT m_ps;
};
