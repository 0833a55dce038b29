/*
 * The tape: up to 100 lines, the last of which is the line being edited,
 * a three-line view over it and the counters of the amount being typed.
 * Owned by the LCD screen; plain data, free of any windowing code.
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

extern TapeEntry g_Tape[TAPE_ENTRIES];
extern int g_nTapeCur;          /* index of the current line, 0 to 99 */
extern int g_nViewTop;          /* entry shown on the first LCD line */
extern int g_nMarkerRow;        /* LCD line 0 to 2 that carries the marker */
extern int g_nTypedCount;       /* characters typed into the current amount */
extern int g_nFractionCount;    /* 0, or 1 + digits typed after the point */
extern int g_bOperatorPressed;  /* the last calculator key was an operator */
extern int g_nGlyphWidth;       /* LCD metrics, set by ResetTape */
extern int g_nGlyphHeight;
extern int g_nLineGap;

void ResetTape(void);
void AdvanceTape(void);
void ShowTapeEnd(void);
void ClampTapeView(void);

/* A tape line as the LCD shows it: a blank for the plain mark "_" and for
   each leading zero that is suppressed. The zero in front of the point, or
   the last digit of a whole number, is always shown; "-" and "." do not end
   the leading zeros. */
void FormatShownEntry(const char *entry, TapeEntry shown);

/* Sets the entry counters from the current line, so that they always
   describe what is shown: 0 on a result line, otherwise the characters after
   the leading zeros, and 1 plus the digits after the point once there is one. */
void SyncEntryCounters(void);

/* The three LCD commands, each given the ButtonId of its key. */
void HandleEntryKey(int buttonId);     /* 1 to 17 */
void HandleOperatorKey(int buttonId);  /* 18 to 23 */
void HandleScrollKey(int buttonId);    /* 24 to 28 */

#endif
