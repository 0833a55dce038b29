/*
 * The text that make bench pastes, both into the window under Wine and into
 * the core natively: the longest that a paste takes, lines of sums as another
 * program copies them, with blanks after the last line to fill it up.
 */
#ifndef ORVANTA_BENCH_PASTE_TEXT_H
#define ORVANTA_BENCH_PASTE_TEXT_H

#include "tape/tape_text.h"

/* Writes PASTE_MAX_CHARS characters and a terminating zero. */
inline void MakeBenchPasteText(char16_t text[PASTE_MAX_CHARS + 1])
{
    static const char16_t LINE[] = u"12.34+567*89%=-1/3=\r\n";
    const int lineLength = (int)(sizeof(LINE) / sizeof(LINE[0])) - 1;
    int n = 0;
    for (; n + lineLength <= PASTE_MAX_CHARS; n += lineLength) {
        for (int i = 0; i < lineLength; i++)
            text[n + i] = LINE[i];
    }
    for (; n < PASTE_MAX_CHARS; n++)
        text[n] = u' ';
    text[n] = 0;
}

#endif
