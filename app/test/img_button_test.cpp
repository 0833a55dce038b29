// The image button under a parent that records the commands it gets: the
// layout rows, the press state machine, the pressed image, and presses that
// overlap (a typed key while the mouse holds another).
#include <stdio.h>

#include "app/shell.h"
#include "app/test/win_test.h"
#include "res/resource.h"
#include "res/skin.h"
#include "buttons/img_button.h"

namespace {

struct Command {
    WPARAM code;
    LPARAM buttonId;
    HWND captureDuringCommand;
    int pressedShownDuringCommand;
};

Command g_Commands[16];
int g_nCommands;

LRESULT CALLBACK RecordingParentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_COMMAND) {
        if (g_nCommands < (int)(sizeof(g_Commands) / sizeof(g_Commands[0]))) {
            g_Commands[g_nCommands] = { wParam, lParam, GetCapture(), g_bPressedShown };
        }
        g_nCommands++;
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

HWND g_hParent;

HWND CreateParent(void)
{
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = RecordingParentProc;
    wc.hInstance = g_hInstance;
    wc.hbrBackground = (HBRUSH)GetStockObject(BLACK_BRUSH);
    wc.lpszClassName = "RecordingParent";
    RegisterClassExA(&wc);
    HWND hwnd = CreateWindowExA(0, "RecordingParent", "", WS_POPUP | WS_VISIBLE, 100, 100,
                                SKIN_WIDTH, SKIN_HEIGHT, nullptr, nullptr, g_hInstance, nullptr);
    SetForegroundWindow(hwnd);
    return hwnd;
}

HWND CreateButton(int id)
{
    return CreateWindowExA(0, IMG_BUTTON_CLASS, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, g_hParent,
                           (HMENU)(INT_PTR)id, g_hInstance, nullptr);
}

void ResetRecording(void)
{
    g_nCommands = 0;
}

bool IsIdle(void)
{
    return !g_bTracking && !g_bPressedShown && !HeldKey();
}

void TestLayoutRows(void)
{
    ButtonSpec untouched = { 1, 2, 3, 4, 5, 6 };
    GetButtonSpec(nullptr, 0, &untouched);
    GetButtonSpec(nullptr, BUTTON_COUNT + 1, &untouched);
    CHECK(untouched.x == 1 && untouched.buttonId == 6, "ids 0 and 33 leave the record alone");

    for (int id = 1; id <= BUTTON_COUNT; id++) {
        ButtonSpec spec = {};
        GetButtonSpec(nullptr, id, &spec);
        CHECK(spec.buttonId == id, "key %d: record names its own id", id);
        HBITMAP pressed = LoadBitmapA(g_hInstance, MAKEINTRESOURCEA(spec.pressedBitmap));
        BITMAP info = {};
        GetObjectA(pressed, sizeof(info), &info);
        CHECK(info.bmWidth == spec.width && info.bmHeight == spec.height,
              "key %d: pressed image %d is %ldx%ld, the key %dx%d", id, spec.pressedBitmap,
              info.bmWidth, info.bmHeight, spec.width, spec.height);
        DeleteObject(pressed);
    }
}

void TestPlacesItself(void)
{
    HWND button = CreateButton(KEY_EQUALS); /* the tall key */
    RECT rc;
    GetWindowRect(button, &rc);
    MapWindowPoints(nullptr, g_hParent, (POINT *)&rc, 2);
    CHECK(rc.left == 174 && rc.top == 182 && rc.right == 211 && rc.bottom == 251,
          "= at (%ld,%ld)-(%ld,%ld)", rc.left, rc.top, rc.right, rc.bottom);
    DestroyWindow(button);
}

/* Steps of a press, as the mouse or the keyboard sends them. */
enum StepKind { DOWN, MOVE, UP, STEAL_CAPTURE, END };

struct Step {
    StepKind kind;
    int x, y;      /* MOVE: pointer in the key's coordinates */
    WPARAM keys;   /* MOVE: the mouse message's key flags */
    int shown;     /* g_bPressedShown expected after the step */
};

struct PressCase {
    const char *name;
    Step steps[8];
    int commands; /* commands sent in all */
};

constexpr Step Down() { return { DOWN, 0, 0, 0, 1 }; }
constexpr Step Up() { return { UP, 0, 0, 0, 0 }; }
constexpr Step Move(int x, int y, int shown, WPARAM keys = MK_LBUTTON)
{
    return { MOVE, x, y, keys, shown };
}
constexpr Step StealCapture() { return { STEAL_CAPTURE, 0, 0, 0, 0 }; }
constexpr Step End() { return { END, 0, 0, 0, 0 }; }

/* Key "5" (ButtonId 9) is 36 x 20. */
const PressCase PRESS_CASES[] = {
    { "click", { Down(), Up(), End() }, 1 },
    { "drag to x = 36 stays pressed", { Down(), Move(36, 5, 1), Up(), End() }, 1 },
    { "drag to x = 37 releases", { Down(), Move(37, 5, 0), Up(), End() }, 0 },
    { "y = 20 is inside, 21 outside", { Down(), Move(5, 20, 1), Move(5, 21, 0), Up(), End() }, 0 },
    { "x = -1 reads as 65535: outside", { Down(), Move(-1, 5, 0), Up(), End() }, 0 },
    { "drag off and back sends", { Down(), Move(40, 5, 0), Move(10, 10, 1), Up(), End() }, 1 },
    { "drag off with Shift held releases",
      { Down(), Move(40, 5, 0, MK_LBUTTON | MK_SHIFT), Up(), End() }, 0 },
    { "drag off and back with Ctrl held sends",
      { Down(), Move(40, 5, 0, MK_LBUTTON | MK_CONTROL), Move(10, 10, 1, MK_LBUTTON | MK_CONTROL),
        Up(), End() }, 1 },
    { "moves without a press do nothing", { Move(10, 10, 0), End() }, 0 },
    { "capture taken away cancels", { Down(), StealCapture(), Up(), End() }, 0 },
    { "release without a press sends nothing", { Up(), End() }, 0 },
    { "two quick clicks send twice", { Down(), Up(), Down(), Up(), End() }, 2 },
};

void TestPressCases(void)
{
    HWND button = CreateButton(KEY_5);
    for (const PressCase &c : PRESS_CASES) {
        ResetRecording();
        for (int i = 0; c.steps[i].kind != END; i++) {
            const Step &step = c.steps[i];
            switch (step.kind) {
            case DOWN:
                SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, 0);
                break;
            case MOVE:
                SendMessageA(button, WM_MOUSEMOVE, step.keys,
                             MAKELPARAM((WORD)(short)step.x, (WORD)(short)step.y));
                break;
            case UP:
                SendMessageA(button, WM_LBUTTONUP, 0, 0);
                break;
            case STEAL_CAPTURE:
                SetCapture(g_hParent);
                break;
            case END:
                break;
            }
            CHECK(g_bPressedShown == step.shown, "%s, step %d: pressed shown %d", c.name, i,
                  g_bPressedShown);
        }
        CHECK(g_nCommands == c.commands, "%s: %d command(s)", c.name, g_nCommands);
        if (g_nCommands >= 1) {
            CHECK(g_Commands[0].code == CMD_KEY && g_Commands[0].buttonId == KEY_5,
                  "%s: command %Iu for key %Id", c.name, g_Commands[0].code,
                  g_Commands[0].buttonId);
        }
        CHECK(IsIdle(), "%s: idle afterwards", c.name);
        CHECK(GetCapture() != button, "%s: the key keeps no capture", c.name);
        ReleaseCapture();
    }
    DestroyWindow(button);
}

