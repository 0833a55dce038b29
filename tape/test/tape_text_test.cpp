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
        { u"12\r\n3\n4\r", "1 2 = 3 = 4 =" },      // each line break once
        { u"-12x3", "1 2 sign|" },                 // the part before a stranger stands
        { u"12c3", "1 2|" },                       // letters are no keys here
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
        { u"7\uFEFF", "7|" },                      // a mark only at the start
        // Up to the limit, or nothing.
        { std::u16string(PASTE_MAX_CHARS - 2, u' ') + u"1=", "1 =" },
        { u"\uFEFF" + std::u16string(PASTE_MAX_CHARS - 2, u' ') + u"1=", "1 =" },
        { std::u16string(PASTE_MAX_CHARS - 2, u' ') + u"12=", "|" },
    };
    for (const auto &row : rows)
        EXPECT_EQ(row.second, PastedKeys(row.first)) << row.second;
    EXPECT_EQ("1 sign", PastedKeys(u"-12", 2));
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
