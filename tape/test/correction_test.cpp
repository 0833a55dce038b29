// Lines corrected and deleted on a full tape, where the text made for the
// replay is as long as it gets; and what is refused, changing nothing.
#include <string>

#include <gtest/gtest.h>

#include "tape/correction.h"
#include "tape/press_key.h"
#include "tape/tape_text.h"
#include "tape/undo.h"

namespace {

std::string ShownTape()
{
    static char text[TAPE_TEXT_SIZE];
    FormatTapeText("\n", text);
    return text;
}

// 1, then "+1" "=n" pairs until the tape is full and has dropped lines:
// "+1" on the even lines, "=12" on line 1 and one more on each odd line.
void FillTape()
{
    g_Tape.operatorPressed = 0;
    ResetTape();
    PressTapeKey(KEY_1);
    for (int i = 0; i < 60; i++) {
        PressTapeKey(KEY_PLUS);
        PressTapeKey(KEY_1);
        PressTapeKey(KEY_EQUALS);
    }
    ForgetTapeChanges();
}

TEST(Correction, FullTapeRecomputedAndUndone)
{
    FillTape();
    std::string before = ShownTape();
    ASSERT_TRUE(CorrectTapeLine(50, " -12345678901.25 ")); /* 15 characters */
    EXPECT_STREQ(g_Tape.entries[50], "+-12345678901.25");
    EXPECT_STREQ(g_Tape.entries[51], "=-12345678865.25"); /* 36 before it */
    EXPECT_STREQ(g_Tape.entries[99], "=-12345678841.25");
    ASSERT_TRUE(UndoTapeChange());
    EXPECT_EQ(ShownTape(), before);
    ASSERT_TRUE(DeleteTapeLine(96));
    EXPECT_EQ(g_Tape.tapeCur, 97);
    EXPECT_STREQ(g_Tape.entries[97], "=000000000000060");
}

TEST(Correction, RefusalsChangeNothing)
{
    FillTape();
    std::string before = ShownTape();
    const struct { int line; const char *amount; } CORRECTIONS[] = {
        { -1, "1" }, { 100, "1" }, { 51, "1" }, { 50, "" }, { 50, "1.234" }, { 50, "--5" },
        { 50, "1 2" }, { 50, "1234567890123456" }, { 50, "-" },
    };
    for (const auto &c : CORRECTIONS)
        EXPECT_FALSE(CorrectTapeLine(c.line, c.amount)) << c.line << " " << c.amount;
    for (int line : { -1, 0, 51, 100 })
        EXPECT_FALSE(DeleteTapeLine(line)) << line;
    EXPECT_EQ(ShownTape(), before);
    EXPECT_FALSE(CanUndoTapeChange());
}

} // namespace
