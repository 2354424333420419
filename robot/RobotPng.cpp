// Screenshots as PNG files, written without an image library: the pixels of
// the window as it has drawn itself, in stored (uncompressed) deflate blocks.
#include "RobotPng.h"

#include <cstdio>
#include <cstdint>
#include <vector>

namespace
{
    uint32_t Crc32(const uint8_t* pData, size_t nSize, uint32_t crc = 0)
    {
        static uint32_t table[256];
        if (table[1] == 0)
            for (uint32_t n = 0; n < 256; ++n)
            {
                uint32_t c = n;
                for (int k = 0; k < 8; ++k)
                    c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
                table[n] = c;
            }
        crc = ~crc;
        for (size_t i = 0; i < nSize; ++i)
            crc = table[(crc ^ pData[i]) & 0xFF] ^ (crc >> 8);
        return ~crc;
    }

    void PutBigEndian(std::vector<uint8_t>& out, uint32_t value)
    {
        for (int shift = 24; shift >= 0; shift -= 8)
            out.push_back((uint8_t)(value >> shift));
    }

    void WriteChunk(FILE* pFile, const char* pszType, const std::vector<uint8_t>& data)
    {
        std::vector<uint8_t> chunk;
        PutBigEndian(chunk, (uint32_t)data.size());
        chunk.insert(chunk.end(), pszType, pszType + 4);
        chunk.insert(chunk.end(), data.begin(), data.end());
        PutBigEndian(chunk, Crc32(chunk.data() + 4, chunk.size() - 4));
        fwrite(chunk.data(), 1, chunk.size(), pFile);
    }

    std::vector<uint8_t> StoredZlib(const std::vector<uint8_t>& raw)
    {
        std::vector<uint8_t> out = {0x78, 0x01};
        uint32_t a = 1, b = 0;
        for (uint8_t byte : raw)
        {
            a = (a + byte) % 65521;
            b = (b + a) % 65521;
        }
        size_t nPos = 0;
        do
        {
            size_t nBlock = raw.size() - nPos < 65535 ? raw.size() - nPos : 65535;
            out.push_back(nPos + nBlock == raw.size() ? 1 : 0);
            out.push_back((uint8_t)nBlock);
            out.push_back((uint8_t)(nBlock >> 8));
            out.push_back((uint8_t)~nBlock);
            out.push_back((uint8_t)(~nBlock >> 8));
            out.insert(out.end(), raw.begin() + nPos, raw.begin() + nPos + nBlock);
            nPos += nBlock;
        } while (nPos < raw.size());
        PutBigEndian(out, (b << 16) | a);
        return out;
    }

    // Draws now what the window and its controls still have to draw, such as
    // a row just added to a list. Wine activates a program's first window
    // before that window is the foreground window, draws its caption
    // inactive, and does not draw it again when the window becomes the
    // foreground window: the caption is told its state once more.
    void PaintPending(HWND hWnd)
    {
        if (::GetForegroundWindow() == hWnd)
            ::SendMessageA(hWnd, WM_NCACTIVATE, TRUE, 0);
        ::RedrawWindow(hWnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
}

bool robot::SaveWindowPng(HWND hWnd, const std::string& path)
{
    // The window and the visible windows that own it, the lowest first: the
    // picture shows a dialog where the user sees it, over the one it came
    // from.
    std::vector<HWND> windows;
    RECT rect = {};
    for (HWND hLayer = hWnd; hLayer != nullptr; hLayer = ::GetWindow(hLayer, GW_OWNER))
    {
        RECT rcLayer;
        if (hLayer != hWnd && !::IsWindowVisible(hLayer))
            continue;
        if (!::GetWindowRect(hLayer, &rcLayer))
            return false;
        ::UnionRect(&rect, &rect, &rcLayer);
        windows.insert(windows.begin(), hLayer);
    }
    int nWidth = rect.right - rect.left, nHeight = rect.bottom - rect.top;
    if (nWidth <= 0 || nHeight <= 0)
        return false;

    HDC hScreen = ::GetDC(nullptr);
    HDC hMemory = ::CreateCompatibleDC(hScreen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = nWidth;
    info.bmiHeader.biHeight = -nHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* pBits = nullptr;
    HBITMAP hBitmap = ::CreateDIBSection(hScreen, &info, DIB_RGB_COLORS, &pBits, nullptr, 0);
    HGDIOBJ hOld = ::SelectObject(hMemory, hBitmap);
    ::PatBlt(hMemory, 0, 0, nWidth, nHeight, WHITENESS);
    // Each window's own pixels, not the screen's: under Wine the screen
    // shows what a window drew only once Wine has passed it on to the X
    // server.
    for (HWND hLayer : windows)
    {
        PaintPending(hLayer);
        RECT rcLayer;
        ::GetWindowRect(hLayer, &rcLayer);
        HDC hWindow = ::GetWindowDC(hLayer);
        ::BitBlt(hMemory, rcLayer.left - rect.left, rcLayer.top - rect.top, rcLayer.right - rcLayer.left,
                 rcLayer.bottom - rcLayer.top, hWindow, 0, 0, SRCCOPY);
        ::ReleaseDC(hLayer, hWindow);
    }
    ::SelectObject(hMemory, hOld);
    ::ReleaseDC(nullptr, hScreen);

    std::vector<uint8_t> raw;
    raw.reserve((size_t)(nWidth * 3 + 1) * nHeight);
    const uint8_t* pPixels = (const uint8_t*)pBits;
    for (int y = 0; y < nHeight; ++y)
    {
        raw.push_back(0);
        for (int x = 0; x < nWidth; ++x)
        {
            const uint8_t* p = pPixels + ((size_t)y * nWidth + x) * 4;
            raw.push_back(p[2]);
            raw.push_back(p[1]);
            raw.push_back(p[0]);
        }
    }
    ::DeleteObject(hBitmap);
    ::DeleteDC(hMemory);

    FILE* pFile = fopen(path.c_str(), "wb");
    if (pFile == nullptr)
        return false;
    static const uint8_t signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    fwrite(signature, 1, sizeof signature, pFile);
    std::vector<uint8_t> header;
    PutBigEndian(header, nWidth);
    PutBigEndian(header, nHeight);
    header.insert(header.end(), {8, 2, 0, 0, 0});   // 8-bit RGB
    WriteChunk(pFile, "IHDR", header);
    WriteChunk(pFile, "IDAT", StoredZlib(raw));
    WriteChunk(pFile, "IEND", {});
    return fclose(pFile) == 0;
}
