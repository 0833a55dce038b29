/*
 * The core's calls to its host, and the mute that holds them back.
 */
#include "amount/platform.h"

static bool g_bHostMuted;
static TapeFollower g_pfnTapeFollower;

void TellOverflow(void)
{
    if (!g_bHostMuted)
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
    g_bHostMuted = muted;
    return was;
}
