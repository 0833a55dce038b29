/*
 * The operator keys. The pending operator is the mark of the current line
 * and the first operand is the line before it; an operator key applies what
 * is pending and writes the result as a new line, then does its own step.
 */
#include "amount/platform.h"
#include "tape/tape.h"

#include <string.h>

/* An operator key right after an operator key, on a zero line that still
   takes an operator, corrects the operator instead of computing. */
static int IsReplacement(void)
{
    const char *entry = g_Tape.entries[g_Tape.tapeCur];
    return memcmp(entry + 1, ZERO_AMOUNT, AMOUNT_LEN + 1) == 0 && g_Tape.operatorPressed &&
           GetOperatorMark(entry) != 0;
}

/* Writes line as a new current line. */
static void AppendLine(const TapeEntry line)
{
    AdvanceTape();
    memcpy(g_Tape.entries[g_Tape.tapeCur], line, TAPE_ENTRY_SIZE);
}

/* Applies the operator pending on the current line, if there is one. On the
   first line there is no line before: it counts as a line of zero. */
static void ApplyPendingOperator(void)
{
    char mark = GetOperatorMark(g_Tape.entries[g_Tape.tapeCur]);
    if (mark == 0 || mark == MARK_PLAIN)
        return;
    const char *previous = g_Tape.tapeCur > 0 ? g_Tape.entries[g_Tape.tapeCur - 1] : BLANK_ENTRY;
    TapeEntry result;
    ApplyOperator(previous, g_Tape.entries[g_Tape.tapeCur], result); /* writes: an operator is pending */
    AppendLine(result);
}

static void ApplyKeyOperator(char key)
{
    if (key == MARK_RESULT)
        return;
    TapeEntry line;
    if (key == MARK_PERCENT) {
        ApplyPercent(g_Tape.entries[g_Tape.tapeCur], line);
    } else {
        memcpy(line, BLANK_ENTRY, TAPE_ENTRY_SIZE);
        line[0] = key; /* a new operand line waiting for its amount */
    }
    AppendLine(line);
}

void HandleOperatorKey(int buttonId)
{
    ShowTapeEnd();
    char key = KeyTextOf(buttonId)[0]; /* an operator key's text is its mark */
    if (IsOperandMark(key) || IsResultMark(key)) {
        if (IsReplacement()) {
            g_Tape.entries[g_Tape.tapeCur][0] = key;
        } else {
            g_Tape.operatorPressed = 1;
            ApplyPendingOperator();
            ApplyKeyOperator(key);
        }
        SyncEntryCounters();
    }
    RepaintAfterChange();
}
