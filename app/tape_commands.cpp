/*
 * A tape read back from a file or the clipboard, saved to a file, and undo
 * and redo. The
 * text is read whole into one buffer, replayed by the core, and the outcome
 * told: nothing when every result agrees, else one message box.
 */
#include "app/tape_commands.h"

#include "app/tape_notices.h"
#include "app/clipboard.h"
#include "app/tape_file.h"
#include "tape/replay.h"
#include "tape/undo.h"

namespace {

/* The text being replayed, one more than the limit to know a longer one. */
char g_szTapeText[REPLAY_MAX_CHARS + 1];

const wchar_t *const REFUSAL_TEXTS[] = {
    L"",
#define REPLAY_REFUSAL(name, english, korean) L"" korean,
#include "tape/replay_refusals.def"
#undef REPLAY_REFUSAL
};

enum {
    DIFFERENCES_SHOWN = 10,
    NOTICE_CHARS = 1024 /* the longest notice: ten differences and their heading */
};

/* The differences that the message box lists. */
struct ShownDifferences {
    ReplayDifference lines[DIFFERENCES_SHOWN];
    int count;
};

void KeepDifference(const ReplayDifference *difference, void *context)
{
    ShownDifferences *shown = (ShownDifferences *)context;
    if (shown->count < DIFFERENCES_SHOWN) {
        shown->lines[shown->count++] = *difference;
    }
}

/* Appends one line of a notice, if it fits. */
void AppendNoticeLine(wchar_t *text, const wchar_t *line)
{
    if (lstrlenW(text) + lstrlenW(line) + 2 < NOTICE_CHARS) {
        lstrcatW(text, L"\n");
        lstrcatW(text, line);
    }
}

void ShowRefusal(HWND owner, const wchar_t *caption, const ReplayOutcome &outcome)
{
    wchar_t text[NOTICE_CHARS];
    wchar_t line[NOTICE_CHARS / 4];
    lstrcpyW(text, NOT_A_TAPE_TEXT(L));
    if (outcome.previousLine > 0) {
        wsprintfW(line, NOT_A_TAPE_LINES_FORMAT(L), outcome.previousLine, outcome.line,
                  REFUSAL_TEXTS[outcome.refusal]);
    } else if (outcome.line > 0) {
        wsprintfW(line, NOT_A_TAPE_LINE_FORMAT(L), outcome.line, REFUSAL_TEXTS[outcome.refusal]);
    } else {
        lstrcpynW(line, REFUSAL_TEXTS[outcome.refusal], NOTICE_CHARS / 4);
    }
    AppendNoticeLine(text, L"");
    AppendNoticeLine(text, line);
    MessageBoxW(owner, text, caption, MB_OK | MB_ICONWARNING);
}

void ShowDifferences(HWND owner, const wchar_t *caption, const ShownDifferences &shown, int total)
{
    wchar_t text[NOTICE_CHARS];
    wchar_t line[NOTICE_CHARS / 4];
    lstrcpyW(text, RESULTS_DIFFER_TEXT(L));
    AppendNoticeLine(text, L"");
    for (int i = 0; i < shown.count; i++) {
        const ReplayDifference &d = shown.lines[i];
        wsprintfW(line, RESULT_DIFFERS_FORMAT(L), d.line, d.file, d.computed);
        AppendNoticeLine(text, line);
    }
    if (total > shown.count) {
        wsprintfW(line, MORE_DIFFER_FORMAT(L), total - shown.count);
        AppendNoticeLine(text, line);
    }
    MessageBoxW(owner, text, caption, MB_OK | MB_ICONINFORMATION);
}

/* Replays the length bytes of g_szTapeText and tells the outcome. */
bool ReplayAndTell(HWND owner, const wchar_t *caption, int length)
{
    ShownDifferences shown = {};
    ReplayOutcome outcome = ReplayTapeText(g_szTapeText, length, KeepDifference, &shown);
    if (outcome.refusal != REPLAY_TAKEN) {
        ShowRefusal(owner, caption, outcome);
        return false;
    }
    if (outcome.differences > 0) {
        ShowDifferences(owner, caption, shown, outcome.differences);
    }
    return true;
}

} // namespace

void OpenTapeFile(HWND mainWindow)
{
    wchar_t path[MAX_PATH] = L"";
    if (ChooseTapeFile(mainWindow, false, path)) {
        ReplayTapeFile(mainWindow, path);
    }
}

bool ReplayTapeFile(HWND mainWindow, const wchar_t *path)
{
    /* up to one byte over the limit, to know a longer file */
    int length = ReadWholeFile(mainWindow, path, g_szTapeText, sizeof(g_szTapeText));
    return length >= 0 && ReplayAndTell(mainWindow, OPEN_CAPTION(L), length);
}

void SaveTape(HWND mainWindow)
{
    wchar_t path[MAX_PATH] = L"tape.txt";
    if (ChooseTapeFile(mainWindow, true, path)) {
        SaveTapeTo(mainWindow, path);
    }
}

namespace {

/* To its end, within the memory it has, as UTF-8: a text that does not fit
   the buffer is longer than any tape. */
void CopyClipboardTape(const char16_t *text, SIZE_T units, void *context)
{
    int end = 0;
    while ((SIZE_T)end < units && end <= REPLAY_MAX_CHARS && text[end] != u'\0') {
        end++;
    }
    int length = end == 0 ? 0
                          : WideCharToMultiByte(CP_UTF8, 0, (const wchar_t *)text, end, g_szTapeText,
                                                (int)sizeof(g_szTapeText), nullptr, nullptr);
    if (end > 0 && length == 0) {
        length = (int)sizeof(g_szTapeText); /* too long, refused as such */
    }
    *(int *)context = length;
}

} // namespace

void PasteTape(HWND mainWindow)
{
    int length = 0;
    if (ReadClipboardText(mainWindow, CopyClipboardTape, &length)) {
        ReplayAndTell(mainWindow, PASTE_TAPE_CAPTION(L), length);
    }
}

void UndoTape(HWND)
{
    UndoTapeChange();
}

void RedoTape(HWND)
{
    RedoTapeChange();
}
