// The tape and its three key handlers, driven key by key as the LCD screen
// drives them, with the state checked after every key.
#include <cstdio>
#include <cstring>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tape/press_key.h"
#include "tape/tape.h"
#include "amount/test/fake_platform.h"

namespace {

// The ButtonId of the key whose text is text, 0 when there is none.
int FindKeyId(const char *text)
{
    for (int id = 1; id <= BUTTON_COUNT; ++id)
        if (std::strcmp(text, KeyTextOf(id)) == 0) return id;
    return 0;
}

// Lines 0 to the current one, separated by blanks.
std::string TapeText()
{
    std::string text;
    for (int i = 0; i <= g_Tape.tapeCur && i < TAPE_ENTRIES; ++i)
        text += (i ? " " : "") + std::string(g_Tape.entries[i]);
    return text;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Leading zeros, an optional "-" before the number, digits, an optional
// point with at most two digits after it; the sign is never the last character.
bool IsWellFormedAmount(const char *a)
{
    if (std::strlen(a) != AMOUNT_LEN) return false;
    int i = 0;
    while (i < AMOUNT_LEN && a[i] == '0') ++i;
    if (i < AMOUNT_LEN && a[i] == '-' && ++i == AMOUNT_LEN) return false;
    while (i < AMOUNT_LEN && IsDigit(a[i])) ++i;
    if (i < AMOUNT_LEN && a[i] == '.') {
        int start = ++i;
        while (i < AMOUNT_LEN && IsDigit(a[i])) ++i;
        if (i - start > 2) return false;
    }
    return i == AMOUNT_LEN;
}

bool IsSignedZero(const char *a) { return std::strchr(a, '-') && !std::strpbrk(a, "123456789"); }

// What holds after every key, whatever it was.
::testing::AssertionResult TapeIsSound()
{
    if (g_Tape.tapeCur < 0 || g_Tape.tapeCur >= TAPE_ENTRIES)
        return ::testing::AssertionFailure() << "current line " << g_Tape.tapeCur;
    for (int i = 0; i < TAPE_ENTRIES; ++i) {
        const char *line = g_Tape.entries[i];
        if (i > g_Tape.tapeCur) {
            if (std::strcmp(line, BLANK_ENTRY) != 0)
                return ::testing::AssertionFailure() << "unused line " << i << " holds " << line;
            continue;
        }
        if (line[0] == '\0' || !std::strchr("_+-*/=%", line[0]) || !IsWellFormedAmount(line + 1))
            return ::testing::AssertionFailure() << "line " << i << " is " << line;
        if ((line[0] == '=' || line[0] == '%') && IsSignedZero(line + 1))
            return ::testing::AssertionFailure() << "result line " << i << " is a signed zero: " << line;
    }
    // The entry counters always describe the current amount.
    const char *cur = g_Tape.entries[g_Tape.tapeCur];
    int typed = 0, fraction = 0;
    if (cur[0] != '=' && cur[0] != '%') {
        typed = AMOUNT_LEN - int(std::strspn(cur + 1, "0"));
        if (const char *point = std::strchr(cur + 1, '.')) fraction = 1 + int(std::strlen(point + 1));
    }
    if (g_Tape.typedCount != typed || g_Tape.fractionCount != fraction)
        return ::testing::AssertionFailure() << "counters " << g_Tape.typedCount << "/"
                                             << g_Tape.fractionCount << " on " << cur << ", expected "
                                             << typed << "/" << fraction;
    int maxTop = g_Tape.tapeCur > 2 ? g_Tape.tapeCur - 2 : 0;
    if (g_Tape.viewTop < 0 || g_Tape.viewTop > maxTop || g_Tape.markerRow < 0 || g_Tape.markerRow > 2)
        return ::testing::AssertionFailure() << "view top " << g_Tape.viewTop << ", marker " << g_Tape.markerRow
                                             << " with current line " << g_Tape.tapeCur;
    return ::testing::AssertionSuccess();
}

class TapeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_Tape.operatorPressed = 0;
        ResetTape();
        g_nOverflowMessages = 0;
        g_nLcdRepaints = 0;
        g_pfnWhileOverflowMessage = nullptr;
    }

