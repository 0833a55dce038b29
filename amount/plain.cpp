/*
 * An amount as other programs read a number: for the clipboard, the saved
 * tape and the LCD's window text.
 */
#include "amount/amount.h"

#include <string.h>


static int HasNonZeroDigit(const char *text, size_t len)
{
    for (size_t i = 0; i < len; i++) {
        if (text[i] >= '1' && text[i] <= '9')
            return 1;
    }
    return 0;
}

void FormatPlainAmount(const char *amount, PlainAmount out)
{
    size_t len = strnlen(amount, AMOUNT_LEN);
    size_t n = 0;
    if (!HasNonZeroDigit(amount, len)) {
        strcpy(out, "0"); /* any zero, whatever its sign or decimals */
        return;
    }
    size_t i = 0;
    while (i < len && (amount[i] == '0' || amount[i] == '-')) {
        if (amount[i] == '-')
            out[n++] = '-';
        i++;
    }
    if (i == len || amount[i] == '.')
        out[n++] = '0'; /* no digit before the point */
    for (; i < len; i++) {
        if (amount[i] == '.' && (i + 1 == len || !IsDigit(amount[i + 1])))
            break; /* a point with no digit after it */
        if (IsDigit(amount[i]) || amount[i] == '.')
            out[n++] = amount[i];
    }
    out[n] = '\0';
}
