/*
 * The main window: a borderless, round-cornered skin that carries the 32 keys
 * and the LCD, can be dragged by any free point of the skin, translates the
 * keyboard into key presses, forwards calculator keys to the LCD and carries
 * out the four window keys itself.
 */
#include "app/shell.h"

#include <shellapi.h>

#include "app/commands.h"
#include "buttons/img_button.h"
#include "res/resource.h"
#include "res/site.h"
#include "tape/lcd_layout.h"
#include "tape/lcd_window.h"

HINSTANCE g_hInstance;
HBITMAP g_hSkinBitmap;
int g_bKeyHandled;

namespace {

KeptBitmap g_Skin; /* g_hSkinBitmap, kept selected for the paints */

/* The children as they were created, index control id - 1. */
HWND g_hChildren[IDC_LCDSCREEN];

/* The part of the shell that each window class differs in. */
struct ClassSpec {
    const char *name;
    WNDPROC proc;
    bool ownCursor;  /* the hand of the resources, else the system arrow */
};

const ClassSpec WINDOW_CLASSES[] = {
    { MAIN_WINDOW_CLASS, MainWndProc, false },
    { IMG_BUTTON_CLASS, ImgButtonWndProc, true },
    { LCD_SCREEN_CLASS, LcdScreenWndProc, false },
};

/* A child is created visible while the main window is still hidden: there
   is nothing to show or paint before the main window's first paint, which
   paints the children with it. */
HWND CreateChild(HWND parent, const char *className, int x, int y, int width, int height, int id)
{
    HWND child = CreateWindowExA(0, className, "", WS_CHILD | WS_VISIBLE, x, y, width, height,
                                 parent, (HMENU)(INT_PTR)id, g_hInstance, nullptr);
    if (id >= 1 && id <= IDC_LCDSCREEN) {
        g_hChildren[id - 1] = child;
    }
    return child;
}

LRESULT OnCreate(HWND hwnd)
{
    /* Each key is created where its layout row puts it, which spares it
       moving itself there. */
    for (int id = 1; id <= BUTTON_COUNT; id++) {
        ButtonSpec spec = {};
        GetButtonSpec(hwnd, id, &spec);
        if (!CreateChild(hwnd, IMG_BUTTON_CLASS, spec.x, spec.y, spec.width, spec.height, id)) {
            return 0;
        }
    }
    if (!CreateChild(hwnd, LCD_SCREEN_CLASS, LCD_X, LCD_Y, LCD_WIDTH, LCD_HEIGHT, IDC_LCDSCREEN)) {
        return 0;
    }
    HRGN region = CreateRoundRectRgn(0, 0, REGION_RIGHT, REGION_BOTTOM, REGION_CORNER_WIDTH,
                                     REGION_CORNER_HEIGHT);
    SetWindowRgn(hwnd, region, FALSE); /* the region now belongs to the system */
    g_hSkinBitmap = LoadBitmapA(g_hInstance, MAKEINTRESOURCEA(IDB_SKIN));
    KeepBitmap(g_hSkinBitmap, &g_Skin);
    return 0;
}

/* The skin just painted shows the keys in that area released, and a key
   draws nothing of its own when it paints: its update region goes with the
   skin's, which spares each key a paint cycle of its own (round trips to the
   window server under Wine). The LCD keeps its own. */
void ValidateKeys(HWND hwnd, const RECT *painted)
{
    HRGN keys = CreateRectRgnIndirect(painted);
    HRGN lcd = CreateRectRgn(LCD_X, LCD_Y, LCD_X + LCD_WIDTH, LCD_Y + LCD_HEIGHT);
    CombineRgn(keys, keys, lcd, RGN_DIFF);
    RedrawWindow(hwnd, nullptr, keys, RDW_VALIDATE | RDW_ALLCHILDREN);
    DeleteObject(lcd);
    DeleteObject(keys);
}

LRESULT OnPaint(HWND hwnd)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    PaintSkin(hwnd, dc, g_hSkinBitmap);
    EndPaint(hwnd, &ps);
    ValidateKeys(hwnd, &ps.rcPaint);
    return 0;
}

/* A key asks for the skin under it when it turns released. */
LRESULT OnPrintClient(HWND hwnd, HDC dc)
{
    PaintSkin(hwnd, dc, g_hSkinBitmap);
    return 0;
}

LRESULT OnLButtonDown(HWND hwnd)
{
    /* A press on the free skin drags the window, as a caption would. */
    SendMessageA(hwnd, WM_NCLBUTTONDOWN, HTCAPTION, 0);
    return 0;
}

LRESULT OnKeyDown(HWND hwnd, WPARAM wParam, LPARAM lParam)
{
    g_bKeyHandled = TranslateKeyDown(hwnd, wParam, lParam);
    return 0;
}

LRESULT OnChar(HWND hwnd, WPARAM wParam, LPARAM lParam)
{
    /* The character of a key whose key-down pressed a button is not typed
       a second time. */
    if (!g_bKeyHandled) {
        TranslateChar(hwnd, wParam, lParam);
    }
    return 0;
}

