/*
 * The image button: transparent while released (the skin under it shows the
 * key), its pressed bitmap while the mouse holds it and the pointer is over
 * it. Letting go over the key sends the key's command to the main window.
 *
 * The press state is shared by all buttons. A second press can start while
 * one is held (a key typed while the mouse holds another): it ends the held
 * press first, without a command, so the typed key always counts once and
 * the capture is never given back to a button.
 *
 * A key typed, pasted or replayed presses its button with the same messages
 * but takes no mouse capture unless a mouse press is in progress: the capture
 * is there to follow the pointer off a held key, and a key that never
 * involved the mouse has no pointer to follow.
 */
#include "buttons/img_button.h"

#include <string.h>

#include "res/bitmaps.h"
#include "res/resource.h"

int g_bPressedShown;
int g_bTracking;

namespace {

HWND g_hPrevCapture;  /* capture owner before the press, given back after it */
HWND g_hHeldButton;   /* the key whose press is in progress, NULL when idle */
HCURSOR g_hKeyCursor; /* the hand over the keys, loaded when first needed */
/* Set only while SendTypedButtonDown sends its press. */
int g_bDownFromKey;
/* The held press is a typed one that took no capture. */
int g_bHeldWithoutCapture;

/* Each key's pressed image, loaded at its first press and kept selected
   until the key goes; index ButtonId - 1. */
Surface g_PressedImages[BUTTON_COUNT];

const Surface *PressedImageOf(const ButtonSpec *spec)
{
    if (spec->buttonId < 1 || spec->buttonId > BUTTON_COUNT) {
        return nullptr;
    }
    Surface *image = &g_PressedImages[spec->buttonId - 1];
    if (!image->kept.dc) {
        KeepBitmapResource(spec->pressedBitmap, image);
    }
    return image;
}

const ButtonSpec *SpecOf(HWND hwnd)
{
    return ButtonSpecOf(GetDlgCtrlID(hwnd));
}

bool IsImgButton(HWND hwnd)
{
    /* Wide: asked through the ANSI call, a Unicode window names a thunk. */
    return hwnd && GetWindowLongPtrW(hwnd, GWLP_WNDPROC) == (LONG_PTR)ImgButtonWndProc;
}

/* The window that held the capture before the press gets it back, unless it
   has gone or is a key: a key with the capture but no press would take the
   next click anywhere on the calculator for itself. */
void GiveBackCapture(void)
{
    HWND prev = g_hPrevCapture;
    g_hPrevCapture = nullptr;
    if (prev && IsWindow(prev) && !IsImgButton(prev)) {
        SetCapture(prev);
    }
}

/* What giving up the capture makes the system do: a mouse move of no
   distance, so that the window under the pointer (and the tooltip that
   follows it) hears of the pointer again. A typed key that took no capture
   sends it itself, so that it leaves the screen as a captured press did. */
void NudgePointer(void)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_MOVE;
    SendInput(1, &input, sizeof(input));
}

/* Ends the held press of hwnd without a command. The capture is left alone:
   whoever takes it next gets it. */
void CancelPress(HWND hwnd)
{
    const ButtonSpec *spec = SpecOf(hwnd);
    g_hHeldButton = nullptr;
    g_bTracking = 0;
    g_bHeldWithoutCapture = 0;
    g_bPressedShown = spec ? DrawImgButton(hwnd, 0, spec) : 0;
}

void SendKeyCommand(HWND hwnd, const ButtonSpec *spec)
{
    WPARAM code = spec->buttonId > LAST_CALCULATOR_KEY ? CMD_SYSTEM : CMD_KEY;
    SendMessageA(GetParent(hwnd), WM_COMMAND, code, spec->buttonId);
}

/* The key's Korean name is its window text, which screen readers read; the
   key still draws none. The text is made when it is asked for, straight from
   the string table, so that creating a key stores nothing with the window
   server. The class is Unicode, so that the name reaches readers whatever
   the system's code page. */
int LoadKeyName(HWND hwnd, wchar_t name[KEY_NAME_MAX])
{
    int length = LoadStringW(g_hInstance, IDS_KEY_NAME_BASE + GetDlgCtrlID(hwnd), name, KEY_NAME_MAX);
    if (length <= 0) {
        name[0] = L'\0';
        length = 0;
    }
    return length;
}

