/*
 * The mark that opens every tape line: plain, an operand waiting for its
 * operator, or a result. The keys' texts (tape/keys.def) start with the same
 * characters, so an operator key's text is the mark it writes.
 */
#ifndef ORVANTA_MARKS_H
#define ORVANTA_MARKS_H

enum LineMark : char {
    MARK_PLAIN = '_',    /* shown as a blank */
    MARK_ADD = '+',
    MARK_SUBTRACT = '-',
    MARK_MULTIPLY = '*',
    MARK_DIVIDE = '/',
    MARK_RESULT = '=',
    MARK_PERCENT = '%'
};

/* An operand line: its operator is still pending. */
inline bool IsOperandMark(char c)
{
    return c == MARK_ADD || c == MARK_SUBTRACT || c == MARK_MULTIPLY || c == MARK_DIVIDE;
}

/* A line that an operator key computed. */
inline bool IsResultMark(char c)
{
    return c == MARK_RESULT || c == MARK_PERCENT;
}

inline bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

#endif
