/*
 * The About dialog: name, version and freeware notice, and a button that
 * opens the maker's home page. Only OK and that button end it.
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
            EndDialog(dialog, 1);
            break;
        case IDC_HOMEPAGE:
            ShellExecuteA(dialog, "open", ORVANTA_HOME_URL, nullptr, nullptr, SW_SHOWNORMAL);
            EndDialog(dialog, 1);
            break;
        default:
            break; /* Escape and the system's close request do nothing */
        }
        return TRUE;
    default:
        return FALSE;
    }
}
