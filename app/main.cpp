/*
 * The program's entry: registers the window classes, creates and shows the
 * main window and runs the message loop until the quit message.
 */
#include "app/shell.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int nCmdShow)
{
    g_hInstance = hInstance;
    if (!RegisterWindowClasses()) {
        return 0;
    }
    HWND mainWindow = CreateMainWindow();
    if (!mainWindow) {
        return 0;
    }
    ShowMainWindow(mainWindow, nCmdShow);

    MSG msg = {};
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        RelayKeyTipEvent(&msg);
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return (int)msg.wParam;
}

namespace {

typedef BOOL(WINAPI *SetDefaultDllDirectoriesFunction)(DWORD directoryFlags);

/* A downloaded program sits beside whatever else was downloaded, and
   Windows looks for a DLL that is not one of its known ones in the
   program's folder first: a planted winspool.drv, which the Print dialog and
   printer drivers load, would run as the program. From here on every DLL
   loaded for the program comes from the system folder. Systems older than
   the function (Windows 7 without its update) go on as before. */
void LoadSystemDllsOnly(void)
{
    FARPROC found = GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories");
    if (found) {
        ((SetDefaultDllDirectoriesFunction)(void (*)(void))found)(LOAD_LIBRARY_SEARCH_SYSTEM32);
    }
}

} // namespace

/* Where Windows starts the program. The C runtime's own start-up (argument
   parsing, TLS callbacks, runtime relocations, its error reporting) serves
   nothing here: the program has no static constructors, no threads and no
   command line of its own, and msvcrt.dll initialises itself. Going straight
   to WinMain keeps several kilobytes of start-up code out of the file. */
extern "C" void OrvantaStartup(void)
{
    LoadSystemDllsOnly();
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    GetStartupInfoA(&startup);
    int show = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : SW_SHOWDEFAULT;
    ExitProcess((UINT)WinMain(GetModuleHandleA(nullptr), nullptr, GetCommandLineA(), show));
}
