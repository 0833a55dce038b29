/*
 * A tape text replayed. Two passes: the first only reads the text, so that
 * one which is no tape touches nothing and reports nothing; the second,
 * which then cannot fail, presses each line's keys into the tape with the
 * host muted, as one change whose undo step holds the tape from before.
 *
 * How each line is made, by its mark and the line before it (no other
 * order is one that keys make):
 *   plain "_"    the first line, or after a result: the amount typed, after
 *                a result with clear first (which opens the line)
 *   "+ - * /"    the operator key, then the amount typed; as the first line
 *                "=" before it, so that the key corrects the blank mark of
 *                line 0 instead of adding a line under it
 *   "="          after an operand line: "=" computes it (with a "0" typed
 *                first where nothing was, or "=" would correct the
 *                operator); after any other line only a zero, an
 *                operator corrected to "=": "+" then "="
 *   "%"          after a plain or result line: "%" computes it; a zero
 *                that "%" does not compute is a corrected operator, "+"
 *                then "%"
 * A result whose operands are not in the text (the first line, or the
 * result of a first operand line, whose first operand is above the text:
 * the lines that a full tape lost) stands as it is. An amount is typed
 * digit by digit, then the sign key; an amount that starts "-0" before a
 * digit (what backspace leaves of "-0.5") is typed ". sign backspace" first.
 */
#include "tape/replay.h"

#include <string.h>

#include "amount/platform.h"
#include "tape/press_key.h"
#include "tape/tape_text.h"
#include "tape/text_decode.h"
#include "tape/undo.h"

