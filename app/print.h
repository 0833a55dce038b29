/*
 * Printing the tape: each line as the tape's text has it (as copied, saved
 * and written by the terminal driver), under a header on every page.
 */
#ifndef ORVANTA_PRINT_H
#define ORVANTA_PRINT_H

#include <windows.h>

/* The command (Ctrl+P): the Print dialog, owned by mainWindow, then the
   tape printed on the printer chosen. A cancelled dialog does nothing; a
   failure (no printer, a printer that refuses the job) is told in a message
   box owned by mainWindow, with the system's reason where it has one. */
void PrintTape(HWND mainWindow);

/* Prints lines 0 to the current one to printer as one document named after
   the program, pages firstPage to lastPage (1-based, clamped to the pages
   there are). Each page carries the program's name, the time of printing
   and "N / M"; a page ends between lines, never inside one. Returns 0, or
   the error of the step that failed (the document then aborted). */
DWORD PrintTapeTo(HDC printer, int firstPage, int lastPage);

#endif
