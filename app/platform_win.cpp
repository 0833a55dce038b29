/*
 * What the calculator core asks of Windows: the overflow notice. The LCD's
 * immediate repaint is in lcd/lcd_window.cpp.
 */
#include "amount/platform.h"

#include <string.h>
#include <windows.h>

#include "amount/messages.h"
#include "app/shell.h"

namespace {

/* For EnumThreadWindows: stops at the calculator's main window, whose
   handle goes to *(HWND *)found. */
BOOL CALLBACK FindMainWindow(HWND hwnd, LPARAM found)
{
    char className[64];
    if (GetClassNameA(hwnd, className, sizeof(className)) &&
        strcmp(className, MAIN_WINDOW_CLASS) == 0) {
        *(HWND *)found = hwnd;
        return FALSE;
    }
    return TRUE;
}

} // namespace

void ShowOverflowMessage(void)
{
    /* Task-modal: the calculator takes no keys while the notice is open, so
       no key can run nested inside the operator key that raised it. Wide
       text, so that it reads the same whatever the system's code page. */
    MessageBoxW(nullptr, OVERFLOW_TEXT(L), OVERFLOW_CAPTION(L), MB_OK | MB_TASKMODAL);

    /* A notice without an owner leaves no window active when it closes, and
       typed keys would go nowhere until the calculator is clicked. */
    HWND mainWindow = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindMainWindow, (LPARAM)&mainWindow);
    if (mainWindow) {
        SetForegroundWindow(mainWindow);
    }
}
