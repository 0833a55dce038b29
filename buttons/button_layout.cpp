/*
 * Where each key sits on the skin and which image shows it pressed. The rows
 * come from tape/keys.def, the one table that the artwork shares.
 */
#include "buttons/img_button.h"

namespace {

constexpr ButtonSpec KEY_LAYOUT[] = {
#define KEY_ROW(id, name, text, x, y, w, h, pressed, koreanName) { x, y, w, h, pressed, id },
#include "tape/keys.def"
#undef KEY_ROW
};

constexpr bool RowsInButtonIdOrder()
{
    for (int i = 0; i < BUTTON_COUNT; i++) {
        if (KEY_LAYOUT[i].buttonId != i + 1) {
            return false;
        }
    }
    return true;
}

static_assert(sizeof(KEY_LAYOUT) / sizeof(KEY_LAYOUT[0]) == BUTTON_COUNT, "one row per key");
static_assert(RowsInButtonIdOrder(), "rows in ButtonId order, so that row n - 1 is key n");

} // namespace

const ButtonSpec *ButtonSpecOf(int buttonId)
{
    if (buttonId < 1 || buttonId > BUTTON_COUNT) {
        return nullptr;
    }
    return &KEY_LAYOUT[buttonId - 1];
}

void GetButtonSpec(HWND, int buttonId, ButtonSpec *spec)
{
    const ButtonSpec *row = ButtonSpecOf(buttonId);
    if (row) {
        *spec = *row;
    }
}
