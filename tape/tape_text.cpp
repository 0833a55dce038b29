/*
 * The tape as text, and text as keys.
 */
#include "tape/tape_text.h"

#include <string.h>

#include "amount/platform.h"
#include "tape/press_key.h"
#include "tape/undo.h"

void FormatCurrentAmount(PlainAmount text)
{
    text[0] = '\0';
    if (g_Tape.tapeCur >= 0 && g_Tape.tapeCur < TAPE_ENTRIES)
        FormatPlainAmount(g_Tape.entries[g_Tape.tapeCur] + 1, text);
}

int FormatTapeText(const char *lineEnd, char text[TAPE_TEXT_SIZE])
{
    return FormatTapeLines(0, g_Tape.tapeCur, lineEnd, text);
}

int FormatTapeLines(int first, int last, const char *lineEnd, char *text)
{
    size_t endLen = strnlen(lineEnd, 2);
    int n = 0;
    if (first < 0)
        first = 0;
    if (last > g_Tape.tapeCur)
        last = g_Tape.tapeCur;
    for (int i = first; i <= last; i++) {
        FormatShownEntry(g_Tape.entries[i], text + n);
        n += TAPE_ENTRY_LEN;
        memcpy(text + n, lineEnd, endLen);
        n += (int)endLen;
    }
    text[n] = '\0';
    return n;
}

void BeginTapeTrial(TapeTrial *trial)
{
    BeginTapeChange();
    trial->kept = g_Tape;
    trial->wasMuted = MuteHost(true);
}

void EndTapeTrial(const TapeTrial *trial)
{
    g_Tape = trial->kept; /* the lines as they were: the change records nothing */
    MuteHost(trial->wasMuted);
    EndTapeChange();
}

bool PressWholeNumber(const int *keys, int count)
{
    for (int i = 0; i < count; i++) {
        const char *line = g_Tape.entries[g_Tape.tapeCur];
        AmountText before; /* after a result, the key opens a new line */
        memcpy(before, GetOperatorMark(line) == 0 ? ZERO_AMOUNT : line + 1, sizeof before);
        PressTapeKey(keys[i]);
        if (keys[i] == KEY_SIGN && strchr(before, '-'))
            return false; /* it took the minus away */
        bool zero = strcmp(before, ZERO_AMOUNT) == 0;
        bool losesNothing = zero && (keys[i] == KEY_0 || keys[i] == KEY_SIGN);
        if (strcmp(before, CurrentAmount()) == 0 && !losesNothing)
            return false;
    }
    return true;
}

namespace {

enum : char16_t {
    BYTE_ORDER_MARK = 0xFEFF,
    MINUS_SIGN = 0x2212,
    /* The full-width forms of "!" to "~", which East Asian input methods
       type: each stands for its ASCII character. */
    FULL_WIDTH_FIRST = 0xFF01,
    FULL_WIDTH_LAST = 0xFF5E
};

/* Of the keyboard's characters, pasting takes the digits, the point and the
   operators: clearing, the power and the window keys are no part of an
   amount or a calculation. */
int PastedKeyOf(char16_t c)
{
    if (c == u'\r' || c == u'\n')
        return KEY_EQUALS;
    int key = KeyOfChar(c);
    bool isOperator = key >= FIRST_OPERATOR_KEY && key <= LAST_OPERATOR_KEY;
    return IsNumberKey(key) || isOperator ? key : 0;
}

bool IsLineBreak(char16_t c)
{
    return c == u'\r' || c == u'\n';
}

/* Blanks and the thousands separators "," and "'"; a tab is not one of
   them, so that cells copied side by side never run together into one
   number. */
bool IsSkipped(char16_t c)
{
    return c == u' ' || c == u',' || c == u'\'';
}

/* Unicode's space separators: the no-break, thin, ideographic and other
   spaces that programs put between groups of digits. */
bool IsSpaceSeparator(char16_t c)
{
    return c == 0x00A0 || c == 0x1680 || (c >= 0x2000 && c <= 0x200A) || c == 0x202F ||
           c == 0x205F || c == 0x3000;
}

/* The text to its end (a zero or its length), each character as a reader
   takes it: what looks the same is the same. */
struct PastedText {
    const char16_t *chars;
    int end;
};

char16_t CharAt(const PastedText &text, int i)
{
    if (i >= text.end)
        return 0;
    char16_t c = text.chars[i];
    if (c >= FULL_WIDTH_FIRST && c <= FULL_WIDTH_LAST)
        return (char16_t)(u'!' + (c - FULL_WIDTH_FIRST));
    if (c == MINUS_SIGN)
        return u'-';
    if (IsSpaceSeparator(c))
        return u' ';
    return c;
}

int SkipSeparators(const PastedText &text, int i)
{
    while (i < text.end && IsSkipped(CharAt(text, i)))
        i++;
    return i;
}

int NumberKeyAt(const PastedText &text, int i)
{
    int key = PastedKeyOf(CharAt(text, i));
    return IsNumberKey(key) ? key : 0;
}

/* Where the number at i has its first digit or point: i itself, or past a
   "-" and blanks where a "-" may make a number negative (signAllowed: at
   the start or after an operator); -1 when no number starts at i. */
int NumberStartAt(const PastedText &text, int i, bool signAllowed)
{
    if (NumberKeyAt(text, i))
        return i;
    int next = SkipSeparators(text, i + 1);
    return signAllowed && CharAt(text, i) == u'-' && NumberKeyAt(text, next) ? next : -1;
}

/* Whether a number may end right before character c: at a key, a
   separator, a line break, a tab or the end of the text. Before anything
   else ("12a34", "12$") it is part of something that is no amount. */
bool EndsNumber(char16_t c)
{
    return c == 0 || c == u'\t' || IsSkipped(c) || PastedKeyOf(c) != 0;
}

/* After the line break at i, past any further line breaks and blanks:
   where the next number starts (at its "-" when it has one), or -1. */
int NumberOnNextLine(const PastedText &text, int i)
{
    while (IsLineBreak(CharAt(text, i)))
        i = SkipSeparators(text, i + 1);
    return NumberStartAt(text, i, true) >= 0 ? i : -1;
}

/* Whether a digit typed now starts an amount of its own: after a result
   it opens a new line, and a zero line (a fresh operand) has nothing to go
   on with. Otherwise a plain line's amount is still open ("5=3" would
   type 53). */
bool StartsOwnAmount(void)
{
    const char *line = g_Tape.entries[g_Tape.tapeCur];
    return GetOperatorMark(line) == 0 || strcmp(line + 1, ZERO_AMOUNT) == 0;
}

/* Appends the keys of the number that starts at i (a digit or the point),
   then the sign key when it is negative, at keys[*count]; returns where it
   ends, or -1 when it does not read as one amount. A separator between its
   digits must part groups of thousands ("1,234", "12 345 678"): "1 234,56"
   or "1, 2, 3" would otherwise run together into another number. */
int ReadNumber(const PastedText &text, int i, bool negative, int keys[], int *count)
{
    int groupDigits = 0; /* before the point, since the start or the last separator */
    bool grouped = false;
    bool point = false;
    for (;;) {
        int key = NumberKeyAt(text, i);
        if (key) {
            if (key == KEY_POINT && !point) {
                if (grouped && groupDigits != 3)
                    return -1;
                point = true;
            } else if (!point) {
                groupDigits++;
            }
            keys[(*count)++] = key;
            i++;
            continue;
        }
        int next = SkipSeparators(text, i);
        if (next == i || !NumberKeyAt(text, next))
            break;
        bool thousands = !point && NumberKeyAt(text, next) != KEY_POINT && groupDigits >= 1 &&
                         groupDigits <= 3 && (!grouped || groupDigits == 3);
        if (!thousands)
            return -1;
        grouped = true;
        groupDigits = 0;
        i = next;
    }
    if (grouped && !point && groupDigits != 3)
        return -1;
    if (negative)
        keys[(*count)++] = KEY_SIGN;
    return i;
}

} // namespace

