// What assistive technology and a new user read: the keys' names, the LCD's
// text after keys, and the tooltips, whose keyboard keys are checked against
// what the keyboard really presses.
#include <string.h>
#include <wchar.h>

#include "app/shell.h"

#include <commctrl.h>

#include "app/test/win_test.h"
#include "buttons/img_button.h"
#include "res/resource.h"

namespace {

void TestKeyNames(HWND mainWindow)
{
    wchar_t names[BUTTON_COUNT + 1][KEY_NAME_MAX] = {};
    for (int id = 1; id <= BUTTON_COUNT; id++) {
        wchar_t resource[KEY_NAME_MAX] = L"";
        LoadStringW(g_hInstance, IDS_KEY_NAME_BASE + id, resource, KEY_NAME_MAX);
        GetWindowTextW(GetDlgItem(mainWindow, id), names[id], KEY_NAME_MAX);
        CHECK(names[id][0] && wcscmp(names[id], resource) == 0, "key %d reads its name", id);
        for (int other = 1; other < id; other++) {
            CHECK(wcscmp(names[id], names[other]) != 0, "keys %d and %d differ", id, other);
        }
    }
}

void CALLBACK CloseNotice(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND notice = FindWindowA("#32770", nullptr);
    if (notice && IsWindowVisible(notice)) {
        PostMessageA(notice, WM_COMMAND, IDOK, 0);
        KillTimer(nullptr, timer);
    }
}

void TestLcdText(HWND mainWindow)
{
    static const struct {
        int keys[20];
        const char *text;
    } CASES[] = {
        { { KEY_POWER, KEY_POINT, KEY_5 }, "0.5" },
        { { KEY_POWER, KEY_3, KEY_MINUS, KEY_1, KEY_2, KEY_EQUALS }, "-9" },
        { { KEY_POWER, KEY_9, KEY_9, KEY_9, KEY_9, KEY_9, KEY_9, KEY_9, KEY_9, KEY_MULTIPLY, KEY_9,
            KEY_9, KEY_9, KEY_9, KEY_9, KEY_9, KEY_9, KEY_9, KEY_EQUALS }, "0" }, /* too large */
    };
    HWND lcd = GetDlgItem(mainWindow, IDC_LCDSCREEN);
    SetTimer(nullptr, 0, 20, CloseNotice);
    for (const auto &c : CASES) {
        for (int i = 0; c.keys[i]; i++) {
            SendMessageA(mainWindow, WM_COMMAND, CMD_KEY, c.keys[i]);
        }
        char text[32] = "";
        GetWindowTextA(lcd, text, sizeof(text));
        CHECK(strcmp(text, c.text) == 0, "LCD reads %s, expected %s", text, c.text);
    }
}

/* Which button each keyboard key and character presses, found by pressing
   them all with the commands caught before they act. */
int g_nPressed;
WNDPROC g_MainProc;

LRESULT CALLBACK CatchingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_COMMAND) {
        g_nPressed = (int)lParam;
        return 0;
    }
    return CallWindowProcA(g_MainProc, hwnd, msg, wParam, lParam);
}

void CountKeyboardKeys(HWND mainWindow, int counts[BUTTON_COUNT + 1])
{
    int byChar[256] = {};
    g_MainProc = (WNDPROC)SetWindowLongPtrA(mainWindow, GWLP_WNDPROC, (LONG_PTR)CatchingProc);
    for (int code = 1; code < 256; code++) {
        g_nPressed = 0;
        if (TranslateKeyDown(mainWindow, code, 0)) {
            counts[g_nPressed]++;
        }
        g_nPressed = 0;
        TranslateChar(mainWindow, code, 0);
        byChar[code] = g_nPressed;
    }
    SetWindowLongPtrA(mainWindow, GWLP_WNDPROC, (LONG_PTR)g_MainProc);
    for (int code = 1; code < 256; code++) {
        bool capitalCounted = code >= 'a' && code <= 'z' && byChar[code - 32] == byChar[code];
        if (byChar[code] && !capitalCounted) {
            counts[byChar[code]]++; /* a letter's two cases are one key */
        }
    }
}

