/*
 * The main window: a borderless, round-cornered skin that carries the 32 keys
 * and the LCD, can be dragged by any free point of the skin, translates the
 * keyboard into key presses, forwards calculator keys to the LCD and carries
 * out the four window keys itself. A tape file dropped on it is replayed.
 */
#include "app/shell.h"

#include <shellapi.h>

#include "app/commands.h"
#include "app/tape_commands.h"
#include "app/tape_notices.h"
#include "app/tape_window.h"
#include "app/zoom.h"
#include "buttons/img_button.h"
#include "lcd/lcd_window.h"
#include "res/lcd_layout.h"
#include "res/resource.h"
#include "res/skin.h"
#include "tape/site.h"

HBITMAP g_hSkinBitmap;
int g_bKeyHandled;

namespace {

Surface g_Skin; /* g_hSkinBitmap, kept selected for the paints */
int g_nWheelDelta; /* of the wheel over the LCD, short of a notch */

/* The children as they were created, index control id - 1. */
HWND g_hChildren[IDC_LCDSCREEN];

/* The part of the shell that each window class differs in. */
struct ClassSpec {
    const char *name;
    WNDPROC proc;
    bool ownCursor;  /* the window sets its own (the keys' hand), else the system arrow */
    const wchar_t *wideName;  /* a Unicode class, for Korean window texts */
};

const ClassSpec WINDOW_CLASSES[] = {
    { MAIN_WINDOW_CLASS, MainWndProc, false, nullptr },
    { IMG_BUTTON_CLASS, ImgButtonWndProc, true, L"" IMG_BUTTON_CLASS },
    { LCD_SCREEN_CLASS, LcdScreenWndProc, false, nullptr },
    { TAPE_WINDOW_CLASS, TapeWndProc, false, L"" TAPE_WINDOW_CLASS },
};

/* The same class record in either character set. */
template <typename ClassRecord>
ClassRecord ClassRecordOf(const ClassSpec &spec)
{
    ClassRecord wc = {};
    wc.cbSize = sizeof(wc);
    wc.style = 0;
    wc.lpfnWndProc = spec.proc;
    wc.hInstance = g_hInstance;
    wc.hCursor = spec.ownCursor ? nullptr : LoadCursorA(nullptr, (LPCSTR)IDC_ARROW);
    wc.hbrBackground = (HBRUSH)GetStockObject(NULL_BRUSH);
    return wc;
}

ATOM RegisterWindowClass(const ClassSpec &spec)
{
    if (spec.wideName) {
        WNDCLASSEXW wc = ClassRecordOf<WNDCLASSEXW>(spec);
        wc.lpszClassName = spec.wideName;
        return RegisterClassExW(&wc);
    }
    WNDCLASSEXA wc = ClassRecordOf<WNDCLASSEXA>(spec);
    wc.lpszClassName = spec.name;
    return RegisterClassExA(&wc);
}

/* A child is created visible while the main window is still hidden: there
   is nothing to show or paint before the main window's first paint, which
   paints the children with it. */
HWND CreateChild(HWND parent, const char *className, int x, int y, int width, int height, int id)
{
    /* No window text to store: the keys and the LCD make theirs when it is
       asked for (WM_GETTEXT). */
    HWND child = CreateWindowExA(0, className, nullptr, WS_CHILD | WS_VISIBLE, x, y, width,
                                 height, parent, (HMENU)(INT_PTR)id, g_hInstance, nullptr);
    if (id >= 1 && id <= IDC_LCDSCREEN) {
        g_hChildren[id - 1] = child;
    }
    return child;
}

/* Where child id sits at the face's factor. */
RECT ChildRect(int id)
{
    RECT rect = { LCD_X, LCD_Y, LCD_X + LCD_WIDTH, LCD_Y + LCD_HEIGHT };
    if (id != IDC_LCDSCREEN) {
        ButtonSpec spec = {};
        GetButtonSpec(nullptr, id, &spec);
        rect = { spec.x, spec.y, spec.x + spec.width, spec.y + spec.height };
    }
    return { Scaled(rect.left), Scaled(rect.top), Scaled(rect.right), Scaled(rect.bottom) };
}

/* The round-cornered region, each of its pixels an n x n block at factor
   n: the same cut corners, without the smoother curve that a larger round
   rectangle would have. */
HRGN CreateSkinRegion(void)
{
    HRGN region = CreateRoundRectRgn(0, 0, REGION_RIGHT, REGION_BOTTOM, REGION_CORNER_WIDTH,
                                     REGION_CORNER_HEIGHT);
    enum { REGION_DATA_MAX = 4096 };
    static DWORD data[REGION_DATA_MAX / sizeof(DWORD)]; /* one thread, one use at a time */
    DWORD size = region && g_nScale > 1 ? GetRegionData(region, 0, nullptr) : 0;
    if (size == 0 || size > sizeof(data) || !GetRegionData(region, size, (RGNDATA *)data)) {
        return region;
    }
    XFORM scale = { (FLOAT)g_nScale, 0, 0, (FLOAT)g_nScale, 0, 0 };
    HRGN scaled = ExtCreateRegion(&scale, size, (RGNDATA *)data);
    if (!scaled) {
        return region;
    }
    DeleteObject(region);
    return scaled;
}

/* The window's size, region and skin at the face's factor. */
void DressFace(HWND hwnd)
{
    SetWindowRgn(hwnd, CreateSkinRegion(), FALSE); /* the region now belongs to the system */
    FreeSurface(&g_Skin);
    KeepBitmapResource(IDB_SKIN, &g_Skin);
    g_hSkinBitmap = g_Skin.kept.bitmap;
}

LRESULT OnCreate(HWND hwnd)
{
    /* The face takes its display's whole factor before anything is made,
       so that every child and picture is made at it once. */
    g_nScale = ScaleFactorOfDpi(DpiOfWindow(hwnd));
    if (g_nScale != 1) {
        SetWindowPos(hwnd, nullptr, 0, 0, Scaled(SKIN_WIDTH), Scaled(SKIN_HEIGHT),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    /* Each key is created where its layout row puts it, which spares it
       moving itself there. A calculator without all its keys and its LCD is
       no use: -1 fails the main window's creation, and the program ends. */
    for (int id = 1; id <= IDC_LCDSCREEN; id++) {
        RECT r = ChildRect(id);
        const char *className = id == IDC_LCDSCREEN ? LCD_SCREEN_CLASS : IMG_BUTTON_CLASS;
        if (!CreateChild(hwnd, className, r.left, r.top, r.right - r.left, r.bottom - r.top, id)) {
            return -1;
        }
    }
    DressFace(hwnd);
    DragAcceptFiles(hwnd, TRUE);
    return 0;
}

/* Asked, before a DPI change, what size the window will take there: the
   face's, at the new factor with the user's zoom, so that the place the
   system then suggests fits it (Windows 10 1703 and later, with per-monitor
   awareness v2). */
LRESULT OnGetDpiScaledSize(WPARAM wParam, SIZE *size)
{
    int factor = ZoomedFactorOfDpi((int)wParam, nullptr);
    size->cx = SKIN_WIDTH * factor;
    size->cy = SKIN_HEIGHT * factor;
    return TRUE;
}

/* Moved to a monitor of another scale: the face is made again at the new
   factor, with the user's zoom kept, where the system suggests. */
LRESULT OnDpiChanged(HWND hwnd, WPARAM wParam, const RECT *suggested)
{
    ScaleFace(hwnd, ZoomedFactorOfDpi(LOWORD(wParam), suggested), suggested->left,
              suggested->top);
    return 0;
}

/* The skin just painted shows the keys in that area released, and a key
   draws nothing of its own when it paints: its update region goes with the
   skin's, which spares each key a paint cycle of its own (round trips to the
   window server under Wine). The LCD keeps its own. */
void ValidateKeys(HWND hwnd, const RECT *painted)
{
    HRGN keys = CreateRectRgnIndirect(painted);
    RECT area = ChildRect(IDC_LCDSCREEN);
    HRGN lcd = CreateRectRgnIndirect(&area);
    CombineRgn(keys, keys, lcd, RGN_DIFF);
    RedrawWindow(hwnd, nullptr, keys, RDW_VALIDATE | RDW_ALLCHILDREN);
    DeleteObject(lcd);
    DeleteObject(keys);
}

LRESULT OnPaint(HWND hwnd)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    PaintSkin(dc);
    EndPaint(hwnd, &ps);
    ValidateKeys(hwnd, &ps.rcPaint);
    return 0;
}

/* A key asks for the skin under it when it turns released. */
LRESULT OnPrintClient(HDC dc)
{
    PaintSkin(dc);
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
    /* The Ctrl keys of the commands first: their letters press no key. */
    g_bKeyHandled = TranslateCommandKey(hwnd, wParam) || TranslateKeyDown(hwnd, wParam, lParam);
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
    int id;
    if (ButtonIdOfWord(buttonId, &id)) {
        SendMessageA(FindChild(hwnd, IDC_LCDSCREEN), WM_COMMAND, LcdCommandOf(id), buttonId);
    }
}

void RunSystemKey(HWND hwnd, WPARAM wParam, LPARAM buttonId)
{
    switch (buttonId) {
    case KEY_QUIT:
        /* Runs the destruction handling at once; the windows end with the
           process after the message loop has taken the quit message. */
        SendMessageA(hwnd, WM_DESTROY, wParam, buttonId);
        break;
    case KEY_MINIMISE:
        ShowWindow(hwnd, SW_MINIMIZE);
        break;
    case KEY_ABOUT:
        /* Wide, so that its Korean texts reach the controls unconverted and
           read right whatever the system's code page. */
        DialogBoxParamW(g_hInstance, MAKEINTRESOURCEW(IDD_ABOUT), hwnd, AboutDlgProc, 0);
        break;
    case KEY_WEB:
        ShellExecuteA(hwnd, "open", ORVANTA_HOME_URL, nullptr, nullptr, SW_SHOWNORMAL);
        break;
    default:
        break;
    }
}

LRESULT OnCommand(HWND hwnd, WPARAM wParam, LPARAM lParam)
{
    /* wParam is compared whole: a non-zero high word matches no key. */
    if (wParam == CMD_KEY) {
        ForwardCalculatorKey(hwnd, lParam);
    } else if (wParam == CMD_SYSTEM) {
        RunSystemKey(hwnd, wParam, lParam);
    } else if (wParam == MAKEWPARAM(LOWORD(wParam), COMMAND_FROM_KEY)) {
        RunCommand(hwnd, LOWORD(wParam));
    }
    return 0;
}

/* The wheel over the LCD scrolls the tape a line per notch, as the line
   keys do; a high-resolution wheel's smaller steps add up to notches. */
void ScrollTapeByWheel(HWND hwnd, POINT at, int delta)
{
    RECT lcd;
    GetWindowRect(FindChild(hwnd, IDC_LCDSCREEN), &lcd);
    if (!PtInRect(&lcd, at)) {
        g_nWheelDelta = 0;
        return;
    }
    for (int notches = WheelNotches(&g_nWheelDelta, delta); notches != 0;
         notches += notches > 0 ? -1 : 1) {
        ForwardCalculatorKey(hwnd, notches > 0 ? KEY_LINE_UP : KEY_LINE_DOWN);
    }
}

/* Ctrl with the wheel over the face zooms; without Ctrl, over the LCD, it
   scrolls the tape. The keys and the LCD hand their wheel up. */
LRESULT OnMouseWheel(HWND hwnd, WPARAM wParam, LPARAM lParam)
{
    RECT window;
    GetWindowRect(hwnd, &window);
    POINT pointer = { (short)LOWORD(lParam), (short)HIWORD(lParam) };
    if (!PtInRect(&window, pointer)) {
        return DefWindowProcA(hwnd, WM_MOUSEWHEEL, wParam, lParam);
    }
    if (GET_KEYSTATE_WPARAM(wParam) & MK_CONTROL) {
        ZoomByWheel(hwnd, GET_WHEEL_DELTA_WPARAM(wParam));
    } else {
        ScrollTapeByWheel(hwnd, pointer, GET_WHEEL_DELTA_WPARAM(wParam));
    }
    return 0;
}

/* A right click anywhere on the face (the keys and the LCD hand theirs up),
   Shift+F10 or the Menu key: the commands' menu, at the pointer or, from the
   keyboard, at the window's corner. */
LRESULT OnContextMenu(HWND hwnd, LPARAM lParam)
{
    ShowCommandMenu(hwnd, (short)LOWORD(lParam), (short)HIWORD(lParam));
    return 0;
}

/* Alt+Space opens a window's menu: with no caption and no system menu of
   its own, the calculator's menu stands in for it. */
LRESULT OnSysCommand(HWND hwnd, WPARAM wParam, LPARAM lParam)
{
    if ((wParam & 0xFFF0) == SC_KEYMENU && lParam == ' ') {
        ShowCommandMenu(hwnd, -1, -1);
        return 0;
    }
    return DefWindowProcA(hwnd, WM_SYSCOMMAND, wParam, lParam);
}

/* A dropped file is replayed. A tape is one file: of several, none is
   opened, and the user is told so rather than left to guess which. */
LRESULT OnDropFiles(HWND hwnd, HDROP drop)
{
    wchar_t path[MAX_PATH] = L"";
    UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    bool fits = DragQueryFileW(drop, 0, nullptr, 0) < MAX_PATH;
    if (count == 1 && fits) {
        DragQueryFileW(drop, 0, path, MAX_PATH);
    }
    DragFinish(drop);
    if (count > 1) {
        MessageBoxW(hwnd, ONE_TAPE_AT_A_TIME_TEXT(L), OPEN_CAPTION(L), MB_OK | MB_ICONINFORMATION);
    } else if (path[0]) {
        ReplayTapeFile(hwnd, path);
    } else {
        MessageBeep(MB_ICONWARNING); /* a name too long to open */
    }
    return 0;
}

LRESULT OnNotify(HWND hwnd, LPARAM lParam)
{
    return PlaceKeyTip(hwnd, (const NMHDR *)lParam);
}

LRESULT OnDestroy(void)
{
    g_hKeyTips = nullptr; /* destroyed with its owner */
    if (g_hSkinBitmap) {
        FreeSurface(&g_Skin); /* deletes g_hSkinBitmap */
        g_hSkinBitmap = nullptr;
    }
    PostQuitMessage(0);
    return 0;
}

} // namespace

RECT WorkAreaOf(HMONITOR monitor)
{
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    if (!GetMonitorInfoW(monitor, &info)) {
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &info.rcWork, 0);
    }
    return info.rcWork;
}

