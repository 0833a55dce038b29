// The main window: its children and region, the command routing at the
// edges of each range, the skin coming back after a key, dragging, the About
// dialog, the overflow notice, GDI objects over thousands of keys, and a
// creation that fails halfway.
#include <stdio.h>
#include <string.h>

#include "amount/messages.h"
#include "res/resource.h"
#include "app/shell.h"
#include "app/test/win_test.h"
#include "res/skin.h"
#include "buttons/img_button.h"
#include "res/lcd_layout.h"
#include "lcd/lcd_window.h"
#include "tape/tape.h"

namespace {

void TestChildrenAndRegion(HWND mainWindow)
{
    RECT rc;
    GetWindowRect(mainWindow, &rc);
    CHECK(rc.left == 100 && rc.top == 100 && rc.right - rc.left == 226 && rc.bottom - rc.top == 282,
          "main window at (%ld,%ld) size %ldx%ld", rc.left, rc.top, rc.right - rc.left,
          rc.bottom - rc.top);
    LONG style = GetWindowLongA(mainWindow, GWL_STYLE);
    CHECK((style & (WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_CLIPCHILDREN)) == 0 &&
              (style & WS_POPUP),
          "borderless popup without child clipping: style %08lx", style);

    for (int id = 1; id <= IDC_LCDSCREEN; id++) {
        HWND child = GetDlgItem(mainWindow, id);
        char className[64] = "";
        GetClassNameA(child, className, sizeof(className));
        const char *expected = id == IDC_LCDSCREEN ? "Orvanta_LCDScreen" : "Orvanta_imgButton";
        CHECK(child && strcmp(className, expected) == 0, "child %d is a %s", id, className);
        GetWindowRect(child, &rc);
        MapWindowPoints(nullptr, mainWindow, (POINT *)&rc, 2);
        RECT want = { LCD_X, LCD_Y, LCD_X + LCD_WIDTH, LCD_Y + LCD_HEIGHT };
        if (id != IDC_LCDSCREEN) {
            ButtonSpec spec = {};
            GetButtonSpec(nullptr, id, &spec);
            want = { spec.x, spec.y, spec.x + spec.width, spec.y + spec.height };
        }
        CHECK(EqualRect(&rc, &want), "child %d at (%ld,%ld)-(%ld,%ld)", id, rc.left, rc.top,
              rc.right, rc.bottom);
    }

    HRGN region = CreateRectRgn(0, 0, 0, 0);
    CHECK(GetWindowRgn(mainWindow, region) == COMPLEXREGION, "a round-cornered region is set");
    static const struct {
        int x, y;
        bool inside;
    } POINTS[] = {
        { 0, 0, false }, { 225, 0, false }, { 0, 281, false }, { 225, 281, false },
        { 3, 3, true }, { 113, 0, true }, { 0, 141, true }, { 225, 141, true }, { 113, 281, true },
    };
    for (const auto &p : POINTS) {
        CHECK((PtInRegion(region, p.x, p.y) != 0) == p.inside, "(%d,%d) inside: %d", p.x, p.y,
              p.inside);
    }
    DeleteObject(region);
}

void TestCommandRouting(HWND mainWindow)
{
    static const struct {
        WPARAM code;
        LPARAM buttonId;
        WPARAM forwarded; /* 0: nothing reaches the LCD */
    } ROUTES[] = {
        { CMD_KEY, KEY_0, LCD_ENTRY },
        { CMD_KEY, KEY_BACKSPACE, LCD_ENTRY },
        { CMD_KEY, KEY_PLUS, LCD_OPERATOR },
        { CMD_KEY, KEY_EQUALS, LCD_OPERATOR },
        { CMD_KEY, KEY_POWER, LCD_SCROLL },
        { CMD_KEY, KEY_LINE_DOWN, LCD_SCROLL },
        { MAKEWPARAM(CMD_KEY, 1), KEY_1, 0 },
        { MAKEWPARAM(CMD_SYSTEM, 1), KEY_QUIT, 0 },
        { CMD_SYSTEM, KEY_LINE_DOWN, 0 },
        { CMD_SYSTEM, BUTTON_COUNT + 1, 0 },
        { CMD_SYSTEM, 0, 0 },
        { LCD_ENTRY, KEY_1, 0 },
        { 0, KEY_1, 0 },
    };
    RecordLcdCommands(mainWindow, false);
    for (const auto &route : ROUTES) {
        g_nLcdCommands = 0;
        SendMessageA(mainWindow, WM_COMMAND, route.code, route.buttonId);
        if (route.forwarded) {
            CHECK(g_nLcdCommands == 1 && g_LcdCommands[0].code == route.forwarded &&
                      g_LcdCommands[0].buttonId == route.buttonId,
                  "command %Ix key %Id: %d forwarded, first %Iu", route.code, route.buttonId,
                  g_nLcdCommands, g_LcdCommands[0].code);
        } else {
            CHECK(g_nLcdCommands == 0, "command %Ix key %Id is ignored", route.code,
                  route.buttonId);
        }
    }
    /* A key's word wider than an int (x86-64 only) names no key; on 32-bit
       Windows the same bits are key 1. */
    unsigned long long wide = 0x100000000ULL | KEY_1;
    bool narrowWord = sizeof(LPARAM) == sizeof(int);
    g_nLcdCommands = 0;
    SendMessageA(mainWindow, WM_COMMAND, CMD_KEY, (LPARAM)wide);
    CHECK(g_nLcdCommands == (narrowWord ? 1 : 0), "a wide key word: %d forwarded", g_nLcdCommands);
    MSG msg;
    CHECK(!PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE), "nothing asked to quit");
    CHECK(IsWindowVisible(mainWindow) && !IsIconic(mainWindow) && g_hSkinBitmap,
          "still shown, with its skin");
    StopRecordingLcd(mainWindow);

