// Amount texts and their arithmetic: the worked tables, and every operation
// checked against an exact computation on random texts of all forms.
#include <cstdint>
#include <cstring>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "amount/amount.h"
#include "amount/test/fake_platform.h"

namespace {

typedef __int128 Wide;

// A raw result: exact text when it fits in 15 characters, or nullptr for
// "too large" (any text longer than 15 characters).
void ExpectRaw(const char *expected, const char *actual)
{
    if (expected == nullptr)
        EXPECT_GT(std::strlen(actual), 15u) << "result " << actual << " should be too large";
    else
        EXPECT_STREQ(expected, actual);
}

TEST(SplitAmount, IntegerPartAndHundredths)
{
    struct Row { const char *text; long long intPart; int fraction; } rows[] = {
        {"0000000000012.5", 12, 50},    {"000000000013.25", 13, 25},
        {"0000000000-12.5", -12, 50},   {"00000000000012.", 12, 0},
        {"000000000001250", 1250, 0},   {"0000000000-0.25", 0, 25},
        {"00000000000-.25", 0, 25},     {"000000000000000", 0, 0},
        {"0000000000000.5", 0, 50},     {"000000000000.05", 0, 5},
        {"0000000000000-5", -5, 0},     {"999999999999999", 999999999999999LL, 0},
        {"-99999999999999", -99999999999999LL, 0},
        // scaled intermediates of addition are read whole
        {"99999999999999900", 99999999999999900LL, 0},
        {"-9999999999999900", -9999999999999900LL, 0},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.text);
        long long intPart = 77;
        int fraction = 77;
        SplitAmount(r.text, &intPart, &fraction);
        EXPECT_EQ(r.intPart, intPart);
        EXPECT_EQ(r.fraction, fraction);
    }
}

TEST(FormatPlainAmount, NumbersOtherProgramsRead)
{
    struct Row { const char *amount, *plain; } rows[] = {
        {"000000000000015", "15"},   {"000000000000.25", "0.25"}, {"00000000000-.25", "-0.25"},
        {"0000000000-0.25", "-0.25"}, {"000000000000000", "0"},    {"000000000000-0.", "0"},
        {"00000000000012.", "12"},   {"0000000000012.5", "12.5"}, {"000000000012.50", "12.50"},
        {"000000000001400", "1400"}, {"0000000000000-5", "-5"},   {"123456789012345", "123456789012345"},
    };
    for (const Row &r : rows) {
        PlainAmount out;
        FormatPlainAmount(r.amount, out);
        EXPECT_STREQ(r.plain, out) << r.amount;
    }
}

TEST(GetOperatorMark, ResultLinesHaveNoPendingOperator)
{
    struct Row { const char *entry; char mark; } rows[] = {
        {"=000000000000015", 0}, {"%000000000000.07", 0}, {"_000000000000000", '_'},
        {"+000000000000003", '+'}, {"-000000000000003", '-'}, {"*000000000000003", '*'},
        {"/000000000000003", '/'},
    };
    for (const Row &r : rows)
        EXPECT_EQ(r.mark, GetOperatorMark(r.entry)) << r.entry;
}

TEST(AmountEdits, ShiftInAndBackspace)
{
    struct Row { const char *before; const char *typed; const char *after; } rows[] = {
        {"000000000000000", "1", "000000000000001"},
        {"000000000000012", "00", "000000000001200"},
        {"000000000000012", ".", "00000000000012."},
        {"00000000000012.", "5", "0000000000012.5"},
        {"000000000000000", "0000", "000000000000000"},
        {"000000000000001", "0000", "000000000010000"},
        {"000000000000012", "000", "000000000012000"},
        // typed == nullptr: backspace
        {"0000000000012.5", nullptr, "00000000000012."},
        {"00000000000012.", nullptr, "000000000000012"},
        {"000000000000000", nullptr, "000000000000000"},
        {"0000000000-12.5", nullptr, "00000000000-12."},
        {"123456789012345", nullptr, "012345678901234"},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(std::string(r.before) + " " + (r.typed ? r.typed : "backspace"));
        AmountText amount;
        std::strcpy(amount, r.before);
        if (r.typed)
            ShiftInAmount(amount, r.typed);
        else
            BackspaceAmount(amount);
        EXPECT_STREQ(r.after, amount);
    }
}

