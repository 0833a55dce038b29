/*
 * The commands beyond the keys, and the two ways to them: their shortcuts,
 * and the menu that lists them with those shortcuts (res/menu.def, from
 * whose texts the shortcuts are read). Both end in the same function, so a
 * menu item does exactly what its key does.
 */
#include "app/commands.h"

#include <stdlib.h>
#include <string.h>

#include "amount/marks.h"
#include "app/clipboard.h"
#include "app/print.h"
#include "app/shell.h"
#include "app/tape_commands.h"
#include "app/tape_window.h"
#include "app/zoom.h"
#include "buttons/img_button.h"
#include "tape/keys.h"
#include "tape/undo.h"

namespace {

UINT CanAlways(HWND)
{
    return MF_ENABLED;
}

UINT CanPaste(HWND)
{
    return IsClipboardFormatAvailable(CF_UNICODETEXT) ? MF_ENABLED : MF_GRAYED;
}

UINT CanUndo(HWND)
{
    return CanUndoTapeChange() ? MF_ENABLED : MF_GRAYED;
}

UINT CanRedo(HWND)
{
    return CanRedoTapeChange() ? MF_ENABLED : MF_GRAYED;
}

UINT TopmostState(HWND mainWindow)
{
    return MF_ENABLED | (IsTopmost(mainWindow) ? MF_CHECKED : MF_UNCHECKED);
}

UINT CanZoomIn(HWND mainWindow)
{
    return g_nScale < LargestZoomFactor(mainWindow) ? MF_ENABLED : MF_GRAYED;
}

UINT CanZoomOut(HWND)
{
    return g_nScale > 1 ? MF_ENABLED : MF_GRAYED;
}

UINT CanZoomReset(HWND mainWindow)
{
    return g_nScale != DisplayFactor(mainWindow) ? MF_ENABLED : MF_GRAYED;
}

/* The factor items: the face's checked, those that would not fit greyed. */
template <int FACTOR>
void ZoomToFactor(HWND mainWindow)
{
    ZoomTo(mainWindow, FACTOR);
}

template <int FACTOR>
UINT FactorState(HWND mainWindow)
{
    return (FACTOR <= LargestZoomFactor(mainWindow) ? MF_ENABLED : MF_GRAYED) |
           (FACTOR == g_nScale ? MF_CHECKED : MF_UNCHECKED);
}

UINT TapeWindowState(HWND)
{
    return MF_ENABLED | (IsTapeWindowShown() ? MF_CHECKED : MF_UNCHECKED);
}

/* The About and quit keys' own command, as their buttons send it. */
void ShowAbout(HWND mainWindow)
{
    SendMessageA(mainWindow, WM_COMMAND, CMD_SYSTEM, KEY_ABOUT);
}

void Quit(HWND mainWindow)
{
    SendMessageA(mainWindow, WM_COMMAND, CMD_SYSTEM, KEY_QUIT);
}

/* A row of the menu: an item runs; a submenu's first row has an id (its
   text's) and nothing to run. */
struct Command {
    int id;
    const char *text;  /* the menu's, UTF-8: the shortcut after the tab */
    const char *also;  /* a second shortcut, or "" */
    void (*run)(HWND mainWindow);
    UINT (*state)(HWND mainWindow); /* MF_ENABLED or MF_GRAYED, and MF_CHECKED */
};

enum { SEPARATOR = 0, SUBMENU_END = -1 };

const Command COMMANDS[] = {
#define MENU_ITEM(id, name, text, also, run, state) { name, text, also, run, state },
#define MENU_SEPARATOR() { SEPARATOR, "", "", nullptr, nullptr },
#define MENU_SUBMENU(id, name, text) { name, "", "", nullptr, nullptr },
#define MENU_SUBMENU_END() { SUBMENU_END, "", "", nullptr, nullptr },
#include "res/menu.def"
#undef MENU_SUBMENU_END
#undef MENU_SUBMENU
#undef MENU_SEPARATOR
#undef MENU_ITEM
};

/* A factor's item is found by adding to the first one's id. */
static_assert(IDM_ZOOM_1 + MAX_SCALE - 1 == IDM_ZOOM_8, "one item for each factor, in order");

struct CommandKey {
    WPARAM virtualKey;
    UINT modifiers; /* exactly these are held: MOD_CONTROL, MOD_SHIFT */
    int command;
};

enum { COMMAND_KEYS_MAX = 2 * sizeof(COMMANDS) / sizeof(COMMANDS[0]) };

/* The shortcuts read from the menu's texts once, at the first key. */
CommandKey g_CommandKeys[COMMAND_KEYS_MAX];
int g_nCommandKeys = -1;

/* The virtual key that a shortcut's last part names: a letter or digit,
   the main keyboard's = and -, F1 to F12 or Insert; 0 for any other. */
WPARAM VirtualKeyNamed(const char *name)
{
    if (strcmp(name, "=") == 0 || strcmp(name, "-") == 0) {
        return name[0] == '=' ? VK_OEM_PLUS : VK_OEM_MINUS;
    }
    if (name[0] && !name[1] && ((name[0] >= 'A' && name[0] <= 'Z') || IsDigit(name[0]))) {
        return (WPARAM)name[0];
    }
    if (name[0] == 'F' && IsDigit(name[1])) {
        int n = atoi(name + 1);
        return n >= 1 && n <= 12 ? VK_F1 + n - 1 : 0;
    }
    return strcmp(name, "Insert") == 0 ? VK_INSERT : 0;
}

/* Reads "Ctrl+Shift+C" into *key; false for no shortcut or one that names
   no key. */
bool ReadShortcut(const char *text, CommandKey *key)
{
    static const struct { const char *prefix; UINT modifier; } MODIFIERS[] = {
        { "Ctrl+", MOD_CONTROL }, { "Shift+", MOD_SHIFT },
    };
    key->modifiers = 0;
    for (const auto &m : MODIFIERS) {
        size_t n = strlen(m.prefix);
        if (strncmp(text, m.prefix, n) == 0) {
            key->modifiers |= m.modifier;
            text += n;
        }
    }
    key->virtualKey = VirtualKeyNamed(text);
    return key->virtualKey != 0;
}

/* A shortcut with Ctrl or Shift runs its command here; the others are keys
   of the face, which the keyboard tables press. */
void ReadCommandKeys(void)
{
    g_nCommandKeys = 0;
    for (const Command &command : COMMANDS) {
        const char *tab = strchr(command.text, '\t');
        const char *shortcuts[] = { tab ? tab + 1 : "", command.also };
        for (const char *shortcut : shortcuts) {
            CommandKey key = { 0, 0, command.id };
            if (command.run && ReadShortcut(shortcut, &key) && key.modifiers &&
                g_nCommandKeys < COMMAND_KEYS_MAX) {
                g_CommandKeys[g_nCommandKeys++] = key;
            }
        }
    }
}

UINT HeldModifiers(void)
{
    UINT held = 0;
    if (GetKeyState(VK_CONTROL) < 0) {
        held |= MOD_CONTROL;
    }
    if (GetKeyState(VK_SHIFT) < 0) {
        held |= MOD_SHIFT;
    }
    if (GetKeyState(VK_MENU) < 0) {
        held |= MOD_ALT; /* Ctrl+Alt is AltGr on many keyboards: no copy */
    }
    return held;
}

enum { MENU_TEXT_MAX = 64 };

} // namespace

