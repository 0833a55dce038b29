/*
 * Copy, paste and save. The clipboard carries Unicode text only (the system
 * derives the other text formats); it is opened with the main window as
 * owner and closed again on every path. Pasted text is pressed straight into
 * the core, as a replayed tape is: out of sight, the LCD drawn once at the
 * end, so that a long text never freezes the window key by key.
 */
#include "app/clipboard.h"

#include <commdlg.h>
#include <limits.h>

#include "amount/messages.h"
#include "amount/platform.h"
#include "app/shell.h"
#include "app/tape_commands.h"
#include "tape/tape_text.h"
#include "tape/undo.h"

enum {
    /* Another program may hold the clipboard for a moment. */
    OPEN_ATTEMPTS = 5,
    OPEN_RETRY_MS = 10
};

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

DWORD LastError(void)
{
    DWORD error = GetLastError();
    return error != 0 ? error : ERROR_GEN_FAILURE;
}

void AppendSystemReason(wchar_t *text, int size, DWORD error)
{
    int used = lstrlenW(text);
    if (error == 0 || used + 3 >= size) {
        return;
    }
    lstrcatW(text, L"\n\n");
    used += 2;
    DWORD n = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                             error, 0, text + used, size - used, nullptr);
    while (n > 0 && (text[used + n - 1] == L'\r' || text[used + n - 1] == L'\n')) {
        text[used + --n] = L'\0';
    }
    if (n == 0 && size - used > 12) {
        wsprintfW(text + used, L"(%lu)", error); /* a code the system has no words for */
    }
}

namespace {

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

namespace {

enum { SAVE_NOTICE_CHARS = 512 };

/* What is true of a save that failed: the file was not written, one that
   was there is unchanged, and why, in the system's words for error (none
   for 0). */
void ShowSaveFailure(HWND owner, bool existed, DWORD error)
{
    wchar_t text[SAVE_NOTICE_CHARS];
    lstrcpynW(text, existed ? SAVE_FAILED_TEXT(L) L"\n" SAVE_UNCHANGED_TEXT(L) : SAVE_FAILED_TEXT(L),
              SAVE_NOTICE_CHARS);
    AppendSystemReason(text, SAVE_NOTICE_CHARS, error);
    MessageBoxW(owner, text, SAVE_CAPTION(L), MB_OK | MB_ICONWARNING);
}

} // namespace

void DescribeTapeFileDialog(OPENFILENAMEW *dialog, HWND owner, wchar_t path[MAX_PATH],
                            const wchar_t *title)
{
    *dialog = {};
    dialog->lStructSize = sizeof(*dialog);
    dialog->hwndOwner = owner;
    dialog->lpstrFilter = TAPE_FILE_TYPES(L);
    dialog->nFilterIndex = 1;
    dialog->lpstrFile = path;
    dialog->nMaxFile = MAX_PATH;
    dialog->lpstrTitle = title;
    dialog->Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
}

void SaveTape(HWND mainWindow)
{
    wchar_t path[MAX_PATH] = L"tape.txt";
    OPENFILENAMEW dialog;
    DescribeTapeFileDialog(&dialog, mainWindow, path, SAVE_CAPTION(L));
    dialog.lpstrDefExt = L"txt";
    dialog.Flags |= OFN_OVERWRITEPROMPT;
    if (GetSaveFileNameW(&dialog)) {
        SaveTapeTo(mainWindow, path);
    } else if (DWORD error = CommDlgExtendedError()) {
        /* cancelled is 0; a name too long is not */
        ShowSaveFailure(mainWindow, false, error == FNERR_BUFFERTOOSMALL ? ERROR_FILENAME_EXCED_RANGE : 0);
    }
}

namespace {

/* The folder of path with its final separator, "." for a bare name: the
   temporary file goes there, so that moving it into place is a rename
   within one volume. */
void FolderOf(const wchar_t *path, wchar_t folder[MAX_PATH])
{
    lstrcpynW(folder, path, MAX_PATH);
    wchar_t *end = folder;
    for (wchar_t *p = folder; *p; p++) {
        if (*p == L'\\' || *p == L'/' || *p == L':') {
            end = p + 1;
        }
    }
    if (end == folder) {
        lstrcpyW(folder, L".");
    } else {
        *end = L'\0';
    }
}

/* Writes a temporary file beside path and moves it into place, so that a
   full disk or a failed write never leaves path half written or emptied.
   Returns 0, or the error of the step that failed. */
DWORD WriteWholeFile(const wchar_t *path, const char *text, DWORD length)
{
    wchar_t folder[MAX_PATH];
    wchar_t temp[MAX_PATH];
    if (lstrlenW(path) >= MAX_PATH) {
        return ERROR_FILENAME_EXCED_RANGE;
    }
    /* Moving over a read-only file can replace it and drop its mark (Wine
       does): the mark is its owner's word that it stays as it is. Windows
       refuses the move as access denied. */
    DWORD attributes = GetFileAttributesW(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        return ERROR_ACCESS_DENIED;
    }
    FolderOf(path, folder);
    if (!GetTempFileNameW(folder, L"orv", 0, temp)) {
        return LastError();
    }
    DWORD error = 0;
    HANDLE file = CreateFileW(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        error = LastError();
    } else {
        DWORD done = 0;
        if (!WriteFile(file, text, length, &done, nullptr)) {
            error = LastError();
        } else if (done != length) {
            error = ERROR_DISK_FULL; /* a short write with no error of its own */
        } else if (!FlushFileBuffers(file)) {
            error = LastError();
        }
        if (!CloseHandle(file) && error == 0) {
            error = LastError();
        }
    }
    if (error == 0 && !MoveFileExW(temp, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        error = LastError();
    }
    if (error != 0) {
        DeleteFileW(temp);
    }
    return error;
}

} // namespace

/* The tape's text is ASCII, and so UTF-8 as it stands. */
int SaveTapeTo(HWND owner, const wchar_t *path)
{
    char text[TAPE_TEXT_SIZE];
    int length = FormatTapeText("\r\n", text);
    bool existed = GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
    DWORD error = WriteWholeFile(path, text, (DWORD)length);
    if (error == 0) {
        return 1;
    }
    ShowSaveFailure(owner, existed, error);
    return 0;
}
