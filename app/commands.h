/*
 * The calculator's commands beyond its keys: the Ctrl keys that run them,
 * and the menu that shows them (right click, Shift+F10, the Menu key and
 * Alt+Space). A key and its menu item run the same function.
 */
#ifndef ORVANTA_COMMANDS_H
#define ORVANTA_COMMANDS_H

#include <windows.h>

/* Command ids (res/menu.def), the same numbers as their menu texts' strings. */
enum {
#define MENU_ITEM(id, name, text, also, run, state) name = id,
#define MENU_SEPARATOR()
#define MENU_SUBMENU(id, name, text) name = id,
#define MENU_SUBMENU_END()
#include "res/menu.def"
#undef MENU_SUBMENU_END
#undef MENU_SUBMENU
#undef MENU_SEPARATOR
#undef MENU_ITEM
};

/* The command whose shortcut (res/menu.def) the key-down of virtualKey
   makes with the modifiers held now: sends it to mainWindow as an
   accelerator's WM_COMMAND (COMMAND_FROM_KEY) and returns 1; returns 0 for
   any other key. */
int TranslateCommandKey(HWND mainWindow, WPARAM virtualKey);

/* The high word of a command's WM_COMMAND from its shortcut, as an
   accelerator's. */
enum { COMMAND_FROM_KEY = 1 };

/* Runs a command id of the menu; 0 when id is none. */
int RunCommand(HWND mainWindow, WPARAM id);

/* The menu as it stands now: each item greyed where it cannot act, always
   on top and the face's factor checked. The caller destroys it. */
HMENU BuildCommandMenu(HWND mainWindow);

/* Shows the menu with its top-left corner at screen point (x, y) and runs
   the item chosen; (-1, -1), as a keyboard's context menu comes, puts it at
   the window's top-left corner. */
void ShowCommandMenu(HWND mainWindow, int x, int y);

/* Always on top: on when the window is topmost. Off at every start. */
void ToggleTopmost(HWND mainWindow);
bool IsTopmost(HWND mainWindow);

#endif
