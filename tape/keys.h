/*
 * The calculator's keys as both front ends know them: their ids and names
 * (from tape/keys.def), the groups that decide which handler takes a key, and
 * the one rule that routes a key to its handler.
 */
#ifndef ORVANTA_KEYS_H
#define ORVANTA_KEYS_H

enum {
#define KEY_ROW(id, name, text, x, y, w, h, pressed) name = id,
#include "tape/keys.def"
#undef KEY_ROW
    BUTTON_COUNT = KEY_WEB
};

/* ButtonId ranges: the entry keys come first, then the operators, then the
   power and scroll keys; the keys after those serve the window itself. */
enum {
    LAST_ENTRY_KEY = KEY_BACKSPACE,
    FIRST_OPERATOR_KEY = KEY_PLUS,
    LAST_OPERATOR_KEY = KEY_EQUALS,
    FIRST_SCROLL_KEY = KEY_POWER,
    LAST_CALCULATOR_KEY = KEY_LINE_DOWN
};

enum KeyGroup { KEY_GROUP_ENTRY, KEY_GROUP_OPERATOR, KEY_GROUP_SCROLL };

/* Which handler takes a calculator key: an id above the operators counts as
   a scroll key and one below them as an entry key, so any id has a group. */
KeyGroup KeyGroupOf(int buttonId);

/* The ButtonId that a message word (an LPARAM, as wide as a pointer) names:
   false when the value does not fit an int, so that on x86-64 0x100000001
   names no key rather than key 1. Every narrowing of a key's word goes
   through here. */
bool ButtonIdOfWord(long long word, int *buttonId);

/* The key that typing character c presses (tape/char_keys.def), or 0. */
int KeyOfChar(unsigned c);

/* Runs the handler of the key's group: HandleEntryKey, HandleOperatorKey or
   HandleScrollKey. */
void PressTapeKey(int buttonId);

#endif
