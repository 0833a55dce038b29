/*
 * The tape and the three-line view over it.
 */
#include "tape/tape.h"
#include "tape/lcd_layout.h"

#include <string.h>

const char BLANK_ENTRY[] = "_000000000000000";

TapeEntry g_Tape[TAPE_ENTRIES];
int g_nTapeCur;
int g_nViewTop;
int g_nMarkerRow;
int g_nTypedCount;
int g_nFractionCount;
int g_bOperatorPressed;
int g_nGlyphWidth;
int g_nGlyphHeight;
int g_nLineGap;

/* Leaves g_bOperatorPressed alone: an operator key before the power key
   still counts for the key after it. */
void ResetTape(void)
{
    g_nMarkerRow = 0;
    g_nViewTop = 0;
    g_nTapeCur = 0;
    for (int i = 0; i < TAPE_ENTRIES; i++)
        strcpy(g_Tape[i], BLANK_ENTRY);
    g_nLineGap = LCD_LINE_GAP;
    g_nGlyphWidth = LCD_GLYPH_WIDTH;
    g_nGlyphHeight = LCD_GLYPH_HEIGHT;
    g_nTypedCount = 0;
    g_nFractionCount = 0;
}

void AdvanceTape(void)
{
    if (g_nTapeCur >= TAPE_ENTRIES - 1) {
        /* full: the oldest line falls off the top */
        memmove(g_Tape[0], g_Tape[1], sizeof(TapeEntry) * (TAPE_ENTRIES - 1));
        g_nTapeCur = TAPE_ENTRIES - 1;
    } else {
        g_nTapeCur++;
    }
    ShowTapeEnd();
    g_nFractionCount = 0;
    g_nTypedCount = 0;
    strcpy(g_Tape[g_nTapeCur], BLANK_ENTRY);
}

void ShowTapeEnd(void)
{
    g_nViewTop = g_nTapeCur - (LCD_LINES - 1);
    if (g_nViewTop < 0)
        g_nViewTop = 0;
    g_nMarkerRow = g_nTapeCur - g_nViewTop;
}

void ClampTapeView(void)
{
    if (g_nViewTop > g_nTapeCur - (LCD_LINES - 1))
        g_nViewTop = g_nTapeCur - (LCD_LINES - 1);
    if (g_nViewTop < 0)
        g_nViewTop = 0;
}

void FormatShownEntry(const char *entry, TapeEntry shown)
{
    const char *point = strchr(entry, '.');
    int alwaysShown = point ? (int)(point - entry) - 1 : TAPE_ENTRY_LEN - 1;
    int significant = 0;
    shown[0] = entry[0] == '_' ? ' ' : entry[0];
    for (int j = 1; j < TAPE_ENTRY_LEN; j++) {
        char c = entry[j];
        if (c >= '1' && c <= '9')
            significant = 1;
        else if (c == '0' && (significant || j == alwaysShown))
            significant = 1;
        else if (c == '0')
            c = ' ';
        shown[j] = c;
    }
    shown[TAPE_ENTRY_LEN] = '\0';
}

void SyncEntryCounters(void)
{
    const char *entry = g_Tape[g_nTapeCur];
    if (GetOperatorMark(entry) == 0) {
        g_nTypedCount = 0; /* a result line: the next entry key opens a new line */
        g_nFractionCount = 0;
        return;
    }
    const char *amount = entry + 1;
    int zeros = 0;
    while (zeros < AMOUNT_LEN && amount[zeros] == '0')
        zeros++;
    g_nTypedCount = AMOUNT_LEN - zeros;
    const char *point = strchr(amount, '.');
    g_nFractionCount = point ? 1 + (int)strlen(point + 1) : 0;
}
