// The tape window through the real windows: Ctrl+H shows it beside the
// calculator, flush through a zoom; its list reads as the tape's text after
// keys and after a full tape drops its first line, a key touching one item,
// the scroll bar following; lines corrected with F2 and deleted with Delete,
// refusals changing nothing, each undone by Ctrl+Z typed in it; a digit
// typed in it reaches the tape; the wheel over the LCD scrolls the tape a
// line a notch.
#include <string.h>

#include <string>

#include "app/commands.h"
#include "app/shell.h"
#include "app/tape_window.h"
#include "app/test/win_test.h"
#include "app/zoom.h"
#include "buttons/img_button.h"
#include "res/resource.h"
#include "tape/tape_text.h"

namespace {

HWND g_hList;
WNDPROC g_pfnListProc;
int g_nItemsWritten; /* LB_INSERTSTRING and LB_ADDSTRING the list received */

LRESULT CALLBACK CountingListProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == LB_INSERTSTRING || msg == LB_ADDSTRING) {
        g_nItemsWritten++;
    }
    return CallWindowProcW(g_pfnListProc, hwnd, msg, wParam, lParam);
}

std::string TapeText(void)
{
    char text[TAPE_TEXT_SIZE];
    FormatTapeText("\n", text);
    return text;
}

// The items as another program reads them.
std::string ListText(void)
{
    std::string text;
    int count = (int)SendMessageA(g_hList, LB_GETCOUNT, 0, 0);
    for (int i = 0; i < count; i++) {
        char item[64] = "";
        SendMessageA(g_hList, LB_GETTEXT, i, (LPARAM)item);
        text += item + std::string("\n");
    }
    return text;
}

int Selected(void)
{
    return (int)SendMessageA(g_hList, LB_GETCURSEL, 0, 0);
}

void Type(HWND mainWindow, const char *keys)
{
    SendMessageA(mainWindow, WM_COMMAND, CMD_KEY, KEY_POWER);
    for (; *keys; keys++) {
        SendMessageA(mainWindow, WM_COMMAND, CMD_KEY, KeyOfChar((unsigned char)*keys));
    }
}

HWND Field(HWND tapeWindow)
{
    return GetDlgItem(tapeWindow, IDC_TAPE_EDIT);
}

void TestShown(HWND mainWindow, HWND tapeWindow)
{
    RECT face, tape;
    GetWindowRect(mainWindow, &face);
    GetWindowRect(tapeWindow, &tape);
    wchar_t title[16] = L"";
    GetWindowTextW(tapeWindow, title, 16);
    CHECK(IsWindowVisible(tapeWindow) && GetWindow(tapeWindow, GW_OWNER) == mainWindow &&
              tape.left == face.right && tape.top == face.top && wcscmp(title, L"테이프") == 0,
          "shown, owned, beside the face at %ld,%ld (face right %ld), titled %ls", tape.left, tape.top,
          face.right, title);
    HMENU menu = BuildCommandMenu(mainWindow);
    CHECK(GetMenuState(menu, IDM_TAPE_WINDOW, MF_BYCOMMAND) & MF_CHECKED, "its menu item checked");
    DestroyMenu(menu);
}

void TestFollowsKeys(HWND mainWindow)
{
    Type(mainWindow, "12+3=*2=");
    CHECK(ListText() == TapeText() && Selected() == 4, "after keys: %s, selected %d", ListText().c_str(),
          Selected());
    for (int i = 0; i < 35; i++) { /* three lines each: "5", "+1", "=6" */
        SendMessageA(mainWindow, WM_COMMAND, CMD_KEY, KEY_5);
        SendMessageA(mainWindow, WM_COMMAND, CMD_KEY, KEY_PLUS);
        SendMessageA(mainWindow, WM_COMMAND, CMD_KEY, KEY_1);
        SendMessageA(mainWindow, WM_COMMAND, CMD_KEY, KEY_EQUALS);
    }
    g_nItemsWritten = 0;
    SendMessageA(mainWindow, WM_COMMAND, CMD_KEY, KEY_7); /* a line added to a full tape */
    CHECK(g_Tape.tapeCur == TAPE_ENTRIES - 1 && ListText() == TapeText() && g_nItemsWritten == 1,
          "full tape shifted: %d items written, list %s", g_nItemsWritten, ListText().c_str());
    SCROLLINFO bar = { sizeof(bar), SIF_RANGE | SIF_POS, 0, 0, 0, 0, 0 };
    GetScrollInfo(GetDlgItem(GetParent(g_hList), IDC_TAPE_SCROLL), SB_CTL, &bar);
    int top = (int)SendMessageA(g_hList, LB_GETTOPINDEX, 0, 0);
    CHECK(bar.nMax == TAPE_ENTRIES - 1 && bar.nPos == top && top > 0, "scroll bar %d of %d, top line %d",
          bar.nPos, bar.nMax, top);
}

