/*
 * Amounts and the tape leave and enter the calculator through the
 * clipboard.
 */
#ifndef ORVANTA_CLIPBOARD_H
#define ORVANTA_CLIPBOARD_H

#include <windows.h>

/* The commands (their keys and menu items are in app/commands.cpp). */
/* Copies the current amount, plain (Ctrl+C, Ctrl+Insert). */
void CopyAmount(HWND mainWindow);
/* Copies the whole tape as text (Ctrl+Shift+C). */
void CopyTape(HWND mainWindow);
/* Types the clipboard's text as keys (Ctrl+V, Shift+Insert). */
void PasteText(HWND mainWindow);
/* Hands read the clipboard's Unicode text (units UTF-16 units in its
   memory, up to its end or a zero) while the clipboard is open, and closes
   it; nothing to read leaves read uncalled. false, with the warning beep,
   when the clipboard cannot be had. */
bool ReadClipboardText(HWND owner, void (*read)(const char16_t *text, SIZE_T units, void *context),
                       void *context);

#endif
