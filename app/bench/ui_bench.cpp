// Times the calculator's screen work inside the process against its floor:
// a bare window of the bench's own classes whose keys are push buttons at
// their barest. A floor key does the same screen work as a calculator key
// (the pressed image, one LCD picture, the released image) with the cheapest
// GDI there is, every bitmap kept selected in a memory context, and the
// window-system work any push button needs: the mouse capture taken on the
// press and given up on the release, from the mouse and the keyboard alike.
// Before each sample the subject's LCD is painted through its own WM_PAINT,
// the same call for both, so that both start with a fresh picture on the
// window and pay the same flushes of the window's surface.
//
//   ui_bench keys               mouse and keyboard key presses, calculator
//                               and floor interleaved sample by sample
//   ui_bench tape-window        the same on the full tape with the tape
//                               window shown, the floor drawing one list
//                               line more
//   ui_bench startup calc|floor one start, to the first complete paint
//   ui_bench paste              a paste of PASTE_MAX_CHARS characters, from
//                               the command to the LCD repainted
//
// Every sample is a line "what,tape,key,subject,microseconds" on standard
// output (what: down, up, keyboard or start-up).
#include <stdio.h>
#include <string.h>

#include "amount/platform.h"
#include "app/clipboard.h"
#include "app/shell.h"
#include "app/tape_window.h"
#include "app/test/win_test.h"
#include "bench/paste_text.h"
#include "buttons/img_button.h"
#include "lcd/lcd_window.h"
#include "res/lcd_layout.h"
#include "res/resource.h"
#include "res/skin.h"
#include "tape/tape.h"

namespace {

enum {
    MOUSE_ROUNDS = 600, /* the tail is the 1 % slowest: enough samples to see it */
    KEYBOARD_ROUNDS = 200, /* each sample waits out KEY_PRESS_DELAY_MS */
    PASTE_ROUNDS = 30,
    FLOOR_GAP = 74,       /* the floor sits this far right of the calculator */
    FLOOR_Y = 100
};

/* The kinds of key, each timed on both tapes. */
struct KeyKind {
    const char *name;
    int buttonId;
    WPARAM virtualKey; /* also timed from the keyboard, by this key */
    bool addsLine;     /* opens a line: on a full tape every line moves up */
};

const KeyKind KEY_KINDS[] = {
    { "digit", KEY_5, VK_NUMPAD5, false },
    { "operator", KEY_PLUS, 0, true },
    { "=", KEY_EQUALS, VK_RETURN, true },
    { "%", KEY_PERCENT, 0, true },
    { "clear", KEY_CLEAR, 0, false },
    { "scroll", KEY_LINE_UP, 0, false },
};
enum { KIND_COUNT = sizeof(KEY_KINDS) / sizeof(KEY_KINDS[0]) };

/* ---- timing ---- */

double g_nTicksPerMicrosecond;
bool g_bRecording; /* off for the warming-up round */

void StartClock(void)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    g_nTicksPerMicrosecond = (double)frequency.QuadPart / 1e6;
}

double Now(void)
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return (double)now.QuadPart / g_nTicksPerMicrosecond;
}

void Report(const char *what, const char *tape, const char *key, const char *subject,
            double microseconds)
{
    if (g_bRecording) {
        printf("%s,%s,%s,%s,%.1f\n", what, tape, key, subject, microseconds);
    }
}

/* The tape windows, in the tape-window run: the calculator's and the
   floor's list. */
HWND g_hCalcTape;
HWND g_hFloorTape;

/* Whatever a key left to do on the screen is done: the paints it left
   pending have run and GDI has flushed. The same for both subjects; other
   messages wait for the untimed pumping between samples. */
void SettleScreen(HWND top)
{
    UpdateWindow(top);
    if (g_hCalcTape) {
        UpdateWindow(g_hCalcTape);
        UpdateWindow(g_hFloorTape);
    }
    GdiFlush();
}

/* ---- the tapes a key is timed on ---- */

struct TimedTape {
    const char *name;
    TapeState state;
};

TimedTape g_Tapes[2] = { { "empty", {} }, { "full", {} } };

/* At a factor other than 1 (the prefix's DPI), the rows say which. */
void NameTapesForScale(void)
{
    static char names[2][32];
    for (int i = 0; i < 2; i++) {
        if (g_nScale != 1) {
            snprintf(names[i], sizeof(names[i]), "%s at %dx", g_Tapes[i].name, g_nScale);
            g_Tapes[i].name = names[i];
        }
    }
}

