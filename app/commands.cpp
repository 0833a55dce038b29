/*
 * The commands beyond the keys, and the two ways to them: their Ctrl keys,
 * and the menu that lists them with those keys (res/menu.def). Both end in
 * the same function, so a menu item does exactly what its key does.
 */
#include "app/commands.h"

#include "app/clipboard.h"
#include "app/shell.h"
#include "app/tape_commands.h"
#include "app/tape_window.h"
#include "buttons/img_button.h"
#include "tape/keys.h"

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
    return CanUndoTape() ? MF_ENABLED : MF_GRAYED;
}

UINT CanRedo(HWND)
{
    return CanRedoTape() ? MF_ENABLED : MF_GRAYED;
}

UINT TopmostState(HWND mainWindow)
{
    return MF_ENABLED | (IsTopmost(mainWindow) ? MF_CHECKED : MF_UNCHECKED);
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

struct Command {
    int id;
    void (*run)(HWND mainWindow);
    UINT (*state)(HWND mainWindow); /* MF_ENABLED or MF_GRAYED, and MF_CHECKED */
};

enum { SEPARATOR = 0 };

const Command COMMANDS[] = {
#define MENU_ITEM(id, name, text, run, state) { name, run, state },
#define MENU_SEPARATOR() { SEPARATOR, nullptr, nullptr },
#include "res/menu.def"
#undef MENU_SEPARATOR
#undef MENU_ITEM
};

struct CommandKey {
    WPARAM virtualKey;
    UINT modifiers; /* exactly these are held: MOD_CONTROL, MOD_SHIFT */
    int command;
};

const CommandKey COMMAND_KEYS[] = {
    { 'C', MOD_CONTROL, IDM_COPY_AMOUNT },
    { 'C', MOD_CONTROL | MOD_SHIFT, IDM_COPY_TAPE },
    { 'V', MOD_CONTROL, IDM_PASTE },
    { VK_INSERT, MOD_SHIFT, IDM_PASTE },
    { 'V', MOD_CONTROL | MOD_SHIFT, IDM_PASTE_TAPE },
    { 'O', MOD_CONTROL, IDM_OPEN },
    { 'S', MOD_CONTROL, IDM_SAVE },
    { 'Z', MOD_CONTROL, IDM_UNDO },
    { 'Y', MOD_CONTROL, IDM_REDO },
    { 'Z', MOD_CONTROL | MOD_SHIFT, IDM_REDO },
    { 'T', MOD_CONTROL, IDM_ALWAYS_ON_TOP },
    { 'H', MOD_CONTROL, IDM_TAPE_WINDOW },
};

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
    UINT held = 0;
    bool readHeld = false;
    for (const CommandKey &key : COMMAND_KEYS) {
        if (key.virtualKey != virtualKey) {
            continue;
        }
        if (!readHeld) {
            held = HeldModifiers();
            readHeld = true;
        }
        if (key.modifiers == held) {
            return RunCommand(mainWindow, key.command);
        }
    }
    return 0;
}

int RunCommand(HWND mainWindow, WPARAM id)
{
    for (const Command &command : COMMANDS) {
        if (command.id != SEPARATOR && (WPARAM)command.id == id) {
            command.run(mainWindow);
            return 1;
        }
    }
    return 0;
}

HMENU BuildCommandMenu(HWND mainWindow)
{
    HMENU menu = CreatePopupMenu();
    for (const Command &command : COMMANDS) {
        if (command.id == SEPARATOR) {
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        wchar_t text[MENU_TEXT_MAX] = L"";
        LoadStringW(g_hInstance, command.id, text, MENU_TEXT_MAX);
        AppendMenuW(menu, MF_STRING | command.state(mainWindow), command.id, text);
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
