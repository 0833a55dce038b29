/*
 * What the calculator core needs from the program that hosts it. The Windows
 * program implements these with its string table, a message box and a direct
 * LCD repaint; the terminal tape driver with the key table, standard error and
 * nothing. The core itself never includes a platform header.
 */
#ifndef ORVANTA_PLATFORM_H
#define ORVANTA_PLATFORM_H

enum { KEY_TEXT_MAX = 20 };

/* The text of key buttonId, zero-terminated, in a buffer of size bytes
   (an empty text when the key has none). */
void ReadKeyText(int buttonId, char *text, int size);

/* Tell the user that a result is too large to show; returns once it has been
   acknowledged. */
void ShowOverflowMessage(void);

/* Draw the LCD now, before the key that changed the tape returns. */
void RepaintLcd(void);

#endif
