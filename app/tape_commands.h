/*
 * The tape's commands, one function each, for the keys that run them
 * (app/commands.cpp), a file dropped on the main window, and the menu:
 * a tape read back from a file or the clipboard, saved to a file, undo and
 * redo. Each tells
 * its outcome in message boxes owned by mainWindow.
 */
#ifndef ORVANTA_TAPE_COMMANDS_H
#define ORVANTA_TAPE_COMMANDS_H

#include <windows.h>

/* Ctrl+O: the Open dialog (text files offered), then ReplayTapeFile. */
void OpenTapeFile(HWND mainWindow);

/* A dropped file, and the file that the Open dialog chose: read whole and
   replayed as a tape (ReplayTapeText, tape/replay.h). A file that cannot be
   read, or is no tape, is told and changes nothing; results computed
   otherwise than the file has them are listed. Returns whether the tape
   was replaced. */
bool ReplayTapeFile(HWND mainWindow, const wchar_t *path);

/* Ctrl+S: the Save As dialog, then the tape written whole (SaveTapeTo). */
void SaveTape(HWND mainWindow);

/* Ctrl+Shift+V: the clipboard's text replayed as a tape, as a file is. */
void PasteTape(HWND mainWindow);

/* Ctrl+Z, and Ctrl+Y or Ctrl+Shift+Z: the last change of the tape taken
   back or brought again (tape/undo.h); the LCD follows. Nothing when there
   is none. */
void UndoTape(HWND mainWindow);
void RedoTape(HWND mainWindow);

#endif
