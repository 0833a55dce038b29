/*
 * Amount texts and their arithmetic. Every operation reads its operands into
 * signed 64-bit integers, computes, and writes text before it returns. The
 * text is formatted here by hand: printf-style zero padding of strings is not
 * portable (some runtimes pad "%015s" with blanks).
 */
#include "amount/amount.h"

#include <string.h>

const char ZERO_AMOUNT[] = "000000000000000";

/* Written for a product too long for a raw result: any text wider than an
   amount means "too large" to the caller. */
static const char TOO_LARGE[] = "99999999999999999999";

/* Scaling texts: 10 to the power 0, 1, 2. */
static const char *const SCALE_TEXT[] = {"1", "10", "100"};
static const char HUNDRED[] = "000000000000100";

enum {
    PRODUCT_DIGITS_SIZE = 48, /* a 128-bit product has at most 39 digits */
    /* Integer digits of a raw result that still leave room for a sign, the
       point and two decimals. Scaled intermediate values need up to 17. */
    MAX_RAW_INT_DIGITS = RAW_AMOUNT_SIZE - 5
};

/* ---- text helpers ---- */

/* Copies text into out (size bytes), right-aligned and filled on the left
   with "0" to width characters; a longer text is copied whole. */
static void PadZeroLeft(const char *text, int width, char *out, int size)
{
    /* Cut to fit out; cannot happen for the callers' widths and sizes. */
    size_t textLen = strlen(text);
    int len = textLen < (size_t)size ? (int)textLen : size - 1;
    int fill = len < width ? width - len : 0;
    if (fill > size - 1 - len)
        fill = size - 1 - len;
    memset(out, '0', (size_t)fill);
    memcpy(out + fill, text, (size_t)len);
    out[fill + len] = '\0';
}

/* Magnitude of v as an unsigned number; exact also for the most negative. */
static unsigned long long Magnitude(long long v)
{
    return v < 0 ? 0ULL - (unsigned long long)v : (unsigned long long)v;
}

/* Decimal digits of an unsigned value, no sign, no leading zeros. */
static void FormatUnsigned(unsigned long long v, char out[24])
{
    char rev[24];
    int n = 0;
    do {
        rev[n++] = (char)('0' + v % 10);
        v /= 10;
    } while (v != 0);
    for (int i = 0; i < n; i++)
        out[i] = rev[n - 1 - i];
    out[n] = '\0';
}

/* Decimal text of v with a leading "-" for negatives. */
static void FormatInt64(long long v, char out[24])
{
    if (v < 0) {
        out[0] = '-';
        FormatUnsigned(Magnitude(v), out + 1);
    } else {
        FormatUnsigned((unsigned long long)v, out);
    }
}

/* Standard decimal reading: optional sign, digits, stop at the first other
   character; no digits gives 0. Saturates instead of overflowing. */
static long long ParseDecimal(const char *s)
{
    int negative = 0;
    if (*s == '-' || *s == '+') {
        negative = *s == '-';
        s++;
    }
    const unsigned long long limit = negative ? 9223372036854775808ULL : 9223372036854775807ULL;
    unsigned long long v = 0;
    for (; IsDigit(*s); s++) {
        unsigned d = (unsigned)(*s - '0');
        v = v > (limit - d) / 10 ? limit : v * 10 + d;
    }
    return negative ? (long long)(0ULL - v) : (long long)v;
}

/* A whole-number text: the leading zeros stand before the sign, so a text
   with a "-" is read from the "-" onwards. */
static long long ReadWholeNumber(const char *text)
{
    const char *minus = strchr(text, '-');
    return ParseDecimal(minus ? minus : text);
}

/* No key makes a text longer than an amount, but a paste or a file could.
   Such an operand is not read at all: the result is "too large" (returns 1).
   Shorter texts, whatever they hold, read as at most 15 digits, which keeps
   every scaled value, sum and quotient far inside 64 bits. */
static int RefuseOverlong(const char *first, const char *second, RawAmount result)
{
    if (strlen(first) <= AMOUNT_LEN && strlen(second) <= AMOUNT_LEN)
        return 0;
    strcpy(result, TOO_LARGE);
    return 1;
}

/* Number of characters after the ".", 0 without one. */
static int CountPlaces(const char *text)
{
    const char *point = strchr(text, '.');
    return point ? (int)strlen(point + 1) : 0;
}