namespace {

/* The text being replayed, decoded: both passes read it. */
char g_szDecoded[REPLAY_MAX_CHARS];

struct TapeLine {
    int number;        /* in the text, from 1 */
    char mark;         /* "_" or an operator mark */
    AmountText amount; /* as the tape holds it */
};

/* The keys that type an amount into a zero one. */
struct AmountKeys {
    bool negativeZero; /* ". sign backspace" first */
    int keys[AMOUNT_LEN + 1];
    int count;
};

/* Walks the text line by line. */
struct LineReader {
    const char *text;
    int length;
    int at;
    int number;
};

LineReader StartReading(const char *text, int length)
{
    return LineReader{ text, length, 0, 0 };
}

/* The next line that is not blank, without its line end and trailing
   blanks: its first character at *line, its length in *count. */
bool NextLine(LineReader *reader, const char **line, int *count)
{
    while (reader->at < reader->length) {
        const char *start = reader->text + reader->at;
        const char *newline = (const char *)memchr(start, '\n', (size_t)(reader->length - reader->at));
        int n = newline ? (int)(newline - start) : reader->length - reader->at;
        reader->at += newline ? n + 1 : n;
        reader->number++;
        while (n > 0 && start[n - 1] == ' ')
            n--;
        if (n > 0) {
            *line = start;
            *count = n;
            return true;
        }
    }
    return false;
}

void KeysOfAmount(const char *amount, AmountKeys *out)
{
    const char *minus = strchr(amount, '-');
    const char *digits = minus ? minus + 1 : amount;
    out->negativeZero = minus && digits[0] == '0' && digits[1] != '.';
    if (out->negativeZero) {
        digits++; /* the "0" that ". sign backspace" leaves after the sign */
    } else {
        while (*digits == '0')
            digits++; /* zeros typed into zero are nothing */
    }
    out->count = 0;
    for (; *digits; digits++)
        out->keys[out->count++] = KeyOfChar((unsigned char)*digits);
    if (minus && !out->negativeZero)
        out->keys[out->count++] = KEY_SIGN;
}

/* One line of the text as the tape holds it. The first character is the
   mark, a blank (or "_") for a plain line; a line that starts with its
   amount is a plain one. The amount reads as the LCD shows it, and as the
   driver prints it raw: blanks and zeros before it, or between its "-" and
   its digits, are the leading zeros the LCD leaves out. */
ReplayRefusal ReadTapeLine(const char *text, int n, TapeLine *line)
{
    char first = text[0];
    int i = 1;
    if (first == ' ' || first == MARK_PLAIN) {
        line->mark = MARK_PLAIN;
    } else if (IsOperandMark(first) || IsResultMark(first)) {
        line->mark = first;
    } else if (IsDigit(first) || first == '.') {
        line->mark = MARK_PLAIN;
        i = 0;
    } else {
        return REPLAY_BAD_CHARACTER;
    }
    while (i < n && text[i] == ' ')
        i++;
    int start = i;
    bool minus = false;
    bool numberAfterMinus = false;
    for (; i < n && (text[i] == '0' || text[i] == ' ' || (text[i] == '-' && !minus)); i++) {
        numberAfterMinus = numberAfterMinus || (minus && text[i] == '0');
        minus = minus || text[i] == '-';
    }
    for (; i < n && (IsDigit(text[i]) || text[i] == '.'); i++)
        numberAfterMinus = true;
    if (i < n || (minus && !numberAfterMinus))
        return REPLAY_BAD_CHARACTER;
    int length = n - start;
    if (length > AMOUNT_LEN)
        return REPLAY_AMOUNT_TOO_LONG;
    memset(line->amount, '0', AMOUNT_LEN);
    for (int j = 0; j < length; j++) {
        char c = text[start + j];
        line->amount[AMOUNT_LEN - length + j] = c == ' ' ? '0' : c;
    }
    line->amount[AMOUNT_LEN] = '\0';
    return REPLAY_TAKEN;
}

/* An amount in hundredths, for comparing values written differently
   ("2.5" and "2.50", "-.25" and "-0.25"). */
long long Hundredths(const char *amount)
{
    long long whole;
    int fraction;
    SplitAmount(amount, &whole, &fraction);
    long long magnitude = (whole < 0 ? -whole : whole) * 100 + fraction;
    return strchr(amount, '-') ? -magnitude : magnitude;
}

/* Why keys cannot make line right after the line marked before (0 for
   none: the first line takes any mark, a result too, whose operands a full
   tape lost), or REPLAY_TAKEN when they can. */
ReplayRefusal CheckOrder(char before, const TapeLine &line)
{
    if (before == 0)
        return REPLAY_TAKEN;
    if (IsOperandMark(before))
        return line.mark == MARK_RESULT ? REPLAY_TAKEN : REPLAY_CALCULATION_OPEN; /* the keys compute it first */
    if (line.mark == MARK_PLAIN)
        return IsResultMark(before) ? REPLAY_TAKEN : REPLAY_AMOUNTS_IN_A_ROW;
    /* "=" here corrects an operator: the keys make only a zero. Another
       amount is a total whose operand lines were deleted, and replayed as
       zero it would zero every total below it. */
    if (line.mark == MARK_RESULT && Hundredths(line.amount) != 0)
        return REPLAY_TOTAL_WITHOUT_OPERANDS;
    return REPLAY_TAKEN;
}

/* Types amount into a zero one; returns whether the keys took all of it. */
bool TypeAmount(const char *amount)
{
    AmountKeys keys;
    KeysOfAmount(amount, &keys);
    if (keys.negativeZero) {
        PressTapeKey(KEY_POINT);
        PressTapeKey(KEY_SIGN);
        PressTapeKey(KEY_BACKSPACE);
    }
    return PressWholeNumber(keys.keys, keys.count);
}

/* Whether the entry keys type amount whole into a fresh one, pressed in a
   trial: results are not typed, but they are amounts all the same. */
bool TypesWhole(const char *amount)
{
    PressTapeKey(KEY_CLEAR);
    return TypeAmount(amount);
}

/* The first pass: the first line that is no tape line, or none. */
ReplayOutcome CheckTapeText(const char *text, int length)
{
    ReplayOutcome outcome = { REPLAY_NO_LINES, 0, 0, 0 };
    LineReader reader = StartReading(text, length);
    const char *start;
    int n;
    char before = 0;
    int beforeNumber = 0;
    TapeTrial trial;
    BeginTapeTrial(&trial);
    while (NextLine(&reader, &start, &n)) {
        TapeLine line;
        outcome.refusal = ReadTapeLine(start, n, &line);
        if (outcome.refusal == REPLAY_TAKEN && !TypesWhole(line.amount))
            outcome.refusal = REPLAY_AMOUNT_NOT_TYPED;
        if (outcome.refusal == REPLAY_TAKEN) {
            outcome.refusal = CheckOrder(before, line);
            if (outcome.refusal == REPLAY_CALCULATION_OPEN || outcome.refusal == REPLAY_AMOUNTS_IN_A_ROW)
                outcome.previousLine = beforeNumber; /* two lines that do not go together */
        }
        if (outcome.refusal != REPLAY_TAKEN) {
            outcome.line = reader.number;
            break;
        }
        before = line.mark;
        beforeNumber = reader.number;
    }
    EndTapeTrial(&trial);
    return outcome;
}

/* Writes the line as it stands, as the current line after the others, the
   operator flag set as a result leaves it. */
void PlaceLine(const TapeLine &line, bool first)
{
    if (!first)
        AdvanceTape();
    char *entry = g_Tape.entries[g_Tape.tapeCur];
    entry[0] = line.mark;
    memcpy(entry + 1, line.amount, AMOUNT_LEN + 1);
    g_Tape.operatorPressed = 1;
    SyncEntryCounters();
}


/* A percent line: the "%" key's, or where the text has a zero that it does
   not compute, an operator corrected to "%". */
void MakePercentLine(const TapeLine &line)
{
    TapeState before = g_Tape;
    PressTapeKey(KEY_PERCENT);
    if (strcmp(CurrentAmount(), line.amount) != 0 && strcmp(line.amount, ZERO_AMOUNT) == 0) {
        g_Tape = before;
        PressTapeKey(KEY_PLUS);
        PressTapeKey(KEY_PERCENT);
    }
}

/* Makes line the new current line; made is how many came before it. */
void ReplayLine(const TapeLine &line, int made, char before, ReplayReport report, void *context,
                ReplayOutcome *outcome)
{
    bool first = made == 0;
    if (line.mark == MARK_PLAIN) {
        if (!first)
            PressTapeKey(KEY_CLEAR);
        TypeAmount(line.amount);
        return;
    }
    if (IsOperandMark(line.mark)) {
        if (first)
            PressTapeKey(KEY_EQUALS);
        PressTapeKey(KeyOfChar((unsigned char)line.mark));
        TypeAmount(line.amount);
        return;
    }
    if (first || (made == 1 && IsOperandMark(before))) {
        PlaceLine(line, first);
        return;
    }
    if (line.mark == MARK_PERCENT) {
        MakePercentLine(line);
    } else if (IsOperandMark(before)) {
        if (g_Tape.operatorPressed)
            PressTapeKey(KEY_0); /* "=" would correct the operator, not compute */
        PressTapeKey(KEY_EQUALS);
    } else {
        PressTapeKey(KEY_PLUS);
        PressTapeKey(KEY_EQUALS);
    }
    if (Hundredths(CurrentAmount()) != Hundredths(line.amount)) {
        outcome->differences++;
        if (report) {
            ReplayDifference difference;
            difference.line = line.number;
            FormatPlainAmount(line.amount, difference.file);
            FormatPlainAmount(CurrentAmount(), difference.computed);
            report(&difference, context);
        }
    }
}

} // namespace

ReplayOutcome ReplayTapeText(const char *text, int length, ReplayReport report, void *context)
{
    if (length < 0 || length > REPLAY_MAX_CHARS)
        return ReplayOutcome{ REPLAY_TEXT_TOO_LONG, 0, 0, 0 };
    length = DecodeTapeText(text, length, g_szDecoded);
    text = g_szDecoded;
    ReplayOutcome outcome = CheckTapeText(text, length);
    if (outcome.refusal != REPLAY_TAKEN)
        return outcome;

    BeginTapeChange();
    bool wasMuted = MuteHost(true);
    g_Tape.operatorPressed = 0;
    ResetTape();
    LineReader reader = StartReading(text, length);
    const char *start;
    int n;
    int made = 0;
    char before = 0;
    while (NextLine(&reader, &start, &n)) {
        TapeLine line;
        ReadTapeLine(start, n, &line); /* read once already: a tape line */
        line.number = reader.number;
        ReplayLine(line, made++, before, report, context, &outcome);
        before = line.mark;
    }
    MuteHost(wasMuted);
    EndTapeChange();
    RepaintAfterChange();
    return outcome;
}