    // Presses keys given by their texts, separated by blanks.
    void Press(const char *keys)
    {
        std::istringstream in(keys);
        std::string key;
        while (in >> key) {
            int id = FindKeyId(key.c_str());
            ASSERT_NE(0, id) << "no key " << key;
            PressTapeKey(id);
            ASSERT_TRUE(TapeIsSound()) << "after " << key;
        }
    }
};

TEST_F(TapeTest, ResetEmptiesTapeButKeepsOperatorFlag)
{
    Press("1 2 + 3 = 4 . 5");
    g_Tape.viewTop = 1;
    g_Tape.operatorPressed = 1;
    ResetTape();
    EXPECT_EQ(BLANK_ENTRY, TapeText());
    EXPECT_TRUE(TapeIsSound());
    EXPECT_EQ(0, g_Tape.viewTop);
    EXPECT_EQ(0, g_Tape.markerRow);
    EXPECT_EQ(1, g_Tape.operatorPressed);
}

TEST_F(TapeTest, ShowTapeEndAndClampTapeView)
{
    struct Row { int cur, top; bool clamp; int expectedTop, expectedMarker; } rows[] = {
        {0, 5, false, 0, 0}, {1, 5, false, 0, 1}, {2, 0, false, 0, 2}, {5, 0, false, 3, 2},
        {99, 0, false, 97, 2},
        // clamping leaves the marker where it was (here 1)
        {1, 1, true, 0, 1}, {10, -1, true, 0, 1}, {10, 9, true, 8, 1}, {10, 5, true, 5, 1},
        {0, -3, true, 0, 1},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(::testing::Message() << "cur " << r.cur << " top " << r.top << (r.clamp ? " clamp" : " end"));
        g_Tape.tapeCur = r.cur;
        g_Tape.viewTop = r.top;
        g_Tape.markerRow = 1;
        if (r.clamp)
            ClampTapeView();
        else
            ShowTapeEnd();
        EXPECT_EQ(r.expectedTop, g_Tape.viewTop);
        EXPECT_EQ(r.expectedMarker, g_Tape.markerRow);
    }
}

TEST_F(TapeTest, FullTapeDropsOldestLine)
{
    char line[TAPE_ENTRY_SIZE + 8];
    std::snprintf(g_Tape.entries[0], TAPE_ENTRY_SIZE, "_%015d", 0);
    for (int i = 1; i <= 99; ++i) {
        AdvanceTape();
        ASSERT_EQ(i, g_Tape.tapeCur);
        ASSERT_STREQ(BLANK_ENTRY, g_Tape.entries[i]);
        std::snprintf(g_Tape.entries[i], TAPE_ENTRY_SIZE, "_%015d", i);
    }
    AdvanceTape();
    EXPECT_EQ(99, g_Tape.tapeCur);
    EXPECT_EQ(97, g_Tape.viewTop);
    EXPECT_EQ(2, g_Tape.markerRow);
    for (int i = 0; i < 99; ++i) {
        std::snprintf(line, sizeof line, "_%015d", i + 1);
        EXPECT_STREQ(line, g_Tape.entries[i]) << "line " << i;
    }
    EXPECT_STREQ(BLANK_ENTRY, g_Tape.entries[99]);
}

const char NINES[] = "9 9 9 9 9 9 9 9 9 9 9 9 9 9 9";