/* Scaled reading: the text without its "." as an integer, and its places. */
static long long ReadScaled(const char *text, int *places)
{
    char digits[RAW_AMOUNT_SIZE];
    int n = 0;
    for (const char *p = text; *p && n < RAW_AMOUNT_SIZE - 1; p++) {
        if (*p != '.')
            digits[n++] = *p;
    }
    digits[n] = '\0';
    *places = CountPlaces(text);
    return ReadWholeNumber(digits);
}

/* ---- the operations ---- */

void SplitAmount(const char *amount, long long *intPart, int *fraction)
{
    char intText[RAW_AMOUNT_SIZE];
    char fracText[4] = "0";
    const char *point = strchr(amount, '.');
    size_t intLen = point ? (size_t)(point - amount) : strlen(amount);
    if (intLen >= sizeof intText)
        intLen = sizeof intText - 1;
    memcpy(intText, amount, intLen);
    intText[intLen] = '\0';
    if (point) {
        /* callers pass at most two fraction digits; one digit is tenths */
        size_t fracLen = strlen(point + 1);
        if (fracLen > 2)
            fracLen = 2;
        memcpy(fracText, point + 1, fracLen);
        fracText[fracLen] = '\0';
        if (fracLen == 1)
            strcat(fracText, "0");
    }
    *intPart = ReadWholeNumber(intText);
    *fraction = (int)ParseDecimal(fracText);
}

char GetOperatorMark(const char *entry)
{
    char mark = entry[0];
    return IsResultMark(mark) ? 0 : mark;
}

void ShiftInAmount(char *amount, const char *typed)
{
    size_t n = strlen(typed);
    if (n == 0 || n > AMOUNT_LEN)
        return;
    memmove(amount, amount + n, AMOUNT_LEN - n);
    memcpy(amount + AMOUNT_LEN - n, typed, n);
    amount[AMOUNT_LEN] = '\0';
}

void BackspaceAmount(char *amount)
{
    memmove(amount + 1, amount, AMOUNT_LEN - 1);
    amount[0] = '0';
    amount[AMOUNT_LEN] = '\0';
}

/* Decimal digits of the exact product of two magnitudes: up to 128 bits, so
   a product whose kept digits fit an amount is never lost to overflow. */
static void FormatProduct(unsigned long long a, unsigned long long b, char out[PRODUCT_DIGITS_SIZE])
{
    const unsigned int x[2] = {(unsigned int)a, (unsigned int)(a >> 32)};
    const unsigned int y[2] = {(unsigned int)b, (unsigned int)(b >> 32)};
    unsigned int limbs[4] = {0, 0, 0, 0}; /* least significant first */
    for (int i = 0; i < 2; i++) {
        unsigned long long carry = 0;
        for (int j = 0; j < 2; j++) {
            unsigned long long t = (unsigned long long)x[i] * y[j] + limbs[i + j] + carry;
            limbs[i + j] = (unsigned int)t;
            carry = t >> 32;
        }
        limbs[i + 2] = (unsigned int)carry;
    }

    char rev[PRODUCT_DIGITS_SIZE];
    int n = 0;
    do {
        unsigned long long remainder = 0;
        for (int k = 3; k >= 0; k--) {
            unsigned long long cur = (remainder << 32) | limbs[k];
            limbs[k] = (unsigned int)(cur / 10);
            remainder = cur % 10;
        }
        rev[n++] = (char)('0' + remainder);
    } while (limbs[0] | limbs[1] | limbs[2] | limbs[3]);
    for (int i = 0; i < n; i++)
        out[i] = rev[n - 1 - i];
    out[n] = '\0';
}

