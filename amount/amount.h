/*
 * Amounts as text: 15 characters, right-aligned, filled on the left with "0",
 * an optional "-" directly before the number, at most one "." with at most two
 * digits after it. Operations turn texts into 64-bit integers only inside one
 * call and write text again before they return; nothing is ever rounded.
 */
#ifndef ORVANTA_AMOUNT_H
#define ORVANTA_AMOUNT_H

#include "amount/marks.h"

enum {
    AMOUNT_LEN = 15,
    /* Room for any raw result: the widest is a 64-bit product written with
       a sign and a point (21 characters), or the too-large marker. */
    RAW_AMOUNT_SIZE = 32,
    /* A tape line: operator mark, amount, terminating zero. */
    TAPE_ENTRY_LEN = AMOUNT_LEN + 1,
    TAPE_ENTRY_SIZE = TAPE_ENTRY_LEN + 1,
    /* An amount written plainly: a sign, a "0" put before a bare point, the
       15 characters less their leading zeros, a terminating zero. */
    PLAIN_AMOUNT_SIZE = AMOUNT_LEN + 3
};

typedef char AmountText[AMOUNT_LEN + 1];
typedef char RawAmount[RAW_AMOUNT_SIZE];
typedef char TapeEntry[TAPE_ENTRY_SIZE];
typedef char PlainAmount[PLAIN_AMOUNT_SIZE];

extern const char ZERO_AMOUNT[];   /* "000000000000000" */

void SplitAmount(const char *amount, long long *intPart, int *fraction);
char GetOperatorMark(const char *entry);
void ShiftInAmount(char *amount, const char *typed);
void BackspaceAmount(char *amount);

/* The amount as a number that other programs read: no leading zeros, "-"
   for a negative amount, "0" before a point with no digit before it, the
   fraction digits as they stand, no point without digits after it; "0" for
   any zero. */
void FormatPlainAmount(const char *amount, PlainAmount out);

/* Raw results: at least 15 characters; longer means too large. Operands may
   be any zero-terminated text: one longer than an amount gives too large. */
void AddSubtractAmount(char op, const char *first, const char *second, RawAmount result);
void MultiplyAmount(const char *first, const char *second, RawAmount result);
void DivideAmount(const char *dividend, const char *divisor, RawAmount result);
void PercentAmount(const char *amount, RawAmount result);

/* Complete tape lines, with the overflow notice for results that do not fit.
   ApplyOperator writes only when the current line holds a pending operator,
   and returns whether it did; ApplyPercent always writes. */
int ApplyOperator(const char *prevEntry, const char *curEntry, TapeEntry out);
void ApplyPercent(const char *curEntry, TapeEntry out);

#endif
