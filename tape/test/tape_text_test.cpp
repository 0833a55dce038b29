// The tape as text and pasted text as the keys it types.
#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tape/press_key.h"
#include "tape/tape_text.h"
#include "amount/test/fake_platform.h"

namespace {

TEST(TapeText, FullTapeFillsTheTextToItsLastByte)
{
    ResetTape();
    g_Tape.tapeCur = TAPE_ENTRIES - 1;
    char text[TAPE_TEXT_SIZE];
    EXPECT_EQ(TAPE_TEXT_SIZE - 1, FormatTapeText("\r\n", text));
    EXPECT_EQ(std::string("               0\r\n"), text + TAPE_TEXT_SIZE - 19);
}

// The key texts of what the first length characters of text type, and "|"
// after them where they stop before the end of the text.
std::string PastedKeys(const std::u16string &text, size_t length = std::u16string::npos)
{
    static int keys[PASTE_MAX_CHARS];
    bool whole = false;
    int n = ParsePastedText(text.c_str(), (int)std::min(length, text.size()), keys, &whole);
    std::string texts;
    for (int i = 0; i < n; i++)
        texts += (i ? " " : "") + std::string(KeyTextOf(keys[i]));
    return whole ? texts : texts + "|";
}

TEST(PastedText, Keys)
{
    ResetTape();
    const std::pair<std::u16string, const char *> rows[] = {
        { u"1,234.5*2=", "1 2 3 4 . 5 * 2 =" },
        { u"-3+1=", "3 sign + 1 =" },
        { u"5 * - .5%", "5 * . 5 sign %" },        // after an operator, blanks between
        { u"--5/-", "- 5 sign / -" },              // a "-" before no number is the key
        { u"12\r\n3\n4\r", "1 2 + 3 + 4 =" },      // each line break once
        { u"-12 x3", "1 2 sign|" },                // the part before a stranger stands,
        { u"12c3", "|" },                          // but a number running into one is none
        { u"1\t2", "1|" },                         // nor is a tab
        { std::u16string(u"12\0" u"3", 4), "1 2" }, // a zero ends it
        // A number that cannot be typed whole is not typed at all.
        { u"12345678901234567", "|" },
        { u"2*-123456789012345=", "2 *|" },        // its sign does not fit
        { u"2*3.14159=", "2 *|" },
        { u"1.2.3", "|" },
        // Separators only between groups of thousands.
        { u"12 345 678.5", "1 2 3 4 5 6 7 8 . 5" },
        { u"1 234,56", "|" },
        { u"1234,567", "|" },
        { u"$1,234.56", "|" },
        // What reads the same is the same.
        { u"\u2212" u"5\u00A0+\u202F1", "5 sign + 1" },
        { u"\uFF11\uFF12,\uFF13\uFF14\uFF15", "1 2 3 4 5" },
        { u"\uFEFF" u"7=", "7 =" },
        { u"7\uFEFF", "|" },                       // a mark only at the start
        // Up to the limit, or nothing.
        { std::u16string(PASTE_MAX_CHARS - 2, u' ') + u"1=", "1 =" },
        { u"\uFEFF" + std::u16string(PASTE_MAX_CHARS - 2, u' ') + u"1=", "1 =" },
        { std::u16string(PASTE_MAX_CHARS - 2, u' ') + u"12=", "|" },
    };
    for (const auto &row : rows)
        EXPECT_EQ(row.second, PastedKeys(row.first)) << row.second;
    EXPECT_EQ("1 sign", PastedKeys(u"-12", 2));
}

// The tape that pasting a text onto an empty one leaves: each line as its mark
// and plain amount, and "|" where the paste stopped short.
TEST(PastedText, Tapes)
{
    const std::pair<std::u16string, const char *> rows[] = {
        // A column adds up; no number runs on into the next.
        { u"1250\r\n380\r\n75\r\n", "_1250 +380 =1630 +75 =1705" },
        { u"-4,500\r\n12,000\r\n\r\n- 75\n", "_-4500 +12000 =7500 +-75 =7425" },
        { u"1250\n380\n9.999", "_1250 +380 =1630|" }, // the break before a refused number is "="
        { u"5=3", "_5|" },
        // Full-width forms, every space separator and "'" read as their plain forms.
        { u"\uFF11\uFF12\uFF0E\uFF15\uFF0B\uFF14\uFF1D", "_12.5 +4 =16.50" },
        { u"1\uFF0C234+1\u3000234+1\u2009234+1'234=", "_1234 +1234 =2468 +1234 =3702 +1234 =4936" },
        { u"5+12a34", "_5 +0|" }, // a number running into a stranger is none
    };
    static int keys[PASTE_MAX_CHARS];
    for (const auto &row : rows) {
        ResetTape();
        bool whole = false;
        std::for_each(keys, keys + ParsePastedText(row.first.c_str(), (int)row.first.size(), keys, &whole),
                      PressTapeKey);
        std::string tape;
        for (int i = 0; i <= g_Tape.tapeCur; i++) {
            PlainAmount amount;
            FormatPlainAmount(g_Tape.entries[i] + 1, amount);
            tape += (i ? " " : "") + std::string(1, g_Tape.entries[i][0]) + amount;
        }
        EXPECT_EQ(row.second, tape + (whole ? "" : "|")) << row.second;
    }
}

TEST(PastedText, FirstNumberGoesOnWithTheAmountBeingTyped)
{
    ResetTape();
    for (int key : { KEY_1, KEY_2, KEY_SIGN })
        PressTapeKey(key);
    EXPECT_EQ("3 4 5 6 7 8 9 0 1 2 3 4", PastedKeys(u"345678901234"));
    EXPECT_EQ("|", PastedKeys(u"3456789012345"));
    EXPECT_EQ("|", PastedKeys(u"-3")); // it is negative already
}

} // namespace
