/*
 * The About dialog: name, version and freeware notice, and a button that
 * opens the maker's home page. OK ends it, and so do Escape and Alt+F4,
 * which the dialog manager sends as IDCANCEL; the web-site button ends it
 * after opening the page.
 */
#include "app/shell.h"

#include <shellapi.h>

#include "res/resource.h"
#include "tape/site.h"

INT_PTR CALLBACK AboutDlgProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM)
{
    switch (msg) {
    case WM_INITDIALOG:
        return TRUE; /* the focus goes to the first tab stop, OK */
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