TEST(AddSubtractAmount, ExactInHundredths)
{
    struct Row { const char *first; char op; const char *second; const char *result; } rows[] = {
        {"0000000000012.5", '+', "000000000000.75", "000000000013.25"},
        {"0000000000012.5", '-', "000000000000.75", "000000000011.75"},
        {"000000000000001", '-', "000000000001.25", "0000000000-0.25"},
        {"000000000000005", '-', "000000000000005", "000000000000000"},
        {"0000000000000.1", '+', "0000000000000.2", "000000000000.30"},
        {"0000000000000-3", '-', "000000000000002", "0000000000000-5"},
        {"000000000001.05", '+', "000000000000001", "000000000002.05"},
        {"0000000000-1.05", '-', "000000000000001", "0000000000-2.05"},
        {"0000000000-0.25", '+', "0000000000000.2", "0000000000-0.05"},
        {"00000000000012.", '+', "000000000000001", "000000000000013"},
        {"999999999999.99", '+', "000000000000.01", "001000000000000"},
        {"999999999999999", '+', "000000000000001", nullptr},
        {"1234567890123.5", '+', "000000000000000", nullptr},
        {"0123456789012.5", '+', "000000000000000", "123456789012.50"},
        {"-12345678901.25", '+', "000000000000000", "-12345678901.25"},
        {"-123456789012.5", '+', "000000000000000", nullptr},
        {"0000000000-0.25", '+', "000000000000.25", "000000000000000"},
        {"00000000000-.25", '+', "000000000000.25", "000000000000000"},
        {"0000000000002.5", '+', "0000000000002.5", "000000000000005"},
        {"0000000000000-0", '+', "000000000000005", "000000000000005"},
        {"000000000000005", '-', "00000000000-.25", "000000000005.25"},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(std::string(r.first) + " " + r.op + " " + r.second);
        RawAmount result;
        AddSubtractAmount(r.op, r.first, r.second, result);
        ExpectRaw(r.result, result);
    }
}

TEST(MultiplyAmount, TruncatedProducts)
{
    struct Row { const char *first; const char *second; const char *result; } rows[] = {
        {"000000000000003", "0000000000001.5", "0000000000004.5"},
        {"0000000000012.5", "000000000000.75", "000000000009.37"},
        {"00000000000-2.5", "000000000000004", "000000000000-10"},
        {"000000000001.25", "000000000000004", "000000000000005"},
        {"0000000000001.1", "0000000000001.1", "000000000001.21"},
        {"0000000000000.5", "0000000000000.2", "000000000000.10"},
        {"0000000000000.5", "0000000000000.5", "000000000000.25"},
        {"00000000000-0.5", "0000000000000.5", "00000000000-.25"},
        {"000000000000.05", "000000000000001", "000000000000.05"},
        {"00000000000-0.1", "0000000000000.1", "00000000000-.01"},
        {"000000000001.11", "0000000000-1.11", "0000000000-1.23"},
        {"0000000000-0.01", "0000000000000.5", "000000000000000"},
        {"0000000000012.5", "000000000000100", "000000000001250"},
        {"000000099999999", "000000099999999", nullptr},
        {"0000000000002.5", "000000000000002", "000000000000005"},
        {"000000000000000", "000000000012.34", "000000000000000"},
        {"0000000000000.1", "0000000000000.1", "000000000000.01"},
        {"000004294967296", "000004294967296", nullptr},
        // the scaled reading: places are the characters after the point
        {"0000000000012.5", "1", "0000000000012.5"},
        {"0000000000-0.25", "1", "00000000000-.25"},
        {"00000000000012.", "1", "000000000000012"},
        {"0000000000012.5", "10", "000000000000125"},
        {"0000000000-0.25", "000000000000100", "000000000000-25"},
        {"000000000000100", "000000000000100", "000000000010000"},
        {"999999999999999", "100", "99999999999999900"},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(std::string(r.first) + " * " + r.second);
        RawAmount result;
        MultiplyAmount(r.first, r.second, result);
        ExpectRaw(r.result, result);
    }
}

