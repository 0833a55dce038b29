/*
 * A failure told: what is true, then why in the system's words.
 */
#include "app/failure.h"

namespace {

enum { NOTICE_CHARS = 512 };

/* Appends to text (size characters in all) a blank line and the system's
   words for error; nothing for 0. */
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

} // namespace

DWORD LastError(void)
{
    DWORD error = GetLastError();
    return error != 0 ? error : ERROR_GEN_FAILURE;
}

void ShowFailure(HWND owner, const wchar_t *caption, const wchar_t *text, DWORD error)
{
    wchar_t notice[NOTICE_CHARS];
    lstrcpynW(notice, text, NOTICE_CHARS);
    AppendSystemReason(notice, NOTICE_CHARS, error);
    MessageBoxW(owner, notice, caption, MB_OK | MB_ICONWARNING);
}

