/*
 * Amounts and the tape leave and enter the calculator: the clipboard keys
 * and saving the tape to a text file.
 */
#ifndef ORVANTA_CLIPBOARD_H
#define ORVANTA_CLIPBOARD_H

#include <windows.h>

/* Ctrl+C (the current amount), Ctrl+Shift+C (the tape), Ctrl+V and
   Shift+Insert (paste) and Ctrl+S (save): runs the one that the key-down of
   virtualKey makes with the modifiers held now, and returns 1; returns 0
   for any other key. */
int TranslateTransferKey(HWND mainWindow, WPARAM virtualKey);

/* Writes the tape to path, whole or not at all, and never over a read-only
   file; a failure is told, with the system's reason, in a message box owned
   by owner. Returns 1 when the file was written. */
int SaveTapeTo(HWND owner, const wchar_t *path);

#endif