void TestTooltips(HWND mainWindow)
{
    static const struct {
        int id;
        const wchar_t *tip;
    } EXAMPLES[] = {
        { KEY_CLEAR, L"지우기 (Esc, C)" }, { KEY_EQUALS, L"계산 (Enter, =)" },
        { KEY_SIGN, L"부호 바꾸기 (F9)" }, { KEY_POWER, L"전원 (F4, P)" },
        { KEY_PLUS, L"더하기 (Num +, +)" }, { KEY_00, L"00" },
    };
    int counts[BUTTON_COUNT + 1] = {};
    CountKeyboardKeys(mainWindow, counts);
    int tools = (int)SendMessageW(g_hKeyTips, TTM_GETTOOLCOUNT, 0, 0);
    CHECK(tools == BUTTON_COUNT, "%d tools", tools);
    bool seen[BUTTON_COUNT + 1] = {};
    for (int i = 0; i < tools; i++) {
        wchar_t tip[256] = L"";
        TTTOOLINFOW tool = {};
        tool.cbSize = TTTOOLINFOW_V2_SIZE;
        tool.lpszText = tip;
        SendMessageW(g_hKeyTips, TTM_ENUMTOOLSW, i, (LPARAM)&tool);
        int id = GetDlgCtrlID((HWND)tool.uId);
        CHECK((tool.uFlags & TTF_IDISHWND) && id >= 1 && id <= BUTTON_COUNT && !seen[id],
              "tool %d is key %d's own", i, id);
        seen[id] = true;
        const wchar_t *keys = wcschr(tip, L'(');
        int named = 0;
        for (const wchar_t *c = keys; c && *c; c++) {
            named += *c == L'(' || *c == L',';
        }
        CHECK(named == counts[id], "key %d: %d keyboard keys named, %d press it", id, named,
              counts[id]);
        for (const auto &e : EXAMPLES) {
            CHECK(e.id != id || wcscmp(tip, e.tip) == 0, "key %d's tip", id);
        }
    }
}

bool TipShown(void)
{
    return IsWindowVisible(g_hKeyTips) != 0;
}

/* Pointer arrival, press and release as the message loop relays them. */
void Relay(HWND key, UINT msg)
{
    RECT rc;
    GetWindowRect(key, &rc);
    SetCursorPos((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    MSG m = { key, msg, 0, MAKELPARAM(3, 3), GetTickCount(), {} };
    RelayKeyTipEvent(&m);
    if (msg != WM_MOUSEMOVE) {
        SendMessageA(key, msg, 0, 0);
    }
}

/* A tip shows off the LCD; none shows while a key is held, even when the
   press came before the hover time was up. */
void TestTipPlacement(HWND mainWindow)
{
    RECT tip, lcd, overlap;
    GetWindowRect(GetDlgItem(mainWindow, IDC_LCDSCREEN), &lcd);
    Relay(GetDlgItem(mainWindow, KEY_ABOUT), WM_MOUSEMOVE);
    CHECK(PumpUntil(TipShown), "hovering About shows its tip");
    GetWindowRect(g_hKeyTips, &tip);
    CHECK(!IntersectRect(&overlap, &tip, &lcd), "the tip keeps off the LCD");

    HWND five = GetDlgItem(mainWindow, KEY_5);
    Relay(five, WM_MOUSEMOVE);
    Relay(five, WM_LBUTTONDOWN);
    Relay(five, WM_MOUSEMOVE);
    CHECK(!PumpUntil(TipShown, 800), "no tip while the key is held");
    Relay(five, WM_LBUTTONUP);
}

} // namespace

int main()
{
    HWND mainWindow = StartCalculator();
    TestKeyNames(mainWindow);
    TestLcdText(mainWindow);
    TestTooltips(mainWindow);
    TestTipPlacement(mainWindow);
    StopCalculator(mainWindow);
    return TestResult("key_names_test");
}