int TranslateCommandKey(HWND mainWindow, WPARAM virtualKey)
{
    /* The modifiers are read only for the keys of the table: reading them
       costs every other key a trip to the window server under Wine. */
    if (g_nCommandKeys < 0) {
        ReadCommandKeys();
    }
    UINT held = 0;
    bool readHeld = false;
    for (int i = 0; i < g_nCommandKeys; i++) {
        const CommandKey &key = g_CommandKeys[i];
        if (key.virtualKey != virtualKey) {
            continue;
        }
        if (!readHeld) {
            held = HeldModifiers();
            readHeld = true;
        }
        if (key.modifiers == held) {
            SendMessageA(mainWindow, WM_COMMAND, MAKEWPARAM(key.command, COMMAND_FROM_KEY), 0);
            return 1;
        }
    }
    return 0;
}

int RunCommand(HWND mainWindow, WPARAM id)
{
    for (const Command &command : COMMANDS) {
        if (command.run && (WPARAM)command.id == id) {
            command.run(mainWindow);
            return 1;
        }
    }
    return 0;
}

HMENU BuildCommandMenu(HWND mainWindow)
{
    HMENU menu = CreatePopupMenu();
    HMENU into = menu; /* the submenu being filled, else the menu */
    for (const Command &command : COMMANDS) {
        if (command.id == SEPARATOR) {
            AppendMenuW(into, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        if (command.id == SUBMENU_END) {
            into = menu;
            continue;
        }
        wchar_t text[MENU_TEXT_MAX] = L"";
        LoadStringW(g_hInstance, command.id, text, MENU_TEXT_MAX);
        if (!command.run) {
            /* Destroyed with the menu it belongs to. */
            into = CreatePopupMenu();
            AppendMenuW(menu, MF_POPUP, (UINT_PTR)into, text);
        } else {
            AppendMenuW(into, MF_STRING | command.state(mainWindow), command.id, text);
        }
    }
    return menu;
}

void ShowCommandMenu(HWND mainWindow, int x, int y)
{
    if (x == -1 && y == -1) {
        RECT window;
        GetWindowRect(mainWindow, &window);
        x = window.left;
        y = window.top;
    }
    HMENU menu = BuildCommandMenu(mainWindow);
    /* The menu closes when a click lands elsewhere only if its owner is the
       foreground window. Chosen is run once the menu is gone. */
    SetForegroundWindow(mainWindow);
    UINT chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN,
                                 x, y, 0, mainWindow, nullptr);
    DestroyMenu(menu);
    if (chosen) {
        RunCommand(mainWindow, chosen);
    }
}

bool IsTopmost(HWND mainWindow)
{
    return (GetWindowLongA(mainWindow, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

namespace {

enum { OWNED_MAX = 8 };

struct OwnedWindows {
    HWND owner;
    HWND found[OWNED_MAX];
    int count;
};

BOOL CALLBACK CollectOwned(HWND hwnd, LPARAM lParam)
{
    OwnedWindows *owned = (OwnedWindows *)lParam;
    if (GetWindow(hwnd, GW_OWNER) == owned->owner && owned->count < OWNED_MAX) {
        owned->found[owned->count++] = hwnd;
    }
    return TRUE;
}

} // namespace

/* Wine puts a window that owns a topmost popup (the keys' tooltip) below
   that popup instead of making it topmost: the owned windows are let go
   for the change and given back at once, which Windows takes the same. */
void ToggleTopmost(HWND mainWindow)
{
    OwnedWindows owned = { mainWindow, {}, 0 };
    EnumThreadWindows(GetCurrentThreadId(), CollectOwned, (LPARAM)&owned);
    for (int i = 0; i < owned.count; i++) {
        SetWindowLongPtrW(owned.found[i], GWLP_HWNDPARENT, 0);
    }
    SetWindowPos(mainWindow, IsTopmost(mainWindow) ? HWND_NOTOPMOST : HWND_TOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    for (int i = 0; i < owned.count; i++) {
        SetWindowLongPtrW(owned.found[i], GWLP_HWNDPARENT, (LONG_PTR)mainWindow);
    }
}
