/*
 * The calculator's keys as both front ends know them: their ids, names and
 * texts (from tape/keys.def), and the ranges of ids that decide which
 * handler takes a key (KeyGroupOf; PressTapeKey, tape/press_key.h, routes
 * it).
 */
#ifndef ORVANTA_KEYS_H
#define ORVANTA_KEYS_H

enum {
#define KEY_ROW(id, name, text, x, y, w, h, pressed, koreanName) name = id,
#include "tape/keys.def"
#undef KEY_ROW
    BUTTON_COUNT = KEY_WEB,

    /* ButtonId ranges. The entry keys come first, the number keys (the
       digits, the zero groups and the point, which type an amount) before
       sign, clear and backspace; then the operators, then the power and
       scroll keys; the keys after those serve the window itself. */
    FIRST_ENTRY_KEY = KEY_0,
    FIRST_NUMBER_KEY = KEY_0,
    LAST_NUMBER_KEY = KEY_POINT,
    LAST_ENTRY_KEY = KEY_BACKSPACE,
    FIRST_OPERATOR_KEY = KEY_PLUS,
    LAST_OPERATOR_KEY = KEY_EQUALS,
    FIRST_SCROLL_KEY = KEY_POWER,
    LAST_CALCULATOR_KEY = KEY_LINE_DOWN
};
static_assert(LAST_NUMBER_KEY < KEY_SIGN && KEY_SIGN < KEY_CLEAR && KEY_CLEAR < LAST_ENTRY_KEY &&
                  LAST_ENTRY_KEY + 1 == FIRST_OPERATOR_KEY &&
                  LAST_OPERATOR_KEY + 1 == FIRST_SCROLL_KEY,
              "the groups follow each other in ButtonId order");

enum KeyGroup { KEY_GROUP_ENTRY, KEY_GROUP_OPERATOR, KEY_GROUP_SCROLL };

/* Which handler takes a calculator key: an id above the operators counts as
   a scroll key and one below them as an entry key, so any id has a group. */
KeyGroup KeyGroupOf(int buttonId);

/* The ButtonId that a message word (an LPARAM, as wide as a pointer) names:
   false when the value does not fit an int, so that on x86-64 0x100000001
   names no key rather than key 1. Every narrowing of a key's word goes
   through here. */
bool ButtonIdOfWord(long long word, int *buttonId);

/* A digit, a zero group or the point. */
bool IsNumberKey(int buttonId);

/* The key's text (tape/keys.def): what a number key types, an operator's
   mark, the word the driver knows the other keys by; "" for an id that is
   no key. */
const char *KeyTextOf(int buttonId);

/* The key that typing character c presses (tape/char_keys.def), or 0. */
int KeyOfChar(unsigned c);

#endif
