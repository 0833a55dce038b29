/*
 * The 32 image buttons of the calculator face: their fixed geometry and the
 * window class that shows a key pressed while the mouse holds it and reports
 * a click to the main window.
 */
#ifndef ORVANTA_IMG_BUTTON_H
#define ORVANTA_IMG_BUTTON_H

#include <windows.h>

#include "tape/keys.h"

/* Registered as a Unicode class: a key's window text is its Korean name. */
#define IMG_BUTTON_CLASS "Orvanta_imgButton"

enum { KEY_NAME_MAX = 64 }; /* a key's name with its terminating zero */

/* The commands a button sends its parent: WM_COMMAND with one of these as
   wParam and the key's ButtonId as lParam. */
enum {
    CMD_KEY = 101,    /* a calculator key, ButtonId 1 to LAST_CALCULATOR_KEY */
    CMD_SYSTEM = 102  /* a key of the window itself: quit, minimise, About, web */
};

/* One key, in the main window's client coordinates. */
struct ButtonSpec {
    int x;
    int y;
    int width;          /* also the size of the pressed bitmap */
    int height;
    int pressedBitmap;  /* bitmap resource id of the pressed image */
    int buttonId;       /* lParam of the key's command */
};

/* The press state, shared by all buttons: at most one key is held at a time. */
extern int g_bPressedShown;  /* a pressed image is on the screen */
extern int g_bTracking;      /* the left button is held after a press on a key */

/* The key whose press is in progress, NULL when none is. */
HWND HeldKey(void);

/* The layout's record of keys 1 to 32, which the buttons read on every
   message that needs it; null for any other id. */
const ButtonSpec *ButtonSpecOf(int buttonId);

/* Writes the record of keys 1 to 32; any other id leaves *spec unchanged. */
void GetButtonSpec(HWND hwnd, int buttonId, ButtonSpec *spec);

/* Draws the key pressed at once, or has the main window repaint it released;
   returns pressed. */
int DrawImgButton(HWND hwnd, int pressed, const ButtonSpec *spec);

/* WM_LBUTTONDOWN for a key typed, pasted or replayed, not clicked: the
   press takes no mouse capture unless a mouse press is in progress, and its
   WM_LBUTTONUP moves the pointer by nothing where the capture would have
   been given up. */
void SendTypedButtonDown(HWND button, WPARAM wParam, LPARAM lParam);

LRESULT CALLBACK ImgButtonWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

/* Drops the kept pressed images, to be made again at the face's new factor
   at each key's next press. */
void ForgetPressedImages(void);

#endif