TEST(DivideAmount, TwoPlacesAndSignRepair)
{
    struct Row { const char *dividend; const char *divisor; const char *result; } rows[] = {
        {"000000000000010", "000000000000003", "000000000003.33"},
        {"000000000000-10", "000000000000003", "0000000000-3.33"},
        {"0000000000000-1", "000000000000003", "0000000000-0.33"},
        {"000000000000001", "0000000000000-3", "0000000000-0.33"},
        {"0000000000000-6", "0000000000000-3", "000000000000002"},
        {"0000000000000-6", "000000000000003", "0000000000000-2"},
        {"000000000000001", "000000000000008", "000000000000.12"},
        {"000000000000001", "000000000000020", "000000000000.05"},
        {"0000000000000-1", "000000000000300", "000000000000000"},
        {"0000000000007.5", "0000000000002.5", "000000000000003"},
        {"000000000000001", "0000000000000.3", "000000000003.33"},
        {"000000000000002", "000000000000.25", "000000000000008"},
        {"00000000000-0.5", "000000000000.25", "0000000000000-2"},
        {"000000000000005", "000000000000000", "000000000000000"},
        {"000000000000100", "000000000000.01", "000000000010000"},
        {"999999999999999", "000000000000.01", nullptr},
        {"123456789012345", "0000000000002.5", "049382715604938"},
        {"000000299999999", "000000300000000", "000000000000.99"},
        {"000004294967295", "000004294967296", "000000000000.99"},
        {"000000000000001", "000004294967296", "000000000000000"},
        {"0000000000000-5", "000000000000000", "000000000000000"},
        {"0000000000-1.25", "0000000000000-0", "000000000000000"},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(std::string(r.dividend) + " / " + r.divisor);
        RawAmount result;
        DivideAmount(r.dividend, r.divisor, result);
        ExpectRaw(r.result, result);
    }
}

TEST(PercentAmount, OneHundredth)
{
    struct Row { const char *amount; const char *result; } rows[] = {
        {"000000000000007", "000000000000.07"}, {"000000000001400", "000000000000014"},
        {"000000000000210", "000000000002.10"}, {"0000000000012.5", "000000000000.12"},
        {"000000000000-50", "0000000000-0.50"}, {"999999999999999", nullptr},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.amount);
        RawAmount result;
        PercentAmount(r.amount, result);
        ExpectRaw(r.result, result);
    }
}

TEST(ApplyOperator, WritesResultLineOrNoticeThenZero)
{
    struct Row { const char *prev; const char *cur; const char *out; int overflows; } rows[] = {
        {"_0000000000012.5", "+000000000000.75", "=000000000013.25", 0},
        {"_000000000000001", "-000000000001.25", "=0000000000-0.25", 0},
        {"=000000000000200", "*000000000000007", "=000000000001400", 0},
        {"_000000000000010", "/000000000000003", "=000000000003.33", 0},
        {"_000000000000005", "/000000000000000", "=000000000000000", 0},
        {"_000000099999999", "*000000099999999", "=000000000000000", 1},
        {"_999999999999999", "+000000000000001", "=000000000000000", 1},
        {"_999999999999.99", "+000000000000.01", "=001000000000000", 0},
        {"%000000000000010", "-000000000000003", "=000000000000007", 0},
        {"_000000000000005", "=000000000000005", nullptr, 0},
        {"_000000000000005", "%000000000000005", nullptr, 0},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(std::string(r.prev) + " " + r.cur);
        g_nOverflowMessages = 0;
        TapeEntry out;
        std::strcpy(out, "untouched");
        int written = ApplyOperator(r.prev, r.cur, out);
        EXPECT_EQ(r.out ? 1 : 0, written);
        EXPECT_STREQ(r.out ? r.out : "untouched", out);
        EXPECT_EQ(r.overflows, g_nOverflowMessages);
    }
}

TEST(ApplyPercent, WritesPercentLine)
{
    struct Row { const char *cur; const char *out; int overflows; } rows[] = {
        {"=000000000001400", "%000000000000014", 0},
        {"_000000000000007", "%000000000000.07", 0},
        {"_999999999999999", "%000000000000000", 1},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.cur);
        g_nOverflowMessages = 0;
        TapeEntry out;
        ApplyPercent(r.cur, out);
        EXPECT_STREQ(r.out, out);
        EXPECT_EQ(r.overflows, g_nOverflowMessages);
    }
}

