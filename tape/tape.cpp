/*
 * The tape and the three-line view over it.
 */
#include "tape/tape.h"

#include <string.h>

const char BLANK_ENTRY[] = "_000000000000000";

TapeState g_Tape;

/* Leaves g_Tape.operatorPressed alone: an operator key before the power key
   still counts for the key after it. */
void ResetTape(void)
{
    g_Tape.markerRow = 0;
    g_Tape.viewTop = 0;
    g_Tape.tapeCur = 0;
    for (int i = 0; i < TAPE_ENTRIES; i++)
        strcpy(g_Tape.entries[i], BLANK_ENTRY);
    g_Tape.typedCount = 0;
    g_Tape.fractionCount = 0;
}

void AdvanceTape(void)
{
    if (g_Tape.tapeCur >= TAPE_ENTRIES - 1) {
        /* full: the oldest line falls off the top */
        memmove(g_Tape.entries[0], g_Tape.entries[1], sizeof(TapeEntry) * (TAPE_ENTRIES - 1));
        g_Tape.tapeCur = TAPE_ENTRIES - 1;
    } else {
        g_Tape.tapeCur++;
    }
    ShowTapeEnd();
    g_Tape.fractionCount = 0;
    g_Tape.typedCount = 0;
    strcpy(g_Tape.entries[g_Tape.tapeCur], BLANK_ENTRY);
}

char *CurrentAmount(void)
{
    return g_Tape.entries[g_Tape.tapeCur] + 1;
}

void ShowTapeEnd(void)
{
    g_Tape.viewTop = g_Tape.tapeCur - (LCD_LINES - 1);
    if (g_Tape.viewTop < 0)
        g_Tape.viewTop = 0;
    g_Tape.markerRow = g_Tape.tapeCur - g_Tape.viewTop;
}

void ClampTapeView(void)
{
    if (g_Tape.viewTop > g_Tape.tapeCur - (LCD_LINES - 1))
        g_Tape.viewTop = g_Tape.tapeCur - (LCD_LINES - 1);
    if (g_Tape.viewTop < 0)
        g_Tape.viewTop = 0;
}

void FormatShownEntry(const char *entry, TapeEntry shown)
{
    const char *point = strchr(entry, '.');
    int pointAt = point ? (int)(point - entry) : TAPE_ENTRY_LEN;
    int alwaysShown = point ? pointAt - 1 : TAPE_ENTRY_LEN - 1;
    int significant = 0;
    shown[0] = entry[0] == MARK_PLAIN ? ' ' : entry[0];
    for (int j = 1; j < TAPE_ENTRY_LEN; j++) {
        char c = entry[j];
        if (c >= '1' && c <= '9')
            significant = 1;
        else if (c == '0' && (significant || j == alwaysShown || j > pointAt))
            significant = 1;
        else if (c == '0')
            c = ' ';
        shown[j] = c;
    }
    shown[TAPE_ENTRY_LEN] = '\0';
}

void SyncEntryCounters(void)
{
    const char *entry = g_Tape.entries[g_Tape.tapeCur];
    if (GetOperatorMark(entry) == 0) {
        g_Tape.typedCount = 0; /* a result line: the next entry key opens a new line */
        g_Tape.fractionCount = 0;
        return;
    }
    const char *amount = entry + 1;
    int zeros = 0;
    while (zeros < AMOUNT_LEN && amount[zeros] == '0')
        zeros++;
    g_Tape.typedCount = AMOUNT_LEN - zeros;
    const char *point = strchr(amount, '.');
    g_Tape.fractionCount = point ? 1 + (int)strlen(point + 1) : 0;
}