TEST_F(TapeTest, KeySequences)
{
    struct Row { std::string keys; const char *tape; int overflows; } rows[] = {
        // typing an amount
        {"1 2 . 5", "_0000000000012.5", 0},
        {"1 2 . 5 00", "_0000000000012.5", 0},
        {"1 2 . 5 0", "_000000000012.50", 0},
        {"1 2 . 5 0 5", "_000000000012.50", 0},
        {"1 2 . 5 0 backspace", "_0000000000012.5", 0},
        {"1 2 . 5 0 backspace backspace", "_000000000000012", 0},
        {"5 backspace", "_000000000000000", 0},
        {"1 2 backspace", "_000000000000001", 0},
        {"1 . 5 backspace", "_000000000000001", 0},
        {"1 2 3 4 5 6 7 8 9 0 1 2 3 4 5 6 sign", "_123456789012345", 0},
        {"1 2 3 4 5 6 7 8 9 0 1 2 3 4 sign", "_-12345678901234", 0},
        {"1 2 3 4 5 6 7 8 9 0 1 2 3 4 sign 5 . 00", "_-12345678901234", 0},
        {"1 2 3 4 5 6 7 8 9 0 1 2 0000", "_000123456789012", 0},
        {"1 2 3 4 5 6 7 8 9 0 1 2 000", "_123456789012000", 0},
        {"0 00 000 0000", "_000000000000000", 0},
        {"1 2 00", "_000000000001200", 0},
        {"1 0000", "_000000000010000", 0},
        {". .", "_00000000000000.", 0},
        {". 00", "_000000000000.00", 0},
        {". 000", "_00000000000000.", 0},
        {". 0 00", "_0000000000000.0", 0},
        {"sign", "_000000000000000", 0},
        {"5 sign", "_0000000000000-5", 0},
        {"5 sign sign", "_000000000000005", 0},
        {"5 sign backspace", "_000000000000000", 0},
        {". sign", "_000000000000-0.", 0},
        {". 5 sign", "_00000000000-0.5", 0},
        {". 5 0 sign", "_0000000000-0.50", 0},
        {". 5 0 sign sign", "_000000000000.50", 0},
        {". 5 sign backspace", "_0000000000000-0", 0},
        {". 5 sign backspace backspace 1", "_000000000000001", 0},
        {"backspace", "_000000000000000", 0},
        {"1 2 + 3 4 clear", "_000000000000012 +000000000000000", 0},
        {"1 2 + 3 = 4", "_000000000000012 +000000000000003 =000000000000015 _000000000000004", 0},
        {"1 2 + 3 = backspace", "_000000000000012 +000000000000003 =000000000000015 _000000000000000", 0},
        // operators
        {"1 2 + 3 =", "_000000000000012 +000000000000003 =000000000000015", 0},
        {"2 00 * 7 %", "_000000000000200 *000000000000007 =000000000001400 %000000000000014", 0},
        {"1 2 + 3 = * 2 =",
         "_000000000000012 +000000000000003 =000000000000015 *000000000000002 =000000000000030", 0},
        {"1 2 + 3 +", "_000000000000012 +000000000000003 =000000000000015 +000000000000000", 0},
        {"1 2 + -", "_000000000000012 -000000000000000", 0},
        {"1 2 + = * 3 =", "_000000000000012 =000000000000000 *000000000000003 =000000000000000", 0},
        {"1 2 + 3 = =", "_000000000000012 +000000000000003 =000000000000015", 0},
        {"2 0 0 %", "_000000000000200 %000000000000002", 0},
        {"2 0 0 + % 5", "_000000000000200 %000000000000000 _000000000000005", 0},
        {"1 2 + 0 -", "_000000000000012 +000000000000000 =000000000000012 -000000000000000", 0},
        {"1 2 + 3 = 4 clear = + 5 =",
         "_000000000000012 +000000000000003 =000000000000015 +000000000000005 =000000000000020", 0},
        {"1 0 - 3 =", "_000000000000010 -000000000000003 =000000000000007", 0},
        {"1 0 / 4 =", "_000000000000010 /000000000000004 =000000000002.50", 0},
        {"1 0 / 0 =", "_000000000000010 /000000000000000 =000000000000000", 0},
        {"=", "_000000000000000", 0},
        {"%", "_000000000000000 %000000000000000", 0},
        {"5 =", "_000000000000005", 0},
        {"5 = %", "_000000000000005 %000000000000.05", 0},
        {". = +", "_00000000000000. +000000000000000", 0},
        {". sign backspace = +", "_0000000000000-0 +000000000000000", 0},
        {"1 + pgup -", "_000000000000001 -000000000000000", 0},
        {"= %", "%000000000000000", 0},
        {"= = + 5 =", "=000000000000000 +000000000000005 =000000000000005", 0},
        // an operator pending on line 0 is applied against zero
        {"= + 5 =", "+000000000000005 =000000000000005", 0},
        {"= - 5 =", "-000000000000005 =0000000000000-5", 0},
        {"= * 5 =", "*000000000000005 =000000000000000", 0},
        {"= / 5 =", "/000000000000005 =000000000000000", 0},
        {"= - 5 %", "-000000000000005 =0000000000000-5 %0000000000-0.05", 0},
        {"1 + power + 7 =", "+000000000000007 =000000000000007", 0},
        {"1 + power - 7 +", "-000000000000007 =0000000000000-7 +000000000000000", 0},
        // too large: the notice, then the calculation goes on from zero
        {"9 9 9 9 9 9 9 9 * 9 9 9 9 9 9 9 9 = + 5 =",
         "_000000099999999 *000000099999999 =000000000000000 +000000000000005 =000000000000005", 1},
        {std::string(NINES) + " %", "_999999999999999 %000000000000000", 1},
        {std::string(NINES) + " + 1 %",
         "_999999999999999 +000000000000001 =000000000000000 %000000000000000", 1},
        {"9 9 9 9 9 9 9 9 9 9 9 9 . 9 9 + . 0 1 =", "_999999999999.99 +000000000000.01 =001000000000000", 0},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.keys);
        SetUp();
        Press(r.keys.c_str());
        EXPECT_EQ(r.tape, TapeText());
        EXPECT_EQ(r.overflows, g_nOverflowMessages);
    }
}

