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
#define MENU_ITEM(id, name, text, run, state) name = id,
#define MENU_SEPARATOR()
#include "res/menu.def"
#undef MENU_SEPARATOR
#undef MENU_ITEM
};

/* The command that the key-down of virtualKey makes with the modifiers held
   now (Ctrl+C, Ctrl+Shift+C, Ctrl+V and Shift+Insert, Ctrl+Shift+V, Ctrl+O,
   Ctrl+S, Ctrl+Z, Ctrl+Y and Ctrl+Shift+Z, Ctrl+T, Ctrl+H): runs it and returns 1;
   returns 0 for any other key. */
int TranslateCommandKey(HWND mainWindow, WPARAM virtualKey);

/* Runs a command id of the menu; 0 when id is none. */
int RunCommand(HWND mainWindow, WPARAM id);

/* The menu as it stands now: each item greyed where it cannot act, always
   on top checked when on. The caller destroys it. */
HMENU BuildCommandMenu(HWND mainWindow);

/* Shows the menu with its top-left corner at screen point (x, y) and runs
   the item chosen; (-1, -1), as a keyboard's context menu comes, puts it at
   the window's top-left corner. */
void ShowCommandMenu(HWND mainWindow, int x, int y);

/* Always on top: on when the window is topmost. Off at every start. */
void ToggleTopmost(HWND mainWindow);
bool IsTopmost(HWND mainWindow);

#endif