int WheelNotches(int *sum, int delta)
{
    if ((delta < 0) != (*sum < 0)) {
        *sum = 0;
    }
    *sum += delta;
    int notches = *sum / WHEEL_DELTA;
    *sum -= notches * WHEEL_DELTA;
    return notches;
}

int RegisterWindowClasses(void)
{
    for (const ClassSpec &spec : WINDOW_CLASSES) {
        if (!RegisterWindowClass(spec)) {
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

void ShowMainWindow(HWND mainWindow, int showCommand)
{
    ShowWindow(mainWindow, showCommand);
    UpdateWindow(mainWindow);
    /* Nothing needs the tips before a pointer rests on a key: they come
       after the first paint, which then shows the calculator sooner. */
    CreateKeyTips(mainWindow);
}

void ScaleFace(HWND mainWindow, int factor, int left, int top)
{
    RECT oldFace;
    GetWindowRect(mainWindow, &oldFace);
    bool rescaled = factor != g_nScale;
    if (rescaled) {
        g_nScale = factor;
        for (int id = 1; id <= IDC_LCDSCREEN; id++) {
            RECT r = ChildRect(id);
            MoveWindow(FindChild(mainWindow, id), r.left, r.top, r.right - r.left,
                       r.bottom - r.top, FALSE);
        }
        ForgetPressedImages();
        LoadLcdGlyphs();
        DressFace(mainWindow);
    }
    SetWindowPos(mainWindow, nullptr, left, top, Scaled(SKIN_WIDTH), Scaled(SKIN_HEIGHT),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    if (rescaled) {
        RescaleTapeWindow(oldFace); /* the tape window follows the face's factor */
    }
    InvalidateRect(mainWindow, nullptr, FALSE);
    InvalidateRect(FindChild(mainWindow, IDC_LCDSCREEN), nullptr, FALSE);
}

/* The whole skin on every paint, whatever the update region, from where it
   is kept selected. */
void PaintSkin(HDC dc)
{
    if (g_Skin.kept.dc) {
        BitBlt(dc, 0, 0, g_Skin.width, g_Skin.height, g_Skin.kept.dc, 0, 0, SRCCOPY);
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
        return OnPrintClient((HDC)wParam);
    case WM_LBUTTONDOWN:
        return OnLButtonDown(hwnd);
    case WM_KEYDOWN:
        return OnKeyDown(hwnd, wParam, lParam);
    case WM_CHAR:
        return OnChar(hwnd, wParam, lParam);
    case WM_MOUSEWHEEL:
        return OnMouseWheel(hwnd, wParam, lParam);
    case WM_COMMAND:
        return OnCommand(hwnd, wParam, lParam);
    case WM_GETDPISCALEDSIZE:
        return OnGetDpiScaledSize(wParam, (SIZE *)lParam);
    case WM_DPICHANGED:
        return OnDpiChanged(hwnd, wParam, (const RECT *)lParam);
    case WM_CONTEXTMENU:
        return OnContextMenu(hwnd, lParam);
    case WM_SYSCOMMAND:
        return OnSysCommand(hwnd, wParam, lParam);
    case WM_DROPFILES:
        return OnDropFiles(hwnd, (HDROP)wParam);
    case WM_NOTIFY:
        return OnNotify(hwnd, lParam);
    case WM_DESTROY:
        return OnDestroy();
    default:
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}