void TestCommandCodes(void)
{
    static const struct {
        int id;
        WPARAM code;
    } CODES[] = {
        { KEY_0, CMD_KEY }, { KEY_BACKSPACE, CMD_KEY }, { KEY_PLUS, CMD_KEY }, { KEY_EQUALS, CMD_KEY }, { KEY_POWER, CMD_KEY },
        { KEY_LINE_DOWN, CMD_KEY }, { KEY_QUIT, CMD_SYSTEM }, { KEY_MINIMISE, CMD_SYSTEM }, { KEY_ABOUT, CMD_SYSTEM },
        { KEY_WEB, CMD_SYSTEM },
    };
    for (const auto &row : CODES) {
        HWND button = CreateButton(row.id);
        ResetRecording();
        SendMessageA(button, WM_LBUTTONDOWN, 0, 0);
        SendMessageA(button, WM_LBUTTONUP, 0, 0);
        CHECK(g_nCommands == 1 && g_Commands[0].code == row.code &&
                  g_Commands[0].buttonId == row.id,
              "key %d: %d command(s), code %Iu", row.id, g_nCommands, g_Commands[0].code);
        DestroyWindow(button);
    }
}

/* The command runs while the key still shows pressed, but with the capture
   already given up, so that a dialog opened by it gets its own clicks. */
