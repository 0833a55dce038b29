// The tape printed through Ctrl+P and the Print dialog to a PostScript printer
// made in the prefix, read back as text; and the notices when it cannot print.
#include <windows.h>
#include <dlgs.h>
#include <winspool.h>

#include <algorithm>
#include <fstream>
#include <string>

#include "app/print.h"
#include "app/shell.h"
#include "app/tape_notices.h"
#include "app/test/win_test.h"
#include "tape/press_key.h"
#include "tape/tape_text.h"

namespace {

wchar_t g_BoxText[512];
HWND g_hBoxOwner;
int g_nDialogs;

/* Reads and closes any message box; answers the Print dialog with OK. */
LRESULT CALLBACK AnsweringHook(int code, WPARAM wParam, LPARAM lParam)
{
    HWND window = code == HCBT_ACTIVATE ? (HWND)wParam : nullptr;
    bool box = window && GetDlgItem(window, 0xFFFF), dialog = window && GetDlgItem(window, cmb4);
    if (box && GetDlgItemTextW(window, 0xFFFF, g_BoxText, 512)) g_hBoxOwner = GetWindow(window, GW_OWNER);
    g_nDialogs += dialog;
    if (box || dialog) PostMessageA(window, WM_COMMAND, IDOK, 0);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

/* A text without its blanks and empty lines: what it reads, whatever the layout. */
std::string Squeezed(const std::string &text)
{
    std::string squeezed;
    for (char c : text)
        if (c != ' ' && c != '\r' && (c != '\n' || (!squeezed.empty() && squeezed.back() != '\n'))) squeezed += c;
    return squeezed;
}

/* Wine's PostScript driver with its generic PPD, the job handed on raw to a
   pipe that writes the document's title and its text (ghostscript, poppler). */
bool InstallTextPrinter(void)
{
    wchar_t name[] = L"PostScript to text", ppd[] = L"C:\\print.ppd", wineps[] = L"wineps.drv", raw[] = L"RAW";
    wchar_t winprint[] = L"winprint", port[] = L"|cd \"$WINEPREFIX/drive_c\" && ps2pdf - out.pdf && pdfinfo out.pdf"
        L" | grep ^Title: >part.txt && pdftotext -layout out.pdf - >>part.txt && mv part.txt out.txt";
    HMODULE spool = LoadLibraryExW(L"winspool.drv", nullptr, LOAD_LIBRARY_AS_DATAFILE);
    HRSRC found = FindResourceW(spool, MAKEINTRESOURCEW(1), L"PPDFILE");
    std::ofstream(ppd, std::ios::binary).write((const char *)LockResource(LoadResource(spool, found)),
                                               SizeofResource(spool, found));
    DRIVER_INFO_3W driver = { 3, name, nullptr, wineps, ppd, wineps, nullptr, nullptr, nullptr, raw };
    PRINTER_INFO_2W printer = {};
    printer.pPrinterName = printer.pDriverName = name;
    printer.pPortName = port, printer.pPrintProcessor = winprint, printer.pDatatype = raw;
    HANDLE added = AddPrinterDriverExW(nullptr, 3, (BYTE *)&driver, APD_COPY_NEW_FILES | APD_COPY_FROM_DIRECTORY)
                       ? AddPrinterW(nullptr, 2, (BYTE *)&printer) : nullptr;
    return added && ClosePrinter(added) && SetDefaultPrinterW(name);
}

/* What Ctrl+P printed: the title, then the text, each page ended by a form feed. */
std::string PrintedByCtrlP(HWND mainWindow)
{
    g_BoxText[0] = L'\0', g_nDialogs = 0;
    PressWithModifiers(mainWindow, 'P', true, false);
    if (g_nDialogs) PumpUntil([] { return GetFileAttributesA("C:\\out.txt") != INVALID_FILE_ATTRIBUTES; }, 20000);
    return std::string(std::istreambuf_iterator<char>(std::ifstream("C:\\out.txt", std::ios::binary).rdbuf()), {});
}

} // namespace

int main()
{
    HWND mainWindow = StartCalculator();
    HHOOK hook = SetWindowsHookExA(WH_CBT, AnsweringHook, nullptr, GetCurrentThreadId());
    for (int i = 0; i < 34; i++) /* 102 lines: a full tape, its first lines dropped */
        for (int id : { (int)KEY_1 + i % 9, (int)KEY_2, (int)KEY_PLUS, (int)KEY_3, (int)KEY_EQUALS }) PressTapeKey(id);
    char tape[TAPE_TEXT_SIZE];
    FormatTapeText("\n", tape);
    DWORD needed = 0, count = 0; /* a printer of the host's would take the job: the notice is checked without one */
    EnumPrintersW(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 4, nullptr, 0, &needed, &count);
    CHECK(needed > 0 || (PrintedByCtrlP(mainWindow).empty() && g_nDialogs == 0 && g_hBoxOwner == mainWindow &&
                         wcsstr(g_BoxText, PRINT_FAILED_TEXT(L)) == g_BoxText && wcsstr(g_BoxText, NO_PRINTER_TEXT(L))),
          "no printer: no dialog, nothing printed, the main window's notice \"%ls\"", g_BoxText);
    HDC memory = CreateCompatibleDC(nullptr); /* takes no document */
    CHECK(PrintTapeTo(memory, 1, TAPE_ENTRIES) != 0, "a device that refuses: an error, not success");
    DeleteDC(memory);
    CHECK(InstallTextPrinter(), "a printer made: error %lu", GetLastError());
    std::string printed = PrintedByCtrlP(mainWindow);
    CHECK(g_nDialogs == 1 && !g_BoxText[0], "the dialog, no notice (\"%ls\")", g_BoxText);
    CHECK(printed.find("Title:") == 0 && printed.find(MAIN_WINDOW_TEXT) < printed.find('\n'), "named after the program");
    /* Each page its header, then its lines; no line lost, split or moved. */
    int pages = (int)std::count(printed.begin(), printed.end(), '\f');
    std::string body;
    for (size_t page = 1, at = printed.find('\n') + 1, end; (end = printed.find('\f', at)) != std::string::npos;
         page++, at = end + 1) {
        std::string text = Squeezed(printed.substr(at, end - at)), header = text.substr(0, text.find('\n'));
        std::string number = std::to_string(page) + "/" + std::to_string(pages);
        CHECK(header.find("OrvantaCalculator") == 0 && header.rfind(number) == header.size() - number.size(),
              "page %d: header %s", (int)page, header.c_str());
        body += text.substr(std::min(header.size() + 1, text.size()));
    }
    CHECK(pages >= 2 && body == Squeezed(tape), "%d pages:\n%s", pages, body.c_str());
    UnhookWindowsHookEx(hook);
    StopCalculator(mainWindow);
    return TestResult("print_test");
}
