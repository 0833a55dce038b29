/*
 * The tape window. Its list box holds one item per tape line, the line's
 * text exactly as the tape's text has it (FormatShownEntry), so that screen
 * readers and other programs (LB_GETTEXT) read what the user sees; it is
 * owner-drawn only for the paper-tape look. A copy of the lines as listed
 * lets each change touch only the items that differ: a key changes one
 * line or adds one, and a full tape drops its first item.
 *
 * The list box keeps the items, the selection, the caret and the first
 * line in view; this window draws them. The list's own drawing is held for
 * good (WM_SETREDRAW): it would draw again every line below an item that it
 * inserts or removes, and draw the selected line at once, each drawing a
 * round trip to the window system. This window keeps what each row of the
 * list shows and draws, after every change, only the rows whose picture
 * differs; when a full tape drops its first lines, the picture moves up
 * within the window instead of being drawn again.
 *
 * The list has no scroll bar of its own: the list box sets its bar after
 * every item it adds or removes, and Wine draws the bar there and then,
 * which cost a key on a full tape milliseconds. A scroll bar beside it is
 * set once a change is done, and only when its range or place moved.
 *
 * Keys: the list keeps the arrows, Home, End, Page Up and Page Down; F2
 * and Delete correct and delete; every other key goes to the main window,
 * which does with it what it does with its own.
 */
#include "app/tape_window.h"

#include <string.h>

#include "amount/marks.h"
#include "amount/platform.h"
#include "app/shell.h"
#include "res/skin.h"
#include "tape/correction.h"
#include "tape/tape.h"