int ParsePastedText(const char16_t *text, int length, int keys[PASTE_MAX_CHARS], bool *whole)
{
    *whole = false;
    int start = length > 0 && text[0] == BYTE_ORDER_MARK ? 1 : 0;
    int end = start;
    while (end < length && end - start <= PASTE_MAX_CHARS && text[end] != 0)
        end++;
    if (end - start > PASTE_MAX_CHARS)
        return 0; /* refused whole rather than cut short */
    /* Each key takes at least one character of its own: keys never
       outnumber the characters from start. Each number is tried on the
       tape as the keys before it leave it, the first going on with the
       amount being typed now; any later one must start an amount of its
       own, so that two numbers of the text never join into one. */
    const PastedText pasted = { text, end };
    TapeTrial trial;
    BeginTapeTrial(&trial);
    /* What the text had last: the start counts as an operator. */
    enum { AFTER_OPERATOR, AFTER_NUMBER, AFTER_COLUMN_PLUS } after = AFTER_OPERATOR;
    bool stopped = false;
    int n = 0;
    int i = SkipSeparators(pasted, start);
    while (i < end && !stopped) {
        char16_t c = CharAt(pasted, i);
        int key = PastedKeyOf(c);
        int number = NumberStartAt(pasted, i, after != AFTER_NUMBER);
        int nextLine = after == AFTER_NUMBER && IsLineBreak(c) ? NumberOnNextLine(pasted, i) : -1;
        if (number >= 0) {
            int first = n;
            i = ReadNumber(pasted, number, number != i, keys, &n);
            bool typed = i >= 0 && EndsNumber(CharAt(pasted, i)) &&
                         (first == 0 || StartsOwnAmount()) &&
                         PressWholeNumber(keys + first, n - first);
            if (!typed) {
                n = first; /* what came before it stands, */
                if (after == AFTER_COLUMN_PLUS)
                    keys[n - 1] = KEY_EQUALS; /* ended as at the end of a text */
                stopped = true;
            }
            after = AFTER_NUMBER;
        } else if (nextLine >= 0) {
            /* A column of numbers adds up, as on an adding machine. */
            keys[n++] = KEY_PLUS;
            PressTapeKey(KEY_PLUS);
            i = nextLine;
            after = AFTER_COLUMN_PLUS;
        } else if (key != 0) {
            keys[n++] = key;
            PressTapeKey(key);
            if (c == u'\r' && CharAt(pasted, i + 1) == u'\n')
                i++; /* one line break */
            i++;
            after = AFTER_OPERATOR;
        } else {
            stopped = true;
        }
        if (!stopped)
            i = SkipSeparators(pasted, i);
    }
    EndTapeTrial(&trial);
    *whole = !stopped;
    return n;
}
