/*
 * A key routed to its handler.
 */
#include "tape/press_key.h"

#include "tape/tape.h"
#include "tape/undo.h"

void PressTapeKey(int buttonId)
{
    BeginTapeChange();
    switch (KeyGroupOf(buttonId)) {
    case KEY_GROUP_ENTRY: HandleEntryKey(buttonId); break;
    case KEY_GROUP_OPERATOR: HandleOperatorKey(buttonId); break;
    case KEY_GROUP_SCROLL: HandleScrollKey(buttonId); break;
    }
    EndTapeChange();
}
