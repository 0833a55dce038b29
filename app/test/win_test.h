/*
 * Small helpers for the Windows tests: checks that carry file, line and a
 * context text, message pumping with a time bound, the calculator started
 * in-process, and pixel capture for comparisons.
 */
#ifndef ORVANTA_WIN_TEST_H
#define ORVANTA_WIN_TEST_H

#include <windows.h>

extern int g_nTestFailures;

void CheckFailed(const char *file, int line, const char *expression, const char *format, ...);

/* CHECK(condition, printf-style context...) */
#define CHECK(cond, ...) \
    ((cond) ? (void)0 : CheckFailed(__FILE__, __LINE__, #cond, __VA_ARGS__))

/* Prints a summary and gives the process exit code: non-zero on failures. */
int TestResult(const char *testName);

/* Dispatches every message now waiting, paints included. */
void PumpPending(void);

/* Dispatches messages until done() holds or timeoutMs has passed, waiting for
   messages (never sleeping blindly); returns whether done() held. */
template <typename Done>
bool PumpUntil(Done done, DWORD timeoutMs = 5000)
{
    DWORD start = GetTickCount();
    for (;;) {
        PumpPending();
        if (done()) {
            return true;
        }
        DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs) {
            return false;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, timeoutMs - elapsed < 50 ? timeoutMs - elapsed : 50,
                                  QS_ALLINPUT);
    }
}

/* Registers the classes once and creates, shows and focuses the main window
   at its usual place. */
HWND StartCalculator(void);
/* Destroys it and drops the quit message that its destruction posts. */
void StopCalculator(HWND mainWindow);

/* Pixels as 0x00RRGGBB, top row first. */
enum { IMAGE_MAX_PIXELS = 226 * 282 };
struct Image {
    int width;
    int height;
    DWORD px[IMAGE_MAX_PIXELS];
};

inline DWORD PixelAt(const Image *image, int x, int y)
{
    return image->px[y * image->width + x];
}

/* What the window shows in the given rectangle of its client area. */
bool CaptureWindow(HWND hwnd, int x, int y, int width, int height, Image *out);
/* The pixels of a bitmap resource of the program, as LoadBitmapA gives it. */
bool LoadBitmapImage(int resourceId, Image *out);
/* Renders with draw(dc) into a fresh width x height memory surface. */
bool RenderImage(int width, int height, void (*draw)(HDC dc), Image *out);
/* Copies the (sx, sy, width, height) area of src to dst at (dx, dy). */
void CopyImageArea(const Image *src, int sx, int sy, int width, int height, Image *dst, int dx,
                   int dy);
/* Number of pixels that differ; the first one found goes to firstX, firstY. */
int CountDifferences(const Image *a, const Image *b, int *firstX, int *firstY);

/* Commands that reach the LCD screen, recorded by subclassing it. With
   forward false they stop there: only the routing counts. */
enum { LCD_COMMANDS_KEPT = 64 };
struct LcdCommand {
    WPARAM code;
    LPARAM buttonId;
};
extern LcdCommand g_LcdCommands[LCD_COMMANDS_KEPT];
extern int g_nLcdCommands; /* all that arrived, also beyond the ones kept */
void RecordLcdCommands(HWND mainWindow, bool forward);
void StopRecordingLcd(HWND mainWindow);

/* The key-down of virtualKey sent to window with exactly Ctrl and Shift as
   asked held, and with Ctrl the control character it types. */
void PressWithModifiers(HWND window, WPARAM virtualKey, bool control, bool shift);
/* Puts text on the clipboard, opened for owner; for nullptr, data of
   another kind only. */
void PutClipboardText(HWND owner, const wchar_t *text);

/* GDI objects alive in this process. */
int CountGdiObjects(void);

/* Where the resources of the program live (its module). */
void UseOwnResources(void);

#endif
