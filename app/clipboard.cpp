/*
 * Copy and paste. The clipboard carries Unicode text only (the system
 * derives the other text formats); it is opened with the main window as
 * owner and closed again on every path. Pasted text is pressed straight into
 * the core, as a replayed tape is: out of sight, the LCD drawn once at the
 * end, so that a long text never freezes the window key by key.
 */
#include "app/clipboard.h"

#include <limits.h>

#include "amount/platform.h"
#include "tape/press_key.h"
#include "tape/tape_text.h"
#include "tape/undo.h"

enum {
    /* Another program may hold the clipboard for a moment. */
    OPEN_ATTEMPTS = 5,
    OPEN_RETRY_MS = 10
};

namespace {

/* Opens the clipboard for owner, waiting a moment for another program
   that holds it. */
bool OpenOwnClipboard(HWND owner)
{
    for (int attempt = 0; attempt < OPEN_ATTEMPTS; attempt++) {
        if (OpenClipboard(owner)) {
            return true;
        }
        Sleep(OPEN_RETRY_MS);
    }
    return false;
}

/* Puts text (UTF-8) on the clipboard; a beep when the clipboard cannot be
   had, so that an old text is not pasted elsewhere unawares. */
void CopyText(HWND owner, const char *text)
{
    int units = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (SIZE_T)units * sizeof(WCHAR));
    WCHAR *wide = memory ? (WCHAR *)GlobalLock(memory) : nullptr;
    bool given = false;
    if (wide) {
        MultiByteToWideChar(CP_UTF8, 0, text, -1, wide, units);
        GlobalUnlock(memory);
        if (OpenOwnClipboard(owner)) {
            given = EmptyClipboard() && SetClipboardData(CF_UNICODETEXT, memory);
            CloseClipboard();
        }
    }
    if (!given) {
        if (memory) {
            GlobalFree(memory); /* the clipboard owns it only once it took it */
        }
        MessageBeep(MB_ICONWARNING);
    }
}

} // namespace

void CopyAmount(HWND mainWindow)
{
    PlainAmount amount;
    FormatCurrentAmount(amount);
    CopyText(mainWindow, amount);
}

void CopyTape(HWND mainWindow)
{
    char text[TAPE_TEXT_SIZE];
    FormatTapeText("\r\n", text);
    CopyText(mainWindow, text);
}

bool ReadClipboardText(HWND owner, void (*read)(const char16_t *text, SIZE_T units, void *context),
                       void *context)
{
    if (!OpenOwnClipboard(owner)) {
        MessageBeep(MB_ICONWARNING);
        return false;
    }
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    const char16_t *text = data ? (const char16_t *)GlobalLock(data) : nullptr;
    if (text) {
        read(text, GlobalSize(data) / sizeof(char16_t), context);
        GlobalUnlock(data);
    }
    CloseClipboard();
    return true;
}

namespace {

struct PastedKeys {
    int keys[PASTE_MAX_CHARS];
    int count;
    bool whole; /* no text at all is nothing left out */
};

void ParseClipboardText(const char16_t *text, SIZE_T units, void *context)
{
    /* All of it, so that a text over the limit is known as such. */
    PastedKeys *pasted = (PastedKeys *)context;
    pasted->count = ParsePastedText(text, units < INT_MAX ? (int)units : INT_MAX, pasted->keys,
                                    &pasted->whole);
}

} // namespace

void PasteText(HWND mainWindow)
{
    /* On the stack: a key of the paste can open the overflow notice, inside
       which another paste can run. */
    PastedKeys pasted;
    pasted.count = 0;
    pasted.whole = true;
    if (!ReadClipboardText(mainWindow, ParseClipboardText, &pasted)) {
        return;
    }
    /* Typed only once the clipboard is closed, as one change for undo. An
       overflow is told once, after the LCD shows where the paste ended:
       the notice is modal, and the clipboard must not stay open meanwhile. */
    BeginTapeChange();
    bool wasMuted = MuteHost(true);
    for (int i = 0; i < pasted.count; i++) {
        PressTapeKey(pasted.keys[i]);
    }
    bool overflowed = OverflowWasHeld();
    MuteHost(wasMuted);
    EndTapeChange();
    RepaintAfterChange();
    if (overflowed) {
        TellOverflow();
    }
    if (!pasted.whole) {
        MessageBeep(MB_ICONWARNING); /* the rest of the text was not typed */
    }
}

