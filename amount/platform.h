/*
 * What the calculator core needs from the program that hosts it. The Windows
 * program implements these with a message box and a direct LCD repaint; the
 * terminal tape driver with standard error and nothing. The core itself never
 * includes a platform header.
 */
#ifndef ORVANTA_PLATFORM_H
#define ORVANTA_PLATFORM_H

/* ---- implemented by the host ---- */

/* Tell the user that a result is too large to show; returns once it has been
   acknowledged. */
void ShowOverflowMessage(void);

/* Draw the LCD now, before the key that changed the tape returns. */
void RepaintLcd(void);

/* ---- the core's way to them (amount/host.cpp) ---- */

/* The two above, unless the host is muted: a tape rebuilt key by key out of
   sight (a replayed text) tells no overflow, its result simply zero as
   always, and draws nothing until it is done. */
void TellOverflow(void);
void RepaintAfterChange(void);

/* Mutes or unmutes them; returns whether they were muted before, for the
   caller to restore. Muting anew forgets an overflow held back earlier. */
bool MuteHost(bool muted);
/* Whether an overflow was held back since the host was last muted anew. */
bool OverflowWasHeld(void);

/* A second view of the tape that follows it as the LCD does (the Windows
   program's tape window): told after each repaint of RepaintAfterChange.
   nullptr for none, as at start. */
typedef void (*TapeFollower)(void);
void SetTapeFollower(TapeFollower follower);

#endif
