// The tape as text and pasted text as the keys it types.
#include <algorithm>
#include <string>

#include <gtest/gtest.h>

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

// The key texts of what the first length characters of text type.
std::string PastedKeys(const std::u16string &text, size_t length = std::u16string::npos)
{
    static int keys[PASTE_MAX_CHARS];
    int n = ParsePastedText(text.c_str(), (int)std::min(length, text.size()), keys);
    std::string texts;
    for (int i = 0; i < n; i++)
        texts += (i ? " " : "") + std::string(KeyTextOf(keys[i]));
    return texts;
}

TEST(PastedText, Keys)
{
    const std::pair<std::u16string, const char *> rows[] = {
        { u"1,234.5*2=", "1 2 3 4 . 5 * 2 =" },
        { u"-3+1=", "3 sign + 1 =" },
        { u"5 * - .5%", "5 * . 5 sign %" },        // after an operator, blanks between
        { u"--5/-", "- 5 sign / -" },              // a "-" before no number is the key
        { u"12\r\n3\n4\r", "1 2 = 3 = 4 =" },      // each line break once
        { u"-12x3", "1 2 sign" },                  // the part before a stranger stands
        { u"12c3", "1 2" },                        // letters are no keys here
        { u"1\t2", "1" },                          // nor is a tab
        { std::u16string(u"12\0" u"3", 4), "1 2" }, // a zero ends it
    };
    for (const auto &row : rows)
        EXPECT_EQ(row.second, PastedKeys(row.first)) << row.second;
    EXPECT_EQ("1 sign", PastedKeys(u"-12", 2));
    EXPECT_EQ("1 2", PastedKeys(std::u16string(PASTE_MAX_CHARS - 2, u' ') + u"123"));
}

} // namespace
