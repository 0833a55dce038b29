/*
 * Resource ids of the calculator, under one heading per resource type.
 * Every resource is addressed by number and exists in Korean only (LANGUAGE
 * 0x12, 0x01). Windows looks a resource up by its type and its id together,
 * so the numbers of different types may meet.
 */
#ifndef ORVANTA_RESOURCE_H
#define ORVANTA_RESOURCE_H

/* Icons: the group 1 and its two images, 2 and 3 */
#define IDI_ORVANTA 1
#define IDI_ORVANTA_LARGE 2 /* 32 x 32 */
#define IDI_ORVANTA_SMALL 3 /* 16 x 16 */

/* Cursors: the group 102, the hand shown over every key, and its one image 1 */
#define IDC_KEY_CURSOR 102
#define IDC_KEY_CURSOR_IMAGE 1

/* Bitmaps: 101 to 170 */
#define IDB_SKIN 101
/* 103 and 105 to 135: the pressed keys, listed per key in tape/keys.def */
/* 143 to 159, 162 and 164: the LCD glyphs, listed per glyph in res/glyphs.def */
#define IDB_LCD_BACKGROUND 167
#define IDB_ABOUT_PICTURE 170

/* Dialogs: the About dialog 168, its controls 1001 to 1003 */
#define IDD_ABOUT 168
#define IDC_FREEWARE_TEXT 1001
#define IDC_VERSION_TEXT 1002
#define IDC_HOMEPAGE 1003

/* Strings: 1 to 32 the key texts (string n for ButtonId n), 33 the LCD
   screen's name, 1001 to 1032 the keys' Korean names (tape/keys.def), in
   string blocks of their own */
#define IDS_LCD_SCREEN 33
#define IDS_KEY_NAME_BASE 1000 /* key n's name is string IDS_KEY_NAME_BASE + n */
/* 2001 to 2099: the menu items' texts, string n for command n (res/menu.def) */

/* Application manifest: 1, the one Windows reads when it starts the program */
#define IDR_MANIFEST 1

/* Version block: 1 */
#define IDV_VERSION 1

/* Control ids of the main window's children: keys 1 to 32, then the LCD */
#define IDC_LCDSCREEN 33

#endif
