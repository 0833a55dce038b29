#include "res/bitmaps.h"

HINSTANCE g_hInstance;

/* The resource's header and colour table, read in place; its pixels follow. */
static const BITMAPINFO *FindBitmapResource(int resourceId, const BYTE **pixels)
{
    HRSRC found = FindResourceA(g_hInstance, MAKEINTRESOURCEA(resourceId), (LPCSTR)RT_BITMAP);
    HGLOBAL loaded = found ? LoadResource(g_hInstance, found) : nullptr;
    const BITMAPINFO *info = loaded ? (const BITMAPINFO *)LockResource(loaded) : nullptr;
    if (!info) {
        return nullptr;
    }
    const BITMAPINFOHEADER &header = info->bmiHeader;
    DWORD colours = header.biClrUsed;
    if (!colours && header.biBitCount <= 8) {
        colours = 1u << header.biBitCount;
    }
    *pixels = (const BYTE *)info + header.biSize + colours * sizeof(RGBQUAD);
    return info;
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

/* Straight from the program's resource data, without making a bitmap of it
   first (a fortieth of the time under Wine). */
void DrawResourceOn(Surface *dest, int x, int y, int resourceId)
{
    const BYTE *pixels;
    const BITMAPINFO *info = FindBitmapResource(resourceId, &pixels);
    if (!info || !dest->pixels) {
        return;
    }
    const BITMAPINFOHEADER &header = info->bmiHeader;
    int width = header.biWidth;
    int height = header.biHeight < 0 ? -header.biHeight : header.biHeight;
    if (header.biBitCount != 8 || header.biCompression != BI_RGB || x < 0 || y < 0 ||
        x + width > dest->width || y + height > dest->height) {
        return;
    }
    DWORD colours[256] = {};
    DWORD used = header.biClrUsed ? header.biClrUsed : 256;
    for (DWORD i = 0; i < used && i < 256; i++) {
        const RGBQUAD &c = info->bmiColors[i];
        colours[i] = ((DWORD)c.rgbRed << 16) | ((DWORD)c.rgbGreen << 8) | c.rgbBlue;
    }
    int stride = (width + 3) & ~3; /* rows of 8-bit pixels are padded to 4 bytes */
    for (int row = 0; row < height; row++) {
        int from = header.biHeight < 0 ? row : height - 1 - row; /* most are bottom-up */
        const BYTE *in = pixels + (size_t)from * stride;
        DWORD *out = dest->pixels + (size_t)(y + row) * dest->width + x;
        for (int col = 0; col < width; col++) {
            out[col] = colours[in[col]];
        }
    }
}

void KeepSurface(int width, int height, Surface *surface)
{
    BITMAPINFO info;
    DescribeTopDown32(&info, width, height);
    void *pixels = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    KeepBitmap(bitmap, &surface->kept);
    surface->pixels = surface->kept.dc ? (DWORD *)pixels : nullptr;
    surface->width = width;
    surface->height = height;
}

void FreeSurface(Surface *surface)
{
    FreeKeptBitmap(&surface->kept);
    surface->pixels = nullptr;
}

void KeepBitmapResource(int resourceId, Surface *surface)
{
    const BYTE *pixels;
    const BITMAPINFO *info = FindBitmapResource(resourceId, &pixels);
    *surface = {};
    if (!info) {
        return;
    }
    const BITMAPINFOHEADER &header = info->bmiHeader;
    KeepSurface(header.biWidth, header.biHeight < 0 ? -header.biHeight : header.biHeight, surface);
    DrawResourceOn(surface, 0, 0, resourceId);
}
