// Draws a contact sheet of the resource modules: a sample of their dialogs
// as the user sees them, every toolbar, icon and cursor, and saves it as a
// BMP for a person to look over. Usage: resmodule_contact_sheet OUT.bmp
#include "LoadedModule.h"
#include "ResourceInventory.h"

#include <windows.h>
#include <commctrl.h>
#include <cstdio>
#include <vector>

namespace
{
    const int kSheetWidth = 1500;
    const int kSheetHeight = 2600;
    const int kGap = 12;

    // Places pictures left to right, in rows.
    class CSheet
    {
    public:
        CSheet() : m_hdc(::CreateCompatibleDC(NULL))
        {
            BITMAPINFO info = {};
            info.bmiHeader = {sizeof(BITMAPINFOHEADER), kSheetWidth, -kSheetHeight, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
            m_hBitmap = ::CreateDIBSection(NULL, &info, DIB_RGB_COLORS, (void**)&m_pBits, NULL, 0);
            ::SelectObject(m_hdc, m_hBitmap);
            RECT all = {0, 0, kSheetWidth, kSheetHeight};
            ::FillRect(m_hdc, &all, (HBRUSH)::GetStockObject(WHITE_BRUSH));
            ::SetBkMode(m_hdc, TRANSPARENT);
            ::SelectObject(m_hdc, ::GetStockObject(DEFAULT_GUI_FONT));
        }
        ~CSheet()
        {
            ::DeleteDC(m_hdc);
            ::DeleteObject(m_hBitmap);
        }
        HDC Dc() const { return m_hdc; }

        // The top left corner for a picture of this size with a label above it.
        POINT Place(int cx, int cy, const char* pszLabel)
        {
            if (m_x + cx > kSheetWidth - kGap)
                NewRow();
            ::TextOutA(m_hdc, m_x, m_y, pszLabel, lstrlenA(pszLabel));
            POINT pt = {m_x, m_y + 16};
            m_x += std::max<int>(cx, 8 * lstrlenA(pszLabel)) + kGap;
            m_rowHeight = std::max(m_rowHeight, cy + 16);
            return pt;
        }
        void NewRow()
        {
            m_x = kGap;
            m_y += m_rowHeight + kGap;
            m_rowHeight = 0;
        }
        bool Save(const char* pszPath) const
        {
            FILE* pFile = fopen(pszPath, "wb");
            if (!pFile)
                return false;
            DWORD stride = (kSheetWidth * 3 + 3) & ~3;
            BITMAPINFOHEADER info = {sizeof(info), kSheetWidth, -kSheetHeight, 1, 24, BI_RGB, stride * kSheetHeight,
                                     0, 0, 0, 0};
            BITMAPFILEHEADER file = {0x4D42, (DWORD)(sizeof(file) + sizeof(info) + info.biSizeImage), 0, 0,
                                     sizeof(file) + sizeof(info)};
            bool bOk = fwrite(&file, sizeof(file), 1, pFile) == 1 && fwrite(&info, sizeof(info), 1, pFile) == 1 &&
                       fwrite(m_pBits, info.biSizeImage, 1, pFile) == 1;
            return fclose(pFile) == 0 && bOk;
        }
    private:
        HDC m_hdc;
        HBITMAP m_hBitmap = NULL;
        BYTE* m_pBits = nullptr;
        int m_x = kGap;
        int m_y = kGap;
        int m_rowHeight = 0;
    };

    // What the framework does with a dialog's initialisation data: fill its combo boxes.
    void FillComboBoxes(HWND hDialog, const std::string& data)
    {
        size_t offset = 0;
        while (offset + 8 <= data.size() && *(const WORD*)(data.data() + offset))
        {
            HWND hCombo = ::GetDlgItem(hDialog, *(const WORD*)(data.data() + offset));
            ::SendMessageA(hCombo, CB_ADDSTRING, 0, (LPARAM)(data.data() + offset + 8));
            ::SendMessageA(hCombo, CB_SETCURSEL, 0, 0);
            offset += 8 + *(const DWORD*)(data.data() + offset + 4);
        }
    }

