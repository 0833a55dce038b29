#include "amount/test/fake_platform.h"

#include "amount/platform.h"

int g_nOverflowMessages;
int g_nLcdRepaints;
void (*g_pfnWhileOverflowMessage)(void);

void ShowOverflowMessage(void)
{
    ++g_nOverflowMessages;
    if (g_pfnWhileOverflowMessage) g_pfnWhileOverflowMessage();
}

void RepaintLcd(void)
{
    ++g_nLcdRepaints;
}
