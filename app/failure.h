/*
 * A failure told to the user: what is true (the tape unchanged, the file
 * not written, nothing printed), then why in the system's own words, in a
 * message box owned by the window that asked. Used by the tape's file and
 * by printing.
 */
#ifndef ORVANTA_FAILURE_H
#define ORVANTA_FAILURE_H

#include <windows.h>

/* The error of the call that just failed: never 0, which would read as
   success. */
DWORD LastError(void);

/* A warning box owned by owner: caption, text and, unless error is 0, a
   blank line and the system's words for error (its number where the system
   has none). */
void ShowFailure(HWND owner, const wchar_t *caption, const wchar_t *text, DWORD error);

#endif