// Each change drawn only where it shows, the list looks as its own whole
// paint draws it; the keys of each row follow those of the rows before.
void TestDrawnAsPainted(HWND mainWindow)
{
    static Image drawn, painted;
    const struct {
        const char *keys;
        int times;
    } changes[] = {
        { "12+3=4", 1 }, { "+", 1 }, { "5+1=", 12 }, /* the list moved down, line by line */
        { "5+1=", 30 }, { "7", 1 }, { "+", 1 }, { "=", 1 }, /* a full tape dropping lines */
    };
    Type(mainWindow, "");
    RECT client;
    GetClientRect(g_hList, &client);
    for (const auto &change : changes) {
        for (int i = 0; i < change.times; i++) {
            for (const char *key = change.keys; *key; key++) {
                SendMessageA(mainWindow, WM_COMMAND, CMD_KEY, KeyOfChar((unsigned char)*key));
            }
        }
        UpdateWindow(g_hList);
        CaptureWindow(g_hList, 0, 0, client.right, client.bottom, &drawn);
        RedrawWindow(g_hList, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        CaptureWindow(g_hList, 0, 0, client.right, client.bottom, &painted);
        int x = 0, y = 0;
        int differences = CountDifferences(&drawn, &painted, &x, &y);
        CHECK(differences == 0, "after %s x%d: %d pixels drawn otherwise, first at %d,%d", change.keys,
              change.times, differences, x, y);
    }
}

void TestCorrections(HWND mainWindow, HWND tapeWindow)
{
    const struct {
        const char *keys;
        int line;
        const char *amount; /* nullptr: F2 opens no field */
        const char *tape;   /* nullptr: refused, the field stays open */
    } CORRECTIONS[] = {
        { "12+3=*2=", 1, "5", "              12\n+              5\n=             17\n*              2\n=             34\n" },
        { "12+3=", 0, " -1.5 ", "            -1.5\n+              3\n=           1.50\n" },
        { "12+3=", 1, "1.234", nullptr },
        { "12+3=", 1, "1234567890123456", nullptr },
        { "12+3=", 1, "1x", nullptr },
        { "12+3=", 2, nullptr, nullptr },
    };
    for (const auto &c : CORRECTIONS) {
        Type(mainWindow, c.keys);
        std::string before = TapeText();
        SendMessageA(g_hList, LB_SETCURSEL, c.line, 0);
        SendMessageA(g_hList, WM_KEYDOWN, VK_F2, 0);
        HWND field = Field(tapeWindow);
        if (!c.amount) {
            CHECK(!field, "%s: F2 on result line %d opens nothing", c.keys, c.line);
            continue;
        }
        SetWindowTextA(field, c.amount);
        SendMessageA(field, WM_KEYDOWN, VK_RETURN, 0);
        if (!c.tape) {
            CHECK(Field(tapeWindow) && TapeText() == before, "%s: %s refused, the field open", c.keys,
                  c.amount);
            SendMessageA(Field(tapeWindow), WM_KEYDOWN, VK_ESCAPE, 0);
            CHECK(!Field(tapeWindow) && TapeText() == before, "%s: Escape closes the field", c.keys);
            continue;
        }
        CHECK(TapeText() == c.tape && ListText() == c.tape && Selected() == c.line && !Field(tapeWindow),
              "%s: line %d made %s gives %s", c.keys, c.line, c.amount, TapeText().c_str());
        PressWithModifiers(g_hList, 'Z', true, false);
        CHECK(TapeText() == before && ListText() == before, "%s: Ctrl+Z takes back %s", c.keys, c.amount);
    }
}

void TestDeletions(HWND mainWindow)
{
    const struct {
        const char *keys;
        int line;
        const char *tape; /* nullptr: refused */
    } DELETIONS[] = {
        { "12+3=*2=", 1, "              12\n*              2\n=             24\n" },
        { "12+3=*2=", 3, "              12\n+              3\n=             15\n" },
        { "12+3=7", 1, nullptr }, /* two plain lines: no keys make that */
        { "12+3=", 0, nullptr },
        { "12+3=", 2, nullptr },
    };
    for (const auto &d : DELETIONS) {
        Type(mainWindow, d.keys);
        std::string before = TapeText();
        SendMessageA(g_hList, LB_SETCURSEL, d.line, 0);
        SendMessageA(g_hList, WM_KEYDOWN, VK_DELETE, 0);
        const char *expected = d.tape ? d.tape : before.c_str();
        CHECK(TapeText() == expected && ListText() == expected, "%s: line %d deleted gives %s", d.keys,
              d.line, TapeText().c_str());
        if (d.tape) {
            PressWithModifiers(g_hList, 'Z', true, false);
            CHECK(TapeText() == before, "%s: Ctrl+Z takes the deletion back", d.keys);
        }
    }
}

void TestTypedHere(HWND mainWindow)
{
    Type(mainWindow, "12+");
    SendMessageA(g_hList, WM_KEYDOWN, '5', 0);
    SendMessageA(g_hList, WM_CHAR, '5', 0);
    CHECK(strcmp(g_Tape.entries[1], "+000000000000005") == 0 && ListText() == TapeText(),
          "a digit typed in the tape window: %s", g_Tape.entries[1]);
}

void TestWheelOverLcd(HWND mainWindow)
{
    Type(mainWindow, "1+2=+3=");
    RECT lcd;
    GetWindowRect(FindChild(mainWindow, IDC_LCDSCREEN), &lcd);
    LPARAM at = MAKELPARAM((lcd.left + lcd.right) / 2, (lcd.top + lcd.bottom) / 2);
    int top = g_Tape.viewTop;
    SendMessageA(mainWindow, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA / 2), at);
    CHECK(g_Tape.viewTop == top, "half a notch scrolls nothing yet");
    SendMessageA(mainWindow, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA / 2), at);
    CHECK(g_Tape.viewTop == top - 1 && Selected() == g_Tape.viewTop + g_Tape.markerRow,
          "a notch scrolls a line up: top %d, was %d", g_Tape.viewTop, top);
}

} // namespace

