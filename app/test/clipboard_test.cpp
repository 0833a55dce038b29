// Copy, paste and save through the keys as the main window gets them: clipboard
// text in, clipboard out, also while another window holds it; failing saves.
#include <stdio.h>
#include <string.h>

#include <initializer_list>

#include "amount/messages.h"
#include "app/clipboard.h"
#include "app/shell.h"
#include "app/test/win_test.h"
#include "buttons/img_button.h"
#include "tape/tape.h"

namespace {

HWND g_hOther; /* another program's window, for setting and reading the clipboard */
#define TAPE_12_3 "              12\r\n+              3\r\n=             15\r\n"

/* Each a key-down with exactly its modifiers held, then its character:
   C Ctrl+C, T Ctrl+Shift+C, V Ctrl+V, I Shift+Insert. */
void PressCombos(HWND mainWindow, const char *combos)
{
    for (; *combos; combos++) {
        bool insert = *combos == 'I';
        BYTE state[256] = {};
        state[VK_CONTROL] = insert ? 0 : 0x80;
        state[VK_SHIFT] = strchr("TI", *combos) ? 0x80 : 0;
        SetKeyboardState(state);
        WPARAM key = insert ? VK_INSERT : *combos == 'V' ? 'V' : 'C';
        SendMessageW(mainWindow, WM_KEYDOWN, key, 1);
        if (!insert) SendMessageW(mainWindow, WM_CHAR, key & 0x1F, 1); /* a control character */
        SetKeyboardState((BYTE *)memset(state, 0, sizeof(state)));
    }
}

/* Text, or for nullptr data of another kind only. */
void SetClipboard(const wchar_t *text)
{
    size_t size = text ? (wcslen(text) + 1) * sizeof(wchar_t) : 4;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    if (text) memcpy(GlobalLock(memory), text, size);
    GlobalUnlock(memory);
    CHECK(OpenClipboard(g_hOther) && EmptyClipboard(), "clipboard taken for the test");
    SetClipboardData(text ? CF_UNICODETEXT : RegisterClipboardFormatA("Orvanta test"), memory);
    CloseClipboard();
}

void TestClipboardKeys(HWND mainWindow)
{
    static const struct {
        const wchar_t *in; /* nullptr: no text on the clipboard */
        bool held;         /* by another window meanwhile */
        const char *combos; int keys; /* the keys that the paste typed */
        const wchar_t *out;
    } CASES[] = {
        { L"12+3=", false, "VC", 5, L"15" },
        { L".5*.5=", false, "VC", 6, L"0.25" },
        { L"-.5*.5=", false, "VC", 7, L"-0.25" },
        { L"12+3=", false, "VT", 5, L"" TAPE_12_3 },
        { L"1,234.5*2=", false, "VC", 9, L"2469" },
        { L"-3+1=", false, "IC", 5, L"-2" },
        { L"12+3x4=", false, "VC", 4, L"3" },
        { L"", false, "VC", 0, L"0" }, /* a zero */
        { nullptr, false, "VC", 0, L"0" },
        { L"7", true, "VC", 0, L"7" },
    };
    RecordLcdCommands(mainWindow, true);
    for (const auto &c : CASES) {
        int i = (int)(&c - CASES);
        SendMessageA(mainWindow, WM_COMMAND, CMD_KEY, KEY_POWER);
        SetClipboard(c.in);
        if (c.held) OpenClipboard(g_hOther);
        g_nLcdCommands = 0;
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
        /* typed as keys are, down to the LCD, but without their pause */
        CHECK(g_nLcdCommands == c.keys && (!c.keys || elapsed < (DWORD)c.keys * KEY_PRESS_DELAY_MS),
              "case %d: %d keys in %lu ms", i, g_nLcdCommands, elapsed);
        CHECK(stillOpen == (c.held ? g_hOther : nullptr), "case %d: the clipboard was closed", i);
        CHECK(c.held || GetClipboardOwner() == mainWindow, "case %d: owned by the calculator", i);
    }
    StopRecordingLcd(mainWindow);
}

wchar_t g_BoxText[128];

/* Reads and closes the message box that a failed save shows. */
LRESULT CALLBACK ClosingBoxHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE && GetDlgItem((HWND)wParam, 0xFFFF)) {
        GetDlgItemTextW((HWND)wParam, 0xFFFF, g_BoxText, 128);
        PostMessageA((HWND)wParam, WM_COMMAND, IDOK, 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

/* Saved whole, replacing what was there; where it cannot be written the user
   is told, and the file and the folder stay as they were. */
void TestSave(HWND mainWindow)
{
    static const struct { const wchar_t *path; bool locked, saved; } CASES[] = {
        { L"C:\\save\\tape.txt", false, true },
        { L"C:\\save\\locked.txt", true, false },  /* open elsewhere: cannot be replaced */
        { L"Z:\\proc\\tape.txt", false, false },   /* a folder that takes no files */
    };
    const char *old = "an older and longer text, which must not show through";
    CreateDirectoryW(L"C:\\save", nullptr);
    for (int id : { KEY_POWER, KEY_1, KEY_2, KEY_PLUS, KEY_3, KEY_EQUALS }) PressTapeKey(id);
    HHOOK hook = SetWindowsHookExA(WH_CBT, ClosingBoxHook, nullptr, GetCurrentThreadId());
    for (const auto &c : CASES) {
        if (FILE *file = _wfopen(c.path, L"wb")) {
            fputs(old, file);
            fclose(file);
        }
        HANDLE lock = c.locked ? CreateFileW(c.path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)
                               : INVALID_HANDLE_VALUE;
        g_BoxText[0] = L'\0';
        CHECK(SaveTapeTo(mainWindow, c.path) == c.saved, "%ls: saved %d", c.path, c.saved);
        if (c.locked) CloseHandle(lock);
        CHECK((wcscmp(g_BoxText, SAVE_FAILED_TEXT(L)) == 0) != c.saved, "%ls: told \"%ls\"", c.path, g_BoxText);
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
