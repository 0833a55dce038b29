// The core's speed, natively: keys per second through the tape handlers and
// amount operations per second, each operation beside its floor, a 64-bit
// integer read from text and written back. Prints "figure,per second" lines.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

#include "amount/amount.h"
#include "amount/platform.h"
#include "bench/paste_text.h"
#include "tape/press_key.h"
#include "tape/tape.h"
#include "tape/undo.h"

namespace {

enum { ROUNDS = 5 }; /* the best of these is reported */

double Seconds(void)
{
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return (double)now.tv_sec + (double)now.tv_nsec * 1e-9;
}

volatile unsigned g_nChecksum; /* keeps the work from being optimised away */

void Take(const char *text)
{
    g_nChecksum = g_nChecksum * 31u + (unsigned char)text[0] + (unsigned char)text[14];
}

/* A working day's mix of keys, each pressed as the LCD presses it: 12.34 +
   567 * 89 % = - 1 / 3 = backspace sign clear up down pgup pgdn, and now and
   then the power key. */
const int KEY_MIX[] = { KEY_1, KEY_2, KEY_POINT, KEY_3, KEY_4, KEY_PLUS, KEY_5, KEY_6, KEY_7,
                        KEY_MULTIPLY, KEY_8, KEY_9, KEY_PERCENT, KEY_EQUALS, KEY_MINUS, KEY_1,
                        KEY_DIVIDE, KEY_3, KEY_EQUALS, KEY_BACKSPACE, KEY_SIGN, KEY_CLEAR,
                        KEY_LINE_UP, KEY_LINE_DOWN, KEY_PAGE_UP, KEY_PAGE_DOWN };
enum { KEY_MIX_LEN = sizeof(KEY_MIX) / sizeof(KEY_MIX[0]) };

double KeysPerSecond(void)
{
    const int mixes = 200000;
    ResetTape();
    double start = Seconds();
    for (int m = 0; m < mixes; m++) {
        for (int key : KEY_MIX) {
            PressTapeKey(key);
        }
        if (m % 50 == 49) {
            PressTapeKey(KEY_POWER);
        }
        Take(g_Tape.entries[g_Tape.tapeCur]);
    }
    double keys = (double)mixes * KEY_MIX_LEN + mixes / 50;
    return keys / (Seconds() - start);
}

/* The keys of the bench's paste, pressed as a paste presses them: one
   change, muted, on a fresh tape. Returns pastes per second, for Best. */
double PastesPerSecond(void)
{
    static char16_t text[PASTE_MAX_CHARS + 1];
    static int keys[PASTE_MAX_CHARS];
    MakeBenchPasteText(text);
    ResetTape();
    bool whole = false;
    int count = ParsePastedText(text, PASTE_MAX_CHARS, keys, &whole);
    if (!whole)
        return 0; /* the text itself is wrong: the row shows it */
    const int pastes = 20;
    double start = Seconds();
    for (int p = 0; p < pastes; p++) {
        ResetTape();
        BeginTapeChange();
        bool wasMuted = MuteHost(true);
        for (int i = 0; i < count; i++)
            PressTapeKey(keys[i]);
        MuteHost(wasMuted);
        EndTapeChange();
        Take(g_Tape.entries[g_Tape.tapeCur]);
    }
    return pastes / (Seconds() - start);
}

/* One amount operation over a few operand pairs. */
struct Operation {
    const char *name;
    void (*run)(const char *first, const char *second, RawAmount result);
};

void Add(const char *a, const char *b, RawAmount r) { AddSubtractAmount('+', a, b, r); }
void Subtract(const char *a, const char *b, RawAmount r) { AddSubtractAmount('-', a, b, r); }
void Percent(const char *a, const char *, RawAmount r) { PercentAmount(a, r); }

/* The floor: both operands read as 64-bit integers and a sum written back. */
void IntegerText(const char *a, const char *b, RawAmount r)
{
    snprintf(r, RAW_AMOUNT_SIZE, "%015lld", strtoll(a, nullptr, 10) + strtoll(b, nullptr, 10));
}

const Operation OPERATIONS[] = {
    { "add", Add },
    { "subtract", Subtract },
    { "multiply", MultiplyAmount },
    { "divide", DivideAmount },
    { "percent", Percent },
    { "integer text round trip", IntegerText },
};

const char *const OPERANDS[][2] = {
    { "000000001234.56", "000000000000078" },
    { "0000000000-12.5", "000000000003.25" },
    { "000000987654321", "000000000000.12" },
    { "000000000000007", "0000000000-0.03" },
};

double OperationsPerSecond(const Operation &op)
{
    const int rounds = 250000;
    RawAmount result;
    double start = Seconds();
    for (int i = 0; i < rounds; i++) {
        for (const auto &pair : OPERANDS) {
            op.run(pair[0], pair[1], result);
            Take(result);
        }
    }
    return (double)rounds * 4 / (Seconds() - start);
}

double Best(double (*measure)(void))
{
    double best = 0;
    for (int i = 0; i < ROUNDS; i++) {
        double rate = measure();
        best = rate > best ? rate : best;
    }
    return best;
}

} // namespace

int main()
{
    printf("keys through the tape handlers,%.0f\n", Best(KeysPerSecond));
    printf("paste keys pressed,%.1f\n", Best(PastesPerSecond));
    for (const Operation &op : OPERATIONS) {
        double best = 0;
        for (int i = 0; i < ROUNDS; i++) {
            double rate = OperationsPerSecond(op);
            best = rate > best ? rate : best;
        }
        printf("amount %s,%.0f\n", op.name, best);
    }
    return 0;
}
