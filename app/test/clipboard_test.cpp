// Copy, paste and save through the keys as the main window gets them: clipboard
// text in, clipboard out, also while another window holds it; failing saves.
#include <stdio.h>
#include <string.h>
#include <wchar.h>

#include <initializer_list>

#include "app/clipboard.h"
#include "app/shell.h"
#include "app/tape_file.h"
#include "app/tape_notices.h"
#include "app/test/win_test.h"
#include "buttons/img_button.h"
#include "tape/press_key.h"
#include "tape/tape.h"
#include "tape/tape_text.h"

namespace {

HWND g_hOther; /* another program's window, for setting and reading the clipboard */

/* The calculator's warning beeps, counted: its calls of MessageBeep go
   through the import pointer, which this definition takes the place of. */
int g_nBeeps;
BOOL WINAPI CountBeep(UINT) { g_nBeeps++; return TRUE; }
#ifdef _WIN64
extern "C" void *g_pImportedBeep __asm__("__imp_MessageBeep");
#else
extern "C" void *g_pImportedBeep __asm__("__imp__MessageBeep@4");
#endif
void *g_pImportedBeep = (void *)CountBeep;

#define TAPE_12_3 "              12\r\n+              3\r\n=             15\r\n"

/* Each a key-down with exactly its modifiers held, then its character:
   C Ctrl+C, T Ctrl+Shift+C, V Ctrl+V, I Shift+Insert, N Ctrl+Insert. */
void PressCombos(HWND mainWindow, const char *combos)
{
    for (; *combos; combos++) {
        bool insert = strchr("IN", *combos) != nullptr;
        PressWithModifiers(mainWindow, insert ? VK_INSERT : *combos == 'V' ? 'V' : 'C', *combos != 'I',
                           strchr("TI", *combos) != nullptr);
    }
}

wchar_t g_BoxText[512];
int g_nBoxes;

/* Reads, counts and closes the message boxes that the calculator shows. */
LRESULT CALLBACK ClosingBoxHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE && GetDlgItem((HWND)wParam, 0xFFFF)) {
        GetDlgItemTextW((HWND)wParam, 0xFFFF, g_BoxText, 512);
        g_nBoxes++;
        PostMessageA((HWND)wParam, WM_COMMAND, IDOK, 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void TestClipboardKeys(HWND mainWindow)
{
    /* A text one character over the limit, whose end would make a sum. */
    static wchar_t overLimit[PASTE_MAX_CHARS + 2];
    wmemset(overLimit, L' ', PASTE_MAX_CHARS + 1);
    lstrcpyW(overLimit + PASTE_MAX_CHARS - 4, L"12+3=");
    static const struct {
        const wchar_t *in; /* nullptr: no text on the clipboard */
        bool held;         /* by another window meanwhile */
        const char *combos; int lines; /* the tape's, after the paste */
        const wchar_t *out;
        int beeps, overflows; /* an overflow is told once, after the paste */
    } CASES[] = {
        { L"12+3=", false, "VC", 3, L"15", 0, 0 },
        { L".5*.5=", false, "VC", 3, L"0.25", 0, 0 },
        { L"-.5*.5=", false, "VC", 3, L"-0.25", 0, 0 },
        { L"12+3=", false, "VT", 3, L"" TAPE_12_3, 0, 0 },
        { L"1,234.5*2=", false, "VC", 3, L"2469", 0, 0 },
        { L"-3+1=", false, "IN", 3, L"-2", 0, 0 },
        { L"12+3 x4=", false, "VC", 2, L"3", 1, 0 },
        { L"1+-123456789012345=", false, "VC", 2, L"0", 1, 0 }, /* stops before the number */
        { overLimit, false, "VC", 1, L"0", 1, 0 },
        { L"", false, "VC", 1, L"0", 0, 0 }, /* a zero */
        { nullptr, false, "VC", 1, L"0", 0, 0 },
        { L"7", true, "VC", 1, L"7", 2, 0 },
        { L"999999999999999*99=1+1=", false, "VC", 6, L"2", 0, 1 },
    };
    HHOOK hook = SetWindowsHookExA(WH_CBT, ClosingBoxHook, nullptr, GetCurrentThreadId());
    for (const auto &c : CASES) {
        int i = (int)(&c - CASES);
        SendMessageA(mainWindow, WM_COMMAND, CMD_KEY, KEY_POWER);
        g_nBoxes = 0;
        PutClipboardText(g_hOther, c.in);
        if (c.held) OpenClipboard(g_hOther);
        g_nBeeps = 0;
        DWORD start = GetTickCount();
        PressCombos(mainWindow, c.combos);
        DWORD elapsed = GetTickCount() - start;
        HWND stillOpen = GetOpenClipboardWindow();
        wchar_t out[256] = L"";
        OpenClipboard(g_hOther);
        if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
            lstrcpynW(out, (const wchar_t *)GlobalLock(data), 256);
            GlobalUnlock(data);
        }
        CloseClipboard();
        CHECK(wcscmp(out, c.out) == 0, "case %d: clipboard \"%ls\"", i, out);
        /* all of it at once, not a key's pause after another */
        CHECK(g_Tape.tapeCur + 1 == c.lines && (c.held || c.overflows || elapsed < KEY_PRESS_DELAY_MS),
              "case %d: %d lines in %lu ms", i, g_Tape.tapeCur + 1, elapsed);
        CHECK(g_nBeeps == c.beeps, "case %d: %d warning beeps", i, g_nBeeps);
        CHECK(g_nBoxes == c.overflows, "case %d: %d overflow notices", i, g_nBoxes);
        CHECK(stillOpen == (c.held ? g_hOther : nullptr), "case %d: the clipboard was closed", i);
        CHECK(c.held || GetClipboardOwner() == mainWindow, "case %d: owned by the calculator", i);
    }
    UnhookWindowsHookEx(hook);
}

/* Saved whole, replacing what was there; where it cannot be written the user
   is told what is true and why, and the file and the folder stay as they were. */
void TestSave(HWND mainWindow)
{
    enum { NONE, LOCKED, READ_ONLY };
    static const struct { const wchar_t *path; int kept; bool saved; } CASES[] = {
        { L"C:\\save\\tape.txt", NONE, true },
        { L"C:\\save\\locked.txt", LOCKED, false },      /* open elsewhere: cannot be replaced */
        { L"C:\\save\\read-only.txt", READ_ONLY, false }, /* marked to stay as it is */
        { L"Z:\\proc\\tape.txt", NONE, false },          /* a folder that takes no files */
    };
    const char *old = "an older and longer text, which must not show through";
    CreateDirectoryW(L"C:\\save", nullptr);
    for (int id : { KEY_POWER, KEY_1, KEY_2, KEY_PLUS, KEY_3, KEY_EQUALS }) PressTapeKey(id);
    HHOOK hook = SetWindowsHookExA(WH_CBT, ClosingBoxHook, nullptr, GetCurrentThreadId());
    for (const auto &c : CASES) {
        bool existed = false;
        if (FILE *file = _wfopen(c.path, L"wb")) {
            existed = fputs(old, file) >= 0;
            fclose(file);
        }
        if (c.kept == READ_ONLY) SetFileAttributesW(c.path, FILE_ATTRIBUTE_READONLY);
        HANDLE lock = c.kept == LOCKED ? CreateFileW(c.path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)
                                       : INVALID_HANDLE_VALUE;
        g_BoxText[0] = L'\0';
        CHECK(SaveTapeTo(mainWindow, c.path) == c.saved, "%ls: saved %d", c.path, c.saved);
        if (c.kept == LOCKED) CloseHandle(lock);
        const wchar_t *reason = wcsstr(g_BoxText, L"\n\n");
        CHECK(c.saved == !g_BoxText[0] && (c.saved || wcsstr(g_BoxText, SAVE_FAILED_TEXT(L)) == g_BoxText),
              "%ls: told \"%ls\"", c.path, g_BoxText);
        CHECK(c.saved || (wcsstr(g_BoxText, SAVE_UNCHANGED_TEXT(L)) != nullptr) == existed,
              "%ls: the old file named unchanged only where there was one", c.path);
        CHECK(c.saved || (reason && reason[2] && reason[2] != L'('), "%ls: with the system's reason", c.path);
        CHECK(c.kept != READ_ONLY || GetFileAttributesW(c.path) & FILE_ATTRIBUTE_READONLY,
              "%ls: still read-only", c.path);
        char read[256] = "";
        if (FILE *file = _wfopen(c.path, L"rb")) {
            fread(read, 1, sizeof(read) - 1, file);
            fclose(file);
            CHECK(strcmp(read, c.saved ? TAPE_12_3 : old) == 0, "%ls: the file is whole: %s", c.path, read);
        }
        WIN32_FIND_DATAW found;
        CHECK(FindFirstFileW(L"C:\\save\\*.tmp", &found) == INVALID_HANDLE_VALUE, "%ls: no temporary file left", c.path);
    }
    UnhookWindowsHookEx(hook);
}

} // namespace

int main()
{
    HWND mainWindow = StartCalculator();
    g_hOther = CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    TestClipboardKeys(mainWindow);
    TestSave(mainWindow);
    StopCalculator(mainWindow);
    return TestResult("clipboard_test");
}
