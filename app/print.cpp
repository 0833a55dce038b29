/*
 * The tape on paper. Every size is worked out from the printer's own
 * resolution and printable area, so that the page looks the same on any
 * printer: a 10-point fixed-pitch font, margins of 15 mm inside what the
 * printer can reach, a header on each page. Printing goes to the spooler
 * and returns: the window is never held while the printer works.
 */
#include "app/print.h"

#include <commdlg.h>

#include "amount/marks.h"
#include "app/failure.h"
#include "app/shell.h"
#include "app/tape_notices.h"
#include "tape/tape.h"

#define PROGRAM_NAME L"" MAIN_WINDOW_TEXT

namespace {

enum {
    TEXT_POINTS = 10,
    POINTS_PER_INCH = 72,
    MARGIN_TENTHS_MM = 150,
    TENTHS_MM_PER_INCH = 254,
    HEADER_CHARS = 64
};

/* Where a page's text goes, in the printer's units (its printable area's
   top-left corner is 0, 0). */
struct PageLayout {
    int left, top, right, bottom;
    int lineHeight;
    int bodyTop;       /* the first tape line, below the header and its rule */
    int linesPerPage;  /* never below 1, whatever the paper */
};

/* The tape's own font, and its bold for the results: fixed pitch, so that
   the amounts stand right-aligned in a column as on the LCD. */
HFONT CreateTapeFont(HDC printer, int weight)
{
    int height = -MulDiv(TEXT_POINTS, GetDeviceCaps(printer, LOGPIXELSY), POINTS_PER_INCH);
    return CreateFontW(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, L"Courier New");
}

int LineHeightOf(HDC printer, HFONT font)
{
    HGDIOBJ old = SelectObject(printer, font);
    TEXTMETRICW metrics = {};
    GetTextMetricsW(printer, &metrics);
    SelectObject(printer, old);
    return metrics.tmHeight + metrics.tmExternalLeading;
}

PageLayout LayOutPage(HDC printer, HFONT tapeFont)
{
    PageLayout page = {};
    int marginX = MulDiv(MARGIN_TENTHS_MM, GetDeviceCaps(printer, LOGPIXELSX), TENTHS_MM_PER_INCH);
    int marginY = MulDiv(MARGIN_TENTHS_MM, GetDeviceCaps(printer, LOGPIXELSY), TENTHS_MM_PER_INCH);
    page.left = marginX;
    page.top = marginY;
    page.right = GetDeviceCaps(printer, HORZRES) - marginX;
    page.bottom = GetDeviceCaps(printer, VERTRES) - marginY;
    page.lineHeight = LineHeightOf(printer, tapeFont);
    if (page.lineHeight < 1) {
        page.lineHeight = 1; /* a printer that measures nothing still pages */
    }
    /* The header's line, then a blank line with the rule in its middle. */
    page.bodyTop = page.top + 2 * page.lineHeight;
    page.linesPerPage = (page.bottom - page.bodyTop) / page.lineHeight;
    if (page.linesPerPage < 1) {
        page.linesPerPage = 1;
    }
    return page;
}

int TapeLineCount(void)
{
    return g_Tape.tapeCur + 1;
}

int PageCountOf(const PageLayout &page)
{
    return (TapeLineCount() + page.linesPerPage - 1) / page.linesPerPage;
}

/* The time of printing, the same on every page: the date as the user's
   settings write it, the time on the 24-hour clock to the minute. Neither
   has words (no AM or PM), so that the header prints in the tape's font. */
void FormatPrintTime(wchar_t text[HEADER_CHARS])
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    int n = GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &now, nullptr, text, HEADER_CHARS);
    if (n <= 0) {
        text[0] = L'\0';
        n = 1;
    }
    text[n - 1] = L' ';
    DWORD clock = TIME_NOSECONDS | TIME_FORCE24HOURFORMAT | TIME_NOTIMEMARKER;
    if (GetTimeFormatW(LOCALE_USER_DEFAULT, clock, &now, nullptr, text + n, HEADER_CHARS - n) <= 0) {
        text[n - 1] = L'\0';
    }
}

