// Who holds the mouse capture as typed and clicked presses overlap, and the
// LCD after each key against the same tape painted from scratch.
#include "app/shell.h"
#include "app/test/win_test.h"
#include "buttons/img_button.h"
#include "lcd/lcd_window.h"
#include "res/resource.h"

namespace {

/* The main window holds the capture first. Steps: M a mouse press on "7",
   m its release; T a typed press on "5", t its release. Captures: after
   each step, '0' nobody, 'p' the main window, 'M' the mouse's key, 'T' the
   typed key. Each case makes one command. */
const struct {
    const char *name;
    const char *steps;
    const char *captures;
} CAPTURE_CASES[] = {
    { "typed alone", "Tt", "pp" },
    { "typed while the mouse holds a key", "MTtm", "MTpp" },
    { "clicked while a typed press is held", "TMmt", "pMpp" },
};

void TestCaptures(HWND mainWindow)
{
    HWND mouseKey = GetDlgItem(mainWindow, KEY_7);
    HWND typedKey = GetDlgItem(mainWindow, KEY_5);
    RecordLcdCommands(mainWindow, false);
    for (const auto &c : CAPTURE_CASES) {
        g_nLcdCommands = 0;
        SetCapture(mainWindow);
        for (int i = 0; c.steps[i]; i++) {
            switch (c.steps[i]) {
            case 'M': SendMessageA(mouseKey, WM_LBUTTONDOWN, MK_LBUTTON, 0); break;
            case 'm': SendMessageA(mouseKey, WM_LBUTTONUP, 0, 0); break;
            case 'T': SendTypedButtonDown(typedKey, 0, 0); break;
            default: SendMessageA(typedKey, WM_LBUTTONUP, 0, 0); break;
            }
            HWND capture = GetCapture();
            char shown = capture == mainWindow ? 'p' : capture == mouseKey ? 'M'
                         : capture == typedKey ? 'T' : capture ? '?' : '0';
            CHECK(shown == c.captures[i], "%s, step %d: capture %c", c.name, i, shown);
        }
        CHECK(g_nLcdCommands == 1, "%s: %d command(s)", c.name, g_nLcdCommands);
        CHECK(!g_bTracking && !g_bPressedShown && !HeldKey(), "%s: idle", c.name);
        ReleaseCapture();
    }
    StopRecordingLcd(mainWindow);
}

/* Keys that move the marker, scroll the view, empty lines and change none. */
const struct { const char *name; int keys[8]; } LCD_STEPS[] = {
    { "a digit, an operand line", { KEY_1, KEY_PLUS, KEY_2 } },
    { "a result", { KEY_EQUALS } },
    { "the view scrolls on", { KEY_MINUS, KEY_3, KEY_EQUALS } },
    { "up, marker stays", { KEY_LINE_UP } },
    { "down to the end", { KEY_PAGE_DOWN, KEY_LINE_DOWN } },
    { "power empties two lines", { KEY_POWER } },
    { "= on an empty tape", { KEY_EQUALS } },
    { "a sign and its removal", { KEY_4, KEY_SIGN, KEY_BACKSPACE } },
};

void TestLcdAfterKeys(HWND mainWindow)
{
    HWND lcd = GetDlgItem(mainWindow, IDC_LCDSCREEN);
    static Image shown, fresh;
    for (const auto &step : LCD_STEPS) {
        for (int i = 0; step.keys[i]; i++) {
            SendMessageA(mainWindow, WM_COMMAND, CMD_KEY, step.keys[i]);
        }
        CaptureWindow(lcd, 0, 0, LCD_DRAWN_WIDTH, LCD_DRAWN_HEIGHT, &shown);
        LoadLcdGlyphs(); /* nothing of the last picture is kept */
        RedrawWindow(lcd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        CaptureWindow(lcd, 0, 0, LCD_DRAWN_WIDTH, LCD_DRAWN_HEIGHT, &fresh);
        int x = 0, y = 0, differences = CountDifferences(&shown, &fresh, &x, &y);
        CHECK(differences == 0, "%s: %d pixels differ from a fresh paint, first (%d,%d)",
              step.name, differences, x, y);
    }
}

} // namespace

int main()
{
    UseOwnResources();
    HWND mainWindow = StartCalculator();
    TestCaptures(mainWindow);
    TestLcdAfterKeys(mainWindow);
    StopCalculator(mainWindow);
    return TestResult("press_path_test");
}
