/*
 * The tape window: every line of the tape at once, beside the calculator,
 * in a list box that follows each change; a typed line corrected in place
 * or deleted, and the results after it computed again (tape/correction.h).
 * Owned by the main window, made the first time it is shown and hidden,
 * not destroyed, when closed, so that it keeps its size and place.
 */
#ifndef ORVANTA_TAPE_WINDOW_H
#define ORVANTA_TAPE_WINDOW_H

#include <windows.h>

#define TAPE_WINDOW_CLASS "Orvanta_TapeWindow"

/* Its children: the list, the field that corrects a line's amount, and the
   list's scroll bar. */
enum { IDC_TAPE_LIST = 1, IDC_TAPE_EDIT = 2, IDC_TAPE_SCROLL = 3 };

LRESULT CALLBACK TapeWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

/* Ctrl+H and its menu item: shows the window (made at the first call,
   flush right of the calculator, or left where the screen has no room) or
   hides it. */
void ToggleTapeWindow(HWND mainWindow);
bool IsTapeWindowShown(void);

/* The face's factor has changed: fonts, lines and size follow it, and a
   window that was flush against the face (oldFace, its place before the
   change) stays flush against it. */
void RescaleTapeWindow(const RECT &oldFace);

#endif
