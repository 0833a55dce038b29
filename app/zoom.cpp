/*
 * Zoom: the face made bigger or smaller by whole factors, so each pixel of
 * the artwork stays an exact square of screen pixels and nothing blurs.
 */
#include "app/zoom.h"

#include "app/shell.h"
#include "res/skin.h"

namespace {

/* The user's factor less the display's: 0 at every start, nothing stored. */
int g_nZoomSteps;
/* Wheel turns with Ctrl that have not made a whole notch yet. */
int g_nWheelDelta;

int Clamp(int value, int low, int high)
{
    return value < low ? low : value > high ? high : value;
}

/* The largest factor whose window fits work, and never less than the
   display's own factor, which every start takes whether it fits or not. */
int LargestFactorIn(const RECT &work, int display)
{
    int across = (work.right - work.left) / SKIN_WIDTH;
    int down = (work.bottom - work.top) / SKIN_HEIGHT;
    int fits = across < down ? across : down;
    return Clamp(fits > display ? fits : display, 1, MAX_SCALE);
}

/* Where a window's edge at start goes so that its length stays inside the
   work area's [low, high): moved back only as far as needed, never past
   low. */
int MovedIn(int start, int length, LONG low, LONG high)
{
    if (start + length <= high) {
        return start;
    }
    return high - length > low ? high - length : low;
}

} // namespace

int DisplayFactor(HWND mainWindow)
{
    return ScaleFactorOfDpi(DpiOfWindow(mainWindow));
}

int LargestZoomFactor(HWND mainWindow)
{
    return LargestFactorIn(WorkAreaOf(MonitorFromWindow(mainWindow, MONITOR_DEFAULTTONEAREST)),
                           DisplayFactor(mainWindow));
}

void ZoomTo(HWND mainWindow, int factor)
{
    factor = Clamp(factor, 1, LargestZoomFactor(mainWindow));
    g_nZoomSteps = factor - DisplayFactor(mainWindow);
    if (factor == g_nScale) {
        return;
    }
    RECT window;
    GetWindowRect(mainWindow, &window);
    int left = window.left, top = window.top;
    if (factor > g_nScale) {
        RECT work = WorkAreaOf(MonitorFromWindow(mainWindow, MONITOR_DEFAULTTONEAREST));
        left = MovedIn(left, SKIN_WIDTH * factor, work.left, work.right);
        top = MovedIn(top, SKIN_HEIGHT * factor, work.top, work.bottom);
    }
    ScaleFace(mainWindow, factor, left, top);
}

void ZoomIn(HWND mainWindow)
{
    ZoomTo(mainWindow, g_nScale + 1);
}

void ZoomOut(HWND mainWindow)
{
    ZoomTo(mainWindow, g_nScale - 1);
}

void ZoomReset(HWND mainWindow)
{
    ZoomTo(mainWindow, DisplayFactor(mainWindow));
}

void ZoomByWheel(HWND mainWindow, int delta)
{
    int notches = WheelNotches(&g_nWheelDelta, delta);
    if (notches) {
        ZoomTo(mainWindow, g_nScale + notches);
    }
}

int ZoomedFactorOfDpi(int dpi, const RECT *place)
{
    int display = ScaleFactorOfDpi(dpi);
    int factor = Clamp(display + g_nZoomSteps, 1, MAX_SCALE);
    if (place) {
        RECT work = WorkAreaOf(MonitorFromRect(place, MONITOR_DEFAULTTONEAREST));
        factor = Clamp(factor, 1, LargestFactorIn(work, display));
    }
    return factor;
}