namespace {

#define TAPE_WINDOW_TITLE L"테이프"

enum {
    FONT_HEIGHT = 14,     /* at factor 1, in pixels */
    LINE_PADDING = 4,     /* above and below the text, together */
    TEXT_LEFT = 10,       /* room for the mark of the LCD's line */
    TEXT_RIGHT = 8,
    MARK_WIDTH = 4,       /* the bar that marks the LCD's current line */
    EDIT_TEXT_MAX = 64,
    WM_CLOSE_EDIT = WM_APP + 1 /* the field lost the focus */
};

/* Result lines that a correction changed, until the next change. */
const COLORREF CHANGED_RESULT_COLOUR = RGB(255, 236, 160);
const COLORREF MARK_COLOUR = RGB(200, 40, 40);

HWND g_hTapeWindow;
HWND g_hTapeList;
HWND g_hTapeEdit;
HWND g_hTapeScroll;
HWND g_hTapeOwner;
WNDPROC g_pfnListProc;
WNDPROC g_pfnEditProc;
HFONT g_hLineFont;
HFONT g_hResultFont;

TapeEntry g_ListedLines[TAPE_ENTRIES]; /* the lines as the items show them */
int g_nListedLines;
bool g_bChangedResult[TAPE_ENTRIES];
int g_nMarkedLine = -1;  /* the LCD's current line, as drawn */
/* What a row of the list shows. */
struct ShownRow {
    bool known; /* drawn and not drawn over since */
    bool blank; /* below the last line */
    bool selected;
    bool focused;
    bool marked;  /* the LCD's current line */
    bool changed; /* a result that a correction changed */
    TapeEntry entry;
};
/* Rows past this many from the first in view are past every line. */
const int SHOWN_ROWS = TAPE_ENTRIES + 1;
ShownRow g_ShownRows[SHOWN_ROWS];
int g_nShownTop; /* the list's first line in view as g_ShownRows has it */
bool g_bListFocused; /* told by the list's focus messages: GetFocus asks the server */
int g_nPictureShift; /* lines the list's picture is to move up before drawing */
bool g_bListStale;       /* changed while hidden: filled again when shown */
bool g_bUpdatingList;    /* the scroll bar waits for the end of the change */
SCROLLINFO g_ScrollShown; /* what the scroll bar was last set to */

int g_nEditLine = -1;    /* the line the field corrects */
/* A correction or deletion of this window is under way: the selection
   stays on its line (g_nKeptLine), and a correction marks the results that
   it changed. */
bool g_bOwnChange;
bool g_bMarkChanges;
int g_nKeptLine;

/* The client size at factor 1, which the window keeps at every factor. */
SIZE g_UnscaledClient;

/* The new text goes in after the old one before that goes, so that the
   list's caret, kept by place, stays on the line. */
void SetItem(int index, const char *entry)
{
    TapeEntry shown;
    FormatShownEntry(entry, shown);
    if (index < g_nListedLines) {
        SendMessageA(g_hTapeList, LB_INSERTSTRING, index + 1, (LPARAM)shown);
        SendMessageA(g_hTapeList, LB_DELETESTRING, index, 0);
    } else {
        SendMessageA(g_hTapeList, LB_INSERTSTRING, index, (LPARAM)shown);
        g_nListedLines = index + 1;
    }
    strcpy(g_ListedLines[index], entry);
}

int LineHeight(void);

/* The list's picture moved up by rows (down where negative): so does what
   each row is known to show; the rows uncovered are unknown. */
void ShiftShownRows(int rows)
{
    if (rows >= SHOWN_ROWS || -rows >= SHOWN_ROWS) {
        memset(g_ShownRows, 0, sizeof(g_ShownRows));
        return;
    }
    if (rows > 0) {
        memmove(g_ShownRows, g_ShownRows + rows, sizeof(ShownRow) * (SHOWN_ROWS - rows));
        memset(g_ShownRows + SHOWN_ROWS - rows, 0, sizeof(ShownRow) * rows);
    } else if (rows < 0) {
        memmove(g_ShownRows - rows, g_ShownRows, sizeof(ShownRow) * (SHOWN_ROWS + rows));
        memset(g_ShownRows, 0, sizeof(ShownRow) * -rows);
    }
}

/* A full tape that dropped its first lines (a key adds one line or two):
   the items go the same way, the lines added come first (the caret stays
   on the last), and what the list shows moves up as many lines. */
void DropFirstItemsIfShifted(int count)
{
    if (g_nListedLines != TAPE_ENTRIES || count != TAPE_ENTRIES) {
        return;
    }
    /* The lines kept, but for the last listed, which the key may change. */
    int dropped = 1;
    while (dropped <= 2 && memcmp(g_ListedLines[dropped], g_Tape.entries[0],
                                  sizeof(TapeEntry) * (TAPE_ENTRIES - 1 - dropped)) != 0) {
        dropped++;
    }
    if (dropped > 2 ||
        memcmp(g_ListedLines[0], g_Tape.entries[0], sizeof(TapeEntry) * (TAPE_ENTRIES - 1)) == 0) {
        return;
    }
    for (int i = TAPE_ENTRIES - dropped; i < TAPE_ENTRIES; i++) {
        TapeEntry shown;
        FormatShownEntry(g_Tape.entries[i], shown);
        SendMessageA(g_hTapeList, LB_ADDSTRING, 0, (LPARAM)shown);
    }
    for (int i = 0; i < dropped; i++) {
        SendMessageA(g_hTapeList, LB_DELETESTRING, 0, 0);
    }
    int kept = TAPE_ENTRIES - dropped;
    memmove(g_ListedLines[0], g_ListedLines[dropped], sizeof(TapeEntry) * kept);
    memcpy(g_ListedLines[kept], g_Tape.entries[kept], sizeof(TapeEntry) * dropped);
    memmove(g_bChangedResult, g_bChangedResult + dropped, sizeof(bool) * kept);
    memset(g_bChangedResult + kept, 0, sizeof(bool) * dropped);
    g_nMarkedLine -= dropped;
    g_nPictureShift = dropped;
}

void CloseEdit(void)
{
    if (!g_hTapeEdit) {
        return;
    }
    HWND edit = g_hTapeEdit;
    g_hTapeEdit = nullptr;
    g_nEditLine = -1;
    if (GetFocus() == edit) {
        SetFocus(g_hTapeList);
    }
    DestroyWindow(edit);
}

int LineHeight(void)
{
    return Scaled(FONT_HEIGHT + LINE_PADDING);
}

/* A question to the list box itself, past the keys it is given. */
LRESULT AskList(UINT msg, WPARAM wParam = 0)
{
    return CallWindowProcW(g_pfnListProc, g_hTapeList, msg, wParam, 0);
}

int ListPage(void)
{
    RECT client;
    GetClientRect(g_hTapeList, &client);
    int page = (client.bottom - client.top) / LineHeight();
    return page > 0 ? page : 1;
}

/* The scroll bar to the list's lines and its first line in view. */
void FollowListScroll(void)
{
    if (g_bUpdatingList || !g_hTapeScroll) {
        return;
    }
    SCROLLINFO info = { sizeof(info), SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL, 0, 0, 0, 0, 0 };
    info.nMax = (int)AskList(LB_GETCOUNT) - 1;
    info.nPage = (UINT)ListPage();
    info.nPos = (int)AskList(LB_GETTOPINDEX);
    if (info.nMax != g_ScrollShown.nMax || info.nPage != g_ScrollShown.nPage ||
        info.nPos != g_ScrollShown.nPos) {
        SetScrollInfo(g_hTapeScroll, SB_CTL, &info, TRUE);
        g_ScrollShown = info;
    }
}

/* The scroll bar's own request: the list's first line moved to match. */
LRESULT OnVScroll(WPARAM wParam)
{
    int top = (int)AskList(LB_GETTOPINDEX);
    int page = ListPage();
    switch (LOWORD(wParam)) {
    case SB_LINEUP: top--; break;
    case SB_LINEDOWN: top++; break;
    case SB_PAGEUP: top -= page; break;
    case SB_PAGEDOWN: top += page; break;
    case SB_TOP: top = 0; break;
    case SB_BOTTOM: top = TAPE_ENTRIES; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        SCROLLINFO info = { sizeof(info), SIF_TRACKPOS, 0, 0, 0, 0, 0 };
        GetScrollInfo(g_hTapeScroll, SB_CTL, &info);
        top = info.nTrackPos;
        break;
    }
    default: return 0;
    }
    SendMessageW(g_hTapeList, LB_SETTOPINDEX, top < 0 ? 0 : top, 0);
    return 0;
}

