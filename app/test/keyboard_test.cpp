// Keyboard translation through the main window: key-downs and characters in
// the order the message loop delivers them, the presses that reach the
// calculator, and the 80 ms pause that only a mapped key takes.
#include <stdio.h>

#include "app/shell.h"
#include "app/test/win_test.h"
#include "tape/keys.h"
#include "tape/lcd_window.h"

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
                  "%s: command %u for key %ld", c.name, (unsigned)g_LcdCommands[0].code,
                  (long)g_LcdCommands[0].buttonId);
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

} // namespace

int main()
{
    HWND mainWindow = StartCalculator();
    RecordLcdCommands(mainWindow, false);
    TestKeyCases(mainWindow);
    TestRepeat(mainWindow);
    StopRecordingLcd(mainWindow);
    StopCalculator(mainWindow);
    return TestResult("keyboard_test");
}
