/*
 * The entry keys: digits, the zero groups, the point, sign, clear and
 * backspace, which build the amount of the current line.
 */
#include "amount/platform.h"
#include "tape/tape.h"

#include <string.h>

enum {
    MAX_FRACTION_COUNT = 1 + MAX_DECIMALS, /* the point and its digits */
    MAX_TYPED_TEXT = 4          /* the longest text an entry key types, "0000" */
};

static void ClearAmount(void)
{
    g_Tape.typedCount = 0;
    g_Tape.fractionCount = 0;
    memcpy(CurrentAmount(), ZERO_AMOUNT, AMOUNT_LEN);
}

/* Drops the last character, and a point or sign left at the end with it. */
static void BackspaceEntry(void)
{
    if (g_Tape.typedCount == 0)
        return;
    char *amount = CurrentAmount();
    for (int i = 0; i < AMOUNT_LEN; i++) {
        g_Tape.typedCount--;
        if (g_Tape.fractionCount != 0)
            g_Tape.fractionCount--;
        BackspaceAmount(amount);
        char last = amount[AMOUNT_LEN - 1];
        if (last != '.' && last != '-')
            break;
    }
}

static void ToggleSign(void)
{
    char *amount = CurrentAmount();
    char *minus = strchr(amount, '-');
    if (minus) {
        *minus = '0';
        g_Tape.typedCount--;
        return;
    }
    if (g_Tape.typedCount + 1 > MAX_TYPED)
        return; /* the sign counts as a typed character */
    int pos = 0;
    while (pos < AMOUNT_LEN && amount[pos] == '0')
        pos++;
    if (pos == AMOUNT_LEN)
        return; /* zero has no sign */
    if (amount[pos] == '.')
        pos--; /* one "0" stays in front of the point */
    if (pos < 1)
        return; /* no leading zero left to hold the sign */
    amount[pos - 1] = '-';
    g_Tape.typedCount++;
}

/* A digit, a zero group or the point: shifted in at the right. */
static void TypeText(const char *text)
{
    unsigned n = (unsigned)strlen(text);
    if (n == 0 || n > MAX_TYPED_TEXT)
        return; /* not a text that an entry key types */
    if ((unsigned)g_Tape.typedCount + n > MAX_TYPED)
        return;
    int isPoint = strcmp(text, ".") == 0;
    if (g_Tape.fractionCount != 0) {
        if (isPoint || g_Tape.fractionCount + (int)n > MAX_FRACTION_COUNT)
            return; /* a second point, or more than two decimals */
        g_Tape.fractionCount += (int)n;
    }
    g_Tape.typedCount += (int)n;
    char *amount = CurrentAmount();
    ShiftInAmount(amount, text);
    if (memcmp(amount, ZERO_AMOUNT, AMOUNT_LEN) == 0)
        g_Tape.typedCount = 0; /* zeros typed into zero do not count */
    if (isPoint)
        g_Tape.fractionCount = 1;
}

void HandleEntryKey(int buttonId)
{
    ShowTapeEnd();
    g_Tape.operatorPressed = 0;
    if (GetOperatorMark(g_Tape.entries[g_Tape.tapeCur]) == 0)
        AdvanceTape(); /* the result stays on the line above */

    if (buttonId == KEY_CLEAR) {
        ClearAmount();
    } else if (buttonId == KEY_BACKSPACE) {
        BackspaceEntry();
    } else if (buttonId == KEY_SIGN) {
        ToggleSign();
    } else if (IsNumberKey(buttonId)) {
        TypeText(KeyTextOf(buttonId));
    }
    SyncEntryCounters();
    RepaintAfterChange();
}