void DrawLine(HDC dc, const RECT &rect, const ShownRow &row);

/* What row (of those from the first in view) is to show. */
ShownRow WantedRow(int row, int top, int selected, int caret)
{
    ShownRow wanted = {};
    int line = top + row;
    wanted.known = true;
    wanted.blank = line >= g_nListedLines;
    if (!wanted.blank) {
        wanted.selected = line == selected;
        wanted.focused = line == caret;
        wanted.marked = line == g_nMarkedLine;
        wanted.changed = g_bChangedResult[line];
        strcpy(wanted.entry, g_ListedLines[line]);
    }
    return wanted;
}

bool SameRow(const ShownRow &a, const ShownRow &b)
{
    return a.known == b.known && a.blank == b.blank && a.selected == b.selected &&
           a.focused == b.focused && a.marked == b.marked && a.changed == b.changed &&
           strcmp(a.entry, b.entry) == 0;
}

void DrawRow(HDC dc, int row, const ShownRow &wanted, int width)
{
    int height = LineHeight();
    RECT rect = { 0, row * height, width, (row + 1) * height };
    if (wanted.blank) {
        FillRect(dc, &rect, GetSysColorBrush(COLOR_WINDOW));
    } else {
        DrawLine(dc, rect, wanted);
    }
    if (row < SHOWN_ROWS) {
        g_ShownRows[row] = wanted;
    }
}

/* The rows in view, with the selection and the caret as the list has them
   (the caret shown while the list has the focus); whatever moved the
   list's picture since the rows were last drawn is taken into account. */
struct ListView {
    int top;
    int selected;
    int caret;
    int rows;
    int width;
};

ListView ViewOfList(void)
{
    ListView view;
    view.top = (int)AskList(LB_GETTOPINDEX);
    view.selected = (int)AskList(LB_GETCURSEL);
    view.caret = g_bListFocused ? (int)AskList(LB_GETCARETINDEX) : -1;
    RECT client;
    GetClientRect(g_hTapeList, &client);
    view.rows = (client.bottom + LineHeight() - 1) / LineHeight();
    view.width = client.right;
    /* The list moves its picture when it scrolls (or asks for a whole
       repaint, which draws every row). */
    ShiftShownRows(view.top - g_nShownTop);
    g_nShownTop = view.top;
    return view;
}

