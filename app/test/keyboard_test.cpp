// Keyboard translation through the main window: key-downs and characters in
// the order the message loop delivers them, the presses that reach the
// calculator, the pause that only a mapped key takes, and every
// key-down and character checked against the key it should press.
#include <stdio.h>
#include <string.h>

#include "app/shell.h"
#include "app/test/win_test.h"
#include "buttons/img_button.h"
#include "tape/keys.h"
#include "lcd/lcd_window.h"
#include "tape/site.h"

namespace {

/* One message as the loop delivers it: a key-down (its virtual key) or the
   character that TranslateMessage made from it. */
enum Kind { KEY, CHAR, NONE };
struct Message {
    Kind kind;
    WPARAM code;
};

struct KeyCase {
    const char *name;
    Message messages[4];
    WPARAM lcdCommand; /* 0: nothing reaches the calculator */
    LPARAM buttonId;
};

constexpr Message Key(WPARAM vk) { return { KEY, vk }; }
constexpr Message Char(WPARAM c) { return { CHAR, c }; }
constexpr Message None() { return { NONE, 0 }; }

const KeyCase KEY_CASES[] = {
    { "keypad 7 presses 7 once", { Key(VK_NUMPAD7), Char('7'), None() }, LCD_ENTRY, KEY_7 },
    { "main keyboard 7, through its character", { Key('7'), Char('7'), None() }, LCD_ENTRY, KEY_7 },
    { "keypad point, through its character", { Key(VK_DECIMAL), Char('.'), None() }, LCD_ENTRY, KEY_POINT },
    { "Enter is =", { Key(VK_RETURN), Char('\r'), None() }, LCD_OPERATOR, KEY_EQUALS },
    { "Escape is clear", { Key(VK_ESCAPE), Char(27), None() }, LCD_ENTRY, KEY_CLEAR },
    { "Backspace", { Key(VK_BACK), Char(8), None() }, LCD_ENTRY, KEY_BACKSPACE },
    { "F4 is power", { Key(VK_F4), None() }, LCD_SCROLL, KEY_POWER },
    { "F9 is sign", { Key(VK_F9), None() }, LCD_ENTRY, KEY_SIGN },
    { "Page Up", { Key(VK_PRIOR), None() }, LCD_SCROLL, KEY_PAGE_UP },
    { "Page Down", { Key(VK_NEXT), None() }, LCD_SCROLL, KEY_PAGE_DOWN },
    { "Up", { Key(VK_UP), None() }, LCD_SCROLL, KEY_LINE_UP },
    { "Down", { Key(VK_DOWN), None() }, LCD_SCROLL, KEY_LINE_DOWN },
    { "keypad *", { Key(VK_MULTIPLY), Char('*'), None() }, LCD_OPERATOR, KEY_MULTIPLY },
    { "Shift, then % from 5", { Key(VK_SHIFT), Key('5'), Char('%'), None() }, LCD_OPERATOR, KEY_PERCENT },
    { "=", { Key(VK_OEM_PLUS), Char('='), None() }, LCD_OPERATOR, KEY_EQUALS },
    { "+ on the main keyboard", { Key(VK_SHIFT), Key(VK_OEM_PLUS), Char('+'), None() },
      LCD_OPERATOR, KEY_PLUS },
    { "c is clear", { Key('C'), Char('c'), None() }, LCD_ENTRY, KEY_CLEAR },
    { "B is backspace", { Key('B'), Char('B'), None() }, LCD_ENTRY, KEY_BACKSPACE },
    { "p is power", { Key('P'), Char('p'), None() }, LCD_SCROLL, KEY_POWER },
    { "Left does nothing", { Key(VK_LEFT), None() }, 0, 0 },
    { "Right does nothing", { Key(VK_RIGHT), None() }, 0, 0 },
    { "x does nothing", { Key('X'), Char('x'), None() }, 0, 0 },
    { "space does nothing", { Key(VK_SPACE), Char(' '), None() }, 0, 0 },
    { "keypad separator does nothing", { Key(VK_SEPARATOR), None() }, 0, 0 },
};

void TestKeyCases(HWND mainWindow)
{
    for (const KeyCase &c : KEY_CASES) {
        g_nLcdCommands = 0;
        DWORD start = GetTickCount();
        for (int i = 0; c.messages[i].kind != NONE; i++) {
            UINT msg = c.messages[i].kind == KEY ? WM_KEYDOWN : WM_CHAR;
            SendMessageA(mainWindow, msg, c.messages[i].code, 1);
        }
        DWORD elapsed = GetTickCount() - start;
        if (c.lcdCommand) {
            CHECK(g_nLcdCommands == 1, "%s: %d press(es)", c.name, g_nLcdCommands);
            CHECK(g_LcdCommands[0].code == c.lcdCommand && g_LcdCommands[0].buttonId == c.buttonId,
                  "%s: command %Iu for key %Id", c.name, g_LcdCommands[0].code,
                  g_LcdCommands[0].buttonId);
            CHECK(elapsed >= KEY_PRESS_DELAY_MS - 5, "%s: the key shows pressed for %lu ms",
                  c.name, elapsed);
        } else {
            CHECK(g_nLcdCommands == 0, "%s: %d press(es)", c.name, g_nLcdCommands);
            CHECK(elapsed < KEY_PRESS_DELAY_MS / 2, "%s: no pause, took %lu ms", c.name, elapsed);
        }
    }
}

/* A key repeated by the platform presses once per key-down. */
void TestRepeat(HWND mainWindow)
{
    g_nLcdCommands = 0;
    for (int i = 0; i < 3; i++) {
        SendMessageA(mainWindow, WM_KEYDOWN, VK_NUMPAD1, 0x40000001);
        SendMessageA(mainWindow, WM_CHAR, '1', 0x40000001);
    }
    CHECK(g_nLcdCommands == 3, "three repeats, %d presses", g_nLcdCommands);
}

/* With Ctrl the keypad's + and - still type their operators: Ctrl with the
   main keyboard's = and - zooms. */
void TestCtrlKeypad(HWND mainWindow)
{
    static const LPARAM KEYS[][2] = { { VK_ADD, KEY_PLUS }, { VK_SUBTRACT, KEY_MINUS } };
    for (const auto &key : KEYS) {
        g_nLcdCommands = 0;
        PressWithModifiers(mainWindow, key[0], true, false);
        CHECK(g_nLcdCommands == 1 && g_LcdCommands[0].buttonId == key[1],
              "Ctrl+keypad 0x%02Ix: %d press(es), key %Id", key[0], g_nLcdCommands,
              g_LcdCommands[0].buttonId);
    }
}

/* What the keyboard should press, by the key's text (KeyTextOf), so
   that a row of the keyboard tables that presses another key is caught. */
struct ExpectedKey {
    WPARAM code;
    const char *keyText;
};

const ExpectedKey KEY_DOWN_KEYS[] = {
    { VK_BACK, "backspace" }, { VK_RETURN, "=" }, { VK_ESCAPE, "clear" }, { VK_PRIOR, "pgup" },
    { VK_NEXT, "pgdn" }, { VK_UP, "up" }, { VK_DOWN, "down" }, { VK_MULTIPLY, "*" },
    { VK_ADD, "+" }, { VK_SUBTRACT, "-" }, { VK_DIVIDE, "/" }, { VK_F1, "about" },
    { VK_F4, "power" }, { VK_F9, "sign" }, { VK_NUMPAD0, "0" }, { VK_NUMPAD1, "1" },
    { VK_NUMPAD2, "2" }, { VK_NUMPAD3, "3" }, { VK_NUMPAD4, "4" }, { VK_NUMPAD5, "5" },
    { VK_NUMPAD6, "6" }, { VK_NUMPAD7, "7" }, { VK_NUMPAD8, "8" }, { VK_NUMPAD9, "9" },
};

/* Letters press these keys in either case; any other character presses
   the key whose whole text it is, if there is one. */
const ExpectedKey LETTER_KEYS[] = {
    { 'a', "about" }, { 'b', "backspace" }, { 'c', "clear" }, { 'p', "power" }, { 'w', ORVANTA_HOST },
};

int KeyWithText(const char *text)
{
    for (int id = 1; id <= BUTTON_COUNT; id++) {
        if (strcmp(KeyTextOf(id), text) == 0) {
            return id;
        }
    }
    return 0;
}

int ExpectedForKeyDown(WPARAM virtualKey)
{
    for (const ExpectedKey &row : KEY_DOWN_KEYS) {
        if (row.code == virtualKey) {
            return KeyWithText(row.keyText);
        }
    }
    return 0;
}

int ExpectedForChar(WPARAM character)
{
    for (const ExpectedKey &row : LETTER_KEYS) {
        if (character == row.code || character == row.code - 'a' + 'A') {
            return KeyWithText(row.keyText);
        }
    }
    const char text[2] = { (char)character, '\0' };
    return character ? KeyWithText(text) : 0;
}

/* Every key press stops at the main window, window keys included (no About
   dialog, no web site). */
WNDPROC g_MainProc;
int g_nPresses;
LPARAM g_LastPressed;

LRESULT CALLBACK StoppingMainProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_COMMAND && (wParam == CMD_KEY || wParam == CMD_SYSTEM)) {
        g_nPresses++;
        g_LastPressed = lParam;
        return 0;
    }
    return CallWindowProcA(g_MainProc, hwnd, msg, wParam, lParam);
}