// Keys clicked while the overflow notice is open are handled at once; the
// interrupted operator key then goes on with the tape as they left it.
const char *g_pszNestedKeys;

void PressNestedKeys()
{
    g_pfnWhileOverflowMessage = nullptr;
    std::istringstream in(g_pszNestedKeys);
    std::string key;
    while (in >> key) PressTapeKey(FindKeyId(key.c_str()));
}

TEST_F(TapeTest, KeysDuringOverflowNotice)
{
    const std::string big = "9 9 9 9 9 9 9 9 * 9 9 9 9 9 9 9 9";
    struct Row { std::string keys; const char *nested, *last, *tape; int overflows; } rows[] = {
        {big, "power", "=", "_000000000000000 =000000000000000", 1},
        {big, "5", "=", "_000000099999999 *000000999999995 =000000000000000", 1},
        {big, "+", "=",
         "_000000099999999 *000000099999999 =000000000000000 +000000000000000 =000000000000000", 2},
        {big, "power 7", "%", "_000000000000007 =000000000000000 %000000000000000", 1},
        {NINES, "clear 1 2", "%", "_000000000000012 %000000000000000", 1},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.keys + " " + r.last + " with " + r.nested + " during the notice");
        SetUp();
        Press(r.keys.c_str());
        g_pszNestedKeys = r.nested;
        g_pfnWhileOverflowMessage = PressNestedKeys;
        Press(r.last);
        EXPECT_EQ(r.tape, TapeText());
        EXPECT_EQ(r.overflows, g_nOverflowMessages);
    }
}

TEST_F(TapeTest, OperatorFlag)
{
    struct Row { const char *keys; int flag; } rows[] = {
        {"1", 0}, {"1 +", 1}, {"=", 1}, {"1 + -", 1}, {"1 + 5", 0}, {"1 + sign", 0},
        {"1 + power", 1}, {"1 + pgup down", 1}, {"1 + 2 = 00", 0},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.keys);
        SetUp();
        Press(r.keys);
        EXPECT_EQ(r.flag, g_Tape.operatorPressed);
    }
}

TEST_F(TapeTest, OperatorOnFullTape)
{
    std::string keys = "1";
    for (int i = 0; i < 60; ++i) keys += " + 1";
    Press((keys + " =").c_str());
    EXPECT_EQ(99, g_Tape.tapeCur);
    EXPECT_EQ(97, g_Tape.viewTop);
    EXPECT_EQ(2, g_Tape.markerRow);
    EXPECT_STREQ("+000000000000001", g_Tape.entries[0]);  // line 21 of 121
    EXPECT_STREQ("=000000000000012", g_Tape.entries[1]);
    EXPECT_STREQ("+000000000000001", g_Tape.entries[96]);
    EXPECT_STREQ("=000000000000060", g_Tape.entries[97]);
    EXPECT_STREQ("+000000000000001", g_Tape.entries[98]);
    EXPECT_STREQ("=000000000000061", g_Tape.entries[99]);
}

