#include "app/test/win_test.h"

#include <stdarg.h>
#include <stdio.h>
#include <string.h>

#include "app/shell.h"
#include "res/resource.h"

int g_nTestFailures;

void CheckFailed(const char *file, int line, const char *expression, const char *format, ...)
{
    char context[512];
    va_list args;
    va_start(args, format);
    vsnprintf(context, sizeof(context), format, args);
    va_end(args);
    fprintf(stderr, "%s:%d: check failed: %s [%s]\n", file, line, expression, context);
    fflush(stderr);
    g_nTestFailures++;
}

int TestResult(const char *testName)
{
    if (g_nTestFailures) {
        fprintf(stderr, "%s: %d check(s) failed\n", testName, g_nTestFailures);
        return 1;
    }
    printf("%s: all checks passed\n", testName);
    return 0;
}

void PumpPending(void)
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void UseOwnResources(void)
{
    g_hInstance = GetModuleHandleA(nullptr);
}

HWND StartCalculator(void)
{
    static bool registered;
    UseOwnResources();
    if (!registered) {
        registered = RegisterWindowClasses() != 0;
        CHECK(registered, "window classes registered");
    }
    HWND hwnd = CreateMainWindow();
    CHECK(hwnd != nullptr, "main window created");
    ShowMainWindow(hwnd, SW_SHOWNORMAL);
    SetForegroundWindow(hwnd);
    SetFocus(hwnd);
    PumpPending();
    return hwnd;
}

void StopCalculator(HWND mainWindow)
{
    DestroyWindow(mainWindow);
    PumpPending();
    MSG msg;
    while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

static bool ReadBitmap(HDC dc, HBITMAP bitmap, int width, int height, Image *out)
{
    if (width * height > IMAGE_MAX_PIXELS) {
        return false;
    }
    BITMAPINFO info;
    DescribeTopDown32(&info, width, height);
    out->width = width;
    out->height = height;
    int rows = GetDIBits(dc, bitmap, 0, height, out->px, &info, DIB_RGB_COLORS);
    for (int i = 0; i < width * height; i++) {
        out->px[i] &= 0x00FFFFFF;
    }
    return rows == height;
}

bool CaptureWindow(HWND hwnd, int x, int y, int width, int height, Image *out)
{
    HDC windowDc = GetDC(hwnd);
    HDC memDc = CreateCompatibleDC(windowDc);
    HBITMAP bitmap = CreateCompatibleBitmap(windowDc, width, height);
    HGDIOBJ old = SelectObject(memDc, bitmap);
    BitBlt(memDc, 0, 0, width, height, windowDc, x, y, SRCCOPY);
    SelectObject(memDc, old);
    bool ok = ReadBitmap(memDc, bitmap, width, height, out);
    DeleteObject(bitmap);
    DeleteDC(memDc);
    ReleaseDC(hwnd, windowDc);
    return ok;
}

bool LoadBitmapImage(int resourceId, Image *out)
{
    HBITMAP bitmap = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resourceId));
    if (!bitmap) {
        return false;
    }
    BITMAP info;
    GetObjectA(bitmap, sizeof(info), &info);
    HDC screen = GetDC(nullptr);
    bool ok = ReadBitmap(screen, bitmap, info.bmWidth, info.bmHeight, out);
    ReleaseDC(nullptr, screen);
    DeleteObject(bitmap);
    return ok;
}

bool RenderImage(int width, int height, void (*draw)(HDC dc), Image *out)
{
    HDC screen = GetDC(nullptr);
    HDC memDc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memDc, bitmap);
    draw(memDc);
    SelectObject(memDc, old);
    bool ok = ReadBitmap(memDc, bitmap, width, height, out);
    DeleteObject(bitmap);
    DeleteDC(memDc);
    ReleaseDC(nullptr, screen);
    return ok;
}

void CopyImageArea(const Image *src, int sx, int sy, int width, int height, Image *dst, int dx,
                   int dy)
{
    for (int row = 0; row < height; row++) {
        for (int col = 0; col < width; col++) {
            int x = dx + col;
            int y = dy + row;
            if (x < 0 || y < 0 || x >= dst->width || y >= dst->height) {
                continue;
            }
            dst->px[y * dst->width + x] = PixelAt(src, sx + col, sy + row);
        }
    }
}

int CountDifferences(const Image *a, const Image *b, int *firstX, int *firstY)
{
    if (a->width != b->width || a->height != b->height) {
        *firstX = *firstY = -1;
        return a->width * a->height + 1;
    }
    int count = 0;
    for (int y = 0; y < a->height; y++) {
        for (int x = 0; x < a->width; x++) {
            if (PixelAt(a, x, y) != PixelAt(b, x, y)) {
                if (!count) {
                    *firstX = x;
                    *firstY = y;
                }
                count++;
            }
        }
    }
    return count;
}

int CountGdiObjects(void)
{
    DWORD reported = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (reported) {
        return (int)reported;
    }
    /* Where the count is not kept (Wine), every live object still answers
       to the low word of its handle. */
    int count = 0;
    for (unsigned handle = 1; handle <= 0xFFFF; handle++) {
        if (GetObjectType((HGDIOBJ)(ULONG_PTR)handle)) {
            count++;
        }
    }
    return count;
}

LcdCommand g_LcdCommands[LCD_COMMANDS_KEPT];
int g_nLcdCommands;
static WNDPROC g_LcdProc;
static bool g_bForwardToLcd;

static LRESULT CALLBACK RecordingLcdProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_COMMAND) {
        if (g_nLcdCommands < LCD_COMMANDS_KEPT) {
            g_LcdCommands[g_nLcdCommands] = { wParam, lParam };
        }
        g_nLcdCommands++;
        if (!g_bForwardToLcd) {
            return 0;
        }
    }
    return CallWindowProcA(g_LcdProc, hwnd, msg, wParam, lParam);
}

void RecordLcdCommands(HWND mainWindow, bool forward)
{
    HWND lcd = GetDlgItem(mainWindow, IDC_LCDSCREEN);
    g_LcdProc = (WNDPROC)SetWindowLongPtrA(lcd, GWLP_WNDPROC, (LONG_PTR)RecordingLcdProc);
    g_bForwardToLcd = forward;
    g_nLcdCommands = 0;
}

void StopRecordingLcd(HWND mainWindow)
{
    SetWindowLongPtrA(GetDlgItem(mainWindow, IDC_LCDSCREEN), GWLP_WNDPROC, (LONG_PTR)g_LcdProc);
}

void PressWithModifiers(HWND window, WPARAM virtualKey, bool control, bool shift)
{
    BYTE state[256] = {};
    state[VK_CONTROL] = control ? 0x80 : 0;
    state[VK_SHIFT] = shift ? 0x80 : 0;
    SetKeyboardState(state);
    SendMessageW(window, WM_KEYDOWN, virtualKey, 1);
    if (control) {
        SendMessageW(window, WM_CHAR, virtualKey & 0x1F, 1);
    }
    SetKeyboardState((BYTE *)memset(state, 0, sizeof(state)));
}

void PutClipboardText(HWND owner, const wchar_t *text)
{
    size_t size = text ? (wcslen(text) + 1) * sizeof(wchar_t) : 4;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    if (text) {
        memcpy(GlobalLock(memory), text, size);
    }
    GlobalUnlock(memory);
    CHECK(OpenClipboard(owner) && EmptyClipboard(), "clipboard taken for the test");
    SetClipboardData(text ? CF_UNICODETEXT : RegisterClipboardFormatA("Orvanta test"), memory);
    CloseClipboard();
}