    SendMessageA(mainWindow, WM_COMMAND, CMD_SYSTEM, KEY_MINIMISE);
    CHECK(IsIconic(mainWindow), "the minimise key minimises");
    ShowWindow(mainWindow, SW_RESTORE);
    SetForegroundWindow(mainWindow);
    PumpPending();
    CHECK(!IsIconic(mainWindow), "restored by the system");
}

/* After a press the key's rectangle shows the skin again, pixel for pixel. */
void TestSkinRestored(HWND mainWindow)
{
    static Image skin, shown, pressed;
    CHECK(LoadBitmapImage(IDB_SKIN, &skin), "skin bitmap");
    static const int KEYS[] = { KEY_0, KEY_5, KEY_CLEAR, KEY_BACKSPACE,
                                KEY_EQUALS, KEY_POWER, KEY_PAGE_UP, KEY_LINE_DOWN };
    for (int id : KEYS) {
        ButtonSpec spec = {};
        GetButtonSpec(nullptr, id, &spec);
        HWND button = GetDlgItem(mainWindow, id);
        SendMessageA(button, WM_LBUTTONDOWN, 0, 0);
        CaptureWindow(mainWindow, spec.x, spec.y, spec.width, spec.height, &shown);
        LoadBitmapImage(spec.pressedBitmap, &pressed);
        int x = 0, y = 0;
        CHECK(CountDifferences(&shown, &pressed, &x, &y) == 0, "key %d shows pressed", id);
        SendMessageA(button, WM_LBUTTONUP, 0, 0);
        PumpPending();
        CaptureWindow(mainWindow, spec.x, spec.y, spec.width, spec.height, &shown);
        static Image skinPart;
        skinPart.width = spec.width;
        skinPart.height = spec.height;
        CopyImageArea(&skin, spec.x, spec.y, spec.width, spec.height, &skinPart, 0, 0);
        int differences = CountDifferences(&shown, &skinPart, &x, &y);
        CHECK(differences == 0, "key %d: skin restored, %d pixels differ, first (%d,%d)", id,
              differences, x, y);
    }
}

void PaintSkinOnly(HDC dc)
{
    PaintSkin(dc);
}

void TestPaintSkin(void)
{
    static Image painted, skin;
    RenderImage(SKIN_WIDTH, SKIN_HEIGHT, PaintSkinOnly, &painted);
    LoadBitmapImage(IDB_SKIN, &skin);
    int x = 0, y = 0;
    CHECK(CountDifferences(&painted, &skin, &x, &y) == 0, "PaintSkin copies the whole skin");
}

void SendMouse(int screenX, int screenY, DWORD flags)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    int width = GetSystemMetrics(SM_CXSCREEN);
    int height = GetSystemMetrics(SM_CYSCREEN);
    input.mi.dx = (screenX * 65536 + width / 2) / width;
    input.mi.dy = (screenY * 65536 + height / 2) / height;
    input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof(input));
}

