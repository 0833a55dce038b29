/*
 * The About dialog: name, version and freeware notice, and a button that
 * opens the maker's home page. OK ends it, and so do Escape and Alt+F4,
 * which the dialog manager sends as IDCANCEL; the web-site button ends it
 * after opening the page. Its text grows with the display's scale; its
 * picture, which the dialog manager loads at the artwork's own size, is
 * made again at the face's factor beside it.
 */
#include "app/shell.h"

#include <shellapi.h>

#include "res/resource.h"
#include "tape/site.h"

namespace {

/* The picture's control id, -1 in the template, as a control that the
   program never addresses has (a message box's text has it too). */
const int ABOUT_PICTURE_ID = 0xFFFF;

/* The scaled picture given to the control, which it does not free; none at
   factor 1, where the control frees the picture it loaded itself. */
HBITMAP g_hAboutPicture;

/* Replaces the picture by one each of whose pixels is a g_nScale square. */
void ScaleAboutPicture(HWND dialog)
{
    HWND picture = GetDlgItem(dialog, ABOUT_PICTURE_ID);
    HBITMAP small = (HBITMAP)SendMessageW(picture, STM_GETIMAGE, IMAGE_BITMAP, 0);
    BITMAP size;
    if (g_nScale == 1 || !picture || !small || !GetObjectW(small, sizeof size, &size)) {
        return;
    }
    HDC screen = GetDC(nullptr);
    HDC from = CreateCompatibleDC(screen);
    HDC to = CreateCompatibleDC(screen);
    HBITMAP big = CreateCompatibleBitmap(screen, Scaled(size.bmWidth), Scaled(size.bmHeight));
    HGDIOBJ fromBefore = SelectObject(from, small);
    HGDIOBJ toBefore = SelectObject(to, big);
    SetStretchBltMode(to, COLORONCOLOR); /* whole blocks, no blending */
    StretchBlt(to, 0, 0, Scaled(size.bmWidth), Scaled(size.bmHeight), from, 0, 0, size.bmWidth,
               size.bmHeight, SRCCOPY);
    SelectObject(to, toBefore);
    SelectObject(from, fromBefore);
    DeleteDC(to);
    DeleteDC(from);
    ReleaseDC(nullptr, screen);
    /* Once given a picture, the control frees neither that one nor the one
       it hands back. */
    DeleteObject((HBITMAP)SendMessageW(picture, STM_SETIMAGE, IMAGE_BITMAP, (LPARAM)big));
    g_hAboutPicture = big;
}

void FreeAboutPicture(void)
{
    if (g_hAboutPicture) {
        DeleteObject(g_hAboutPicture);
        g_hAboutPicture = nullptr;
    }
}

} // namespace

INT_PTR CALLBACK AboutDlgProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM)
{
    switch (msg) {
    case WM_INITDIALOG:
        ScaleAboutPicture(dialog);
        return TRUE; /* the focus goes to the first tab stop, OK */
    case WM_DESTROY:
        FreeAboutPicture();
        return FALSE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
        case IDCANCEL: /* Escape, and Alt+F4 by way of WM_CLOSE */
            EndDialog(dialog, 1);
            break;
        case IDC_HOMEPAGE:
            ShellExecuteA(dialog, "open", ORVANTA_HOME_URL, nullptr, nullptr, SW_SHOWNORMAL);
            EndDialog(dialog, 1);
            break;
        default:
            break;
        }
        return TRUE;
    default:
        return FALSE;
    }
}
