/*
 * The application shell: start-up, the main window, keyboard translation and
 * the About dialog.
 */
#ifndef ORVANTA_SHELL_H
#define ORVANTA_SHELL_H

#include <windows.h>

#include "res/bitmaps.h"

#define MAIN_WINDOW_CLASS "Orvanta_Calculator"
#define MAIN_WINDOW_TEXT "Orvanta Calculator"

enum {
    MAIN_WINDOW_X = 100,  /* every start opens here */
    MAIN_WINDOW_Y = 100,
    KEY_PRESS_DELAY_MS = 80  /* a typed key shows pressed at least this long */
};

extern HBITMAP g_hSkinBitmap;
extern int g_bKeyHandled;  /* the last WM_KEYDOWN pressed a button */

/* Start-up, shared by WinMain and the tests: registers the three window
   classes (0 when one fails) and creates the hidden main window. */
int RegisterWindowClasses(void);
HWND CreateMainWindow(void);
/* Shows the main window with the given show command, paints it and gives
   its keys their tooltips. */
void ShowMainWindow(HWND mainWindow, int showCommand);

LRESULT CALLBACK MainWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
/* The main window's child with control id id (GetDlgItem, but quick). */
HWND FindChild(HWND mainWindow, int id);
/* Makes the face again at factor (g_nScale) with the window's top-left
   corner at screen point (left, top): the keys and the LCD moved, their
   pictures, the region and the skin made at the new factor. The tape, the
   entry and the keys' tooltips stay as they are. The one place the factor
   changes after start-up (zoom, a new display scale). */
void ScaleFace(HWND mainWindow, int factor, int left, int top);
/* Copies the whole skin into dc; nothing without a skin. */
void PaintSkin(HDC dc);

/* The work area of a monitor (the screen less the taskbar); the primary
   monitor's where the monitor cannot be asked. */
RECT WorkAreaOf(HMONITOR monitor);

/* Adds a wheel turn (delta, WHEEL_DELTA a notch, positive away from the
   user) to *sum and returns the whole notches in it, the rest left in *sum,
   so that a high-resolution wheel's smaller steps add up to notches; a turn
   the other way starts the sum afresh. */
int WheelNotches(int *sum, int delta);

int TranslateKeyDown(HWND mainWindow, WPARAM virtualKey, LPARAM keyData);
void TranslateChar(HWND mainWindow, WPARAM character, LPARAM keyData);
void SimulateButtonPress(HWND button, WPARAM wParam, LPARAM lParam);

/* The keyboard keys that press the button, read from the keyboard tables:
   "Esc, C" (the virtual keys first, keypad keys as "Num 7", a letter once,
   as its capital). Returns how many; out is empty when there are none. */
enum { KEY_KEYS_MAX = 64 };
int DescribeButtonKeys(int buttonId, char *out, int size);

/* The keys' tooltips: one tooltip control, made with the main window, with
   a tool per key that shows its name and keyboard keys. */
extern HWND g_hKeyTips;
void CreateKeyTips(HWND mainWindow);
/* For the message loop: hands the tooltip the mouse messages it follows. */
void RelayKeyTipEvent(const MSG *msg);
/* For the main window's TTN_SHOW: keeps a tip off the LCD; 1 when moved. */
int PlaceKeyTip(HWND mainWindow, const NMHDR *notice);

INT_PTR CALLBACK AboutDlgProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);

#endif