void MultiplyAmount(const char *first, const char *second, RawAmount result)
{
    if (RefuseOverlong(first, second, result))
        return;
    int kx, ky;
    long long x = ReadScaled(first, &kx);
    long long y = ReadScaled(second, &ky);
    int t = kx + ky; /* fraction places of the product */

    /* |x * y| in decimal, filled on the left to at least t digits */
    char magnitude[PRODUCT_DIGITS_SIZE];
    char digits[PRODUCT_DIGITS_SIZE + 2 * RAW_AMOUNT_SIZE]; /* room for any count of places */
    FormatProduct(Magnitude(x), Magnitude(y), magnitude);
    PadZeroLeft(magnitude, t, digits, sizeof digits);

    int len = (int)strlen(digits);
    int intLen = len - t;
    if (intLen > MAX_RAW_INT_DIGITS) {
        strcpy(result, TOO_LARGE); /* far too large to write out whole */
        return;
    }
    char text[RAW_AMOUNT_SIZE];
    int n = 0;
    if ((x < 0) != (y < 0) && x != 0 && y != 0)
        text[n++] = '-';
    memcpy(text + n, digits, (size_t)intLen);
    n += intLen;

    /* keep at most two fraction digits (truncation toward zero) */
    const char *fraction = digits + intLen;
    int kept = t < 2 ? t : 2;
    int anyNonZero = 0;
    for (int i = 0; i < kept; i++)
        anyNonZero |= fraction[i] != '0';
    if (anyNonZero) {
        text[n++] = '.';
        memcpy(text + n, fraction, (size_t)kept);
        n += kept;
    } else if (intLen == 0) {
        n = 0; /* a zero product carries no sign */
    }
    text[n] = '\0';
    PadZeroLeft(text, AMOUNT_LEN, result, RAW_AMOUNT_SIZE);
}

void AddSubtractAmount(char op, const char *first, const char *second, RawAmount result)
{
    if (RefuseOverlong(first, second, result))
        return;
    /* exact in hundredths: scale both operands to whole numbers first */
    RawAmount scaled;
    long long a, b;
    int unused;
    MultiplyAmount(first, HUNDRED, scaled);
    SplitAmount(scaled, &a, &unused);
    MultiplyAmount(second, HUNDRED, scaled);
    SplitAmount(scaled, &b, &unused);

    long long s = op == '-' ? a - b : a + b;
    long long q = s / 100;
    long long r = s - 100 * q;

    char intText[24];
    FormatInt64(q, intText);
    if (r < 0) {
        if (strcmp(intText, "0") == 0)
            strcpy(intText, "-0"); /* keep the sign of a result between -1 and 0 */
        r = -r;
    }
    if (r == 0) {
        PadZeroLeft(intText, AMOUNT_LEN, result, RAW_AMOUNT_SIZE);
        return;
    }
    char text[RAW_AMOUNT_SIZE];
    PadZeroLeft(intText, AMOUNT_LEN - 3, text, sizeof text);
    size_t n = strlen(text);
    text[n] = '.';
    text[n + 1] = (char)('0' + r / 10);
    text[n + 2] = (char)('0' + r % 10);
    text[n + 3] = '\0';
    strcpy(result, text);
}

void DivideAmount(const char *dividend, const char *divisor, RawAmount result)
{
    if (RefuseOverlong(dividend, divisor, result))
        return;
    /* bring both operands to the larger of their scales */
    int k = CountPlaces(dividend);
    int kDivisor = CountPlaces(divisor);
    if (kDivisor > k)
        k = kDivisor;
    if (k > 2)
        k = 2;
    RawAmount scaled;
    MultiplyAmount(dividend, SCALE_TEXT[k], scaled);
    long long a = ReadWholeNumber(scaled);
    MultiplyAmount(divisor, SCALE_TEXT[k], scaled);
    long long b = ReadWholeNumber(scaled);

    int negative = (a < 0) != (b < 0);
    if (b == 0) {
        strcpy(result, ZERO_AMOUNT); /* a division by zero quietly gives zero */
        return;
    }
    long long q = a / b;
    unsigned long long magB = Magnitude(b);
    unsigned long long r = Magnitude(a - q * b);

    char text[RAW_AMOUNT_SIZE];
    FormatInt64(q, text);
    if (r != 0) {
        /* two steps of long division on the remainder */
        unsigned first = (unsigned)(10 * r / magB);
        r = 10 * r % magB;
        unsigned second = (unsigned)(10 * r / magB);
        if (first != 0 || second != 0) {
            size_t n = strlen(text);
            text[n] = '.';
            text[n + 1] = (char)('0' + first);
            text[n + 2] = (char)('0' + second);
            text[n + 3] = '\0';
        }
    }

    /* a quotient between -1 and 0 has lost its sign in the integer part */
    long long intPart;
    int fraction;
    SplitAmount(text, &intPart, &fraction);
    if (negative && intPart == 0 && fraction != 0) {
        memmove(text + 1, text, strlen(text) + 1);
        text[0] = '-';
    }
    PadZeroLeft(text, AMOUNT_LEN, result, RAW_AMOUNT_SIZE);
}

void PercentAmount(const char *amount, RawAmount result)
{
    DivideAmount(amount, HUNDRED, result);
}
