/*
 * Keyboard translation: a key that maps to a button becomes a simulated click
 * on it, so typed keys travel exactly the way mouse clicks do.
 */
#include "app/shell.h"

#include "tape/keys.h"

namespace {

struct KeyMapping {
    WPARAM code;
    int buttonId;
};

/* WM_KEYDOWN: the numeric keypad and the keys that type no character. */
const KeyMapping VIRTUAL_KEY_TABLE[] = {
    /* virtual key    key */
    { VK_BACK,        KEY_BACKSPACE },
    { VK_RETURN,      KEY_EQUALS },
    { VK_ESCAPE,      KEY_CLEAR },
    { VK_PRIOR,       KEY_PAGE_UP },
    { VK_NEXT,        KEY_PAGE_DOWN },
    { VK_UP,          KEY_LINE_UP },
    { VK_DOWN,        KEY_LINE_DOWN },
    { VK_NUMPAD0,     KEY_0 },
    { VK_NUMPAD1,     KEY_1 },
    { VK_NUMPAD2,     KEY_2 },
    { VK_NUMPAD3,     KEY_3 },
    { VK_NUMPAD4,     KEY_4 },
    { VK_NUMPAD5,     KEY_5 },
    { VK_NUMPAD6,     KEY_6 },
    { VK_NUMPAD7,     KEY_7 },
    { VK_NUMPAD8,     KEY_8 },
    { VK_NUMPAD9,     KEY_9 },
    { VK_MULTIPLY,    KEY_MULTIPLY },
    { VK_ADD,         KEY_PLUS },
    { VK_SUBTRACT,    KEY_MINUS },
    { VK_DIVIDE,      KEY_DIVIDE },
    { VK_F1,          KEY_ABOUT },
    { VK_F4,          KEY_POWER },
    { VK_F9,          KEY_SIGN },
};

/* WM_CHAR: what the main keyboard types. */
const KeyMapping CHARACTER_TABLE[] = {
#define CHAR_KEY(character, buttonId) { (WPARAM)(character), buttonId },
#include "tape/char_keys.def"
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

/* A pasted key: the same click, without the pause that shows it pressed. */
void PressButtonAtOnce(HWND button)
{
    SendMessageA(button, WM_LBUTTONDOWN, 0, 0);
    SendMessageA(button, WM_LBUTTONUP, 0, 0);
}

int TranslateKeyDown(HWND mainWindow, WPARAM virtualKey, LPARAM keyData)
{
    int buttonId = FindButton(VIRTUAL_KEY_TABLE, virtualKey);
    if (!buttonId) {
        return 0;
    }
    SimulateButtonPress(GetDlgItem(mainWindow, buttonId), virtualKey, keyData);
    return 1;
}

void TranslateChar(HWND mainWindow, WPARAM character, LPARAM keyData)
{
    int buttonId = FindButton(CHARACTER_TABLE, character);
    if (buttonId) {
        SimulateButtonPress(GetDlgItem(mainWindow, buttonId), character, keyData);
    }
}
