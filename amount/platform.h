/*
 * What the calculator core needs from the program that hosts it. The Windows
 * program implements these with a message box and a direct LCD repaint; the
 * terminal tape driver with standard error and nothing. The core itself never
 * includes a platform header.
 */
#ifndef ORVANTA_PLATFORM_H
#define ORVANTA_PLATFORM_H

/* Tell the user that a result is too large to show; returns once it has been
   acknowledged. */
void ShowOverflowMessage(void);

/* Draw the LCD now, before the key that changed the tape returns. */
void RepaintLcd(void);

#endif
