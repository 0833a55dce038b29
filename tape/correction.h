/*
 * A line of the tape corrected or taken out after the fact. The tape is
 * written out as text with that one line changed and replayed
 * (tape/replay.h), so every result after it is computed again by the keys,
 * and the whole correction is one change that undo takes back. What the
 * replay refuses changes nothing.
 */
#ifndef ORVANTA_CORRECTION_H
#define ORVANTA_CORRECTION_H

/* Whether line index holds an amount that was typed: a plain line or an
   operand line (mark "_" or "+ - * /"). Results are computed, not typed. */
bool IsTypedLine(int index);

/* Line index, a typed line, with its amount made amount: the number as a
   user writes it ("-12.5", blanks around it allowed), which the keys must be
   able to type (at most 15 characters, two decimals). Returns false, having
   changed nothing, for any other line or amount, or a tape the replay
   refuses. */
bool CorrectTapeLine(int index, const char *amount);

/* Takes typed line index out, with the result line right after it (the
   result it made); the first line stays, as every other line depends on
   it. Returns false, having changed nothing, where that is not allowed or
   what is left is no tape the keys can make. */
bool DeleteTapeLine(int index);

#endif
