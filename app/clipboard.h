/*
 * Amounts and the tape leave and enter the calculator: the clipboard keys
 * and saving the tape to a text file.
 */
#ifndef ORVANTA_CLIPBOARD_H
#define ORVANTA_CLIPBOARD_H

#include <windows.h>

/* Ctrl+C (the current amount), Ctrl+Shift+C (the tape), Ctrl+V and
   Shift+Insert (paste), Ctrl+S (save), and the tape's commands of
   app/tape_commands.h: Ctrl+O (open), Ctrl+Shift+V (paste a tape), Ctrl+Z
   (undo), Ctrl+Y and Ctrl+Shift+Z (redo). Runs the one that the key-down of
   virtualKey makes with the modifiers held now, and returns 1; returns 0
   for any other key. */
int TranslateTransferKey(HWND mainWindow, WPARAM virtualKey);

/* Opens the clipboard for owner, waiting a moment for another program
   that holds it. */
bool OpenOwnClipboard(HWND owner);

/* The error of the call that just failed: never 0, which would read as
   success. */
DWORD LastError(void);

/* Appends to text (size characters in all) a blank line and the system's
   words for error; nothing for 0. */
void AppendSystemReason(wchar_t *text, int size, DWORD error);

/* Writes the tape to path, whole or not at all, and never over a read-only
   file; a failure is told, with the system's reason, in a message box owned
   by owner. Returns 1 when the file was written. */
int SaveTapeTo(HWND owner, const wchar_t *path);

#endif