    // Colour buttons are drawn by their application; show each with a colour of its own.
    INT_PTR CALLBACK SheetDialogProc(HWND, UINT uMsg, WPARAM, LPARAM lParam)
    {
        if (uMsg != WM_DRAWITEM)
            return FALSE;
        const COLORREF colors[] = {RGB(192, 0, 0), RGB(0, 64, 192), RGB(255, 200, 0), RGB(0, 128, 64), RGB(0, 0, 0)};
        const DRAWITEMSTRUCT* pItem = (const DRAWITEMSTRUCT*)lParam;
        RECT rc = pItem->rcItem;
        ::DrawEdge(pItem->hDC, &rc, EDGE_RAISED, BF_RECT | BF_ADJUST | BF_MIDDLE);
        ::InflateRect(&rc, -2, -2);
        HBRUSH hBrush = ::CreateSolidBrush(colors[pItem->CtlID % 5]);
        ::FillRect(pItem->hDC, &rc, hBrush);
        ::DeleteObject(hBrush);
        return TRUE;
    }

    void PumpMessages()
    {
        MSG msg;
        while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
            ::DispatchMessageA(&msg);
    }

    void DrawDialog(CSheet& sheet, HWND hStage, const CLoadedModule& module, WORD wId, const char* pszModule)
    {
        // Each dialog is shown as a bare child of one stage window: showing a
        // top-level window per dialog costs Wine seconds, and without a window
        // manager under Xvfb nobody would draw its frame anyway. The sheet
        // draws frame and title bar itself around the client area.
        std::string templ = module.Data(5, wId);
        bool bExtended = ((const WORD*)templ.data())[1] == 0xFFFF;
        DWORD* pStyle = (DWORD*)&templ[bExtended ? 12 : 0];
        DWORD* pExStyle = (DWORD*)&templ[bExtended ? 8 : 4];
        DWORD style = *pStyle;
        bool bTool = (*pExStyle & WS_EX_TOOLWINDOW) != 0;
        *pStyle = (style & ~(WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | DS_MODALFRAME | WS_POPUP)) | WS_CHILD;
        *pExStyle = 0;
        HWND hDialog = ::CreateDialogIndirectParamA(module.Handle(), (LPCDLGTEMPLATEA)templ.data(), hStage,
                                                    SheetDialogProc, 0);
        if (!hDialog)
            return;
        std::string init = module.Data(RT_DLGINIT_TYPE, wId);
        FillComboBoxes(hDialog, init);
        ::SetWindowPos(hDialog, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
        ::RedrawWindow(hDialog, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        PumpMessages();
        RECT client;
        ::GetClientRect(hDialog, &client);
        int border = 3;
        int caption = (style & WS_CAPTION) == WS_CAPTION ? ::GetSystemMetrics(bTool ? SM_CYSMCAPTION : SM_CYCAPTION) : 0;
        char szLabel[64];
        wsprintfA(szLabel, "%s dialog %u", pszModule, wId);
        POINT pt = sheet.Place(client.right + 2 * border, client.bottom + 2 * border + caption, szLabel);
        RECT frame = {pt.x, pt.y, pt.x + client.right + 2 * border, pt.y + client.bottom + 2 * border + caption};
        ::DrawEdge(sheet.Dc(), &frame, EDGE_RAISED, BF_RECT | BF_MIDDLE);
        if (caption)
        {
            RECT title = {frame.left + border, frame.top + border, frame.right - border, frame.top + border + caption};
            ::DrawCaption(hDialog, sheet.Dc(), &title, DC_ACTIVE | DC_TEXT | DC_GRADIENT | (bTool ? DC_SMALLCAP : 0));
        }
        HDC hdcClient = ::GetDC(hDialog);
        ::BitBlt(sheet.Dc(), pt.x + border, pt.y + border + caption, client.right, client.bottom, hdcClient, 0, 0, SRCCOPY);
        ::ReleaseDC(hDialog, hdcClient);
        ::DestroyWindow(hDialog);
    }

    void DrawToolbars(CSheet& sheet, const CLoadedModule& module)
    {
        ResourceDirectory directory = EnumerateResources(module.Handle());
        for (const auto& entry : directory[RT_TOOLBAR_TYPE])
        {
            HBITMAP hBitmap = (HBITMAP)::LoadImageA(module.Handle(), MAKEINTRESOURCEA(entry.first), IMAGE_BITMAP, 0, 0, 0);
            BITMAP bm = {};
            ::GetObjectA(hBitmap, sizeof(bm), &bm);
            char szLabel[32];
            wsprintfA(szLabel, "toolbar %u", entry.first);
            POINT pt = sheet.Place(bm.bmWidth * 2, bm.bmHeight * 2, szLabel);
            HDC hdcBitmap = ::CreateCompatibleDC(sheet.Dc());
            ::SelectObject(hdcBitmap, hBitmap);
            ::StretchBlt(sheet.Dc(), pt.x, pt.y, bm.bmWidth * 2, bm.bmHeight * 2, hdcBitmap, 0, 0, bm.bmWidth, bm.bmHeight,
                         SRCCOPY);
            ::DeleteDC(hdcBitmap);
            ::DeleteObject(hBitmap);
        }
        sheet.NewRow();
    }

    void DrawImages(CSheet& sheet, const CLoadedModule& module, WORD wGroupType, UINT uImageType, const char* pszKind)
    {
        ResourceDirectory directory = EnumerateResources(module.Handle());
        for (const auto& entry : directory[wGroupType])
        {
            HANDLE hImage = ::LoadImageA(module.Handle(), MAKEINTRESOURCEA(entry.first), uImageType, 32, 32, 0);
            char szLabel[32];
            wsprintfA(szLabel, "%s %u", pszKind, entry.first);
            POINT pt = sheet.Place(48, 36, szLabel);
            RECT frame = {pt.x, pt.y, pt.x + 36, pt.y + 36};
            ::FillRect(sheet.Dc(), &frame, (HBRUSH)::GetStockObject(LTGRAY_BRUSH));
            ::DrawIconEx(sheet.Dc(), pt.x + 2, pt.y + 2, (HICON)hImage, 32, 32, 0, NULL, DI_NORMAL);
            if (uImageType == IMAGE_CURSOR)
                ::DestroyCursor((HCURSOR)hImage);
            else
                ::DestroyIcon((HICON)hImage);
        }
        sheet.NewRow();
    }
}

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        fprintf(stderr, "usage: resmodule_contact_sheet OUT.bmp\n");
        return 2;
    }
    INITCOMMONCONTROLSEX init = {sizeof(init), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&init);
    CSheet sheet;
    HWND hStage = ::CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 1200, 1000, NULL, NULL, NULL, NULL);
    CLoadedModule tessik(TessikInventory().file, 0);
    CLoadedModule peloria(PeloriaInventory().file, 0);
    for (WORD wId : {132, 1040, 1045, 1016, 102, 30721, 1010})
        DrawDialog(sheet, hStage, tessik, wId, "Tessik");
    sheet.NewRow();
    for (WORD wId : {1777, 1822, 1819, 1758, 1845, 1835, 1787, 1794, 1790, 1765, 1815})
        DrawDialog(sheet, hStage, peloria, wId, "Peloria");
    sheet.NewRow();
    DrawToolbars(sheet, peloria);
    DrawImages(sheet, tessik, 14, IMAGE_ICON, "icon");
    DrawImages(sheet, peloria, 14, IMAGE_ICON, "icon");
    DrawImages(sheet, tessik, 12, IMAGE_CURSOR, "cursor");
    DrawImages(sheet, peloria, 12, IMAGE_CURSOR, "cursor");
    ::DestroyWindow(hStage);
    return sheet.Save(argv[1]) ? 0 : 1;
}