void Click(int screenX, int screenY)
{
    SendMouse(screenX, screenY, 0);
    SendMouse(screenX, screenY, MOUSEEVENTF_LEFTDOWN);
    SendMouse(screenX, screenY, MOUSEEVENTF_LEFTUP);
}

/* A press on free skin drags the window; a press on a key does not. */
void TestDragging(HWND mainWindow)
{
    RecordLcdCommands(mainWindow, true);
    SetForegroundWindow(mainWindow);
    RECT before;
    GetWindowRect(mainWindow, &before);
    Click(before.left + 59, before.top + 168); /* key "5" */
    bool typed = PumpUntil([] { return g_nLcdCommands > 0; });
    CHECK(typed && g_LcdCommands[0].code == LCD_ENTRY && g_LcdCommands[0].buttonId == KEY_5,
          "a click on a key types it");
    RECT after;
    GetWindowRect(mainWindow, &after);
    CHECK(after.left == before.left && after.top == before.top, "a click on a key drags nothing");

    /* The logo, left of the window keys and above the LCD. */
    int startX = before.left + 60, startY = before.top + 15;
    SendMouse(startX, startY, 0);
    SendMouse(startX, startY, MOUSEEVENTF_LEFTDOWN);
    SendMouse(startX + 20, startY + 10, 0);
    SendMouse(startX + 40, startY + 30, 0);
    SendMouse(startX + 40, startY + 30, MOUSEEVENTF_LEFTUP);
    bool moved = PumpUntil([&] {
        GetWindowRect(mainWindow, &after);
        return after.left == before.left + 40 && after.top == before.top + 30;
    });
    CHECK(moved, "dragged from (%ld,%ld) to (%ld,%ld)", before.left, before.top, after.left,
          after.top);
    MoveWindow(mainWindow, before.left, before.top, SKIN_WIDTH, SKIN_HEIGHT, TRUE);
    PumpPending();
    StopRecordingLcd(mainWindow);
}

/* The About dialog, driven from inside its modal loop: the owner is told
   when the dialog waits for input. */
enum AboutAction { PRESS_OK, CLICK_OK, PRESS_ESCAPE, PRESS_ALT_F4 };
AboutAction g_AboutAction;
HWND g_hAboutDialog;
bool g_bOwnerDisabledMeanwhile;
bool g_bKeyFailed; /* the dialog waited again after the key: closed with OK */
POINT g_AboutClient;
WNDPROC g_MainProc;