/* Draws the rows whose picture differs from what they are to show. */
void FollowListPicture(void)
{
    if (g_bUpdatingList || !g_hTapeList) {
        return;
    }
    ListView view = ViewOfList();
    HDC dc = nullptr;
    if (g_nPictureShift) {
        /* Moved within the window's own picture, which is cheaper than
           drawing the rows again or ScrollWindowEx; not where a paint is
           due, whose rows the move would carry off. */
        if (!GetUpdateRect(g_hTapeList, nullptr, FALSE)) {
            int moved = g_nPictureShift * LineHeight();
            dc = GetDC(g_hTapeList);
            BitBlt(dc, 0, 0, view.width, view.rows * LineHeight() - moved, dc, 0, moved, SRCCOPY);
            ShiftShownRows(g_nPictureShift);
        } else {
            memset(g_ShownRows, 0, sizeof(g_ShownRows));
        }
        g_nPictureShift = 0;
    }
    for (int row = 0; row < view.rows && row < SHOWN_ROWS; row++) {
        ShownRow wanted = WantedRow(row, view.top, view.selected, view.caret);
        if (SameRow(g_ShownRows[row], wanted)) {
            continue;
        }
        if (!dc) {
            dc = GetDC(g_hTapeList);
        }
        DrawRow(dc, row, wanted, view.width);
    }
    if (dc) {
        ReleaseDC(g_hTapeList, dc);
    }
}

/* The list's paint: every row the paint shows. */
LRESULT OnListPaint(void)
{
    ListView view = ViewOfList();
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(g_hTapeList, &ps);
    int height = LineHeight();
    for (int row = ps.rcPaint.top / height; row < view.rows && row * height < ps.rcPaint.bottom; row++) {
        DrawRow(dc, row, WantedRow(row, view.top, view.selected, view.caret), view.width);
    }
    EndPaint(g_hTapeList, &ps);
    return 0;
}

/* Brings the items in line with the tape. */
void UpdateTapeList(void)
{
    g_bUpdatingList = true;
    if (!g_bOwnChange) {
        CloseEdit(); /* the line under the field may be another now */
    }
    int count = g_Tape.tapeCur + 1;
    DropFirstItemsIfShifted(count);
    for (int i = 0; i < count; i++) {
        bool differs = i >= g_nListedLines || strcmp(g_ListedLines[i], g_Tape.entries[i]) != 0;
        g_bChangedResult[i] = differs && g_bMarkChanges && i < g_nListedLines &&
                              IsResultMark(g_Tape.entries[i][0]);
        if (differs) {
            SetItem(i, g_Tape.entries[i]);
        }
    }
    while (g_nListedLines > count) {
        SendMessageA(g_hTapeList, LB_DELETESTRING, --g_nListedLines, 0);
        g_bChangedResult[g_nListedLines] = false;
    }
    g_nMarkedLine = g_Tape.viewTop + g_Tape.markerRow;
    /* After a key the LCD's line, which is then the last; after a correction
       or deletion here the line it was made on. */
    int selected = g_bOwnChange ? g_nKeptLine : g_nMarkedLine;
    if (selected >= count) {
        selected = count - 1;
    }
    if (AskList(LB_GETCURSEL) != selected) {
        SendMessageW(g_hTapeList, LB_SETCURSEL, selected, 0);
    }
    g_bUpdatingList = false;
    FollowListScroll();
    FollowListPicture();
}

/* Told of every change of the tape; a hidden window catches up when shown. */
void FollowTape(void)
{
    if (g_hTapeWindow && IsWindowVisible(g_hTapeWindow)) {
        UpdateTapeList();
    } else {
        g_bListStale = true;
    }
}

void RefillTapeList(void)
{
    SendMessageW(g_hTapeList, LB_RESETCONTENT, 0, 0);
    g_nListedLines = 0;
    memset(g_bChangedResult, 0, sizeof(g_bChangedResult));
    g_nMarkedLine = -1;
    g_bListStale = false;
    UpdateTapeList();
}

void MakeFonts(void)
{
    HFONT *fonts[] = { &g_hLineFont, &g_hResultFont };
    for (HFONT *font : fonts) {
        if (*font) {
            DeleteObject(*font);
        }
        *font = CreateFontW(-Scaled(FONT_HEIGHT), 0, 0, 0, font == &g_hLineFont ? FW_NORMAL : FW_BOLD,
                            FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                            CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN,
                            L"Courier New");
    }
}

/* How wide text is in font. */
int TextWidth(HFONT font, const char *text, int length)
{
    HDC dc = GetDC(g_hTapeWindow);
    HGDIOBJ previous = SelectObject(dc, font);
    SIZE size = {};
    GetTextExtentPoint32A(dc, text, length, &size);
    SelectObject(dc, previous);
    ReleaseDC(g_hTapeWindow, dc);
    return size.cx;
}

