/*
 * Corrections and deletions, as tape texts replayed.
 */
#include "tape/correction.h"

#include <string.h>

#include "amount/marks.h"
#include "tape/replay.h"
#include "tape/tape_text.h"

namespace {

const char LINE_END[] = "\n";

bool IsResultLine(int index)
{
    return IsResultMark(g_Tape.entries[index][0]);
}

/* The amount without the blanks around it, when it is written as a number
   (an optional "-", digits and at most one point, a digit among them) of at
   most AMOUNT_LEN characters; whether the keys can type it is the replay's
   to say. */
bool TrimAmount(const char *amount, AmountText out)
{
    while (*amount == ' ')
        amount++;
    size_t length = strlen(amount);
    while (length > 0 && amount[length - 1] == ' ')
        length--;
    if (length == 0 || length > AMOUNT_LEN)
        return false;
    bool digit = false;
    int points = 0;
    for (size_t i = 0; i < length; i++) {
        char c = amount[i];
        if (IsDigit(c))
            digit = true;
        else if (c == '.')
            points++;
        else if (c != '-' || i != 0)
            return false;
    }
    if (!digit || points > 1)
        return false;
    memcpy(out, amount, length);
    out[length] = '\0';
    return true;
}

bool Replay(const char *text, int length)
{
    return ReplayTapeText(text, length, nullptr, nullptr).refusal == REPLAY_TAKEN;
}

} // namespace

bool IsTypedLine(int index)
{
    return index >= 0 && index <= g_Tape.tapeCur && !IsResultLine(index);
}

bool CorrectTapeLine(int index, const char *amount)
{
    AmountText trimmed;
    if (!IsTypedLine(index) || !TrimAmount(amount, trimmed))
        return false;
    /* The corrected line is no longer than a shown one: the text fits. */
    char text[TAPE_TEXT_SIZE];
    int n = FormatTapeLines(0, index - 1, LINE_END, text);
    char mark = g_Tape.entries[index][0];
    text[n++] = mark == MARK_PLAIN ? ' ' : mark;
    size_t length = strlen(trimmed);
    memcpy(text + n, trimmed, length);
    n += (int)length;
    memcpy(text + n, LINE_END, sizeof(LINE_END));
    n += (int)sizeof(LINE_END) - 1;
    n += FormatTapeLines(index + 1, g_Tape.tapeCur, LINE_END, text + n);
    return Replay(text, n);
}

bool DeleteTapeLine(int index)
{
    if (index == 0 || !IsTypedLine(index))
        return false;
    int after = index + 1 <= g_Tape.tapeCur && IsResultLine(index + 1) ? index + 2 : index + 1;
    char text[TAPE_TEXT_SIZE];
    int n = FormatTapeLines(0, index - 1, LINE_END, text);
    n += FormatTapeLines(after, g_Tape.tapeCur, LINE_END, text + n);
    return Replay(text, n);
}