void PressKeys(HWND mainWindow, const int *keys)
{
    for (int i = 0; keys[i]; i++) {
        SendMessageA(mainWindow, WM_COMMAND, CMD_KEY, keys[i]);
    }
}

/* Empty: just switched on. Full: 100 lines of sums, the last an operand being
   typed, so that every operator key computes and drops the oldest line. */
void MakeTapes(HWND mainWindow)
{
    static const int POWER[] = { KEY_POWER, 0 };
    static const int SUM_ROUND[] = { KEY_1, KEY_2, KEY_POINT, KEY_3, KEY_4, KEY_PLUS, 0 };
    static const int OPERAND[] = { KEY_5, KEY_6, 0 };
    PressKeys(mainWindow, POWER);
    g_Tape.operatorPressed = 0;
    g_Tapes[0].state = g_Tape;
    while (g_Tape.tapeCur < TAPE_ENTRIES - 1) {
        PressKeys(mainWindow, SUM_ROUND);
    }
    PressKeys(mainWindow, OPERAND);
    g_Tapes[1].state = g_Tape;
}

/* Each sample starts from the same tape with nothing left to do, shown on
   the calculator's LCD (and its tape window), the subject's LCD (and tape
   window) just painted, so that calculator and floor pay the same flushes. */
void PrepareSample(const TimedTape &tape, HWND lcd, HWND tapeWindow)
{
    g_Tape = tape.state;
    RepaintAfterChange();
    RedrawWindow(lcd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    if (tapeWindow) {
        RedrawWindow(tapeWindow, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
    PumpPending();
}

/* ---- the floor ---- */

#define FLOOR_CLASS "OrvantaBenchFloor"
#define FLOOR_KEY_CLASS "OrvantaBenchFloorKey"
#define FLOOR_LCD_CLASS "OrvantaBenchFloorLcd"
#define FLOOR_TAPE_CLASS "OrvantaBenchFloorTape"

KeptBitmap g_FloorSkin;
KeptBitmap g_FloorLcd;
KeptBitmap g_FloorPressed[KIND_COUNT];
HFONT g_hFloorTapeFont;
HWND g_hFloorLcd;
HWND g_hFloorKeys[KIND_COUNT];

/* At factor 1 the bitmap as LoadBitmapA gives it; at another, blown up as
   the calculator's own pictures are, once. */
void KeepResource(int resourceId, KeptBitmap *kept)
{
    if (g_nScale == 1) {
        KeepBitmap(LoadBitmapA(g_hInstance, MAKEINTRESOURCEA(resourceId)), kept);
        return;
    }
    Surface surface;
    KeepBitmapResource(resourceId, &surface);
    *kept = surface.kept;
}

void BlitKept(HWND hwnd, int x, int y, int width, int height, const KeptBitmap *from, int fromX,
              int fromY)
{
    HDC dc = GetDC(hwnd);
    BitBlt(dc, x, y, width, height, from->dc, fromX, fromY, SRCCOPY);
    ReleaseDC(hwnd, dc);
}

void PaintKept(HWND hwnd, const KeptBitmap *from, int width, int height)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    BitBlt(dc, 0, 0, width, height, from->dc, 0, 0, SRCCOPY);
    EndPaint(hwnd, &ps);
}

/* One line of a list in a fixed-pitch font, as the tape window draws the
   line that a key changed; for a key that opens a line on the full tape
   the list's picture first moves up a line, as every line of the tape
   window does then. */
void DrawFloorTapeLine(bool addsLine)
{
    HDC dc = GetDC(g_hFloorTape);
    if (addsLine) {
        RECT client;
        GetClientRect(g_hFloorTape, &client);
        BitBlt(dc, 0, 0, client.right, client.bottom - Scaled(18), dc, 0, Scaled(18), SRCCOPY);
    }
    RECT line = { 0, 0, Scaled(150), Scaled(18) };
    FillRect(dc, &line, (HBRUSH)GetStockObject(WHITE_BRUSH));
    HGDIOBJ previous = SelectObject(dc, g_hFloorTapeFont);
    TextOutA(dc, Scaled(10), Scaled(2), "+             56", 16);
    SelectObject(dc, previous);
    ReleaseDC(g_hFloorTape, dc);
}

/* A floor key is the calculator's key of its kind (its window data): pressed
   it takes the capture and shows the key's image; released, it gives the
   capture up and shows the LCD's picture and then the skin. */
LRESULT CALLBACK FloorKeyProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    int kind = (int)GetWindowLongPtrA(hwnd, GWLP_USERDATA);
    const ButtonSpec *spec = ButtonSpecOf(KEY_KINDS[kind].buttonId);
    switch (msg) {
    case WM_LBUTTONDOWN:
        BlitKept(hwnd, 0, 0, Scaled(spec->width), Scaled(spec->height), &g_FloorPressed[kind], 0, 0);
        SetCapture(hwnd);
        return 0;
    case WM_LBUTTONUP:
        ReleaseCapture();
        BlitKept(g_hFloorLcd, 0, 0, Scaled(LCD_DRAWN_WIDTH), Scaled(LCD_DRAWN_HEIGHT), &g_FloorLcd, 0, 0);
        if (g_hFloorTape) {
            DrawFloorTapeLine(KEY_KINDS[kind].addsLine);
        }
        BlitKept(hwnd, 0, 0, Scaled(spec->width), Scaled(spec->height), &g_FloorSkin,
                 Scaled(spec->x), Scaled(spec->y));
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(hwnd, &ps);
        EndPaint(hwnd, &ps);
        return 0;
    }
    default:
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

LRESULT CALLBACK FloorLcdProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_PAINT) {
        PaintKept(hwnd, &g_FloorLcd, Scaled(LCD_DRAWN_WIDTH), Scaled(LCD_DRAWN_HEIGHT));
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

/* A keyboard key presses its key with the calculator's pause between down
   and up, which is timed for neither. */
LRESULT CALLBACK FloorProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_PAINT:
        PaintKept(hwnd, &g_FloorSkin, Scaled(SKIN_WIDTH), Scaled(SKIN_HEIGHT));
        return 0;
    case WM_KEYDOWN:
        for (int i = 0; i < KIND_COUNT; i++) {
            if (KEY_KINDS[i].virtualKey == wParam && g_hFloorKeys[i]) {
                SendMessageA(g_hFloorKeys[i], WM_LBUTTONDOWN, MK_LBUTTON, 0);
                SleepEx(KEY_PRESS_DELAY_MS, TRUE);
                SendMessageA(g_hFloorKeys[i], WM_LBUTTONUP, 0, 0);
            }
        }
        return 0;
    default:
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

void RegisterFloorClasses(void)
{
    static const struct {
        const char *name;
        WNDPROC proc;
    } CLASSES[] = {
        { FLOOR_CLASS, FloorProc },
        { FLOOR_KEY_CLASS, FloorKeyProc },
        { FLOOR_LCD_CLASS, FloorLcdProc },
        { FLOOR_TAPE_CLASS, DefWindowProcA },
    };
    for (const auto &c : CLASSES) {
        WNDCLASSEXA wc = {};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = c.proc;
        wc.hInstance = g_hInstance;
        wc.hCursor = LoadCursorA(nullptr, (LPCSTR)IDC_ARROW);
        wc.hbrBackground = (HBRUSH)GetStockObject(NULL_BRUSH);
        wc.lpszClassName = c.name;
        RegisterClassExA(&wc);
    }
}

/* The bare window: the skin, and the LCD's picture in a child. */
HWND StartFloor(void)
{
    RegisterFloorClasses();
    KeepResource(IDB_SKIN, &g_FloorSkin);
    KeepResource(IDB_LCD_BACKGROUND, &g_FloorLcd);
    int x = MAIN_WINDOW_X + Scaled(SKIN_WIDTH) + FLOOR_GAP;
    HWND floor = CreateWindowExA(0, FLOOR_CLASS, "", WS_POPUP, x, FLOOR_Y, Scaled(SKIN_WIDTH),
                                 Scaled(SKIN_HEIGHT), nullptr, nullptr, g_hInstance, nullptr);
    g_hFloorLcd = CreateWindowExA(0, FLOOR_LCD_CLASS, "", WS_CHILD | WS_VISIBLE, Scaled(LCD_X),
                                  Scaled(LCD_Y), Scaled(LCD_WIDTH), Scaled(LCD_HEIGHT), floor,
                                  nullptr, g_hInstance, nullptr);
    ShowWindow(floor, SW_SHOWNORMAL);
    UpdateWindow(floor);
    return floor;
}

/* One key child per kind of key, where the calculator has that key. */
void AddFloorKeys(HWND floor)
{
    for (int i = 0; i < KIND_COUNT; i++) {
        const ButtonSpec *spec = ButtonSpecOf(KEY_KINDS[i].buttonId);
        KeepResource(spec->pressedBitmap, &g_FloorPressed[i]);
        g_hFloorKeys[i] = CreateWindowExA(0, FLOOR_KEY_CLASS, "", WS_CHILD | WS_VISIBLE,
                                          Scaled(spec->x), Scaled(spec->y), Scaled(spec->width),
                                          Scaled(spec->height), floor, nullptr, g_hInstance, nullptr);
        SetWindowLongPtrA(g_hFloorKeys[i], GWLP_USERDATA, i);
    }
}

void StopFloor(HWND floor)
{
    DestroyWindow(floor);
    FreeKeptBitmap(&g_FloorSkin);
    FreeKeptBitmap(&g_FloorLcd);
    for (KeptBitmap &kept : g_FloorPressed) {
        FreeKeptBitmap(&kept);
    }
}

/* ---- the two subjects, key by key ---- */

struct Subject {
    const char *name;
    HWND top;
    HWND lcd;
    HWND keys[KIND_COUNT];
};

Subject g_Calc = { "calc", nullptr, nullptr, {} };
Subject g_Floor = { "floor", nullptr, nullptr, {} };

void TimeMousePress(const Subject &subject, int kind, const char *tape)
{
    HWND key = subject.keys[kind];
    double start = Now();
    SendMessageA(key, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    SettleScreen(subject.top);
    double pressed = Now();
    SendMessageA(key, WM_LBUTTONUP, 0, 0);
    SettleScreen(subject.top);
    double released = Now();
    Report("down", tape, KEY_KINDS[kind].name, subject.name, pressed - start);
    Report("up", tape, KEY_KINDS[kind].name, subject.name, released - pressed);
}

/* A keyboard key is timed around its pause: from the key-down to the press
   drawn, and from the release to the screen settled. */
WNDPROC g_KeyProc;
double g_tPressDrawn;
double g_tReleaseSent;

LRESULT CALLBACK WatchedKeyProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_LBUTTONUP) {
        g_tReleaseSent = Now();
    }
    LRESULT result = CallWindowProcA(g_KeyProc, hwnd, msg, wParam, lParam);
    if (msg == WM_LBUTTONDOWN) {
        g_tPressDrawn = Now();
    }
    return result;
}

void TimeKeyboardKey(const Subject &subject, int kind, const char *tape)
{
    HWND key = subject.keys[kind];
    g_KeyProc = (WNDPROC)SetWindowLongPtrA(key, GWLP_WNDPROC, (LONG_PTR)WatchedKeyProc);
    double start = Now();
    SendMessageA(subject.top, WM_KEYDOWN, KEY_KINDS[kind].virtualKey, 1);
    SettleScreen(subject.top);
    double end = Now();
    SetWindowLongPtrA(key, GWLP_WNDPROC, (LONG_PTR)g_KeyProc);
    Report("keyboard", tape, KEY_KINDS[kind].name, subject.name,
           (g_tPressDrawn - start) + (end - g_tReleaseSent));
}

/* Every kind of key on each tape, calculator and floor in turn; who goes
   first alternates from round to round. */
void TimeRound(int round, bool keyboard, const TimedTape *tapes, int tapeCount)
{
    for (const TimedTape *t = tapes; t < tapes + tapeCount; t++) {
        const TimedTape &tape = *t;
        for (int kind = 0; kind < KIND_COUNT; kind++) {
            if (keyboard && !KEY_KINDS[kind].virtualKey) {
                continue;
            }
            for (int turn = 0; turn < 2; turn++) {
                const Subject &subject = (turn + round) % 2 ? g_Calc : g_Floor;
                PrepareSample(tape, subject.lcd, &subject == &g_Calc ? g_hCalcTape : g_hFloorTape);
                if (keyboard) {
                    TimeKeyboardKey(subject, kind, tape.name);
                } else {
                    TimeMousePress(subject, kind, tape.name);
                }
            }
        }
    }
}

/* The tape window beside the calculator, and beside the floor a bare
   window of the same size that the floor's keys draw a line into. */
void ShowTapeWindows(void)
{
    ToggleTapeWindow(g_Calc.top);
    g_hCalcTape = FindWindowA(TAPE_WINDOW_CLASS, nullptr);
    RECT calc;
    GetWindowRect(g_hCalcTape, &calc);
    RECT floor;
    GetWindowRect(g_Floor.top, &floor);
    g_hFloorTape = CreateWindowExA(0, FLOOR_TAPE_CLASS, "", WS_POPUP | WS_VISIBLE, floor.right, floor.top,
                                   calc.right - calc.left, calc.bottom - calc.top, nullptr, nullptr,
                                   g_hInstance, nullptr);
    g_hFloorTapeFont = CreateFontA(-Scaled(14), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                   OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                   FIXED_PITCH | FF_MODERN, "Courier New");
    PumpPending();
}

/* keys: both tapes; tape-window: the full one with the tape windows shown. */
int RunKeys(bool tapeWindow)
{
    g_Calc.top = StartCalculator();
    NameTapesForScale();
    g_Floor.top = StartFloor();
    AddFloorKeys(g_Floor.top);
    g_Calc.lcd = GetDlgItem(g_Calc.top, IDC_LCDSCREEN);
    g_Floor.lcd = g_hFloorLcd;
    for (int kind = 0; kind < KIND_COUNT; kind++) {
        g_Calc.keys[kind] = GetDlgItem(g_Calc.top, KEY_KINDS[kind].buttonId);
        g_Floor.keys[kind] = g_hFloorKeys[kind];
    }
    MakeTapes(g_Calc.top);
    const TimedTape *tapes = g_Tapes;
    int tapeCount = 2;
    char name[48];
    TimedTape windowTape = { name, g_Tapes[1].state };
    if (tapeWindow) {
        snprintf(name, sizeof(name), "%s with tape window", g_Tapes[1].name);
        ShowTapeWindows();
        tapes = &windowTape;
        tapeCount = 1;
    }
    TimeRound(0, false, tapes, tapeCount); /* first uses: code, caches, each key's image */
    g_bRecording = true;
    for (int round = 0; round < MOUSE_ROUNDS; round++) {
        TimeRound(round, false, tapes, tapeCount);
    }
    for (int round = 0; round < KEYBOARD_ROUNDS; round++) {
        TimeRound(round, true, tapes, tapeCount);
    }
    fflush(stdout);
    if (g_hFloorTape) {
        DestroyWindow(g_hFloorTape);
        DeleteObject(g_hFloorTapeFont);
    }
    StopFloor(g_Floor.top);
    StopCalculator(g_Calc.top);
    return 0;
}

/* ---- start-up: one per process, from its first instruction here ---- */

/* Every window of the subject has been painted (nothing left invalid). */
bool Painted(HWND top)
{
    if (GetUpdateRect(top, nullptr, FALSE)) {
        return false;
    }
    for (HWND child = GetWindow(top, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (GetUpdateRect(child, nullptr, FALSE)) {
            return false;
        }
    }
    return true;
}

/* Timed to the end of the first paint of the window and all its children
   (UpdateWindow paints them all before it returns); repaints that the
   display asks for later do not count. */
int RunStartup(const char *subject)
{
    double start = Now();
    UseOwnResources();
    HWND top;
    if (strcmp(subject, "calc") == 0) {
        RegisterWindowClasses();
        top = CreateMainWindow();
        ShowWindow(top, SW_SHOWNORMAL);
        UpdateWindow(top);
    } else {
        top = StartFloor();
    }
    GdiFlush();
    double painted = Now();
    if (!top || !Painted(top)) {
        fprintf(stderr, "ui_bench: the %s start left windows unpainted\n", subject);
        return 1;
    }
    g_bRecording = true;
    Report("start-up", "", "", subject, painted - start);
    return 0;
}

/* ---- a long paste, onto a fresh tape each time ---- */

int RunPaste(void)
{
    HWND top = StartCalculator();
    HWND other = CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    static char16_t text[PASTE_MAX_CHARS + 1];
    MakeBenchPasteText(text);
    PutClipboardText(other, (const wchar_t *)text);
    char characters[32];
    snprintf(characters, sizeof(characters), "%d characters", (int)PASTE_MAX_CHARS);
    for (int round = -1; round < PASTE_ROUNDS; round++) {
        g_bRecording = round >= 0; /* the first warms up */
        SendMessageA(top, WM_COMMAND, CMD_KEY, KEY_POWER);
        PumpPending();
        double start = Now();
        PasteText(top);
        SettleScreen(top);
        Report("paste", "empty", characters, "calc", Now() - start);
    }
    fflush(stdout);
    DestroyWindow(other);
    StopCalculator(top);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    StartClock();
    if (argc == 2 && (strcmp(argv[1], "keys") == 0 || strcmp(argv[1], "tape-window") == 0)) {
        return RunKeys(strcmp(argv[1], "tape-window") == 0);
    }
    if (argc == 3 && strcmp(argv[1], "startup") == 0) {
        return RunStartup(argv[2]);
    }
    if (argc == 2 && strcmp(argv[1], "paste") == 0) {
        return RunPaste();
    }
    fprintf(stderr, "usage: ui_bench keys | ui_bench tape-window | ui_bench startup calc|floor | ui_bench paste\n");
    return 2;
}
