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

/* The same for lines first to last only (none when last < first); text has
   room for them. */
int FormatTapeLines(int first, int last, const char *lineEnd, char *text);

/* A trial: keys pressed into the tape only to learn what they do, the tape
   put back exactly as it was at the end. Meanwhile the host is muted (no
   overflow notice, no repaint) and no undo step is recorded. */
struct TapeTrial {
    TapeState kept;
    bool wasMuted;
};
void BeginTapeTrial(TapeTrial *trial);
void EndTapeTrial(const TapeTrial *trial);

/* Presses keys[0] to keys[count - 1] (digits, the point and the sign key,
   no zero groups) and tells whether the entry keys took each
   of them: none refused for the 15 characters, a second point, a third
   decimal or a sign with no room. The sign key must make the amount
   negative: on one that is negative already it is not taken; on zero, which
   has no sign, it loses nothing. A number from another program (pasted,
   replayed) is typed whole or not at all, so that no amount is ever changed
   by being cut short. */
bool PressWholeNumber(const int *keys, int count);

/* The keys that typing text presses, in order; returns how many. Digits, ".",
   "+ - * / % =" are their keys, a line break ("\r\n", "\r" or "\n") is "=",
   except that line breaks (blank lines among them) between two numbers with
   no operator between them are one "+", so that a column adds up. Blanks,
   "," and "'" are skipped. A "-" at the start or after an operator or line
   break, followed by a digit or ".", makes the number after it negative: its
   digits, then the sign key. Characters that read the same are taken as
   these: the minus sign U+2212, the full-width forms U+FF01 to U+FF5E, every
   Unicode space separator as a blank; a byte order mark at the start is
   nothing.

   The keys stop before any other character, and before a number that cannot
   be typed whole (PressWholeNumber), runs straight into a character that is
   none of the above ("12a34"), would go on with the amount of a number
   before it ("5=3"), or does not read as one amount: a blank, "," or "'"
   inside a number separates thousands, between groups of three digits
   before the point, so that "1 234,56" or "1, 2" stops. Only the first
   number may go on with the amount being typed when the paste begins. A
   line break before a number that stops the keys is "=", as at the end of
   a text. *whole tells whether the keys are the whole text. Reads length
   characters or up to a zero; a text of more than PASTE_MAX_CHARS
   characters (a byte order mark not counted) types nothing. The keys are
   tried in a trial: the tape is left as it was. */
int ParsePastedText(const char16_t *text, int length, int keys[PASTE_MAX_CHARS], bool *whole);

#endif