/* The client width at factor 1 that shows a whole line in bold, the
   list's scroll bar and its edge. */
int UnscaledLineWidth(void)
{
    int text = TextWidth(g_hResultFont, "=-000000000000000", TAPE_ENTRY_LEN);
    int fixed = GetSystemMetrics(SM_CXVSCROLL) + 2 * GetSystemMetrics(SM_CXEDGE);
    return (text + fixed + g_nScale - 1) / g_nScale + TEXT_LEFT + TEXT_RIGHT;
}

/* The window's outer size for the client size kept, at the face's factor. */
SIZE WindowSize(void)
{
    RECT rect = { 0, 0, Scaled(g_UnscaledClient.cx), Scaled(g_UnscaledClient.cy) };
    AdjustWindowRectEx(&rect, GetWindowLongW(g_hTapeWindow, GWL_STYLE), FALSE,
                       GetWindowLongW(g_hTapeWindow, GWL_EXSTYLE));
    return { rect.right - rect.left, rect.bottom - rect.top };
}

/* Flush against the calculator's right edge, or its left where the
   monitor's work area has no room on the right; as tall as the face. */
void PlaceBesideCalculator(void)
{
    g_UnscaledClient = { UnscaledLineWidth(), SKIN_HEIGHT };
    SIZE size = WindowSize();
    RECT face;
    GetWindowRect(g_hTapeOwner, &face);
    RECT work = WorkAreaOf(MonitorFromWindow(g_hTapeOwner, MONITOR_DEFAULTTONEAREST));
    int x = face.right;
    if (x + size.cx > work.right && face.left - size.cx >= work.left) {
        x = face.left - size.cx;
    }
    SetWindowPos(g_hTapeWindow, nullptr, x, face.top, size.cx, size.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

/* ---- correcting and deleting ---- */

void Refuse(void)
{
    MessageBeep(MB_ICONWARNING);
}

LRESULT CALLBACK TapeEditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

void BeginEdit(int line)
{
    if (!IsTypedLine(line)) {
        Refuse(); /* a result is computed, not typed */
        return;
    }
    CloseEdit();
    SendMessageW(g_hTapeList, LB_SETCURSEL, line, 0);
    RECT item;
    SendMessageW(g_hTapeList, LB_GETITEMRECT, line, (LPARAM)&item);
    MapWindowPoints(g_hTapeList, g_hTapeWindow, (POINT *)&item, 2);
    PlainAmount amount;
    FormatPlainAmount(g_Tape.entries[line] + 1, amount);
    /* Over the amount, its digits where the line has them; the mark stays
       in view beside it. */
    int charWidth = TextWidth(g_hLineFont, "0", 1);
    int border = GetSystemMetrics(SM_CXBORDER);
    int left = item.left + Scaled(TEXT_LEFT) + charWidth - border;
    int right = item.left + Scaled(TEXT_LEFT) + TAPE_ENTRY_LEN * charWidth + border;
    g_hTapeEdit = CreateWindowExA(0, "EDIT", amount, WS_CHILD | WS_VISIBLE | WS_BORDER | ES_RIGHT |
                                  ES_AUTOHSCROLL, left, item.top, right - left, item.bottom - item.top,
                                  g_hTapeWindow, (HMENU)(INT_PTR)IDC_TAPE_EDIT, g_hInstance, nullptr);
    if (!g_hTapeEdit) {
        Refuse();
        return;
    }
    g_nEditLine = line;
    SendMessageW(g_hTapeEdit, WM_SETFONT, (WPARAM)g_hLineFont, FALSE);
    SendMessageW(g_hTapeEdit, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
    SendMessageW(g_hTapeEdit, EM_LIMITTEXT, EDIT_TEXT_MAX - 1, 0);
    SendMessageW(g_hTapeEdit, EM_SETSEL, 0, -1);
    SetWindowPos(g_hTapeEdit, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    g_pfnEditProc = (WNDPROC)SetWindowLongPtrW(g_hTapeEdit, GWLP_WNDPROC, (LONG_PTR)TapeEditProc);
    SetFocus(g_hTapeEdit);
}

/* A correction or a deletion of this window's, which keeps the selection
   on line; returns whether the tape took it. */
template <typename Change>
bool MakeOwnChange(int line, bool markChanges, Change change)
{
    g_bOwnChange = true;
    g_bMarkChanges = markChanges;
    g_nKeptLine = line;
    bool taken = change();
    g_bOwnChange = false;
    g_bMarkChanges = false;
    return taken;
}

/* Enter in the field: an amount the keys cannot type keeps it open. */
void CommitEdit(void)
{
    char text[EDIT_TEXT_MAX] = "";
    GetWindowTextA(g_hTapeEdit, text, EDIT_TEXT_MAX);
    int line = g_nEditLine;
    if (!MakeOwnChange(line, true, [&] { return CorrectTapeLine(line, text); })) {
        Refuse();
        SendMessageW(g_hTapeEdit, EM_SETSEL, 0, -1);
        return;
    }
    CloseEdit();
}

void DeleteSelectedLine(void)
{
    int line = (int)SendMessageW(g_hTapeList, LB_GETCURSEL, 0, 0);
    if (!MakeOwnChange(line, false, [&] { return DeleteTapeLine(line); })) {
        Refuse();
    }
}

/* The field's own keys: Enter takes the amount, Escape leaves it; their
   characters are not typed into it (no beep). */
LRESULT CALLBACK TapeEditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_KEYDOWN && (wParam == VK_RETURN || wParam == VK_ESCAPE)) {
        if (wParam == VK_RETURN) {
            CommitEdit();
        } else {
            CloseEdit();
        }
        return 0; /* the field may be gone */
    }
    if (msg == WM_CHAR && (wParam == '\r' || wParam == 0x1B)) {
        return 0;
    }
    if (msg == WM_KILLFOCUS) {
        /* Not destroyed while the focus is moving: once it has moved. */
        PostMessageW(g_hTapeWindow, WM_CLOSE_EDIT, 0, 0);
    }
    return CallWindowProcW(g_pfnEditProc, hwnd, msg, wParam, lParam);
}

/* ---- the list ---- */

bool IsListKey(WPARAM key)
{
    return key == VK_UP || key == VK_DOWN || key == VK_HOME || key == VK_END || key == VK_PRIOR ||
           key == VK_NEXT;
}

LRESULT CALLBACK TapeListProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_KEYDOWN:
        if (wParam == VK_F2) {
            BeginEdit((int)SendMessageW(hwnd, LB_GETCURSEL, 0, 0));
            return 0;
        }
        if (wParam == VK_DELETE) {
            DeleteSelectedLine();
            return 0;
        }
        if (!IsListKey(wParam)) {
            return SendMessageW(g_hTapeOwner, WM_KEYDOWN, wParam, lParam);
        }
        break;
    case WM_CHAR:
        /* Typed on the calculator, not searched for in the list. */
        return SendMessageW(g_hTapeOwner, WM_CHAR, wParam, lParam);
    case LB_SETTOPINDEX:
    case WM_MOUSEWHEEL:
        CloseEdit(); /* the field would stay where its line was */
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        g_bListFocused = msg == WM_SETFOCUS;
        break;
    case WM_PAINT:
        return OnListPaint();
    case WM_ERASEBKGND:
        return 1; /* every row is drawn whole */
    default:
        break;
    }
    /* Whatever moved the lines in view or the selection (keys, wheel, a
       drag, the focus), the scroll bar and the rows follow. */
    LRESULT result = CallWindowProcW(g_pfnListProc, hwnd, msg, wParam, lParam);
    if (msg != WM_DESTROY && msg != WM_NCDESTROY) {
        FollowListScroll();
        FollowListPicture();
    }
    return result;
}

