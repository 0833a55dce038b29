/*
 * The platform seam as the tests see it: the overflow notice and the LCD
 * repaint are only counted.
 */
#ifndef ORVANTA_FAKE_PLATFORM_H
#define ORVANTA_FAKE_PLATFORM_H

extern int g_nOverflowMessages;  /* ShowOverflowMessage calls */
extern int g_nLcdRepaints;       /* RepaintLcd calls */

/* Run while the overflow notice is open, as a user clicking keys meanwhile. */
extern void (*g_pfnWhileOverflowMessage)(void);

#endif
