/*
 * Zoom: the whole factor the face is drawn at, as the user chooses it, from
 * 1 to the largest whose window fits the work area of its monitor (at most
 * MAX_SCALE). Every start begins at the display's own factor; the choice is
 * kept as steps from it, so a move to a monitor of another scale keeps it.
 * The factor itself is g_nScale (res/bitmaps.h, Scaled()): whatever is drawn
 * at the face's scale reads it there.
 */
#ifndef ORVANTA_ZOOM_H
#define ORVANTA_ZOOM_H

#include <windows.h>

/* The display's own factor for the window's monitor. */
int DisplayFactor(HWND mainWindow);
/* The largest factor whose window fits the work area of the monitor the
   window is on, and never less than the display's own factor (where every
   start is, whether it fits or not). */
int LargestZoomFactor(HWND mainWindow);

/* Draws the face at factor, brought into 1 to LargestZoomFactor, keeping the
   window's top-left corner: it moves in only where the larger window would
   leave the work area. */
void ZoomTo(HWND mainWindow, int factor);
void ZoomIn(HWND mainWindow);
void ZoomOut(HWND mainWindow);
void ZoomReset(HWND mainWindow); /* to the display's own factor */

/* A turn of the wheel with Ctrl held over the face: a factor a notch
   (WHEEL_DELTA, positive away from the user, zooming in); smaller turns are
   summed until they make a notch, and a turn the other way starts afresh. */
void ZoomByWheel(HWND mainWindow, int delta);

/* The factor on a display of dpi with the user's zoom kept: the display's
   own factor and the same steps from it, within 1 to MAX_SCALE and, with a
   place, within the largest factor for the monitor at that place (as
   LargestZoomFactor). */
int ZoomedFactorOfDpi(int dpi, const RECT *place);

#endif
