#include "res/bitmaps.h"

HINSTANCE g_hInstance;
int g_nScale = 1;

int ScaleFactorOfDpi(int dpi)
{
    /* Capped: a display that claims an absurd DPI must not ask for surfaces
       of gigabytes, which could not be made and would leave a blank face. */
    int factor = (dpi + 48) / 96;
    return factor < 1 ? 1 : factor > MAX_SCALE ? MAX_SCALE : factor;
}

int DpiOfWindow(HWND hwnd)
{
    /* Windows 10 1607 and later; Windows 7 has only the system's DPI. Looked
       up each time (a window asks once): a static kept here would need the
       run-time's start-up code, which this program does without. */
    typedef UINT(WINAPI * GetDpiForWindowFn)(HWND);
    GetDpiForWindowFn getDpiForWindow = (GetDpiForWindowFn)(void (*)(void))GetProcAddress(
        GetModuleHandleA("user32.dll"), "GetDpiForWindow");
    UINT dpi = getDpiForWindow && hwnd ? getDpiForWindow(hwnd) : 0;
    if (dpi == 0) {
        HDC screen = GetDC(nullptr);
        dpi = (UINT)GetDeviceCaps(screen, LOGPIXELSX);
        ReleaseDC(nullptr, screen);
    }
    return (int)dpi;
}

/* Source pixel (col, row) of a picture drawn at factor n from out: an n x n
   block, rows stride apart. */
static inline void PutPixel(DWORD *out, int stride, int n, int col, int row, DWORD colour)
{
    DWORD *at = out + (size_t)row * n * stride + (size_t)col * n;
    for (int dy = 0; dy < n; dy++, at += stride) {
        for (int dx = 0; dx < n; dx++) {
            at[dx] = colour;
        }
    }
}

/* The resource's header and colour table, read in place; its pixels follow,
   up to *end (the end of the resource), which the other arguments may
   leave out. */
static const BITMAPINFO *FindBitmapResource(int resourceId, const BYTE **pixels,
                                            const BYTE **end = nullptr)
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
    if (end) {
        *end = (const BYTE *)info + SizeofResource(g_hInstance, found);
    }
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

/* Straight from the program's resource data (8-bit, uncompressed), without
   making a bitmap of it first (a fortieth of the time under Wine). */
void DrawResourceOn(Surface *dest, int x, int y, int resourceId)
{
    const BYTE *pixels;
    const BYTE *end;
    const BITMAPINFO *info = FindBitmapResource(resourceId, &pixels, &end);
    if (!info || !dest->pixels) {
        return;
    }
    const BITMAPINFOHEADER &header = info->bmiHeader;
    int width = header.biWidth;
    int height = header.biHeight < 0 ? -header.biHeight : header.biHeight;
    int n = g_nScale;
    int stride = (width + 3) & ~3; /* rows of 8-bit pixels are padded to 4 bytes */
    if (header.biBitCount != 8 || header.biCompression != BI_RGB || x < 0 || y < 0 ||
        (x + width) * n > dest->width || (y + height) * n > dest->height ||
        end - pixels < (ptrdiff_t)stride * height) {
        return;
    }
    DWORD colours[256] = {};
    DWORD used = header.biClrUsed ? header.biClrUsed : 256;
    for (DWORD i = 0; i < used && i < 256; i++) {
        const RGBQUAD &c = info->bmiColors[i];
        colours[i] = ((DWORD)c.rgbRed << 16) | ((DWORD)c.rgbGreen << 8) | c.rgbBlue;
    }
    DWORD *out = dest->pixels + (size_t)y * n * dest->width + (size_t)x * n;
    for (int row = 0; row < height; row++) {
        int from = header.biHeight < 0 ? row : height - 1 - row; /* most are bottom-up */
        const BYTE *in = pixels + (size_t)from * stride;
        for (int col = 0; col < width; col++) {
            PutPixel(out, dest->width, n, col, row, colours[in[col]]);
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
    int height = header.biHeight < 0 ? -header.biHeight : header.biHeight;
    KeepSurface(Scaled(header.biWidth), Scaled(height), surface);
    DrawResourceOn(surface, 0, 0, resourceId);
}
