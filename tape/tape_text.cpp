/*
 * The tape as text, and text as keys.
 */
#include "tape/tape_text.h"

#include <string.h>

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

TypedAmount CurrentTypedAmount(void)
{
    const char *entry = g_Tape.entries[g_Tape.tapeCur];
    if (GetOperatorMark(entry) == 0)
        return TypedAmount{ 0, 0, false };
    return TypedAmount{ g_Tape.typedCount, g_Tape.fractionCount, strchr(entry + 1, '-') != nullptr };
}

namespace {

bool IsDigitKey(int buttonId)
{
    return buttonId == KEY_0 || (buttonId >= KEY_1 && buttonId <= KEY_9);
}

} // namespace

/* The entry keys' own rules (TypeText, ToggleSign), counted instead of done. */
bool TypesWholeNumber(TypedAmount amount, const int *keys, int count)
{
    for (int i = 0; i < count; i++) {
        int key = keys[i];
        if (key == KEY_SIGN) {
            if (amount.typed == 0)
                continue; /* zero has no sign */
            if (amount.negative || amount.typed + 1 > MAX_TYPED)
                return false;
            amount.typed++;
            amount.negative = true;
            continue;
        }
        bool point = key == KEY_POINT;
        if (!point && !IsDigitKey(key))
            return false;
        if (amount.typed + 1 > MAX_TYPED)
            return false;
        if (amount.fraction != 0) {
            if (point || amount.fraction + 1 > 1 + MAX_DECIMALS)
                return false;
            amount.fraction++;
        } else if (point) {
            amount.fraction = 1;
        }
        if (amount.typed != 0 || key != KEY_0)
            amount.typed++; /* zeros typed into zero do not count */
    }
    return true;
}

namespace {

enum : char16_t {
    BYTE_ORDER_MARK = 0xFEFF,
    MINUS_SIGN = 0x2212,
    NO_BREAK_SPACE = 0x00A0,
    NARROW_NO_BREAK_SPACE = 0x202F,
    FULL_WIDTH_ZERO = 0xFF10,
    FULL_WIDTH_NINE = 0xFF19
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

/* Blanks and the thousands separator; a tab is not one of them, so that
   cells copied side by side never run together into one number. */
bool IsSkipped(char16_t c)
{
    return c == u' ' || c == u',';
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
    if (c == MINUS_SIGN)
        return u'-';
    if (c >= FULL_WIDTH_ZERO && c <= FULL_WIDTH_NINE)
        return (char16_t)(u'0' + (c - FULL_WIDTH_ZERO));
    if (c == NO_BREAK_SPACE || c == NARROW_NO_BREAK_SPACE)
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
       outnumber the characters from start. */
    const PastedText pasted = { text, end };
    TypedAmount amount = CurrentTypedAmount(); /* the first number may go on with it */
    bool afterOperator = true;                 /* the start of the text counts as after one */
    int n = 0;
    int i = SkipSeparators(pasted, start);
    while (i < end) {
        char16_t c = CharAt(pasted, i);
        int key = PastedKeyOf(c);
        bool negative = false;
        if (key == KEY_MINUS && afterOperator && NumberKeyAt(pasted, SkipSeparators(pasted, i + 1))) {
            negative = true;
            i = SkipSeparators(pasted, i + 1);
            key = NumberKeyAt(pasted, i);
        }
        if (IsNumberKey(key)) {
            int first = n;
            i = ReadNumber(pasted, i, negative, keys, &n);
            if (i < 0 || !TypesWholeNumber(amount, keys + first, n - first))
                return first; /* what came before it stands */
            afterOperator = false;
        } else if (key != 0) {
            keys[n++] = key;
            if (c == u'\r' && CharAt(pasted, i + 1) == u'\n')
                i++; /* one line break */
            i++;
            amount = TypedAmount{ 0, 0, false };
            afterOperator = true;
        } else {
            return n;
        }
        i = SkipSeparators(pasted, i);
    }
    *whole = true;
    return n;
}