TEST_F(TapeTest, ScrollKeys)
{
    struct Row { int lines; const char *keys; int cur, top, marker; } rows[] = {
        {10, "pgup", 10, 6, 2}, {10, "pgup up", 10, 5, 2}, {10, "pgup up pgdn", 10, 7, 2},
        {10, "pgup up pgdn pgdn", 10, 8, 2}, {10, "pgup pgup down", 10, 5, 2},
        {10, "down", 10, 8, 2}, {10, "pgdn", 10, 8, 2},
        {10, "up up up up up up up up up up", 10, 0, 2}, {10, "pgup 5", 10, 8, 2},
        {10, "pgup pgup +", 11, 9, 2}, {2, "up", 2, 0, 2}, {2, "pgup", 2, 0, 2}, {2, "down", 2, 0, 2},
        {2, "pgdn", 2, 0, 2}, {1, "pgdn", 1, 0, 1}, {0, "up", 0, 0, 0}, {10, "up up power", 0, 0, 0},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(::testing::Message() << r.lines << " lines, " << r.keys);
        SetUp();
        for (int i = 0; i < r.lines; ++i) AdvanceTape();
        Press(r.keys);
        EXPECT_EQ(r.cur, g_Tape.tapeCur);
        EXPECT_EQ(r.top, g_Tape.viewTop);
        EXPECT_EQ(r.marker, g_Tape.markerRow);
    }
}

// Random key sequences, mostly entry keys, checked after every key.
TEST_F(TapeTest, RandomSequencesKeepTapeSound)
{
    std::mt19937 rng(4242);
    // Weights of the calculator keys, in ButtonId order from KEY_0.
    const std::vector<int> weights = {25, 25, 25, 25, 25, 25, 25, 25, 25, 25, 25, 25, 25, 20, 15, 5, 15,
                                      12, 12, 12, 12, 12, 12, 1, 4, 4, 4, 4};
    ASSERT_EQ(size_t(LAST_CALCULATOR_KEY - KEY_0 + 1), weights.size());
    std::discrete_distribution<int> pick(weights.begin(), weights.end());
    for (int run = 0; run < 1500 && !HasFailure(); ++run) {
        SetUp();
        std::string keys;
        // every tenth run is long and never powers off, to fill the tape
        bool fill = run % 10 == 0;
        int length = fill ? 800 : 1 + int(rng() % 200);
        for (int k = 0; k < length && !HasFailure(); ++k) {
            int id = KEY_0 + pick(rng);
            if (fill && id == KEY_POWER) continue;
            keys += std::string(keys.empty() ? "" : " ") + KeyTextOf(id);
            const TapeState before = g_Tape;
            int repaints = g_nLcdRepaints, overflows = g_nOverflowMessages;

            PressTapeKey(id);

            SCOPED_TRACE(keys);
            ASSERT_TRUE(TapeIsSound());
            EXPECT_EQ(repaints + 1, g_nLcdRepaints);
            if (id <= LAST_ENTRY_KEY || id > LAST_OPERATOR_KEY) {
                EXPECT_EQ(overflows, g_nOverflowMessages);
            }
            if (id <= LAST_OPERATOR_KEY) {
                EXPECT_EQ(id > LAST_ENTRY_KEY ? 1 : 0, g_Tape.operatorPressed);
                EXPECT_EQ(g_Tape.tapeCur > 2 ? g_Tape.tapeCur - 2 : 0, g_Tape.viewTop);
                EXPECT_EQ(g_Tape.tapeCur - g_Tape.viewTop, g_Tape.markerRow);
            } else if (id == KEY_POWER) {
                EXPECT_EQ(BLANK_ENTRY, TapeText());
                EXPECT_EQ(0, g_Tape.markerRow);
                EXPECT_EQ(before.operatorPressed, g_Tape.operatorPressed);
            } else {
                EXPECT_EQ(before.tapeCur, g_Tape.tapeCur);
                EXPECT_EQ(before.markerRow, g_Tape.markerRow);
                EXPECT_EQ(before.operatorPressed, g_Tape.operatorPressed);
                EXPECT_EQ(0, std::memcmp(before.entries, g_Tape.entries, sizeof before.entries));
            }
        }
    }
}

}  // namespace
