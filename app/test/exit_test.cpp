// The program itself, started as a process: it opens at (100, 100), honours a
// minimised start, and ends with exit code 0 both ways, by a close request
// and by its quit key.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "tape/keys.h"
#include "app/shell.h"
#include "app/test/win_test.h"

namespace {

char g_ExePath[MAX_PATH];

/* ctest hands over the program's path as the build sees it, which under
   Wine is a Unix path: that is drive Z:. */
bool FindProgram(void)
{
    const char *path = getenv("ORVANTA_EXE");
    if (!path || strlen(path) + 3 > sizeof(g_ExePath)) {
        return false;
    }
    if (path[0] == '/') {
        snprintf(g_ExePath, sizeof(g_ExePath), "Z:%s", path);
    } else {
        snprintf(g_ExePath, sizeof(g_ExePath), "%s", path);
    }
    for (char *p = g_ExePath; *p; p++) {
        if (*p == '/') {
            *p = '\\';
        }
    }
    return true;
}

struct Started {
    PROCESS_INFORMATION process;
    HWND mainWindow;
};

BOOL CALLBACK FindMainWindow(HWND hwnd, LPARAM param)
{
    Started *started = (Started *)param;
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    char className[64] = "";
    GetClassNameA(hwnd, className, sizeof(className));
    if (pid == started->process.dwProcessId && strcmp(className, MAIN_WINDOW_CLASS) == 0) {
        started->mainWindow = hwnd;
        return FALSE;
    }
    return TRUE;
}

bool Start(WORD showCommand, Started *started)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = showCommand;
    *started = {};
    if (!CreateProcessA(g_ExePath, nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &started->process)) {
        return false;
    }
    WaitForInputIdle(started->process.hProcess, 10000);
    return PumpUntil([&] {
        EnumWindows(FindMainWindow, (LPARAM)started);
        return started->mainWindow != nullptr && IsWindowVisible(started->mainWindow);
    }, 10000);
}

DWORD WaitForExit(Started *started)
{
    DWORD code = 259;
    if (WaitForSingleObject(started->process.hProcess, 10000) == WAIT_OBJECT_0) {
        GetExitCodeProcess(started->process.hProcess, &code);
    } else {
        TerminateProcess(started->process.hProcess, 99);
    }
    CloseHandle(started->process.hThread);
    CloseHandle(started->process.hProcess);
    return code;
}

void TestCloseRequest(void)
{
    Started started;
    CHECK(Start(SW_SHOWNORMAL, &started), "the program starts");
    RECT rc = {};
    GetWindowRect(started.mainWindow, &rc);
    CHECK(rc.left == 100 && rc.top == 100, "it opens at (%ld,%ld)", rc.left, rc.top);
    PostMessageA(started.mainWindow, WM_CLOSE, 0, 0);
    DWORD code = WaitForExit(&started);
    CHECK(code == 0, "closed: exit code %lu", code);
}

void TestQuitKey(void)
{
    Started started;
    CHECK(Start(SW_SHOWNORMAL, &started), "the program starts");
    HWND quit = GetDlgItem(started.mainWindow, KEY_QUIT);
    PostMessageA(quit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageA(quit, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    DWORD code = WaitForExit(&started);
    CHECK(code == 0, "quit key: exit code %lu", code);
}

void TestMinimisedStart(void)
{
    Started started;
    CHECK(Start(SW_SHOWMINNOACTIVE, &started), "the program starts");
    CHECK(IsIconic(started.mainWindow), "a minimised start shows it minimised");
    PostMessageA(started.mainWindow, WM_CLOSE, 0, 0);
    DWORD code = WaitForExit(&started);
    CHECK(code == 0, "closed while minimised: exit code %lu", code);
}

} // namespace

int main()
{
    if (!FindProgram()) {
        fprintf(stderr, "exit_test: ORVANTA_EXE does not name the program\n");
        return 1;
    }
    TestCloseRequest();
    TestQuitKey();
    TestMinimisedStart();
    return TestResult("exit_test");
}
