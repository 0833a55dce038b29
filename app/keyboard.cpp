/*
 * Keyboard translation: a key that maps to a button becomes a simulated click
 * on it, so typed keys travel exactly the way mouse clicks do.
 */
#include "app/shell.h"

#include <string.h>

#include "buttons/img_button.h"
#include "tape/keys.h"

namespace {

/* WM_KEYDOWN: the numeric keypad and the keys that type no character, with
   what the tooltips call them: the writing on the key caps, with "Num" for
   the numeric keypad. */
struct VirtualKey {
    WPARAM code;
    int buttonId;
    const char *name;
};

const VirtualKey VIRTUAL_KEY_TABLE[] = {
    /* virtual key    key              name */
    { VK_BACK,        KEY_BACKSPACE,   "Backspace" },
    { VK_RETURN,      KEY_EQUALS,      "Enter" },
    { VK_ESCAPE,      KEY_CLEAR,       "Esc" },
    { VK_PRIOR,       KEY_PAGE_UP,     "Page Up" },
    { VK_NEXT,        KEY_PAGE_DOWN,   "Page Down" },
    { VK_UP,          KEY_LINE_UP,     "Up" },
    { VK_DOWN,        KEY_LINE_DOWN,   "Down" },
    { VK_NUMPAD0,     KEY_0,           "Num 0" },
    { VK_NUMPAD1,     KEY_1,           "Num 1" },
    { VK_NUMPAD2,     KEY_2,           "Num 2" },
    { VK_NUMPAD3,     KEY_3,           "Num 3" },
    { VK_NUMPAD4,     KEY_4,           "Num 4" },
    { VK_NUMPAD5,     KEY_5,           "Num 5" },
    { VK_NUMPAD6,     KEY_6,           "Num 6" },
    { VK_NUMPAD7,     KEY_7,           "Num 7" },
    { VK_NUMPAD8,     KEY_8,           "Num 8" },
    { VK_NUMPAD9,     KEY_9,           "Num 9" },
    { VK_MULTIPLY,    KEY_MULTIPLY,    "Num *" },
    { VK_ADD,         KEY_PLUS,        "Num +" },
    { VK_SUBTRACT,    KEY_MINUS,       "Num -" },
    { VK_DIVIDE,      KEY_DIVIDE,      "Num /" },
    { VK_F1,          KEY_ABOUT,       "F1" },
    { VK_F4,          KEY_POWER,       "F4" },
    { VK_F9,          KEY_SIGN,        "F9" },
};

/* WM_CHAR: what the main keyboard types. */
struct CharacterKey {
    WPARAM code;
    int buttonId;
};

const CharacterKey CHARACTER_TABLE[] = {
#define CHAR_KEY(character, buttonId) { (WPARAM)(character), buttonId },
#include "tape/char_keys.def"
#undef CHAR_KEY
};

template <typename Row, size_t N>
int FindButton(const Row (&table)[N], WPARAM code)
{
    for (const Row &row : table) {
        if (row.code == code) {
            return row.buttonId;
        }
    }
    return 0;
}

} // namespace

void SimulateButtonPress(HWND button, WPARAM wParam, LPARAM lParam)
{
    SendTypedButtonDown(button, wParam, lParam);
    SleepEx(KEY_PRESS_DELAY_MS, TRUE);
    SendMessageA(button, WM_LBUTTONUP, wParam, lParam);
}

int TranslateKeyDown(HWND mainWindow, WPARAM virtualKey, LPARAM keyData)
{
    int buttonId = FindButton(VIRTUAL_KEY_TABLE, virtualKey);
    if (!buttonId) {
        return 0;
    }
    SimulateButtonPress(FindChild(mainWindow, buttonId), virtualKey, keyData);
    return 1;
}

void TranslateChar(HWND mainWindow, WPARAM character, LPARAM keyData)
{
    int buttonId = FindButton(CHARACTER_TABLE, character);
    if (buttonId) {
        SimulateButtonPress(FindChild(mainWindow, buttonId), character, keyData);
    }
}

namespace {

bool IsLowerCase(WPARAM code)
{
    return code >= 'a' && code <= 'z';
}

/* Appends ", name", or name as the first; a name that does not fit is left
   out. */
int AppendKeyName(char *out, int size, const char *name, int count)
{
    size_t used = strlen(out);
    size_t needed = (count ? 2 : 0) + strlen(name);
    if (used + needed >= (size_t)size) {
        return count;
    }
    if (count) {
        strcat(out, ", ");
    }
    strcat(out, name);
    return count + 1;
}

} // namespace

int DescribeButtonKeys(int buttonId, char *out, int size)
{
    if (size < 1) {
        return 0;
    }
    out[0] = '\0';
    int count = 0;
    for (const VirtualKey &row : VIRTUAL_KEY_TABLE) {
        if (row.buttonId == buttonId) {
            count = AppendKeyName(out, size, row.name, count);
        }
    }
    for (const CharacterKey &row : CHARACTER_TABLE) {
        /* A character is named by itself; both cases of a letter are one
           key, named once by its capital. */
        bool capitalListed = IsLowerCase(row.code) &&
                             FindButton(CHARACTER_TABLE, row.code - 'a' + 'A') == buttonId;
        if (row.buttonId == buttonId && !capitalListed) {
            char name[2] = { (char)(IsLowerCase(row.code) ? row.code - 'a' + 'A' : row.code) };
            count = AppendKeyName(out, size, name, count);
        }
    }
    return count;
}
