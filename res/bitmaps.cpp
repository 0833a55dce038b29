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