// Texts that no key makes: longer than an amount, or no amount at all. The
// worst any of them gets is "too large"; the sanitizer build checks that
// nothing overflows on the way (64-bit sums and quotients, copies).
TEST(AmountArithmetic, ForeignTextsGiveTooLargeAtWorst)
{
    const std::string nines(40, '9'), minuses(24, '-'), points(30, '.');
    const char *texts[] = {
        "-9223372036854775808", "9223372036854775807", "-92233720368547758.08",
        "-0000000000000000000001", nines.c_str(), minuses.c_str(), points.c_str(),
        "-1", "-0.01", "1.2.3.4.5.6.7.8", "-.-.-.-.-.-.-.-", "", "x",
    };
    // at least 15 characters, more when an operand is longer than an amount
    auto least = [](const char *a, const char *b) {
        return std::strlen(a) > 15 || std::strlen(b) > 15 ? 16u : 15u;
    };
    RawAmount r;
    for (const char *a : texts) {
        PercentAmount(a, r);
        EXPECT_GE(std::strlen(r), least(a, "")) << a << " %";
        for (const char *b : texts) {
            SCOPED_TRACE(std::string(a) + " , " + b);
            AddSubtractAmount('+', a, b, r);
            EXPECT_GE(std::strlen(r), least(a, b)) << r;
            AddSubtractAmount('-', a, b, r);
            EXPECT_GE(std::strlen(r), least(a, b)) << r;
            MultiplyAmount(a, b, r);
            EXPECT_GE(std::strlen(r), least(a, b)) << r;
            DivideAmount(a, b, r);
            EXPECT_GE(std::strlen(r), least(a, b)) << r;
        }
    }
}

// ---- The exact oracle ----------------------------------------------------

struct Exact {
    Wide scaled;  // the digits without the point, signed
    int places;   // characters after the point
    Wide hundredths() const { return places == 0 ? scaled * 100 : places == 1 ? scaled * 10 : scaled; }
};

Exact ReadExact(const char *text)
{
    Exact e = {0, 0};
    bool negative = false, point = false;
    for (const char *p = text; *p; ++p) {
        if (*p == '-') negative = true;
        else if (*p == '.') point = true;
        else {
            e.scaled = e.scaled * 10 + (*p - '0');
            if (point) ++e.places;
        }
    }
    if (negative) e.scaled = -e.scaled;
    return e;
}

std::string Digits(Wide v)
{
    if (v < 0) v = -v;
    std::string s;
    do {
        s.insert(s.begin(), char('0' + int(v % 10)));
        v /= 10;
    } while (v != 0);
    return s;
}

std::string PadZeros(std::string s, size_t width)
{
    if (s.size() < width) s.insert(0, width - s.size(), '0');
    return s;
}

std::string Signed(Wide v) { return (v < 0 ? "-" : "") + Digits(v); }

// Sums: no fraction, or exactly two digits with "-0" in front of a negative
// fraction of less than one.
std::string SumText(Wide s)
{
    if (s % 100 == 0) return PadZeros(Signed(s / 100), 15);
    return PadZeros((s < 0 ? "-" : "") + Digits(s / 100), 12) + "." + PadZeros(Digits(s % 100), 2);
}

// Quotients in hundredths, already truncated toward zero.
std::string QuotientText(Wide q) { return SumText(q); }

// Products keep as many places as the operands together, at most two, and
// write no "0" in front of the point. The product is exact beyond 64 bits:
// only the kept digits decide whether it is too large.
std::string ProductText(const Exact &x, const Exact &y)
{
    Wide p = x.scaled * y.scaled;
    int t = x.places + y.places, keep = t < 2 ? t : 2;
    for (int i = keep; i < t; ++i) p /= 10;
    Wide unit = keep == 0 ? 1 : keep == 1 ? 10 : 100;
    if (p % unit == 0) return PadZeros(p == 0 ? "" : Signed(p / unit), 15);
    std::string whole = p / unit == 0 ? "" : Digits(p / unit);
    return PadZeros((p < 0 ? "-" : "") + whole + "." + PadZeros(Digits(p % unit), keep), 15);
}

void ExpectExact(const std::string &expected, const char *actual)
{
    if (expected.size() > 15)
        EXPECT_GT(std::strlen(actual), 15u) << "exact " << expected << ", got " << actual;
    else
        EXPECT_EQ(expected, actual);
}

