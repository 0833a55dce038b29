/*
 * The tape's text file: the Open and Save As dialogs, the file read or
 * written whole, and a failure told with the system's reason, in a message
 * box owned by owner. Below the commands that open and save a tape.
 */
#ifndef ORVANTA_TAPE_FILE_H
#define ORVANTA_TAPE_FILE_H

#include <windows.h>

/* The Save As dialog (save) or the Open dialog of a tape file: text files
   offered, the chosen name into path, the current folder left as it is.
   Returns whether a name was chosen; a failure other than cancelling is
   told. */
bool ChooseTapeFile(HWND owner, bool save, wchar_t path[MAX_PATH]);

/* Reads the file at path into text, at most size bytes (a longer file fills
   them all): its length, or -1 after telling why it could not be read. */
int ReadWholeFile(HWND owner, const wchar_t *path, char *text, DWORD size);

/* Writes the tape to path, whole or not at all, and never over a read-only
   file; a failure is told. Returns 1 when the file was written. */
int SaveTapeTo(HWND owner, const wchar_t *path);

#endif
