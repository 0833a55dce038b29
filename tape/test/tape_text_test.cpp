// The tape as text (for the clipboard, the saved file and the driver) and
// pasted text as the keys it types.
#include <string>

#include <gtest/gtest.h>

#include "tape/tape_text.h"
#include "tape/test/fake_platform.h"

namespace {

TEST(TapeText, LinesAsShownWithTheirLineEnds)
{
    ResetTape();
    for (int id : { KEY_POINT, KEY_5, KEY_SIGN, KEY_MULTIPLY, KEY_2, KEY_EQUALS })
        PressTapeKey(id);
    char text[TAPE_TEXT_SIZE];
    EXPECT_EQ(54, FormatTapeText("\r\n", text));
    EXPECT_STREQ("            -0.5\r\n"
                 "*              2\r\n"
                 "=             -1\r\n",
                 text);

    // A full tape fills the buffer to its last byte.
    g_nTapeCur = TAPE_ENTRIES - 1;
    EXPECT_EQ(TAPE_TEXT_SIZE - 1, FormatTapeText("\r\n", text));
    EXPECT_EQ(std::string("               0\r\n"), text + TAPE_TEXT_SIZE - 19);
}

// The key texts of what text types, separated by blanks.
std::string PastedKeys(const std::u16string &text, int length)
{
    static int keys[PASTE_MAX_CHARS];
    int n = ParsePastedText(text.c_str(), length, keys);
    std::string texts;
    for (int i = 0; i < n; i++)
        texts += (i ? " " : "") + std::string(KeyText(keys[i]));
    return texts;
}

TEST(PastedText, Keys)
{
    const struct {
        std::u16string text;
        const char *keys;
    } rows[] = {
        { u"1,234.5*2=", "1 2 3 4 . 5 * 2 =" },
        { u"-3+1=", "3 sign + 1 =" },
        { u"5 * - .5%", "5 * . 5 sign %" },        // after an operator, blanks between
        { u"--5/-", "- 5 sign / -" },              // a "-" before no number is the key
        { u"7-2", "7 - 2" },                       // after a digit it subtracts
        { u"12\r\n3\n4\r", "1 2 = 3 = 4 =" },      // each line break once
        { u"=-1", "= 1 sign" },
        { u"-12x3", "1 2 sign" },                  // the part before a stranger stands
        { u"12c3", "1 2" },                        // letters are no keys here
        { u"1\t2", "1" },                          // nor is a tab
        { u"3\u00d74", "3" },
        { u"", "" },
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(std::string(row.keys));
        EXPECT_EQ(row.keys, PastedKeys(row.text, (int)row.text.size()));
    }
}

TEST(PastedText, ReadsNoFurtherThanItsBounds)
{
    EXPECT_EQ("1 2", PastedKeys(u"12\0" u"3", 4));  // a zero ends it
    EXPECT_EQ("1 sign", PastedKeys(u"-12", 2));    // and so does the length
    std::u16string longText(PASTE_MAX_CHARS - 2, u' ');
    longText += u"123";
    EXPECT_EQ("1 2", PastedKeys(longText, (int)longText.size()));
}

} // namespace