int main()
{
    HWND mainWindow = StartCalculator();
    PressWithModifiers(mainWindow, 'H', true, false);
    HWND tapeWindow = FindWindowA(TAPE_WINDOW_CLASS, nullptr);
    g_hList = GetDlgItem(tapeWindow, IDC_TAPE_LIST);
    CHECK(tapeWindow && g_hList, "Ctrl+H makes the tape window");
    if (!g_hList) {
        return TestResult("tape_window_test");
    }
    g_pfnListProc = (WNDPROC)SetWindowLongPtrW(g_hList, GWLP_WNDPROC, (LONG_PTR)CountingListProc);
    TestShown(mainWindow, tapeWindow);
    ZoomTo(mainWindow, 2); /* flush against the grown face, then the normal one */
    TestShown(mainWindow, tapeWindow);
    ZoomTo(mainWindow, 1);
    TestShown(mainWindow, tapeWindow);
    TestFollowsKeys(mainWindow);
    TestDrawnAsPainted(mainWindow);
    TestCorrections(mainWindow, tapeWindow);
    TestDeletions(mainWindow);
    TestTypedHere(mainWindow);
    TestWheelOverLcd(mainWindow);
    PressWithModifiers(g_hList, 'H', true, false);
    CHECK(!IsWindowVisible(tapeWindow), "Ctrl+H in the tape window hides it");
    StopCalculator(mainWindow);
    return TestResult("tape_window_test");
}