/* ---- the window ---- */

LRESULT OnCreate(HWND hwnd)
{
    g_hTapeWindow = hwnd;
    MakeFonts();
    /* The items' height is asked for (WM_MEASUREITEM) while the list is made. */
    g_hTapeList = CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", L"",
                                  WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | LBS_NOTIFY |
                                      LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT,
                                  0, 0, 0, 0, hwnd, (HMENU)(INT_PTR)IDC_TAPE_LIST, g_hInstance, nullptr);
    if (!g_hTapeList) {
        return -1;
    }
    g_hTapeScroll = CreateWindowExW(0, L"SCROLLBAR", L"", WS_CHILD | WS_VISIBLE | SBS_VERT, 0, 0, 0, 0,
                                    hwnd, (HMENU)(INT_PTR)IDC_TAPE_SCROLL, g_hInstance, nullptr);
    g_ScrollShown = {};
    g_ScrollShown.nMax = -1; /* differs from any list's: the first follow sets it */
    g_pfnListProc = (WNDPROC)SetWindowLongPtrW(g_hTapeList, GWLP_WNDPROC, (LONG_PTR)TapeListProc);
    AskList(WM_SETREDRAW, FALSE);
    memset(g_ShownRows, 0, sizeof(g_ShownRows));
    g_nShownTop = 0;
    g_bListStale = true;
    SetTapeFollower(FollowTape);
    return 0;
}

