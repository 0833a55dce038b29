// The commands' menu: each way to open it, an item chosen running its
// command, the items greyed or checked as the calculator stands, and always
// on top from Ctrl+T, and the shortcut each item shows.

#include <wchar.h>

#include "app/commands.h"
#include "app/shell.h"
#include "app/test/win_test.h"
#include "buttons/img_button.h"
#include "tape/keys.h"

namespace {

/* While the menu's own loop runs, a thread timer looks for its window and
   then either types a mnemonic or closes it. */
int g_nMenusSeen;
RECT g_MenuRect;
WPARAM g_ChooseChar; /* 0: close the menu */

void CALLBACK WatchMenu(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND popup = FindWindowA("#32768", nullptr);
    if (!popup || !IsWindowVisible(popup)) {
        return;
    }
    KillTimer(nullptr, timer);
    g_nMenusSeen++;
    GetWindowRect(popup, &g_MenuRect);
    if (g_ChooseChar) {
        INPUT key[2] = {};
        key[0].type = key[1].type = INPUT_KEYBOARD;
        key[0].ki.wScan = key[1].ki.wScan = (WORD)g_ChooseChar; /* typed as a character */
        key[0].ki.dwFlags = KEYEVENTF_UNICODE;
        key[1].ki.dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;
        SendInput(2, key, sizeof(INPUT));
    } else {
        EndMenu();
    }
}

/* Runs open() with the watch set; whether a menu showed, and where. */
template <typename Open>
bool MenuOpens(Open open, WPARAM choose = 0)
{
    g_nMenusSeen = 0;
    g_ChooseChar = choose;
    UINT_PTR timer = SetTimer(nullptr, 0, 20, WatchMenu);
    open();
    PumpUntil([] { return g_nMenusSeen > 0 && !FindWindowA("#32768", nullptr); }, 3000);
    KillTimer(nullptr, timer);
    return g_nMenusSeen == 1;
}

void SendKeys(const WORD *keys, int count)
{
    INPUT input[8] = {};
    for (int i = 0; i < count; i++) {
        input[i].type = input[count * 2 - 1 - i].type = INPUT_KEYBOARD;
        input[i].ki.wVk = input[count * 2 - 1 - i].ki.wVk = keys[i];
        input[count * 2 - 1 - i].ki.dwFlags = KEYEVENTF_KEYUP;
    }
    SendInput(count * 2, input, sizeof(INPUT));
}

void TestOpening(HWND mainWindow)
{
    RECT window;
    GetWindowRect(mainWindow, &window);
    HWND key = FindChild(mainWindow, KEY_7);
    RecordLcdCommands(mainWindow, false);
    CHECK(MenuOpens([&] {
              PostMessageA(key, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
              PostMessageA(key, WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
          }),
          "a right click on a key opens the menu");
    CHECK(g_nLcdCommands == 0, "the right click pressed no key (%d)", g_nLcdCommands);
    StopRecordingLcd(mainWindow);

    /* From the keyboard, at the window's corner: Shift+F10 and the Menu key
       come as the system's WM_CONTEXTMENU, Alt+Space as its window menu. */
    static const WORD KEYS[][2] = { { VK_SHIFT, VK_F10 }, { VK_APPS, 0 }, { VK_MENU, VK_SPACE } };
    for (const auto &k : KEYS) {
        SetForegroundWindow(mainWindow);
        SetFocus(mainWindow);
        CHECK(MenuOpens([&] { SendKeys(k, k[1] ? 2 : 1); }) && g_MenuRect.left == window.left &&
                  g_MenuRect.top == window.top,
              "keys %02x %02x open the menu at the corner (%ld,%ld)", k[0], k[1], g_MenuRect.left,
              g_MenuRect.top);
    }
}

void TestItemsAndState(HWND mainWindow)
{
    OpenClipboard(mainWindow);
    EmptyClipboard();
    CloseClipboard();
    /* Every item named from the string table; greyed where it cannot act. */
    HMENU menu = BuildCommandMenu(mainWindow);
    int unnamed = 0;
    for (int i = 0; i < GetMenuItemCount(menu); i++) {
        wchar_t text[64] = L"";
        UINT id = GetMenuItemID(menu, i); /* 0: a separator */
        unnamed += id != 0 && !GetMenuStringW(menu, i, text, 64, MF_BYPOSITION);
    }
    CHECK(unnamed == 0, "%d items without a text", unnamed);
    CHECK((GetMenuState(menu, IDM_PASTE, MF_BYCOMMAND) & MF_GRAYED) &&
              (GetMenuState(menu, IDM_UNDO, MF_BYCOMMAND) & MF_GRAYED),
          "no text, nothing done: paste and undo greyed");
    DestroyMenu(menu);

    /* The mnemonic W chooses always on top: the item runs Ctrl+T's command. */
    SendMessageA(mainWindow, WM_COMMAND, CMD_KEY, KEY_5);
    CHECK(MenuOpens([&] { ShowCommandMenu(mainWindow, 150, 150); }, 'w'), "the menu opened");
    CHECK(IsTopmost(mainWindow), "chosen from the menu, always on top is on");
    CHECK(GetWindow(g_hKeyTips, GW_OWNER) == mainWindow, "the tooltip keeps its owner");
    menu = BuildCommandMenu(mainWindow);
    CHECK((GetMenuState(menu, IDM_ALWAYS_ON_TOP, MF_BYCOMMAND) & MF_CHECKED) &&
              !(GetMenuState(menu, IDM_UNDO, MF_BYCOMMAND) & MF_GRAYED),
          "always on top checked, a key to undo");
    DestroyMenu(menu);

    PressWithModifiers(mainWindow, 'T', true, false);
    CHECK(!IsTopmost(mainWindow), "Ctrl+T turns it off again");
}

/* The commands that reach the main window, held there. */
WNDPROC g_MainProc;
int g_nCommands;
WPARAM g_CommandWord;
LPARAM g_CommandKey;

LRESULT CALLBACK HoldingMainProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg != WM_COMMAND) {
        return CallWindowProcA(g_MainProc, hwnd, msg, wParam, lParam);
    }
    g_nCommands++;
    g_CommandWord = wParam;
    g_CommandKey = lParam;
    return 0;
}

/* The shortcut that each item shows, pressed as a user reads it (= and -
   the main keyboard's), runs that item and nothing else; F1 presses the
   About key, whose command it is. */
void PressShownShortcuts(HWND mainWindow, HMENU menu)
{
    for (int i = 0; i < GetMenuItemCount(menu); i++) {
        if (HMENU submenu = GetSubMenu(menu, i)) {
            PressShownShortcuts(mainWindow, submenu);
            continue;
        }
        wchar_t text[64] = L"";
        UINT id = GetMenuItemID(menu, i);
        GetMenuStringW(menu, i, text, 64, MF_BYPOSITION);
        const wchar_t *tab = wcschr(text, L'\t');
        if (!tab) {
            continue;
        }
        const wchar_t *key = tab[1] && wcsrchr(tab + 2, L'+') ? wcsrchr(tab + 2, L'+') + 1 : tab + 1;
        WPARAM virtualKey = key[1] ? VK_F1 + _wtoi(key + 1) - 1
                            : key[0] == L'=' ? VK_OEM_PLUS
                            : key[0] == L'-' ? VK_OEM_MINUS
                                             : key[0];
        g_nCommands = 0;
        PressWithModifiers(mainWindow, virtualKey, wcsstr(tab, L"Ctrl+") != nullptr,
                           wcsstr(tab, L"Shift+") != nullptr);
        bool ran = g_CommandWord == MAKEWPARAM(id, COMMAND_FROM_KEY) ||
                   (id == IDM_ABOUT && g_CommandWord == CMD_SYSTEM && g_CommandKey == KEY_ABOUT);
        CHECK(g_nCommands == 1 && ran, "item %u: %d command(s), the last %#lx", id, g_nCommands,
              (unsigned long)g_CommandWord);
    }
}

void TestShownShortcuts(HWND mainWindow)
{
    HMENU menu = BuildCommandMenu(mainWindow);
    g_MainProc = (WNDPROC)SetWindowLongPtrA(mainWindow, GWLP_WNDPROC, (LONG_PTR)HoldingMainProc);
    PressShownShortcuts(mainWindow, menu);
    SetWindowLongPtrA(mainWindow, GWLP_WNDPROC, (LONG_PTR)g_MainProc);
    DestroyMenu(menu);
}

} // namespace

int main()
{
    HWND mainWindow = StartCalculator();
    TestOpening(mainWindow);
    TestItemsAndState(mainWindow);
    TestShownShortcuts(mainWindow);
    StopCalculator(mainWindow);
    return TestResult("menu_test");
}
