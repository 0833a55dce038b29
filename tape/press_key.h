/*
 * A calculator key pressed: the one rule (KeyGroupOf) that sends it to the
 * entry, operator or scroll handler, shared by the Windows program (through
 * the LCD's commands and a paste) and the driver. Above the handlers, which
 * never press a key themselves.
 */
#ifndef ORVANTA_PRESS_KEY_H
#define ORVANTA_PRESS_KEY_H

/* Runs the handler of the key's group: HandleEntryKey, HandleOperatorKey or
   HandleScrollKey, as one change that undo can take back (tape/undo.h). */
void PressTapeKey(int buttonId);

#endif
