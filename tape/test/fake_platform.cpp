#include "tape/test/fake_platform.h"

#include <cstring>

#include "amount/platform.h"
#include "res/site.h"

int g_nOverflowMessages;
int g_nLcdRepaints;
void (*g_pfnWhileOverflowMessage)(void);

const char *KeyText(int buttonId)
{
    switch (buttonId) {
#define KEY_ROW(id, name, text, ...) \
    case id:                   \
        return text;
#include "tape/keys.def"
#undef KEY_ROW
    }
    return "";
}

int FindKeyId(const char *text)
{
#define KEY_ROW(id, name, keyText, ...) \
    if (std::strcmp(text, keyText) == 0) return id;
#include "tape/keys.def"
#undef KEY_ROW
    return 0;
}

void ReadKeyText(int buttonId, char *text, int size)
{
    if (size <= 0) return;
    std::strncpy(text, KeyText(buttonId), size - 1);
    text[size - 1] = '\0';
}

void ShowOverflowMessage(void)
{
    ++g_nOverflowMessages;
    if (g_pfnWhileOverflowMessage) g_pfnWhileOverflowMessage();
}

void RepaintLcd(void)
{
    ++g_nLcdRepaints;
}