LRESULT OnGetText(HWND hwnd, WPARAM size, LPARAM buffer)
{
    wchar_t *out = (wchar_t *)buffer;
    if (!out || size == 0) {
        return 0;
    }
    wchar_t name[KEY_NAME_MAX];
    size_t length = (size_t)LoadKeyName(hwnd, name);
    if (length > size - 1) {
        length = size - 1;
    }
    memcpy(out, name, length * sizeof(wchar_t));
    out[length] = L'\0';
    return (LRESULT)length;
}

LRESULT OnGetTextLength(HWND hwnd)
{
    wchar_t name[KEY_NAME_MAX];
    return LoadKeyName(hwnd, name);
}

LRESULT OnCreate(HWND hwnd, const CREATESTRUCTW *create)
{
    const ButtonSpec *spec = SpecOf(hwnd);
    if (!spec) {
        return -1;
    }
    if (create->x != Scaled(spec->x) || create->y != Scaled(spec->y) ||
        create->cx != Scaled(spec->width) || create->cy != Scaled(spec->height)) {
        MoveWindow(hwnd, Scaled(spec->x), Scaled(spec->y), Scaled(spec->width),
                   Scaled(spec->height), FALSE);
    }
    return 0;
}

/* The pointer is a hand over every key. The hand is loaded from the
   resources the first time the pointer comes over a key, not at start-up,
   where it would hold up the first paint. */
LRESULT OnSetCursor(HWND hwnd, WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(lParam) != HTCLIENT) {
        return DefWindowProcW(hwnd, WM_SETCURSOR, wParam, lParam);
    }
    if (!g_hKeyCursor) {
        g_hKeyCursor = LoadCursorA(g_hInstance, MAKEINTRESOURCEA(IDC_KEY_CURSOR));
    }
    SetCursor(g_hKeyCursor);
    return TRUE;
}

LRESULT OnPaint(HWND hwnd)
{
    PAINTSTRUCT ps;
    BeginPaint(hwnd, &ps);
    EndPaint(hwnd, &ps);
    return 0;
}

LRESULT OnDestroy(HWND hwnd)
{
    /* A key that goes while held leaves no press behind. */
    if (hwnd == g_hHeldButton) {
        g_hHeldButton = nullptr;
        g_bTracking = 0;
        g_bPressedShown = 0;
        g_bHeldWithoutCapture = 0;
    }
    int id = GetDlgCtrlID(hwnd);
    if (id >= 1 && id <= BUTTON_COUNT) {
        FreeSurface(&g_PressedImages[id - 1]);
    }
    return 0;
}

LRESULT OnLButtonDown(HWND hwnd)
{
    const ButtonSpec *spec = SpecOf(hwnd);
    if (!spec) {
        return 0;
    }
    bool fromKey = g_bDownFromKey != 0;
    g_bDownFromKey = 0; /* a press nested in this one is the mouse's again */
    bool mousePressInProgress = g_hHeldButton && !g_bHeldWithoutCapture;
    if (g_hHeldButton && g_hHeldButton != hwnd) {
        CancelPress(g_hHeldButton);
    }
    g_bPressedShown = DrawImgButton(hwnd, 1, spec);
    g_hHeldButton = hwnd;
    g_bTracking = 1;
    g_bHeldWithoutCapture = fromKey && !mousePressInProgress;
    if (g_bHeldWithoutCapture) {
        return 0;
    }
    HWND prev = SetCapture(hwnd);
    /* A press that follows a cancelled mouse press keeps the capture owner
       from before that first press. */
    if (!mousePressInProgress) {
        g_hPrevCapture = IsImgButton(prev) ? nullptr : prev;
    }
    return 0;
}

LRESULT OnMouseMove(HWND hwnd, WPARAM wParam, LPARAM lParam)
{
    const ButtonSpec *spec = SpecOf(hwnd);
    /* Only the left button counts: with Shift or Ctrl down as well, the
       pointer is still followed, so a release off the key sends nothing. */
    if (!spec || !g_bTracking || hwnd != g_hHeldButton || !(wParam & MK_LBUTTON)) {
        return 0;
    }
    /* Read unsigned: a pointer left of or above the key is far outside. */
    unsigned x = LOWORD(lParam);
    unsigned y = HIWORD(lParam);
    bool inside = x <= (unsigned)Scaled(spec->width) && y <= (unsigned)Scaled(spec->height);
    if (!inside && g_bPressedShown) {
        g_bPressedShown = DrawImgButton(hwnd, 0, spec);
    } else if (inside && !g_bPressedShown) {
        g_bPressedShown = DrawImgButton(hwnd, 1, spec);
    }
    return 0;
}