LRESULT OnSize(HWND hwnd, LPARAM lParam)
{
    CloseEdit();
    int bar = GetSystemMetrics(SM_CXVSCROLL);
    int width = LOWORD(lParam) > bar ? LOWORD(lParam) - bar : 0;
    MoveWindow(g_hTapeList, 0, 0, width, HIWORD(lParam), TRUE);
    MoveWindow(g_hTapeScroll, width, 0, LOWORD(lParam) - width, HIWORD(lParam), TRUE);
    InvalidateRect(g_hTapeList, nullptr, FALSE); /* the rows span the width */
    FollowListScroll();
    if (!IsIconic(hwnd) && LOWORD(lParam) && HIWORD(lParam)) {
        g_UnscaledClient = { LOWORD(lParam) / g_nScale, HIWORD(lParam) / g_nScale };
    }
    return 0;
}

LRESULT OnMeasureItem(MEASUREITEMSTRUCT *item)
{
    item->itemHeight = LineHeight();
    return TRUE;
}

void FillWith(HDC dc, const RECT &rect, COLORREF colour)
{
    SetDCBrushColor(dc, colour);
    FillRect(dc, &rect, (HBRUSH)GetStockObject(DC_BRUSH));
}

/* A line as on a paper tape: results in bold under a rule, the LCD's line
   marked at the left, results that a correction changed shaded. */
void DrawLine(HDC dc, const RECT &rect, const ShownRow &row)
{
    COLORREF background = row.selected  ? GetSysColor(COLOR_HIGHLIGHT)
                          : row.changed ? CHANGED_RESULT_COLOUR
                                        : GetSysColor(COLOR_WINDOW);
    COLORREF ink = GetSysColor(row.selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
    FillWith(dc, rect, background);

    bool result = IsResultMark(row.entry[0]);
    if (result) {
        RECT rule = { rect.left + Scaled(TEXT_LEFT), rect.top, rect.right - Scaled(TEXT_RIGHT),
                      rect.top + Scaled(1) };
        FillWith(dc, rule, ink);
    }
    if (row.marked) {
        RECT mark = { rect.left + Scaled(2), rect.top + Scaled(2), rect.left + Scaled(2 + MARK_WIDTH),
                      rect.bottom - Scaled(2) };
        FillWith(dc, mark, MARK_COLOUR);
    }
    TapeEntry shown;
    FormatShownEntry(row.entry, shown);
    HGDIOBJ previous = SelectObject(dc, result ? g_hResultFont : g_hLineFont);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ink);
    TextOutA(dc, rect.left + Scaled(TEXT_LEFT), rect.top + Scaled(LINE_PADDING / 2), shown,
             TAPE_ENTRY_LEN);
    SelectObject(dc, previous);
    if (row.focused) {
        /* Its pattern in the line's ink and the window's colour, as the
           list box would leave them. */
        SetBkColor(dc, GetSysColor(COLOR_WINDOW));
        DrawFocusRect(dc, &rect);
    }
}

/* The list asks for its lines while it draws: this window draws them. */
LRESULT OnDrawItem(void)
{
    return TRUE;
}

LRESULT OnCommand(WPARAM wParam)
{
    if (LOWORD(wParam) == IDC_TAPE_LIST && HIWORD(wParam) == LBN_DBLCLK) {
        BeginEdit((int)SendMessageW(g_hTapeList, LB_GETCURSEL, 0, 0));
    }
    return 0;
}

LRESULT OnCloseEdit(void)
{
    if (g_hTapeEdit && GetFocus() != g_hTapeEdit) {
        CloseEdit();
    }
    return 0;
}

