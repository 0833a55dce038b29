/*
 * The one rule that sends a key to the entry, operator or scroll handler,
 * shared by the Windows program (through the LCD commands) and the driver.
 */
#include "tape/keys.h"

#include "tape/tape.h"

KeyGroup KeyGroupOf(int buttonId)
{
    if (buttonId > LAST_OPERATOR_KEY)
        return KEY_GROUP_SCROLL;
    if (buttonId >= FIRST_OPERATOR_KEY)
        return KEY_GROUP_OPERATOR;
    return KEY_GROUP_ENTRY;
}

void PressTapeKey(int buttonId)
{
    switch (KeyGroupOf(buttonId)) {
    case KEY_GROUP_ENTRY: HandleEntryKey(buttonId); break;
    case KEY_GROUP_OPERATOR: HandleOperatorKey(buttonId); break;
    case KEY_GROUP_SCROLL: HandleScrollKey(buttonId); break;
    }
}