void TestCommandRunsWithoutCapture(void)
{
    HWND button = CreateButton(KEY_ABOUT);
    ResetRecording();
    SendMessageA(button, WM_LBUTTONDOWN, 0, 0);
    CHECK(GetCapture() == button, "the held key has the capture");
    SendMessageA(button, WM_LBUTTONUP, 0, 0);
    CHECK(g_nCommands == 1, "one command");
    CHECK(g_Commands[0].captureDuringCommand != button, "no capture during the command");
    CHECK(g_Commands[0].pressedShownDuringCommand == 1, "still pressed during the command");
    DestroyWindow(button);
}

void TestPressedImage(void)
{
    static const int KEYS[] = { KEY_5, KEY_EQUALS, KEY_BACKSPACE, KEY_WEB };
    static Image shown, expected;
    for (int id : KEYS) {
        HWND button = CreateButton(id);
        const ButtonSpec &spec = *ButtonSpecOf(id);
        PumpPending();
        SendMessageA(button, WM_LBUTTONDOWN, 0, 0);
        CaptureWindow(button, 0, 0, spec.width, spec.height, &shown);
        LoadBitmapImage(spec.pressedBitmap, &expected);
        int x = 0, y = 0;
        int differences = CountDifferences(&shown, &expected, &x, &y);
        CHECK(differences == 0, "key %d shows its pressed image: %d pixels differ, first (%d,%d)",
              id, differences, x, y);
        SendMessageA(button, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(200, 200));
        SendMessageA(button, WM_LBUTTONUP, 0, 0);
        DestroyWindow(button);
    }
}

/* The mouse holds "5" while the keyboard types "7": "7" is typed once, "5"
   sends nothing when let go, and no key keeps the capture. */
void TestOverlappingPresses(void)
{
    HWND held = CreateButton(KEY_5);
    HWND typed = CreateButton(KEY_7);
    HWND other = CreateButton(KEY_9);

    static const struct {
        const char *name;
        HWND captureBefore; /* who holds the capture before the mouse press */
        bool mouseLetGoOnTyped; /* the mouse's release reaches the typed key */
    } CASES[] = {
        { "no capture before", nullptr, false },
        { "parent had the capture", g_hParent, false },
        { "a key had a stray capture", other, false },
        { "release lands on the typed key", nullptr, true },
    };
    for (const auto &c : CASES) {
        ResetRecording();
        if (c.captureBefore) {
            SetCapture(c.captureBefore);
        }
        SendMessageA(held, WM_LBUTTONDOWN, MK_LBUTTON, 0);
        SendMessageA(typed, WM_LBUTTONDOWN, 0, 0);
        CHECK(g_bTracking && g_bPressedShown && HeldKey() == typed,
              "%s: the typed key holds the press", c.name);
        SendMessageA(typed, WM_LBUTTONUP, 0, 0);
        SendMessageA(held, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(3, 3));
        SendMessageA(c.mouseLetGoOnTyped ? typed : held, WM_LBUTTONUP, 0, 0);

        CHECK(g_nCommands == 1 && g_Commands[0].buttonId == KEY_7,
              "%s: %d command(s), the first for key %Id", c.name, g_nCommands,
              g_Commands[0].buttonId);
        CHECK(IsIdle(), "%s: idle after both presses", c.name);
        HWND capture = GetCapture();
        CHECK(capture != held && capture != typed && capture != other,
              "%s: no key keeps the capture", c.name);
        if (c.captureBefore == g_hParent) {
            CHECK(capture == g_hParent, "%s: the parent gets its capture back", c.name);
        }
        ReleaseCapture();
    }
    DestroyWindow(held);
    DestroyWindow(typed);
    DestroyWindow(other);
}

/* The pointer over a key is the hand of the resources (made when the pointer
   first comes over a key); over the frame of the window it is left alone. */
void TestHandCursor(void)
{
    HWND key = CreateButton(KEY_5);
    HCURSOR hand = LoadCursorA(g_hInstance, MAKEINTRESOURCEA(IDC_KEY_CURSOR));
    SetCursor(nullptr);
    SendMessageW(key, WM_SETCURSOR, (WPARAM)key, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    CHECK(hand && GetCursor() == hand, "the hand over a key");
    DestroyWindow(key);
}

} // namespace

int main()
{
    UseOwnResources();
    RegisterWindowClasses();
    g_hParent = CreateParent();

    TestLayoutRows();
    TestPlacesItself();
    TestPressCases();
    TestCommandCodes();
    TestCommandRunsWithoutCapture();
    TestPressedImage();
    TestOverlappingPresses();
    TestHandCursor();

    DestroyWindow(g_hParent);
    return TestResult("img_button_test");
}
