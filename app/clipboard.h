/*
 * Amounts and the tape leave and enter the calculator: the clipboard keys
 * and saving the tape to a text file.
 */
#ifndef ORVANTA_CLIPBOARD_H
#define ORVANTA_CLIPBOARD_H

#include <windows.h>
#include <commdlg.h>

/* The commands (their keys and menu items are in app/commands.cpp). */
/* Copies the current amount, plain (Ctrl+C, Ctrl+Insert). */
void CopyAmount(HWND mainWindow);
/* Copies the whole tape as text (Ctrl+Shift+C). */
void CopyTape(HWND mainWindow);
/* Types the clipboard's text as keys (Ctrl+V, Shift+Insert). */
void PasteText(HWND mainWindow);
/* Saves the tape through the Save As dialog (Ctrl+S). */
void SaveTape(HWND mainWindow);

/* Opens the clipboard for owner, waiting a moment for another program
   that holds it. */
bool OpenOwnClipboard(HWND owner);

/* Hands read the clipboard's Unicode text (units UTF-16 units in its
   memory, up to its end or a zero) while the clipboard is open, and closes
   it; nothing to read leaves read uncalled. false, with the warning beep,
   when the clipboard cannot be had. */
bool ReadClipboardText(HWND owner, void (*read)(const char16_t *text, SIZE_T units, void *context),
                       void *context);

/* The error of the call that just failed: never 0, which would read as
   success. */
DWORD LastError(void);

/* Appends to text (size characters in all) a blank line and the system's
   words for error; nothing for 0. */
void AppendSystemReason(wchar_t *text, int size, DWORD error);

/* The Open and Save As dialogs of a tape file: text files offered, the
   chosen name into path, the current folder left as it is. */
void DescribeTapeFileDialog(OPENFILENAMEW *dialog, HWND owner, wchar_t path[MAX_PATH],
                            const wchar_t *title);

/* Writes the tape to path, whole or not at all, and never over a read-only
   file; a failure is told, with the system's reason, in a message box owned
   by owner. Returns 1 when the file was written. */
int SaveTapeTo(HWND owner, const wchar_t *path);

#endif
