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
    ShowWindow(mainWindow, nCmdShow);
    UpdateWindow(mainWindow);

    MSG msg = {};
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        RelayKeyTipEvent(&msg);
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return (int)msg.wParam;
}
