// The tape printed through Ctrl+P and the Print dialog to a PostScript
// printer made in the prefix, read back as text: a header on every page,
// every line whole and in order over several pages; and with no printer, a
// notice owned by the main window.
#include <stdio.h>
#include <string.h>
#include <wchar.h>
#include <windows.h>
#include <winspool.h>

#include <string>
#include <vector>

#include <dlgs.h>

#include "amount/messages.h"
#include "app/shell.h"
#include "app/test/win_test.h"
#include "buttons/img_button.h"
#include "tape/tape_text.h"

namespace {

const wchar_t PRINTER[] = L"Orvanta Test PostScript";
const wchar_t PPD_PATH[] = L"C:\\print\\generic.ppd";
const wchar_t TEXT_PATH[] = L"C:\\print\\printed.txt";
const wchar_t INFO_PATH[] = L"C:\\print\\info.txt"; /* pdfinfo's */

wchar_t g_BoxText[512];
HWND g_hBoxOwner;
int g_nDialogs;

/* Reads and closes any message box; answers the Print dialog with OK. */
LRESULT CALLBACK AnsweringHook(int code, WPARAM wParam, LPARAM lParam)
{
    HWND window = (HWND)wParam;
    if (code == HCBT_ACTIVATE && GetDlgItem(window, 0xFFFF)) {
        GetDlgItemTextW(window, 0xFFFF, g_BoxText, 512);
        g_hBoxOwner = GetWindow(window, GW_OWNER);
        PostMessageA(window, WM_COMMAND, IDOK, 0);
    } else if (code == HCBT_ACTIVATE && GetDlgItem(window, cmb4)) {
        g_nDialogs++;
        PostMessageA(window, WM_COMMAND, IDOK, 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

std::string ReadFile(const wchar_t *path)
{
    std::string text;
    if (FILE *file = _wfopen(path, L"rb")) {
        char chunk[4096];
        for (size_t n; (n = fread(chunk, 1, sizeof(chunk), file)) > 0;) text.append(chunk, n);
        fclose(file);
    }
    return text;
}

std::string TapeText(void)
{
    char text[TAPE_TEXT_SIZE];
    FormatTapeText("\n", text);
    return text;
}

/* Lines without their blanks at either end, blanks inside made one, and
   none empty: text as it reads, whatever the layout of the page. */
std::vector<std::string> WordsByLine(const std::string &text)
{
    std::vector<std::string> lines;
    std::string line;
    bool blank = false;
    for (size_t i = 0; i <= text.size(); i++) {
        char c = i < text.size() ? text[i] : '\n';
        if (c == '\n' || c == '\f') {
            if (!line.empty()) lines.push_back(line);
            line.clear();
        } else if (c == ' ' || c == '\t' || c == '\r') {
            blank = !line.empty();
        } else {
            if (blank) line += ' ';
            blank = false;
            line += c;
        }
    }
    return lines;
}

/* The prefix's Unix name for a Windows path, through Wine's own export. */
std::string UnixPath(const wchar_t *path)
{
    typedef char *(CDECL * ToUnix)(const wchar_t *);
    ToUnix toUnix = (ToUnix)(void (*)(void))GetProcAddress(GetModuleHandleA("kernel32.dll"),
                                                           "wine_get_unix_file_name");
    char *unix = toUnix ? toUnix(path) : nullptr;
    std::string name = unix ? unix : "";
    if (unix) HeapFree(GetProcessHeap(), 0, unix);
    return name;
}

/* A printer that writes PostScript into a pipe, made without a print
   system: Wine's PostScript driver with its generic PPD, the job handed on
   raw, the pipe turning the page into text with ghostscript and poppler. */
bool InstallTextPrinter(void)
{
    CreateDirectoryW(L"C:\\print", nullptr);
    HMODULE spool = LoadLibraryExW(L"winspool.drv", nullptr, LOAD_LIBRARY_AS_DATAFILE);
    HRSRC found = spool ? FindResourceW(spool, MAKEINTRESOURCEW(1), L"PPDFILE") : nullptr;
    HGLOBAL ppd = found ? LoadResource(spool, found) : nullptr;
    FILE *file = ppd ? _wfopen(PPD_PATH, L"wb") : nullptr;
    if (!file) return false;
    fwrite(LockResource(ppd), 1, SizeofResource(spool, found), file);
    fclose(file);

    AddPrintProcessorW(nullptr, nullptr, (wchar_t *)L"wineps.drv", (wchar_t *)L"wineps");
    DRIVER_INFO_3W driver = {};
    driver.cVersion = 3;
    driver.pName = (wchar_t *)PRINTER;
    driver.pDriverPath = (wchar_t *)L"wineps.drv";
    driver.pConfigFile = (wchar_t *)L"wineps.drv";
    driver.pDataFile = (wchar_t *)PPD_PATH;
    driver.pDefaultDataType = (wchar_t *)L"RAW";
    if (!AddPrinterDriverExW(nullptr, 3, (BYTE *)&driver, APD_COPY_NEW_FILES | APD_COPY_FROM_DIRECTORY))
        return false;

    std::string folder = UnixPath(L"C:\\print");
    std::string pipe = "|cd '" + folder + "' && ps2pdf - printed.pdf && pdfinfo printed.pdf >info.txt"
                       " && pdftotext -layout printed.pdf part.txt && mv part.txt printed.txt";
    wchar_t port[MAX_PATH * 2];
    MultiByteToWideChar(CP_UTF8, 0, pipe.c_str(), -1, port, MAX_PATH * 2);
    PRINTER_INFO_2W info = {};
    info.pPrinterName = (wchar_t *)PRINTER;
    info.pPortName = port;
    info.pDriverName = (wchar_t *)PRINTER;
    info.pPrintProcessor = (wchar_t *)L"winprint";
    info.pDatatype = (wchar_t *)L"RAW";
    HANDLE printer = AddPrinterW(nullptr, 2, (BYTE *)&info);
    if (!printer) return false;
    ClosePrinter(printer);
    return SetDefaultPrinterW(PRINTER) != 0;
}

void TestNoPrinter(HWND mainWindow)
{
    wchar_t name[MAX_PATH];
    DWORD size = MAX_PATH;
    if (GetDefaultPrinterW(name, &size)) {
        printf("print_test: the prefix has a printer (%ls): no check without one\n", name);
        return;
    }
    for (int id : { KEY_POWER, KEY_7 }) PressTapeKey(id);
    std::string before = TapeText();
    g_BoxText[0] = L'\0';
    PressWithModifiers(mainWindow, 'P', true, false);
    CHECK(wcsstr(g_BoxText, PRINT_FAILED_TEXT(L)) == g_BoxText && wcsstr(g_BoxText, NO_PRINTER_TEXT(L)),
          "no printer: told \"%ls\"", g_BoxText);
    CHECK(g_hBoxOwner == mainWindow, "no printer: the box is the main window's");
    CHECK(TapeText() == before, "no printer: the tape is unchanged");
}

void TestPrintedTape(HWND mainWindow)
{
    /* 34 sums of three lines each: a full tape, its first lines dropped. */
    PressTapeKey(KEY_POWER);
    for (int i = 0; i < 34; i++) {
        for (int id : { (int)KEY_1 + i % 9, (int)KEY_2, (int)KEY_PLUS, (int)KEY_3, (int)KEY_EQUALS }) PressTapeKey(id);
    }
    std::string before = TapeText();
    g_nDialogs = 0;
    g_BoxText[0] = L'\0';
    DeleteFileW(TEXT_PATH);
    PressWithModifiers(mainWindow, 'P', true, false);
    CHECK(g_nDialogs == 1 && !g_BoxText[0], "Ctrl+P: the dialog, no notice (\"%ls\")", g_BoxText);
    CHECK(TapeText() == before, "printing leaves the tape as it was");
    bool printed = PumpUntil([] { return GetFileAttributesW(TEXT_PATH) != INVALID_FILE_ATTRIBUTES; }, 30000);
    CHECK(printed, "the printer's output came back as text");
    std::string text = ReadFile(TEXT_PATH);
    std::string info = ReadFile(INFO_PATH);
    size_t title = info.find("Title:");
    CHECK(title != std::string::npos && info.find(MAIN_WINDOW_TEXT, title) < info.find('\n', title),
          "the document is named after the program: %s", info.c_str());

    /* pdftotext ends each page with a form feed. */
    std::vector<std::string> pages;
    for (size_t start = 0, end; (end = text.find('\f', start)) != std::string::npos; start = end + 1)
        pages.push_back(text.substr(start, end - start));
    CHECK(pages.size() >= 2, "%d pages for 100 lines", (int)pages.size());
    std::vector<std::string> printedLines;
    for (size_t p = 0; p < pages.size(); p++) {
        std::vector<std::string> lines = WordsByLine(pages[p]);
        char number[32];
        snprintf(number, sizeof(number), "%d / %d", (int)p + 1, (int)pages.size());
        CHECK(!lines.empty() && lines[0].find(MAIN_WINDOW_TEXT) == 0 && lines[0].find(number) != std::string::npos,
              "page %d: header \"%s\"", (int)p + 1, lines.empty() ? "" : lines[0].c_str());
        printedLines.insert(printedLines.end(), lines.begin() + (lines.empty() ? 0 : 1), lines.end());
    }
    std::vector<std::string> tapeLines = WordsByLine(before);
    CHECK(tapeLines.size() == 100, "%d tape lines", (int)tapeLines.size());
    CHECK(printedLines == tapeLines, "every line whole and in order: %d printed", (int)printedLines.size());
    for (size_t i = 0; i < printedLines.size() && i < tapeLines.size(); i++) {
        if (printedLines[i] != tapeLines[i]) {
            printf("first difference at line %d: \"%s\" printed for \"%s\"\n", (int)i + 1,
                   printedLines[i].c_str(), tapeLines[i].c_str());
            break;
        }
    }
}

} // namespace

int main()
{
    HWND mainWindow = StartCalculator();
    HHOOK hook = SetWindowsHookExA(WH_CBT, AnsweringHook, nullptr, GetCurrentThreadId());
    TestNoPrinter(mainWindow);
    CHECK(InstallTextPrinter(), "a printer made: error %lu", GetLastError());
    TestPrintedTape(mainWindow);
    UnhookWindowsHookEx(hook);
    StopCalculator(mainWindow);
    return TestResult("print_test");
}
