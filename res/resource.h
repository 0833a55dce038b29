/*
 * Resource ids of the calculator. Every resource is addressed by number and
 * exists in Korean only (LANGUAGE 0x12, 0x01).
 */
#ifndef ORVANTA_RESOURCE_H
#define ORVANTA_RESOURCE_H

/* Icon group and version block */
#define IDI_ORVANTA 1
#define IDI_ORVANTA_LARGE 2 /* its two images: 32 x 32 and 16 x 16 */
#define IDI_ORVANTA_SMALL 3
#define IDV_VERSION 1

/* Skin, cursor and LCD background */
#define IDB_SKIN 101
#define IDC_KEY_CURSOR 102 /* cursor group: the hand shown over every key */
#define IDC_KEY_CURSOR_IMAGE 1 /* its one image */
#define IDB_LCD_BACKGROUND 167
#define IDB_ABOUT_PICTURE 170

/* Pressed key images: 103 and 105 to 135, listed per key in tape/keys.def */

/* LCD glyphs: 143 to 159, 162 and 164, listed per glyph in res/glyphs.def */

/* About dialog */
#define IDD_ABOUT 168
#define IDC_FREEWARE_TEXT 1001
#define IDC_VERSION_TEXT 1002
#define IDC_HOMEPAGE 1003

/* String table: ids 1 to 32 are the key texts (ButtonId), 33 the LCD screen */
#define IDS_LCD_SCREEN 33
/* The keys' Korean names (tape/key_names.def): key n at IDS_KEY_NAME_BASE + n,
   clear of the key texts and of the rest of their string blocks (34 to 47) */
#define IDS_KEY_NAME_BASE 1000

/* Control ids of the main window's children: keys 1 to 32, then the LCD */
#define IDC_LCDSCREEN 33

#endif
