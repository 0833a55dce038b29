/*
 * Keyboard translation: a key that maps to a button becomes a simulated click
 * on it, so typed keys travel exactly the way mouse clicks do.
 */
#include "app/shell.h"

namespace {

struct KeyMapping {
    WPARAM code;
    int buttonId;
};

/* WM_KEYDOWN: the numeric keypad and the keys that type no character. */
const KeyMapping VIRTUAL_KEY_TABLE[] = {
    /* virtual key    ButtonId */
    { VK_BACK,        17 },  /* backspace */
    { VK_RETURN,      23 },  /* = */
    { VK_ESCAPE,      16 },  /* clear */
    { VK_PRIOR,       25 },  /* pgup */
    { VK_NEXT,        26 },  /* pgdn */
    { VK_UP,          27 },  /* up */
    { VK_DOWN,        28 },  /* down */
    { VK_NUMPAD0,      1 },
    { VK_NUMPAD1,      5 },
    { VK_NUMPAD2,      6 },
    { VK_NUMPAD3,      7 },
    { VK_NUMPAD4,      8 },
    { VK_NUMPAD5,      9 },
    { VK_NUMPAD6,     10 },
    { VK_NUMPAD7,     11 },
    { VK_NUMPAD8,     12 },
    { VK_NUMPAD9,     13 },
    { VK_MULTIPLY,    20 },  /* * */
    { VK_ADD,         18 },  /* + */
    { VK_SUBTRACT,    19 },  /* - */
    { VK_DIVIDE,      21 },  /* / */
    { VK_F1,          31 },  /* about */
    { VK_F4,          24 },  /* power */
    { VK_F9,          15 },  /* sign */
};

/* WM_CHAR: what the main keyboard types. */
const KeyMapping CHARACTER_TABLE[] = {
#define CHAR_KEY(character, buttonId) { (WPARAM)(character), buttonId },
#include "app/char_keys.def"
#undef CHAR_KEY
};

template <size_t N>
int FindButton(const KeyMapping (&table)[N], WPARAM code)
{
    for (const KeyMapping &row : table) {
        if (row.code == code) {
            return row.buttonId;
        }
    }
    return 0;
}

} // namespace

void SimulateButtonPress(HWND button, WPARAM wParam, LPARAM lParam)
{
    SendMessageA(button, WM_LBUTTONDOWN, wParam, lParam);
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
