/*
 * The platform seam as the tests see it: key texts come from the shared key
 * table, and the overflow notice and the LCD repaint are only counted.
 */
#ifndef ORVANTA_FAKE_PLATFORM_H
#define ORVANTA_FAKE_PLATFORM_H

extern int g_nOverflowMessages;  /* ShowOverflowMessage calls */
extern int g_nLcdRepaints;       /* RepaintLcd calls */

/* Run while the overflow notice is open, as a user clicking keys meanwhile. */
extern void (*g_pfnWhileOverflowMessage)(void);

/* The text of key buttonId ("" for an id without a key). */
const char *KeyText(int buttonId);

/* The ButtonId of the key whose text is text, 0 when there is none. */
int FindKeyId(const char *text);

#endif