/* The program's name, the time and "N / M" in the tape's font, and a rule
   under them. Only digits and the name, which every font has, so that no
   printer falls back to a font of its choosing. */
void DrawHeader(HDC printer, const PageLayout &page, HFONT font, const wchar_t *when,
                int pageNumber, int pageCount)
{
    HGDIOBJ old = SelectObject(printer, font);
    wchar_t number[HEADER_CHARS];
    wsprintfW(number, L"%d / %d", pageNumber, pageCount);
    SetTextAlign(printer, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    TextOutW(printer, page.left, page.top, PROGRAM_NAME, lstrlenW(PROGRAM_NAME));
    SetTextAlign(printer, TA_CENTER | TA_TOP | TA_NOUPDATECP);
    TextOutW(printer, (page.left + page.right) / 2, page.top, when, lstrlenW(when));
    SetTextAlign(printer, TA_RIGHT | TA_TOP | TA_NOUPDATECP);
    TextOutW(printer, page.right, page.top, number, lstrlenW(number));
    SetTextAlign(printer, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    SelectObject(printer, old);
    int ruleY = page.bodyTop - page.lineHeight / 2;
    MoveToEx(printer, page.left, ruleY, nullptr);
    LineTo(printer, page.right, ruleY);
}

/* Results stand out in bold, as a paper tape prints its totals. */
bool IsResultLine(const char *entry)
{
    return IsResultMark(entry[0]);
}

void DrawTapeLines(HDC printer, const PageLayout &page, HFONT plain, HFONT bold, int first, int end)
{
    HGDIOBJ old = SelectObject(printer, plain);
    for (int i = first; i < end; i++) {
        TapeEntry shown;
        FormatShownEntry(g_Tape.entries[i], shown);
        SelectObject(printer, IsResultLine(g_Tape.entries[i]) ? bold : plain);
        TextOutA(printer, page.left, page.bodyTop + (i - first) * page.lineHeight, shown,
                 TAPE_ENTRY_LEN);
    }
    SelectObject(printer, old);
}

/* The fonts a document is printed in. */
struct PrintFonts {
    HFONT plain;
    HFONT bold;
};

/* Pages first to last of one document, between StartDoc and EndDoc. */
DWORD PrintPages(HDC printer, const PrintFonts &fonts, const PageLayout &page, int first, int last)
{
    int pageCount = PageCountOf(page);
    wchar_t when[HEADER_CHARS];
    FormatPrintTime(when);
    for (int n = first; n <= last; n++) {
        if (StartPage(printer) <= 0) {
            return LastError();
        }
        DrawHeader(printer, page, fonts.plain, when, n, pageCount);
        int begin = (n - 1) * page.linesPerPage;
        int end = n == pageCount ? TapeLineCount() : begin + page.linesPerPage;
        DrawTapeLines(printer, page, fonts.plain, fonts.bold, begin, end);
        if (EndPage(printer) <= 0) {
            return LastError();
        }
    }
    return 0;
}

void ShowPrintFailure(HWND owner, const wchar_t *what, DWORD error)
{
    ShowFailure(owner, PRINT_CAPTION(L), what, error);
}

/* The dialog's failures are its own codes, not the system's: no words of
   the system belong to them. */
void ShowDialogFailure(HWND owner, DWORD error)
{
    if (error == PDERR_NODEFAULTPRN || error == PDERR_NODEVICES) {
        ShowPrintFailure(owner, PRINT_FAILED_TEXT(L) L"\n" NO_PRINTER_TEXT(L), 0);
        return;
    }
    wchar_t text[HEADER_CHARS * 2];
    wsprintfW(text, PRINT_FAILED_TEXT(L) L"\n" PRINT_DIALOG_FAILED_FORMAT(L), error);
    ShowPrintFailure(owner, text, 0);
}

/* The pages the tape takes on the printer that a dialog's printer and
   settings name, so that the dialog offers the pages there are and refuses
   others itself; where the printer cannot be asked, the lines, as each page
   holds at least one. */
WORD CountPagesOn(HGLOBAL devNames, HGLOBAL devMode)
{
    int pages = TapeLineCount();
    const DEVNAMES *names = devNames ? (const DEVNAMES *)GlobalLock(devNames) : nullptr;
    const DEVMODEW *mode = devMode ? (const DEVMODEW *)GlobalLock(devMode) : nullptr;
    HDC printer = names ? CreateICW((const wchar_t *)names + names->wDriverOffset,
                                    (const wchar_t *)names + names->wDeviceOffset, nullptr, mode)
                        : nullptr;
    if (printer) {
        HFONT plain = CreateTapeFont(printer, FW_NORMAL);
        pages = PageCountOf(LayOutPage(printer, plain));
        DeleteObject(plain);
        DeleteDC(printer);
    }
    if (mode) {
        GlobalUnlock(devMode);
    }
    if (names) {
        GlobalUnlock(devNames);
    }
    return (WORD)pages;
}

} // namespace

DWORD PrintTapeTo(HDC printer, int firstPage, int lastPage)
{
    PrintFonts fonts = { CreateTapeFont(printer, FW_NORMAL), CreateTapeFont(printer, FW_BOLD) };
    PageLayout page = LayOutPage(printer, fonts.plain);
    int first = firstPage < 1 ? 1 : firstPage;
    int last = lastPage < PageCountOf(page) ? lastPage : PageCountOf(page);
    DWORD error = 0;
    if (first <= last) { /* a range past the end is no document, not a blank sheet */
        DOCINFOW document = {};
        document.cbSize = sizeof(document);
        document.lpszDocName = PROGRAM_NAME;
        if (StartDocW(printer, &document) <= 0) {
            error = LastError();
        } else if ((error = PrintPages(printer, fonts, page, first, last)) != 0) {
            AbortDoc(printer);
        } else if (EndDoc(printer) <= 0) {
            error = LastError();
        }
    }
    DeleteObject(fonts.bold);
    DeleteObject(fonts.plain);
    return error;
}

void PrintTape(HWND mainWindow)
{
    PRINTDLGW dialog = {};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = mainWindow;
    /* The default printer first: where there is none, the notice is ours
       and owned by the main window (Wine's dialog would open with a warning
       of its own, owned by itself). The dialog then starts on it. */
    dialog.Flags = PD_RETURNDEFAULT | PD_NOWARNING;
    if (!PrintDlgW(&dialog)) {
        DWORD error = CommDlgExtendedError();
        ShowDialogFailure(mainWindow, error != 0 ? error : PDERR_NODEFAULTPRN);
        return;
    }
    dialog.Flags = PD_RETURNDC | PD_USEDEVMODECOPIESANDCOLLATE | PD_NOSELECTION | PD_NOWARNING;
    dialog.nMinPage = 1;
    dialog.nMaxPage = CountPagesOn(dialog.hDevNames, dialog.hDevMode);
    dialog.nFromPage = 1;
    dialog.nToPage = dialog.nMaxPage;
    if (!PrintDlgW(&dialog)) {
        if (DWORD error = CommDlgExtendedError()) { /* cancelled is 0 */
            ShowDialogFailure(mainWindow, error);
        }
    } else {
        /* All: every page on the printer chosen, which can take more than
           the default one that counted the dialog's pages. */
        bool range = (dialog.Flags & PD_PAGENUMS) != 0;
        DWORD error = PrintTapeTo(dialog.hDC, range ? dialog.nFromPage : 1,
                                  range ? dialog.nToPage : (int)TAPE_ENTRIES);
        if (error != 0) {
            ShowPrintFailure(mainWindow, PRINT_FAILED_TEXT(L), error);
        }
    }
    if (dialog.hDC) {
        DeleteDC(dialog.hDC);
    }
    if (dialog.hDevMode) {
        GlobalFree(dialog.hDevMode);
    }
    if (dialog.hDevNames) {
        GlobalFree(dialog.hDevNames);
    }
}
