/*
 * The tape: up to 100 lines, the last of which is the line being edited,
 * a three-line view over it and the counters of the amount being typed.
 * Free of any windowing code: the LCD screen shows it, and the key handlers
 * below change it.
 */
#ifndef ORVANTA_TAPE_H
#define ORVANTA_TAPE_H

#include "amount/amount.h"
#include "tape/keys.h"

enum { TAPE_ENTRIES = 100, LCD_LINES = 3 };

/* What the entry keys let one amount hold: 15 typed characters, the sign
   and the point included, and two decimals. */
enum { MAX_TYPED = AMOUNT_LEN, MAX_DECIMALS = 2 };

extern const char BLANK_ENTRY[]; /* "_000000000000000" */

/* Everything the calculator holds: the lines, the view over them and the
   counters of the amount being typed. Plain data, so that a copy of it is a
   snapshot and assigning the copy back restores the calculator exactly. */
struct TapeState {
    TapeEntry entries[TAPE_ENTRIES];
    int tapeCur;          /* index of the current line, 0 to 99 */
    int viewTop;          /* entry shown on the first LCD line */
    int markerRow;        /* LCD line 0 to 2 that carries the marker */
    int typedCount;       /* characters typed into the current amount */
    int fractionCount;    /* 0, or 1 + digits typed after the point */
    int operatorPressed;  /* the last calculator key was an operator */
};

extern TapeState g_Tape;

void ResetTape(void);
void AdvanceTape(void);
void ShowTapeEnd(void);
void ClampTapeView(void);

/* The amount of the current line. */
char *CurrentAmount(void);

/* A tape line as the LCD shows it: a blank for the plain mark "_" and for
   each leading zero that is suppressed. The zero in front of the point, or
   the last digit of a whole number, is always shown, and so is every digit
   after the point (a product's "-.08" has no zero in front of it); "-" and
   "." do not end the leading zeros. */
void FormatShownEntry(const char *entry, TapeEntry shown);

/* Sets the entry counters from the current line, so that they always
   describe what is shown: 0 on a result line, otherwise the characters after
   the leading zeros, and 1 plus the digits after the point once there is one. */
void SyncEntryCounters(void);

/* The handlers of the three key groups (PressTapeKey), each given the
   ButtonId of its key. */
void HandleEntryKey(int buttonId);     /* FIRST_ENTRY_KEY to LAST_ENTRY_KEY */
void HandleOperatorKey(int buttonId);  /* FIRST_OPERATOR_KEY to LAST_OPERATOR_KEY */
void HandleScrollKey(int buttonId);    /* FIRST_SCROLL_KEY to LAST_CALCULATOR_KEY */

#endif