LRESULT CALLBACK AboutWatchingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_ENTERIDLE && wParam == MSGF_DIALOGBOX && g_hAboutDialog == (HWND)lParam &&
        g_AboutAction >= PRESS_ESCAPE && !g_bKeyFailed) {
        g_bKeyFailed = true;
        PostMessageA(GetDlgItem(g_hAboutDialog, IDOK), BM_CLICK, 0, 0);
    }
    if (msg == WM_ENTERIDLE && wParam == MSGF_DIALOGBOX && !g_hAboutDialog) {
        HWND dialog = (HWND)lParam;
        g_hAboutDialog = dialog;
        g_bOwnerDisabledMeanwhile = !IsWindowEnabled(hwnd);
        g_AboutClient = {};
        ClientToScreen(dialog, &g_AboutClient);
        HWND ok = GetDlgItem(dialog, IDOK); /* the focus is there */
        if (g_AboutAction == PRESS_OK) {
            PostMessageA(ok, BM_CLICK, 0, 0);
        } else if (g_AboutAction == PRESS_ESCAPE) {
            PostMessageA(ok, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
        } else if (g_AboutAction == PRESS_ALT_F4) {
            PostMessageA(ok, WM_SYSKEYDOWN, VK_F4, 0x203E0001); /* Alt held */
        } else {
            RECT rect;
            GetWindowRect(ok, &rect);
            Click((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
        }
    }
    return CallWindowProcA(g_MainProc, hwnd, msg, wParam, lParam);
}

void TestAboutDialog(HWND mainWindow)
{
    static const struct {
        const char *name;
        AboutAction action;
        bool byMouse; /* the About key clicked, else F1 */
    } CASES[] = {
        { "F1, then OK", PRESS_OK, false },
        { "About key clicked, then OK clicked", CLICK_OK, true },
        { "F1, then Escape", PRESS_ESCAPE, false },
        { "F1, then Alt+F4", PRESS_ALT_F4, false },
    };
    g_MainProc = (WNDPROC)SetWindowLongPtrA(mainWindow, GWLP_WNDPROC, (LONG_PTR)AboutWatchingProc);
    for (const auto &c : CASES) {
        g_hAboutDialog = nullptr;
        g_bKeyFailed = false;
        g_AboutAction = c.action;
        SetForegroundWindow(mainWindow);
        if (c.byMouse) {
            RECT rc;
            GetWindowRect(GetDlgItem(mainWindow, KEY_ABOUT), &rc);
            Click((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
            PumpUntil([] { return g_hAboutDialog != nullptr && !IsWindow(g_hAboutDialog); });
        } else {
            SendMessageA(mainWindow, WM_KEYDOWN, VK_F1, 0x003B0001);
        }
        CHECK(g_hAboutDialog != nullptr, "%s: the dialog opened", c.name);
        CHECK(!IsWindow(g_hAboutDialog) && !g_bKeyFailed, "%s: and closed again", c.name);
        CHECK(g_bOwnerDisabledMeanwhile, "%s: the calculator was disabled meanwhile", c.name);
        CHECK(g_AboutClient.x == 100 && g_AboutClient.y == 100,
              "%s: opened over the calculator's corner, at (%ld,%ld)", c.name, g_AboutClient.x,
              g_AboutClient.y);
        CHECK(IsWindowEnabled(mainWindow), "%s: the calculator works again", c.name);
        CHECK(GetCapture() == nullptr, "%s: nobody keeps the capture", c.name);
    }
    SetWindowLongPtrA(mainWindow, GWLP_WNDPROC, (LONG_PTR)g_MainProc);
}

/* The overflow notice is task-modal and reads in Korean whatever the code
   page. It is checked and closed from a timer that its modal loop runs. */
HWND g_hCalculator;
bool g_bNoticeSeen;
bool g_bCalculatorDisabled;
wchar_t g_NoticeText[128];
wchar_t g_NoticeCaption[32];

BOOL CALLBACK FindNotice(HWND hwnd, LPARAM)
{
    char className[16] = "";
    GetClassNameA(hwnd, className, sizeof(className));
    if (strcmp(className, "#32770") != 0 || !IsWindowVisible(hwnd)) {
        return TRUE;
    }
    g_bNoticeSeen = true;
    g_bCalculatorDisabled = !IsWindowEnabled(g_hCalculator);
    GetWindowTextW(hwnd, g_NoticeCaption, 32);
    GetDlgItemTextW(hwnd, 0xFFFF, g_NoticeText, 128);
    PostMessageA(hwnd, WM_COMMAND, IDOK, 0);
    return FALSE;
}

void CALLBACK CloseNotice(HWND, UINT, UINT_PTR timer, DWORD)
{
    if (!g_bNoticeSeen) {
        EnumThreadWindows(GetCurrentThreadId(), FindNotice, 0);
    }
    if (g_bNoticeSeen) {
        KillTimer(nullptr, timer);
    }
}

void TestOverflowNotice(HWND mainWindow)
{
    g_hCalculator = mainWindow;
    g_bNoticeSeen = false;
    SetTimer(nullptr, 0, 20, CloseNotice);
    /* 99999999 * 99999999 does not fit: the "=" shows the notice. */
    static const int KEYS[] = { KEY_POWER, KEY_9, KEY_9, KEY_9, KEY_9, KEY_9, KEY_9, KEY_9, KEY_9,
                                KEY_MULTIPLY, KEY_9, KEY_9, KEY_9, KEY_9, KEY_9, KEY_9, KEY_9, KEY_9,
                                KEY_EQUALS };
    for (int id : KEYS) {
        SendMessageA(mainWindow, WM_COMMAND, CMD_KEY, id);
    }
    CHECK(g_bNoticeSeen, "the notice was shown");
    CHECK(g_bCalculatorDisabled, "the calculator took no input while it was open");
    CHECK(wcscmp(g_NoticeCaption, OVERFLOW_CAPTION(L)) == 0, "its caption reads right");
    CHECK(wcscmp(g_NoticeText, OVERFLOW_TEXT(L)) == 0, "its text reads right");
    CHECK(IsWindowEnabled(mainWindow), "the calculator works again afterwards");
    CHECK(strcmp(g_Tape.entries[g_Tape.tapeCur], "=000000000000000") == 0, "the result became zero: %s",
          g_Tape.entries[g_Tape.tapeCur]);

    /* The notice has no owner: the calculator must be active again, so the
       next key typed counts without a click. */
    CHECK(GetActiveWindow() == mainWindow && GetForegroundWindow() == mainWindow,
          "the calculator is active again (active %p, foreground %p)", (void *)GetActiveWindow(),
          (void *)GetForegroundWindow());
    RecordLcdCommands(mainWindow, true);
    INPUT keys[2] = {};
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = '5';
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof(INPUT));
    bool typed = PumpUntil([] { return g_nLcdCommands > 0; }, 2000);
    CHECK(typed && g_LcdCommands[0].code == LCD_ENTRY && g_LcdCommands[0].buttonId == KEY_5,
          "a 5 typed after the notice reaches the calculator");
    StopRecordingLcd(mainWindow);
}

/* Two thousand keys, each loading a pressed image and drawing the LCD, and
   the skin repainted under them: no GDI object may be left over. */
void TestNoGdiLeak(HWND mainWindow)
{
    static const int KEYS[] = { 5, 14, 9, 18, 6, 23, 27, 25, 28, 26, 17, 16, 15, 22, 24 };
    const int keyCount = sizeof(KEYS) / sizeof(KEYS[0]);
    auto pressKeys = [&](int presses) {
        for (int i = 0; i < presses; i++) {
            HWND button = GetDlgItem(mainWindow, KEYS[i % keyCount]);
            SendMessageA(button, WM_LBUTTONDOWN, 0, 0);
            SendMessageA(button, WM_LBUTTONUP, 0, 0);
            if (i % 20 == 0) {
                PumpPending();
            }
        }
        PumpPending();
    };
    pressKeys(100);
    int before = CountGdiObjects();
    pressKeys(2000);
    int after = CountGdiObjects();
    CHECK(after <= before, "GDI objects: %d before, %d after 2000 keys", before, after);
}

/* A child that cannot be created fails the main window's creation: a hook
   refuses one child by its control id, and no half-built calculator is left. */
int g_nRefusedId;
bool g_bRefused;

LRESULT CALLBACK RefuseChild(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND && (INT_PTR)((CBT_CREATEWNDA *)lParam)->lpcs->hMenu == g_nRefusedId) {
        g_bRefused = true;
        return 1;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void TestFailedCreation(void)
{
    static const int REFUSED[] = { 17, IDC_LCDSCREEN }; /* a key, the LCD */
    for (int id : REFUSED) {
        g_nRefusedId = id;
        g_bRefused = false;
        HHOOK hook = SetWindowsHookExA(WH_CBT, RefuseChild, nullptr, GetCurrentThreadId());
        HWND hwnd = CreateMainWindow();
        UnhookWindowsHookEx(hook);
        CHECK(g_bRefused && hwnd == nullptr, "child %d refused: no main window (%p)", id,
              (void *)hwnd);
        CHECK(FindWindowA(MAIN_WINDOW_CLASS, nullptr) == nullptr, "child %d refused: none left", id);
        if (hwnd) {
            StopCalculator(hwnd);
        }
        PumpPending();
    }
}

/* What the windows keep between paints (the skin, the LCD's surfaces) goes
   with them: a second start and stop leaves no GDI object behind. */
void TestKeptObjectsFreed(void)
{
    int before = CountGdiObjects();
    StopCalculator(StartCalculator());
    int after = CountGdiObjects();
    CHECK(after <= before, "GDI objects: %d before a start, %d after its stop", before, after);
}

} // namespace

int main()
{
    HWND mainWindow = StartCalculator();
    TestChildrenAndRegion(mainWindow);
    TestPaintSkin();
    TestCommandRouting(mainWindow);
    TestSkinRestored(mainWindow);
    TestDragging(mainWindow);
    TestAboutDialog(mainWindow);
    TestOverflowNotice(mainWindow);
    TestNoGdiLeak(mainWindow);
    StopCalculator(mainWindow);
    CHECK(g_hSkinBitmap == nullptr, "the skin bitmap went with the window");
    TestFailedCreation();
    TestKeptObjectsFreed();
    return TestResult("main_window_test");
}
