// A tape read back three ways (Ctrl+O through the Open dialog, a file dropped
// on the window, both saved as UTF-16; Ctrl+Shift+V), each reaching the same replay and telling it
// in a box owned by the main window; a refused file changes nothing; Ctrl+Z,
// Ctrl+Y and Ctrl+Shift+Z take the replay back and bring it again, the LCD's
// text following.
#include <shlobj.h>
#include <stdio.h>
#include <string.h>
#include <wchar.h>

#include <string>

#include <dlgs.h>

#include "app/tape_notices.h"
#include "app/shell.h"
#include "app/test/win_test.h"
#include "buttons/img_button.h"
#include "res/resource.h"
#include "tape/tape_text.h"

namespace {

const wchar_t CORRECTED_PATH[] = L"C:\\tapes\\corrected.txt";
const wchar_t REFUSED_PATH[] = L"C:\\tapes\\refused.txt";
#define CORRECTED "              12\r\n+              4\r\n=             15\r\n"
const wchar_t CORRECTED_DIFFERENCE[] = L"3번째 줄: 적힌 값 15, 계산한 값 16";

wchar_t g_BoxText[1024];
HWND g_hBoxOwner;

/* Answers the Open dialog with CORRECTED_PATH and reads and closes any
   message box. */
LRESULT CALLBACK AnsweringHook(int code, WPARAM wParam, LPARAM lParam)
{
    HWND window = (HWND)wParam;
    if (code == HCBT_ACTIVATE && GetDlgItem(window, 0xFFFF)) {
        GetDlgItemTextW(window, 0xFFFF, g_BoxText, 1024);
        g_hBoxOwner = GetWindow(window, GW_OWNER);
        PostMessageA(window, WM_COMMAND, IDOK, 0);
    } else if (code == HCBT_ACTIVATE && (GetDlgItem(window, edt1) || GetDlgItem(window, cmb13))) {
        SetDlgItemTextW(window, GetDlgItem(window, cmb13) ? cmb13 : edt1, CORRECTED_PATH);
        PostMessageA(window, WM_COMMAND, IDOK, 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

/* ASCII as is, or as UTF-16LE after its byte order mark (Notepad's "Unicode"). */
void WriteTextFile(const wchar_t *path, const char *text, bool utf16 = false)
{
    std::string bytes = utf16 ? "\xFF\xFE" : "";
    for (; *text; text++)
        bytes += utf16 ? std::string{ *text, '\0' } : std::string{ *text };
    FILE *file = _wfopen(path, L"wb");
    CHECK(file && fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size(), "%ls written", path);
    if (file) fclose(file);
}

/* paths: one name, or each name ended by a zero and the list by another
   (chars in all). */
void DropFile(HWND mainWindow, const wchar_t *paths, size_t chars = 0)
{
    chars = chars ? chars : wcslen(paths) + 2; /* GHND zeroes the end */
    HGLOBAL drop = GlobalAlloc(GHND, sizeof(DROPFILES) + chars * sizeof(wchar_t));
    DROPFILES *files = (DROPFILES *)GlobalLock(drop);
    files->pFiles = sizeof(DROPFILES);
    files->fWide = TRUE;
    memcpy(files + 1, paths, chars * sizeof(wchar_t));
    GlobalUnlock(drop);
    SendMessageW(mainWindow, WM_DROPFILES, (WPARAM)drop, 0); /* the window frees it */
}

std::string TapeText(void)
{
    char text[TAPE_TEXT_SIZE];
    FormatTapeText("\r\n", text);
    return text;
}

std::string LcdText(HWND mainWindow)
{
    char text[64] = "";
    GetWindowTextA(FindChild(mainWindow, IDC_LCDSCREEN), text, sizeof(text));
    return text;
}

void TestReplays(HWND mainWindow)
{
    const struct { const char *name; void (*run)(HWND); } WAYS[] = {
        { "Ctrl+O", [](HWND w) { PressWithModifiers(w, 'O', true, false); } },
        { "a drop", [](HWND w) { DropFile(w, CORRECTED_PATH); } },
        { "Ctrl+Shift+V", [](HWND w) {
              PutClipboardText(nullptr, L"" CORRECTED);
              PressWithModifiers(w, 'V', true, true);
          } },
    };
    for (const auto &way : WAYS) {
        SendMessageA(mainWindow, WM_COMMAND, CMD_KEY, KEY_POWER);
        SendMessageA(mainWindow, WM_COMMAND, CMD_KEY, KEY_7);
        std::string before = TapeText();
        g_BoxText[0] = L'\0';
        g_hBoxOwner = nullptr;
        way.run(mainWindow);
        CHECK(TapeText() == "              12\r\n+              4\r\n=             16\r\n", "%s: tape %s",
              way.name, TapeText().c_str());
        CHECK(wcsstr(g_BoxText, RESULTS_DIFFER_TEXT(L)) && wcsstr(g_BoxText, CORRECTED_DIFFERENCE),
              "%s: told \"%ls\"", way.name, g_BoxText);
        CHECK(g_hBoxOwner == mainWindow, "%s: the box is the main window's", way.name);
        CHECK(LcdText(mainWindow) == "16", "%s: the LCD reads %s", way.name, LcdText(mainWindow).c_str());
        PressWithModifiers(mainWindow, 'Z', true, false);
        CHECK(TapeText() == before && LcdText(mainWindow) == "7", "%s: undone", way.name);
        bool shiftZ = &way == &WAYS[1]; /* redo both ways */
        PressWithModifiers(mainWindow, shiftZ ? 'Z' : 'Y', true, shiftZ);
        CHECK(LcdText(mainWindow) == "16", "%s: redone", way.name);
    }

    WriteTextFile(REFUSED_PATH, "12\r\n+3x\r\n");
    std::string before = TapeText();
    g_BoxText[0] = L'\0';
    DropFile(mainWindow, REFUSED_PATH);
    CHECK(wcsstr(g_BoxText, NOT_A_TAPE_TEXT(L)) && wcsstr(g_BoxText, L"2번째 줄"), "refused: told \"%ls\"",
          g_BoxText);
    CHECK(TapeText() == before, "refused: the tape is unchanged");

    static const wchar_t TWO[] = L"C:\\tapes\\corrected.txt\0C:\\tapes\\refused.txt\0";
    g_BoxText[0] = L'\0';
    DropFile(mainWindow, TWO, sizeof TWO / sizeof TWO[0]);
    CHECK(wcscmp(g_BoxText, ONE_TAPE_AT_A_TIME_TEXT(L)) == 0 && TapeText() == before,
          "two files dropped: none opened, told \"%ls\"", g_BoxText);
}

} // namespace

int main()
{
    HWND mainWindow = StartCalculator();
    CHECK(GetWindowLongW(mainWindow, GWL_EXSTYLE) & WS_EX_ACCEPTFILES, "files can be dropped");
    CreateDirectoryW(L"C:\\tapes", nullptr);
    WriteTextFile(CORRECTED_PATH, CORRECTED, true);
    HHOOK hook = SetWindowsHookExA(WH_CBT, AnsweringHook, nullptr, GetCurrentThreadId());
    TestReplays(mainWindow);
    UnhookWindowsHookEx(hook);
    StopCalculator(mainWindow);
    return TestResult("tape_commands_test");
}