void ForwardCalculatorKey(HWND hwnd, LPARAM buttonId)
{
    WPARAM lcdCommand;
    if (buttonId > LAST_OPERATOR_KEY) {
        lcdCommand = LCD_SCROLL;
    } else if (buttonId >= FIRST_OPERATOR_KEY) {
        lcdCommand = LCD_OPERATOR;
    } else {
        lcdCommand = LCD_ENTRY;
    }
    SendMessageA(FindChild(hwnd, IDC_LCDSCREEN), WM_COMMAND, lcdCommand, buttonId);
}

void RunSystemKey(HWND hwnd, WPARAM wParam, LPARAM buttonId)
{
    switch (buttonId) {
    case BUTTON_QUIT:
        /* Runs the destruction handling at once; the windows end with the
           process after the message loop has taken the quit message. */
        SendMessageA(hwnd, WM_DESTROY, wParam, buttonId);
        break;
    case BUTTON_MINIMISE:
        ShowWindow(hwnd, SW_MINIMIZE);
        break;
    case BUTTON_ABOUT:
        /* Wide, so that its Korean texts reach the controls unconverted and
           read right whatever the system's code page. */
        DialogBoxParamW(g_hInstance, MAKEINTRESOURCEW(IDD_ABOUT), hwnd, AboutDlgProc, 0);
        break;
    case BUTTON_WEB:
        ShellExecuteA(hwnd, "open", ORVANTA_HOME_URL, nullptr, nullptr, SW_SHOWNORMAL);
        break;
    default:
        break;
    }
}

LRESULT OnCommand(HWND hwnd, WPARAM wParam, LPARAM lParam)
{
    /* wParam is compared whole: a non-zero high word matches no command. */
    if (wParam == CMD_KEY) {
        ForwardCalculatorKey(hwnd, lParam);
    } else if (wParam == CMD_SYSTEM) {
        RunSystemKey(hwnd, wParam, lParam);
    }
    return 0;
}

LRESULT OnDestroy(void)
{
    if (g_hSkinBitmap) {
        FreeKeptBitmap(&g_Skin); /* deletes g_hSkinBitmap */
        g_hSkinBitmap = nullptr;
    }
    PostQuitMessage(0);
    return 0;
}

} // namespace

int RegisterWindowClasses(void)
{
    for (const ClassSpec &spec : WINDOW_CLASSES) {
        WNDCLASSEXA wc = {};
        wc.cbSize = sizeof(wc);
        wc.style = 0;
        wc.lpfnWndProc = spec.proc;
        wc.hInstance = g_hInstance;
        wc.hCursor = spec.ownCursor ? LoadCursorA(g_hInstance, MAKEINTRESOURCEA(IDC_KEY_CURSOR))
                                    : LoadCursorA(nullptr, (LPCSTR)IDC_ARROW);
        wc.hbrBackground = (HBRUSH)GetStockObject(NULL_BRUSH);
        wc.lpszClassName = spec.name;
        if (!RegisterClassExA(&wc)) {
            return 0;
        }
    }
    return 1;
}

HWND CreateMainWindow(void)
{
    return CreateWindowExA(0, MAIN_WINDOW_CLASS, MAIN_WINDOW_TEXT, WS_POPUP, MAIN_WINDOW_X,
                           MAIN_WINDOW_Y, SKIN_WIDTH, SKIN_HEIGHT, nullptr, nullptr, g_hInstance,
                           nullptr);
}

void CopyBitmap(HDC dest, int x, int y, int width, int height, HBITMAP bitmap)
{
    HDC memDc = CreateCompatibleDC(dest);
    HGDIOBJ oldObject = SelectObject(memDc, bitmap);
    BitBlt(dest, x, y, width, height, memDc, 0, 0, SRCCOPY);
    SelectObject(memDc, oldObject);
    DeleteDC(memDc);
}

/* Looking a child up by its id asks the window server for the list of all
   children, every time: the children made at creation are remembered, and
   whatever does not match them is looked up after all. */
HWND FindChild(HWND mainWindow, int id)
{
    if (id >= 1 && id <= IDC_LCDSCREEN) {
        HWND child = g_hChildren[id - 1];
        if (child && GetParent(child) == mainWindow && GetDlgCtrlID(child) == id) {
            return child;
        }
    }
    return GetDlgItem(mainWindow, id);
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

/* The whole skin on every paint, whatever the update region. The skin of the
   main window is kept selected; any other goes through a context of its own. */
void PaintSkin(HWND, HDC dc, HBITMAP skin)
{
    if (!skin) {
        return;
    }
    if (skin == g_Skin.bitmap && g_Skin.dc) {
        BitBlt(dc, 0, 0, SKIN_WIDTH, SKIN_HEIGHT, g_Skin.dc, 0, 0, SRCCOPY);
    } else {
        CopyBitmap(dc, 0, 0, SKIN_WIDTH, SKIN_HEIGHT, skin);
    }
}

LRESULT CALLBACK MainWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CREATE:
        return OnCreate(hwnd);
    case WM_PAINT:
        return OnPaint(hwnd);
    case WM_PRINTCLIENT:
        return OnPrintClient(hwnd, (HDC)wParam);
    case WM_LBUTTONDOWN:
        return OnLButtonDown(hwnd);
    case WM_KEYDOWN:
        return OnKeyDown(hwnd, wParam, lParam);
    case WM_CHAR:
        return OnChar(hwnd, wParam, lParam);
    case WM_COMMAND:
        return OnCommand(hwnd, wParam, lParam);
    case WM_DESTROY:
        return OnDestroy();
    default:
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}