LRESULT OnLButtonUp(HWND hwnd)
{
    const ButtonSpec *spec = SpecOf(hwnd);
    if (!spec) {
        return 0;
    }
    bool ownPress = hwnd == g_hHeldButton;
    bool sendCommand = ownPress && g_bPressedShown;
    if (ownPress) {
        g_hHeldButton = nullptr;
        g_bTracking = 0;
        if (g_bHeldWithoutCapture) {
            g_bHeldWithoutCapture = 0;
            NudgePointer();
        } else {
            /* The capture goes before the command: the command can open
               the About dialog or the overflow message, which must get the
               clicks meant for them. The key stays pressed on the screen
               meanwhile. A mouse press in progress holds the capture:
               losing it cancels the press (OnCaptureChanged), so there is
               no need to ask. */
            ReleaseCapture();
            GiveBackCapture();
        }
    }
    if (sendCommand) {
        SendKeyCommand(hwnd, spec);
    }
    int shown = DrawImgButton(hwnd, 0, spec);
    if (!g_hHeldButton) {
        g_bPressedShown = shown;
    }
    return 0;
}

LRESULT OnCaptureChanged(HWND hwnd, WPARAM wParam, LPARAM lParam)
{
    /* Another window took the mouse while the key was held: the press is
       cancelled and no command follows. */
    if (hwnd == g_hHeldButton && (HWND)lParam != hwnd) {
        CancelPress(hwnd);
        g_hPrevCapture = nullptr;
    }
    return DefWindowProcW(hwnd, WM_CAPTURECHANGED, wParam, lParam);
}

} // namespace

void ForgetPressedImages(void)
{
    for (Surface &image : g_PressedImages) {
        FreeSurface(&image);
    }
}

void SendTypedButtonDown(HWND button, WPARAM wParam, LPARAM lParam)
{
    g_bDownFromKey = 1;
    SendMessageA(button, WM_LBUTTONDOWN, wParam, lParam);
    g_bDownFromKey = 0;
}

/* Released, the key shows the parent's skin again: the parent draws its
   client area into the key's context, shifted so that the key's rectangle
   lands on the key. Drawn at once, this costs one blit where a repaint of the
   parent costs a paint cycle. */
int DrawImgButton(HWND hwnd, int pressed, const ButtonSpec *spec)
{
    HDC dc = GetDC(hwnd);
    if (pressed) {
        const Surface *image = PressedImageOf(spec);
        if (image && image->kept.dc) {
            BitBlt(dc, 0, 0, image->width, image->height, image->kept.dc, 0, 0, SRCCOPY);
        }
    } else {
        POINT origin;
        SetViewportOrgEx(dc, -Scaled(spec->x), -Scaled(spec->y), &origin);
        SendMessageA(GetParent(hwnd), WM_PRINTCLIENT, (WPARAM)dc, PRF_CLIENT);
        SetViewportOrgEx(dc, origin.x, origin.y, nullptr);
    }
    ReleaseDC(hwnd, dc);
    return pressed;
}

HWND HeldKey(void)
{
    return g_hHeldButton;
}

LRESULT CALLBACK ImgButtonWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CREATE:
        return OnCreate(hwnd, (const CREATESTRUCTW *)lParam);
    case WM_GETTEXT:
        return OnGetText(hwnd, wParam, lParam);
    case WM_GETTEXTLENGTH:
        return OnGetTextLength(hwnd);
    case WM_SETCURSOR:
        return OnSetCursor(hwnd, wParam, lParam);
    case WM_PAINT:
        return OnPaint(hwnd);
    case WM_DESTROY:
        return OnDestroy(hwnd);
    case WM_LBUTTONDOWN:
        return OnLButtonDown(hwnd);
    case WM_MOUSEMOVE:
        return OnMouseMove(hwnd, wParam, lParam);
    case WM_LBUTTONUP:
        return OnLButtonUp(hwnd);
    case WM_CAPTURECHANGED:
        return OnCaptureChanged(hwnd, wParam, lParam);
    default:
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}
