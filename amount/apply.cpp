/*
 * The one door from the tape to the arithmetic: carries out a pending
 * operator or a percentage and writes a complete tape line, replacing a
 * result that does not fit on the LCD by zero after telling the user.
 */
#include "amount/amount.h"
#include "amount/platform.h"

#include <string.h>

/* A raw result wider than an amount becomes zero, after the notice. */
static void CheckWidth(RawAmount raw)
{
    if (strlen(raw) > AMOUNT_LEN) {
        TellOverflow();
        strcpy(raw, ZERO_AMOUNT);
    }
}

static void WriteLine(char mark, const RawAmount amount, TapeEntry out)
{
    out[0] = mark;
    memcpy(out + 1, amount, AMOUNT_LEN);
    out[TAPE_ENTRY_LEN] = '\0';
}

int ApplyOperator(const char *prevEntry, const char *curEntry, TapeEntry out)
{
    const char *first = prevEntry + 1;
    const char *second = curEntry + 1;
    RawAmount raw;
    switch (GetOperatorMark(curEntry)) {
    case MARK_ADD: AddSubtractAmount('+', first, second, raw); break;
    case MARK_SUBTRACT: AddSubtractAmount('-', first, second, raw); break;
    case MARK_MULTIPLY: MultiplyAmount(first, second, raw); break;
    case MARK_DIVIDE: DivideAmount(first, second, raw); break;
    default: return 0; /* a result line, or a plain line: nothing pending */
    }
    CheckWidth(raw);
    WriteLine(MARK_RESULT, raw, out);
    return 1;
}

void ApplyPercent(const char *curEntry, TapeEntry out)
{
    RawAmount raw;
    PercentAmount(curEntry + 1, raw);
    CheckWidth(raw);
    WriteLine(MARK_PERCENT, raw, out);
}
