#include "res/bitmaps.h"

HINSTANCE g_hInstance;

void CopyBitmap(HDC dest, int x, int y, int width, int height, HBITMAP bitmap)
{
    HDC memDc = CreateCompatibleDC(dest);
    HGDIOBJ oldObject = SelectObject(memDc, bitmap);
    BitBlt(dest, x, y, width, height, memDc, 0, 0, SRCCOPY);
    SelectObject(memDc, oldObject);
    DeleteDC(memDc);
}

void DrawBitmapResource(HDC dc, int x, int y, int resourceId)
{
    HRSRC found = FindResourceA(g_hInstance, MAKEINTRESOURCEA(resourceId), (LPCSTR)RT_BITMAP);
    HGLOBAL loaded = found ? LoadResource(g_hInstance, found) : nullptr;
    const BITMAPINFO *info = loaded ? (const BITMAPINFO *)LockResource(loaded) : nullptr;
    if (!info) {
        return;
    }
    const BITMAPINFOHEADER &header = info->bmiHeader;
    DWORD colours = header.biClrUsed;
    if (!colours && header.biBitCount <= 8) {
        colours = 1u << header.biBitCount;
    }
    const BYTE *pixels = (const BYTE *)info + header.biSize + colours * sizeof(RGBQUAD);
    int height = header.biHeight < 0 ? -header.biHeight : header.biHeight;
    SetDIBitsToDevice(dc, x, y, header.biWidth, height, 0, 0, 0, height, pixels, info,
                      DIB_RGB_COLORS);
}

void DescribeTopDown32(BITMAPINFO *info, int width, int height)
{
    *info = {};
    info->bmiHeader.biSize = sizeof(info->bmiHeader);
    info->bmiHeader.biWidth = width;
    info->bmiHeader.biHeight = -height;
    info->bmiHeader.biPlanes = 1;
    info->bmiHeader.biBitCount = 32;
    info->bmiHeader.biCompression = BI_RGB;
}

void KeepBitmap(HBITMAP bitmap, KeptBitmap *kept)
{
    *kept = {};
    if (!bitmap) {
        return;
    }
    kept->dc = CreateCompatibleDC(nullptr);
    kept->bitmap = bitmap;
    kept->previous = SelectObject(kept->dc, bitmap);
}

void FreeKeptBitmap(KeptBitmap *kept)
{
    if (kept->dc) {
        SelectObject(kept->dc, kept->previous);
        DeleteDC(kept->dc);
    }
    if (kept->bitmap) {
        DeleteObject(kept->bitmap);
    }
    *kept = {};
}

HBITMAP LoadScreenBitmap(int resourceId, int width, int height)
{
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);
    if (!bitmap) {
        return nullptr;
    }
    HDC memDc = CreateCompatibleDC(nullptr);
    HGDIOBJ oldObject = SelectObject(memDc, bitmap);
    DrawBitmapResource(memDc, 0, 0, resourceId);
    SelectObject(memDc, oldObject);
    DeleteDC(memDc);
    return bitmap;
}
