// Tape texts replayed, and undo and redo of the tape's changes.
#include <cstring>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "amount/test/fake_platform.h"
#include "tape/press_key.h"
#include "tape/replay.h"
#include "tape/tape_text.h"
#include "tape/undo.h"

namespace {

std::string ShownTape(const char *lineEnd = "\n")
{
    static char text[TAPE_TEXT_SIZE];
    FormatTapeText(lineEnd, text);
    return text;
}

// As the driver prints it with --raw.
std::string RawTape()
{
    std::string text;
    for (int i = 0; i <= g_Tape.tapeCur; i++)
        text += g_Tape.entries[i] + std::string("\n");
    return text;
}

ReplayOutcome Replay(const std::string &text, std::string *differences = nullptr)
{
    auto collect = [](const ReplayDifference *d, void *context) {
        *(std::string *)context += std::to_string(d->line) + ":" + d->file + ">" + d->computed + " ";
    };
    return ReplayTapeText(text.data(), (int)text.size(), differences ? +collect : nullptr, differences);
}

void FreshTape()
{
    g_Tape.operatorPressed = 0;
    ResetTape();
    ForgetTapeChanges();
    g_nOverflowMessages = 0;
    g_nLcdRepaints = 0;
}

void Press(std::initializer_list<int> keys)
{
    for (int key : keys)
        PressTapeKey(key);
}

// Every tape that keys make, long and short, with results too large, the
// sign, clear, backspace, scrolling and power, and its text in each form
// (LF, CR LF after a byte order mark, raw), comes back line for line.
TEST(Replay, EveryTapeThatKeysMakeComesBack)
{
    std::mt19937 random(15);
    for (int run = 0; run < 30000; run++) {
        FreshTape();
        g_Tape.operatorPressed = (int)(random() % 2); // power after an operator keeps it
        int keys = (int)(random() % (run % 20 == 0 ? 700 : 30));
        for (int i = 0; i < keys; i++) {
            int key = FIRST_ENTRY_KEY + (int)(random() % LAST_CALCULATOR_KEY);
            if (key == KEY_POWER && random() % 3)
                key = KEY_EQUALS;
            PressTapeKey(random() % 4 ? key : KEY_9); // nines for overflows
        }
        std::string shown = ShownTape();
        std::string forms[] = { shown, "\xEF\xBB\xBF" + ShownTape("\r\n"), RawTape() };
        const std::string &text = forms[run % 3];
        ReplayOutcome outcome = Replay(text);
        ASSERT_EQ(REPLAY_TAKEN, outcome.refusal) << "run " << run << " line " << outcome.line << "\n" << text;
        ASSERT_EQ(0, outcome.differences) << "run " << run << "\n" << text;
        ASSERT_EQ(shown, ShownTape()) << "run " << run << "\n" << text;
    }
}

// ASCII as UTF-16 after its byte order mark, as Windows editors save "Unicode".
std::string Utf16(const std::string &ascii, bool bigEndian)
{
    std::string text = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char c : ascii)
        text += bigEndian ? std::string{ '\0', c } : std::string{ c, '\0' };
    return text;
}