void CheckAgainstOracle(const char *a, const char *b)
{
    SCOPED_TRACE(std::string(a) + " , " + b);
    Exact x = ReadExact(a), y = ReadExact(b);
    RawAmount result;
    std::string expected[5];
    AddSubtractAmount('+', a, b, result);
    ExpectExact(expected[0] = SumText(x.hundredths() + y.hundredths()), result);
    AddSubtractAmount('-', a, b, result);
    ExpectExact(expected[1] = SumText(x.hundredths() - y.hundredths()), result);
    MultiplyAmount(a, b, result);
    ExpectExact(expected[2] = ProductText(x, y), result);
    Wide divisor = y.hundredths();
    DivideAmount(a, b, result);
    ExpectExact(expected[3] = divisor == 0 ? std::string(ZERO_AMOUNT) : QuotientText(x.hundredths() * 100 / divisor),
                result);
    PercentAmount(a, result);
    ExpectExact(QuotientText(x.hundredths() / 100), result);

    // The same through ApplyOperator: a too-large result is announced and
    // becomes zero.
    static const char kOps[] = "+-*/";
    for (int i = 0; i < 4; ++i) {
        std::string prev = std::string("_") + a, cur = std::string(1, kOps[i]) + b;
        bool tooLarge = expected[i].size() > 15;
        g_nOverflowMessages = 0;
        TapeEntry out;
        ApplyOperator(prev.c_str(), cur.c_str(), out);
        EXPECT_EQ("=" + (tooLarge ? std::string(ZERO_AMOUNT) : expected[i]), out) << kOps[i];
        EXPECT_EQ(tooLarge ? 1 : 0, g_nOverflowMessages) << kOps[i];
    }
}

TEST(AmountOracle, SixtyFourBitCorners)
{
    const char *pairs[][2] = {
        {"703687441776.64", "-1310.72"},  // exactly -2^63
        {"-70368744177664", "-131072"},   // 2^63
        {"-70368744177664", "131072"},    // -2^63
        {"4294967296", "4294967296"},     // 2^64, zero when wrapped
        {"274177", "67280421310721"},     // 2^64 + 1, one when wrapped
        {"-274177", "67280421310721"},
        {"2741.77", "672804213107.21"},
        {"153092023", "60247241209"},     // 2^63 - 1
        {"1530920.23", "602472412.09"},
        {"31622776", "31622776"},         // 15 digits
        {"31622777", "31622777"},         // 16 digits
        {"-31622776.0", "31622776."},
        {"999999999999999", "-99999999999999"},
        {"999999999999999", "0.01"},
        {"-99999999999999", "0.01"},
        {"999999999999.99", "999999999999.99"},
        {"9999999.99", "99999999.99"},    // beyond 64 bits, yet its kept digits fit
        {"-0.01", "0.01"},
        {"-0", "-.01"},
    };
    for (auto &p : pairs) {
        std::string a = PadZeros(p[0], 15), b = PadZeros(p[1], 15);
        CheckAgainstOracle(a.c_str(), b.c_str());
        CheckAgainstOracle(b.c_str(), a.c_str());
    }
}

// A random well-formed amount text: any form, often at full width.
std::string RandomAmount(std::mt19937_64 &rng)
{
    int form = int(rng() % 4);  // 0 whole, 1 trailing ".", 2 and 3 one or two fraction digits
    int fractionDigits = form >= 2 ? form - 1 : 0;
    bool negative = rng() % 3 == 0;
    int room = 15 - (negative ? 1 : 0) - (form ? 1 + fractionDigits : 0);
    int intDigits = rng() % 3 == 0 ? room : int(rng() % (room + 1));
    if (intDigits == 0 && (form == 0 || (negative && fractionDigits == 0))) intDigits = 1;
    int style = int(rng() % 4);  // 0 nines, 1 zeros, else random digits
    auto digit = [&](bool first) {
        if (style == 0) return '9';
        if (style == 1) return '0';
        return char((first ? '1' : '0') + rng() % (first ? 9 : 10));
    };
    std::string s = negative ? "-" : "";
    for (int i = 0; i < intDigits; ++i) s += (intDigits == 1 && rng() % 4 == 0) ? '0' : digit(i == 0);
    if (form) {
        s += '.';
        for (int i = 0; i < fractionDigits; ++i) s += digit(false);
        if (negative && intDigits == 0 && s.find_first_not_of("-.0") == std::string::npos)
            s.insert(1, "0");  // "-.00" never occurs; "-0.00" does
    }
    return PadZeros(s, 15);
}

TEST(AmountOracle, RandomTextsAgreeWithExactArithmetic)
{
    std::mt19937_64 rng(20260);
    for (int i = 0; i < 20000 && !HasFailure(); ++i) {
        std::string a = RandomAmount(rng), b = RandomAmount(rng);
        CheckAgainstOracle(a.c_str(), b.c_str());
    }
}

}  // namespace
