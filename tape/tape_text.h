/*
 * The tape and its keys as plain text, for other programs: the whole tape as
 * lines of text (copied, saved, printed by the terminal driver), and text
 * from elsewhere turned into the keys that type it.
 */
#ifndef ORVANTA_TAPE_TEXT_H
#define ORVANTA_TAPE_TEXT_H

#include "tape/tape.h"

enum {
    /* Every line as shown, each with a line end of at most two characters,
       and a terminating zero. */
    TAPE_TEXT_SIZE = TAPE_ENTRIES * (TAPE_ENTRY_LEN + 2) + 1,
    /* How much of a pasted text is read; no text gives more keys than it
       has characters. */
    PASTE_MAX_CHARS = 10000
};

/* The current line's amount in its plain form (FormatPlainAmount): what
   Ctrl+C copies and what the LCD reads as to a screen reader. */
void FormatCurrentAmount(PlainAmount text);

/* Lines 0 to the current one, each as FormatShownEntry shows it and ended
   with lineEnd (at most two characters). Returns the length of the text. */
int FormatTapeText(const char *lineEnd, char text[TAPE_TEXT_SIZE]);

/* The keys that typing text presses, in order; returns how many. Digits, ".",
   "+ - * / % =" are their keys, a line break ("\r\n", "\r" or "\n") is "=",
   blanks and "," are skipped. A "-" at the start or after an operator,
   followed by a digit or ".", makes the number after it negative: its digits,
   then the sign key. Any other character ends the text there. Reads at most
   length characters, PASTE_MAX_CHARS at the most, and stops at a zero. */
int ParsePastedText(const char16_t *text, int length, int keys[PASTE_MAX_CHARS]);

#endif
