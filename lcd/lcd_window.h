/*
 * The LCD screen: the child window that shows three lines of the tape in
 * seven-segment glyphs, with a darkened marker over the current line.
 */
#ifndef ORVANTA_LCD_WINDOW_H
#define ORVANTA_LCD_WINDOW_H

#include <windows.h>

#include "res/lcd_layout.h"

#define LCD_SCREEN_CLASS "Orvanta_LCDScreen"

/* The commands the LCD screen takes: WM_COMMAND with the key's ButtonId as
   lParam and the command of the key's group (KeyGroupOf) as wParam, compared
   whole. The LCD presses the key with PressTapeKey, which runs the group's
   handler; a key that comes with any other command is ignored. */
enum {
    LCD_SCROLL = 201,   /* power and the scroll keys */
    LCD_OPERATOR = 202, /* the operator keys */
    LCD_ENTRY = 203     /* the entry keys */
};

/* The command that carries calculator key buttonId to the LCD. */
WPARAM LcdCommandOf(int buttonId);

LRESULT CALLBACK LcdScreenWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

/* Loads the glyphs and keeps them, with the LCD background and a surface to
   compose on, ready for the paints. */
void LoadLcdGlyphs(void);
void FreeLcdGlyphs(void);

/* Draws the whole LCD into dc: background, the lines in view, the marker. */
void PaintLcd(HWND hwnd, HDC dc);

#endif
