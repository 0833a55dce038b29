/*
 * The core's calls to its host, and the mute that holds them back.
 */
#include "amount/platform.h"

static bool g_bHostMuted;
static bool g_bOverflowHeld;
static TapeFollower g_pfnTapeFollower;

void TellOverflow(void)
{
    if (g_bHostMuted)
        g_bOverflowHeld = true;
    else
        ShowOverflowMessage();
}

void RepaintAfterChange(void)
{
    if (g_bHostMuted)
        return;
    RepaintLcd();
    if (g_pfnTapeFollower)
        g_pfnTapeFollower();
}

void SetTapeFollower(TapeFollower follower)
{
    g_pfnTapeFollower = follower;
}

bool MuteHost(bool muted)
{
    bool was = g_bHostMuted;
    if (muted && !was)
        g_bOverflowHeld = false;
    g_bHostMuted = muted;
    return was;
}

bool OverflowWasHeld(void)
{
    return g_bOverflowHeld;
}