LRESULT OnSetFocus(void)
{
    SetFocus(g_hTapeEdit ? g_hTapeEdit : g_hTapeList);
    return 0;
}

/* Shown again (Ctrl+H, or the calculator restored from the taskbar): the
   changes made while hidden are caught up first. */
LRESULT OnShowWindow(WPARAM shown)
{
    if (shown && g_bListStale) {
        RefillTapeList();
    }
    return 0;
}

/* Closing hides: the window keeps its size and place for the next Ctrl+H. */
LRESULT OnClose(HWND hwnd)
{
    ShowWindow(hwnd, SW_HIDE);
    return 0;
}

/* Shift+F10, the Menu key and a right click: the calculator's menu, which
   the calculator shows as for its own. */
LRESULT OnContextMenu(LPARAM lParam)
{
    SendMessageA(g_hTapeOwner, WM_CONTEXTMENU, (WPARAM)g_hTapeOwner, lParam);
    return 0;
}

LRESULT OnDestroy(void)
{
    SetTapeFollower(nullptr);
    DeleteObject(g_hLineFont);
    DeleteObject(g_hResultFont);
    g_hLineFont = g_hResultFont = nullptr;
    g_hTapeWindow = g_hTapeList = g_hTapeEdit = g_hTapeScroll = g_hTapeOwner = nullptr;
    g_nEditLine = -1;
    return 0;
}

} // namespace

LRESULT CALLBACK TapeWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CREATE:
        return OnCreate(hwnd);
    case WM_SIZE:
        return OnSize(hwnd, lParam);
    case WM_MEASUREITEM:
        return OnMeasureItem((MEASUREITEMSTRUCT *)lParam);
    case WM_DRAWITEM:
        return OnDrawItem();
    case WM_COMMAND:
        return OnCommand(wParam);
    case WM_VSCROLL:
        return OnVScroll(wParam);
    case WM_CLOSE_EDIT:
        return OnCloseEdit();
    case WM_SETFOCUS:
        return OnSetFocus();
    case WM_SHOWWINDOW:
        return OnShowWindow(wParam);
    case WM_CLOSE:
        return OnClose(hwnd);
    case WM_CONTEXTMENU:
        return OnContextMenu(lParam);
    case WM_DESTROY:
        return OnDestroy();
    default:
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

void ToggleTapeWindow(HWND mainWindow)
{
    if (IsTapeWindowShown()) {
        ShowWindow(g_hTapeWindow, SW_HIDE);
        return;
    }
    if (!g_hTapeWindow) {
        g_hTapeOwner = mainWindow;
        /* Owned: above the calculator, and minimised with it. */
        CreateWindowExW(0, L"" TAPE_WINDOW_CLASS, TAPE_WINDOW_TITLE,
                        WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN, 0, 0, 0,
                        0, mainWindow, nullptr, g_hInstance, nullptr);
        if (!g_hTapeWindow) {
            g_hTapeOwner = nullptr;
            Refuse();
            return;
        }
        PlaceBesideCalculator();
    }
    ShowWindow(g_hTapeWindow, SW_SHOW);
    SetFocus(g_hTapeList);
}

bool IsTapeWindowShown(void)
{
    return g_hTapeWindow && IsWindowVisible(g_hTapeWindow);
}

void RescaleTapeWindow(const RECT &oldFace)
{
    if (!g_hTapeWindow) {
        return;
    }
    CloseEdit();
    MakeFonts();
    memset(g_ShownRows, 0, sizeof(g_ShownRows));
    SendMessageW(g_hTapeList, LB_SETITEMHEIGHT, 0, LineHeight());
    SIZE size = WindowSize();
    /* Flush against the face before, flush against it after: kept where it
       was, a grown face would cover it and a shrunk one leave it adrift. A
       window the user has put elsewhere stays there. */
    RECT tape, face;
    GetWindowRect(g_hTapeWindow, &tape);
    GetWindowRect(g_hTapeOwner, &face);
    int x = tape.left;
    int y = tape.top;
    if (tape.left == oldFace.right || tape.right == oldFace.left) {
        x = tape.left == oldFace.right ? face.right : face.left - size.cx;
        y = face.top + tape.top - oldFace.top;
    }
    SetWindowPos(g_hTapeWindow, nullptr, x, y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(g_hTapeList, nullptr, FALSE);
}