// What is refused, naming its line (and the line before, where the two do
// not go together), and what is computed otherwise than the text has it; a
// refused text changes nothing, a replay is one undo step, shows no notice
// and repaints once.
TEST(Replay, RefusedTextsAndDifferences)
{
    const struct {
        std::string text;
        ReplayRefusal refusal;
        int line, previous;
        const char *differences; // line:file>computed
        const char *tape;        // the last line afterwards
    } rows[] = {
        { "  12\n+  4\n=  15\n*  2\n=  30\n", REPLAY_TAKEN, 0, 0, "3:15>16 5:30>32 ", "=             32\n" },
        { "\xEF\xBB\xBF\r\n12\r\n\r\n+3\r\n=15 \r\n", REPLAY_TAKEN, 0, 0, "", "=             15\n" },
        { "12\n+3\n=15\n%0\n", REPLAY_TAKEN, 0, 0, "", "%              0\n" },   // an operator corrected to %
        { "12\n=0.00\n+3\n=3\n=0\n", REPLAY_TAKEN, 0, 0, "", "=              0\n" }, // and to =: zero
        { "=20\n+5\n=26\n", REPLAY_TAKEN, 0, 0, "3:26>25 ", "=             25\n" }, // above the text: stands
        { "+5\n=20\n*2\n=40\n", REPLAY_TAKEN, 0, 0, "", "=             40\n" },
        { "  - 5\n+.5\n=-4.5\n", REPLAY_TAKEN, 0, 0, "", "=          -4.50\n" },   // -05 as the LCD shows it
        { "999999999999999\n+1\n=5\n", REPLAY_TAKEN, 0, 0, "3:5>0 ", "=              0\n" },
        { Utf16("12\r\n\r\n+3\r\n=16\r\n", false), REPLAY_TAKEN, 0, 0, "4:16>15 ", "=             15\n" },
        { Utf16("12\r+3\r\r=15\r", true), REPLAY_TAKEN, 0, 0, "", "=             15\n" }, // lone CRs
        { "12\n+\t3\n\xEF\xBB\xBF=15\t\n", REPLAY_TAKEN, 0, 0, "", "=             15\n" },
        { std::string("\xFF\xFE" "1\0\x35\x0A", 6), REPLAY_BAD_CHARACTER, 1, 0, "", nullptr }, // U+0A35
        { "12\n+3x\n", REPLAY_BAD_CHARACTER, 2, 0, "", nullptr },
        { "12\n+1 234\n", REPLAY_BAD_CHARACTER, 2, 0, "", nullptr },
        { "1234567890123456\n", REPLAY_AMOUNT_TOO_LONG, 1, 0, "", nullptr },
        { "1\n+3.14159\n", REPLAY_AMOUNT_NOT_TYPED, 2, 0, "", nullptr },
        { "12\n+3\n4\n", REPLAY_CALCULATION_OPEN, 3, 2, "", nullptr },
        { "12\n+3\n\n+4\n", REPLAY_CALCULATION_OPEN, 4, 2, "", nullptr }, // an inserted line
        { "12\n+3\n%4\n", REPLAY_CALCULATION_OPEN, 3, 2, "", nullptr },
        { "5\n7\n", REPLAY_AMOUNTS_IN_A_ROW, 2, 1, "", nullptr }, // two tapes appended
        // Operand lines deleted above a total, and a total copied.
        { "1250\n=1630\n*3\n=4890\n", REPLAY_TOTAL_WITHOUT_OPERANDS, 2, 0, "", nullptr },
        { "1250\n+380\n=1630\n=1705\n*3\n", REPLAY_TOTAL_WITHOUT_OPERANDS, 4, 0, "", nullptr },
        { "\n  \r\n\t\r", REPLAY_NO_LINES, 0, 0, "", nullptr },
        { std::string(REPLAY_MAX_CHARS + 1, '\n'), REPLAY_TEXT_TOO_LONG, 0, 0, "", nullptr },
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.text.substr(0, 40));
        FreshTape();
        Press({ KEY_7, KEY_PLUS });
        std::string before = ShownTape();
        g_nLcdRepaints = 0;
        std::string differences;
        ReplayOutcome outcome = Replay(row.text, &differences);
        EXPECT_EQ(row.refusal, outcome.refusal);
        EXPECT_EQ(row.line, outcome.line);
        EXPECT_EQ(row.previous, outcome.previousLine);
        EXPECT_EQ(row.differences, differences);
        EXPECT_EQ(0, g_nOverflowMessages);
        if (row.tape) {
            EXPECT_EQ(1, g_nLcdRepaints);
            std::string after = ShownTape();
            EXPECT_EQ(row.tape, after.substr(after.rfind('\n', after.size() - 2) + 1));
            EXPECT_TRUE(UndoTapeChange());
        } else {
            EXPECT_EQ(0, g_nLcdRepaints);
        }
        EXPECT_EQ(before, ShownTape());
        EXPECT_EQ(1, g_Tape.operatorPressed); // a following operator still corrects the "+"
    }

    // More lines than a tape holds: the last of them stay.
    std::string text = "0\n";
    for (int i = 1; i <= 75; i++)
        text += "+1\n=" + std::to_string(i) + "\n";
    FreshTape();
    EXPECT_EQ(0, Replay(text).differences);
    EXPECT_EQ(TAPE_ENTRIES - 1, g_Tape.tapeCur);
    EXPECT_STREQ("+000000000000001", g_Tape.entries[0]);
    EXPECT_STREQ("=000000000000075", g_Tape.entries[TAPE_ENTRIES - 1]);
}

// Undo and redo bring back whole tapes: the lines that a full tape dropped,
// a result too large, what power erased; a change after an undo ends redo.
TEST(Undo, AcrossAnOverflowAFullTapeAndPower)
{
    FreshTape();
    Press({ KEY_1 });
    for (int i = 0; i < 60; i++)
        Press({ KEY_PLUS, KEY_1 }); // 121 lines: the tape is full
    Press({ KEY_CLEAR });
    for (int i = 0; i < AMOUNT_LEN; i++)
        Press({ KEY_9 });
    Press({ KEY_PAGE_UP }); // the view alone: no step
    std::string full = ShownTape();
    Press({ KEY_EQUALS });
    ASSERT_EQ(1, g_nOverflowMessages);
    std::string overflowed = ShownTape();
    Press({ KEY_POWER });

    g_nLcdRepaints = 0;
    EXPECT_TRUE(UndoTapeChange());
    EXPECT_EQ(overflowed, ShownTape());
    EXPECT_TRUE(UndoTapeChange());
    EXPECT_EQ(full, ShownTape());
    EXPECT_EQ(2, g_nLcdRepaints);
    EXPECT_TRUE(RedoTapeChange());
    EXPECT_TRUE(RedoTapeChange());
    EXPECT_FALSE(RedoTapeChange());
    EXPECT_EQ("               0\n", ShownTape());

    // At least UNDO_STEPS back, and no further.
    for (int i = 0; i < UNDO_STEPS; i++)
        EXPECT_TRUE(UndoTapeChange()) << i;
    EXPECT_FALSE(UndoTapeChange());
    for (int i = 0; i < UNDO_STEPS - 2; i++)
        EXPECT_TRUE(RedoTapeChange()) << i;
    EXPECT_EQ(full, ShownTape());
    Press({ KEY_BACKSPACE });
    EXPECT_FALSE(CanRedoTapeChange());
    EXPECT_TRUE(UndoTapeChange());
    EXPECT_EQ(full, ShownTape());
}

} // namespace
