/*
 * Which handler takes a key (the routing itself is in tape/press_key.cpp,
 * above the handlers); the keys' texts; and the characters that press keys,
 * for the driver and for pasted text.
 */
#include "tape/keys.h"

#include <limits.h>

#include "tape/site.h"

KeyGroup KeyGroupOf(int buttonId)
{
    if (buttonId > LAST_OPERATOR_KEY)
        return KEY_GROUP_SCROLL;
    if (buttonId >= FIRST_OPERATOR_KEY)
        return KEY_GROUP_OPERATOR;
    return KEY_GROUP_ENTRY;
}

bool ButtonIdOfWord(long long word, int *buttonId)
{
    if (word < INT_MIN || word > INT_MAX)
        return false;
    *buttonId = (int)word;
    return true;
}

bool IsNumberKey(int buttonId)
{
    return buttonId >= FIRST_NUMBER_KEY && buttonId <= LAST_NUMBER_KEY;
}

const char *KeyTextOf(int buttonId)
{
    switch (buttonId) {
#define KEY_ROW(id, name, text, x, y, w, h, pressed, koreanName) \
    case name: return text;
#include "tape/keys.def"
#undef KEY_ROW
    default: return "";
    }
}

namespace {

struct CharKey {
    unsigned c;
    int buttonId;
};

const CharKey CHAR_KEYS[] = {
#define CHAR_KEY(character, buttonId) { (unsigned char)(character), buttonId },
#include "tape/char_keys.def"
#undef CHAR_KEY
};

} // namespace

int KeyOfChar(unsigned c)
{
    for (const CharKey &key : CHAR_KEYS) {
        if (key.c == c)
            return key.buttonId;
    }
    return 0;
}
