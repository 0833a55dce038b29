/*
 * A tape text read back into the calculator: the text that FormatTapeText
 * writes (copied, saved, printed by the terminal driver), as it is or
 * corrected in an editor. Each line is made again by the keys that make it,
 * and each result is computed again, never copied.
 */
#ifndef ORVANTA_REPLAY_H
#define ORVANTA_REPLAY_H

#include "tape/tape.h"

enum {
    /* The longest text read, in bytes: far more than a tape (whose text
       is at most TAPE_TEXT_SIZE), so that a long text is read to its end
       and its last TAPE_ENTRIES lines kept. Tapes saved one after another
       into one file come back only where each ends in a result: a
       calculation left open runs into the next tape's first line, which
       is refused. */
    REPLAY_MAX_CHARS = 1 << 20
};

enum ReplayRefusal {
    REPLAY_TAKEN, /* a tape: it now stands on the calculator */
#define REPLAY_REFUSAL(name, english, korean) name,
#include "tape/replay_refusals.def"
#undef REPLAY_REFUSAL
};

/* A result line whose amount in the text is not the one computed. The
   amounts in their plain form (FormatPlainAmount). */
struct ReplayDifference {
    int line; /* in the text, from 1, blank lines counted */
    PlainAmount file;
    PlainAmount computed;
};

typedef void (*ReplayReport)(const ReplayDifference *difference, void *context);

struct ReplayOutcome {
    ReplayRefusal refusal;
    int line;         /* the line refused, from 1; 0 for the text as a whole */
    int previousLine; /* the line that it cannot follow, for a refusal of the two; else 0 */
    int differences;  /* result lines computed otherwise than the text has them */
};

/* Reads length bytes of text (UTF-8, or UTF-16 after its byte order mark:
   DecodeTapeText, tape/text_decode.h; blank lines skipped) as a tape. A
   text that is not one changes nothing and reports nothing. A tape
   replaces the calculator's, as one change that undo takes back: every
   line made by its keys, each difference in a result given to report
   (with context) in order, the LCD repainted once at the end and no
   overflow notice shown. Of more than TAPE_ENTRIES lines the last
   TAPE_ENTRIES stay, as they do when typed. */
ReplayOutcome ReplayTapeText(const char *text, int length, ReplayReport report, void *context);

#endif
