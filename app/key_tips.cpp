/*
 * The keys' tooltips: the system's tooltip control, one for the whole face,
 * with one tool per key. A tip reads "지우기 (Esc, C)": the key's name and
 * the keyboard keys that press it. The message loop relays the mouse to it.
 */
#include "app/shell.h"

#include <commctrl.h>

#include "buttons/img_button.h"
#include "res/resource.h"

HWND g_hKeyTips;

namespace {

enum { KEY_TIP_MAX = KEY_NAME_MAX + KEY_KEYS_MAX + 3 };

/* The key's name, then its keyboard keys in parentheses. Those keys take the
   place of a parenthesised symbol at the end of the name, the symbol on the
   key's face ("더하기 (+)" becomes "더하기 (Num +, +)"); a key that no
   keyboard key presses shows its whole name. */
void FormatKeyTip(HWND key, int buttonId, wchar_t *out)
{
    GetWindowTextW(key, out, KEY_NAME_MAX); /* the key's name */
    char keys[KEY_KEYS_MAX];
    if (!DescribeButtonKeys(buttonId, keys, KEY_KEYS_MAX)) {
        return;
    }
    wchar_t *symbol = wcsrchr(out, L'(');
    size_t length = wcslen(out);
    if (symbol && symbol > out + 1 && symbol[-1] == L' ' && out[length - 1] == L')') {
        symbol[-1] = L'\0';
    }
    wcscat(out, L" (");
    length = wcslen(out);
    for (const char *c = keys; *c; c++) {
        out[length++] = (wchar_t)(unsigned char)*c; /* the key names are ASCII */
    }
    out[length++] = L')';
    out[length] = L'\0';
}

/* The tooltip follows the pointer over the keys; while a key is pressed or
   held it is told the pointer is on no key at all, which hides the tip and
   spoils a show it has timed already (Wine's show timer ignores
   TTM_ACTIVATE). So no tip shows over a held key or the LCD, and the tip
   never touches the mouse capture that the held key has. */
void RelayAsNoKey(const MSG *msg)
{
    MSG away = *msg;
    away.message = WM_MOUSEMOVE;
    away.hwnd = GetWindow(g_hKeyTips, GW_OWNER);
    away.lParam = 0;
    SendMessageW(g_hKeyTips, TTM_RELAYEVENT, 0, (LPARAM)&away);
    SendMessageW(g_hKeyTips, TTM_POP, 0, 0);
}

} // namespace

void CreateKeyTips(HWND mainWindow)
{
    INITCOMMONCONTROLSEX controls = { sizeof(controls), ICC_WIN95_CLASSES };
    InitCommonControlsEx(&controls);
    /* TTS_ALWAYSTIP: also while another program is active, as a toolbar's
       tips are. */
    g_hKeyTips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                 WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, mainWindow, nullptr,
                                 g_hInstance, nullptr);
    if (!g_hKeyTips) {
        return;
    }
    for (int id = 1; id <= BUTTON_COUNT; id++) {
        HWND key = FindChild(mainWindow, id);
        if (!key) {
            continue;
        }
        wchar_t text[KEY_TIP_MAX];
        FormatKeyTip(key, id, text);
        /* TTF_TRANSPARENT: a tip that lies over a key lets its clicks
           through. The version 2 size, which every comctl32 accepts. */
        TTTOOLINFOW tool = {};
        tool.cbSize = TTTOOLINFOW_V2_SIZE;
        tool.uFlags = TTF_IDISHWND | TTF_TRANSPARENT;
        tool.hwnd = mainWindow;
        tool.uId = (UINT_PTR)key;
        tool.lpszText = text;
        SendMessageW(g_hKeyTips, TTM_ADDTOOLW, 0, (LPARAM)&tool);
    }
}

void RelayKeyTipEvent(const MSG *msg)
{
    bool mouse = msg->message >= WM_MOUSEFIRST && msg->message <= WM_MOUSELAST;
    bool keyDown = msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN;
    if (!g_hKeyTips || !(mouse || keyDown)) {
        return;
    }
    if (keyDown || HeldKey() || msg->message == WM_LBUTTONDOWN) {
        RelayAsNoKey(msg);
    } else {
        SendMessageW(g_hKeyTips, TTM_RELAYEVENT, 0, (LPARAM)msg);
    }
}

int PlaceKeyTip(HWND mainWindow, const NMHDR *notice)
{
    if (notice->hwndFrom != g_hKeyTips || notice->code != TTN_SHOW) {
        return 0;
    }
    /* The control puts a tip under the pointer; over the LCD it would hide
       the result, so that tip goes above its key instead (the keys above the
       LCD are the only ones whose tips can reach it). */
    RECT tip, lcd, key, overlap, work;
    GetWindowRect(g_hKeyTips, &tip);
    GetWindowRect(FindChild(mainWindow, IDC_LCDSCREEN), &lcd);
    if (!IntersectRect(&overlap, &tip, &lcd)) {
        return 0;
    }
    GetWindowRect((HWND)notice->idFrom, &key);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    int top = key.top - 2 - (tip.bottom - tip.top);
    if (top < work.top) {
        return 0;
    }
    SetWindowPos(g_hKeyTips, nullptr, tip.left, top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return 1;
}
