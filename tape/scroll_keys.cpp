/*
 * The power key, which erases the tape, and the keys that move the view.
 */
#include "amount/platform.h"
#include "tape/tape.h"

static void ScrollView(int lines)
{
    g_Tape.viewTop += lines;
    ClampTapeView();
}

void HandleScrollKey(int buttonId)
{
    switch (buttonId) {
    case KEY_POWER: ResetTape(); break;
    case KEY_PAGE_UP: ScrollView(-2); break;
    case KEY_PAGE_DOWN: ScrollView(2); break;
    case KEY_LINE_UP: ScrollView(-1); break;
    case KEY_LINE_DOWN: ScrollView(1); break;
    default: break;
    }
    RepaintAfterChange();
}
