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
    size_t endLen = strnlen(lineEnd, 2);
    int n = 0;
    for (int i = 0; i <= g_Tape.tapeCur; i++) {
        FormatShownEntry(g_Tape.entries[i], text + n);
        n += TAPE_ENTRY_LEN;
        memcpy(text + n, lineEnd, endLen);
        n += (int)endLen;
    }
    text[n] = '\0';
    return n;
}

namespace {

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

} // namespace

int ParsePastedText(const char16_t *text, int length, int keys[PASTE_MAX_CHARS])
{
    if (length > PASTE_MAX_CHARS)
        length = PASTE_MAX_CHARS;
    int n = 0;
    bool afterOperator = true; /* the start of the text counts as after one */
    bool negative = false;     /* the number being typed gets the sign key */
    int i = 0;
    while (i < length && text[i] != 0) {
        char16_t c = text[i++];
        if (IsSkipped(c))
            continue;
        if (c == u'\r' && i < length && text[i] == u'\n')
            i++; /* one line break */
        int key = PastedKeyOf(c);
        if (key == KEY_MINUS && afterOperator) {
            int next = i;
            while (next < length && IsSkipped(text[next]))
                next++;
            if (next < length && IsNumberKey(PastedKeyOf(text[next]))) {
                negative = true;
                afterOperator = false;
                continue;
            }
        }
        if (key == 0)
            break;
        if (!IsNumberKey(key) && negative) {
            keys[n++] = KEY_SIGN;
            negative = false;
        }
        keys[n++] = key;
        afterOperator = !IsNumberKey(key);
    }
    if (negative)
        keys[n++] = KEY_SIGN;
    return n;
}
