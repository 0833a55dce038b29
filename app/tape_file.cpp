/*
 * The tape's text file. A failure, of a dialog, a read or a write, is told
 * one way: what is true of the file, then why in the system's words.
 */
#include "app/tape_file.h"

#include <commdlg.h>

#include "app/failure.h"
#include "app/tape_notices.h"
#include "tape/tape_text.h"

bool ChooseTapeFile(HWND owner, bool save, wchar_t path[MAX_PATH])
{
    OPENFILENAMEW dialog = {};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = TAPE_FILE_TYPES(L);
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path;
    dialog.nMaxFile = MAX_PATH;
    dialog.lpstrTitle = save ? SAVE_CAPTION(L) : OPEN_CAPTION(L);
    dialog.lpstrDefExt = save ? L"txt" : nullptr;
    dialog.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR |
                   (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    if (save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog)) {
        return true;
    }
    if (DWORD error = CommDlgExtendedError()) {
        /* cancelled is 0; a name too long is not */
        ShowFailure(owner, dialog.lpstrTitle, save ? SAVE_FAILED_TEXT(L) : READ_FAILED_TEXT(L),
                        error == FNERR_BUFFERTOOSMALL ? ERROR_FILENAME_EXCED_RANGE : 0);
    }
    return false;
}

int ReadWholeFile(HWND owner, const wchar_t *path, char *text, DWORD size)
{
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD length = 0;
    DWORD error = file == INVALID_HANDLE_VALUE ? LastError() : 0;
    while (error == 0) {
        DWORD done = 0;
        if (!ReadFile(file, text + length, size - length, &done, nullptr)) {
            error = LastError();
        } else if (done == 0 || (length += done) == size) {
            break;
        }
    }
    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
    }
    if (error != 0) {
        ShowFailure(owner, OPEN_CAPTION(L), READ_FAILED_TEXT(L), error);
        return -1;
    }
    return (int)length;
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
    ShowFailure(owner, SAVE_CAPTION(L),
                    existed ? SAVE_FAILED_TEXT(L) L"\n" SAVE_UNCHANGED_TEXT(L) : SAVE_FAILED_TEXT(L), error);
    return 0;
}