/* Every virtual key and every character, so each row of both tables is
   walked and no code outside them presses anything. */
void TestEveryCode(HWND mainWindow)
{
    g_MainProc = (WNDPROC)SetWindowLongPtrA(mainWindow, GWLP_WNDPROC, (LONG_PTR)StoppingMainProc);
    static const UINT MESSAGES[] = { WM_KEYDOWN, WM_CHAR };
    for (UINT msg : MESSAGES) {
        for (WPARAM code = 0; code <= 0xFF; code++) {
            int expected = msg == WM_KEYDOWN ? ExpectedForKeyDown(code) : ExpectedForChar(code);
            g_nPresses = 0;
            g_LastPressed = 0;
            g_bKeyHandled = 0; /* as after a key-down that pressed nothing */
            SendMessageA(mainWindow, msg, code, 1);
            CHECK(g_nPresses == (expected ? 1 : 0) && g_LastPressed == expected,
                  "%s 0x%02Ix: %d press(es), key %Id; expected key %d",
                  msg == WM_KEYDOWN ? "key-down" : "character", code, g_nPresses,
                  g_LastPressed, expected);
        }
    }
    SetWindowLongPtrA(mainWindow, GWLP_WNDPROC, (LONG_PTR)g_MainProc);
}

} // namespace

int main()
{
    HWND mainWindow = StartCalculator();
    TestEveryCode(mainWindow);
    RecordLcdCommands(mainWindow, false);
    TestKeyCases(mainWindow);
    TestRepeat(mainWindow);
    TestCtrlKeypad(mainWindow);
    StopRecordingLcd(mainWindow);
    StopCalculator(mainWindow);
    return TestResult("keyboard_test");
}
