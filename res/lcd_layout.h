/*
 * Where the LCD draws: the metrics of its character cells and lines, its
 * marker and the names of its glyphs (res/glyphs.def). The LCD window and the
 * artwork generator (which parses the #define lines) both take the geometry
 * from here.
 */
#ifndef ORVANTA_LCD_LAYOUT_H
#define ORVANTA_LCD_LAYOUT_H

#define LCD_X 13                /* LCD window in the main window */
#define LCD_Y 30
#define LCD_WIDTH 185
#define LCD_HEIGHT 65
#define LCD_DRAWN_WIDTH 184     /* the part copied from the background */
#define LCD_DRAWN_HEIGHT 63

#define LCD_GLYPH_WIDTH 11      /* a digit cell */
#define LCD_GLYPH_HEIGHT 17
#define LCD_LINE_GAP 2
#define LCD_FIRST_LINE_TOP 4    /* line r starts at 4 + r * (17 + 2) */
#define LCD_FIRST_CELL_X 5      /* cell j starts at 5 + 11 * j */
#define LCD_MARK_X 4            /* the mark cell is one pixel wider, to the left */
#define LCD_MARK_WIDTH 12
#define LCD_CELLS 16            /* the mark and the 15 amount characters */

/* The marker over a line whose glyphs start at top: Rectangle(LCD_MARKER_LEFT,
   top - LCD_MARKER_OVERHANG, LCD_MARKER_RIGHT, top + glyph height +
   LCD_MARKER_OVERHANG) with a null pen, which fills up to, not including,
   right - 1 and bottom - 1. */
#define LCD_MARKER_LEFT 1
#define LCD_MARKER_RIGHT 182
#define LCD_MARKER_OVERHANG 2

/* Marker colour, applied with R2_MASKNOTPEN */
#define LCD_MARKER_RED 80
#define LCD_MARKER_GREEN 40
#define LCD_MARKER_BLUE 70

/* The cells a glyph is drawn in (res/glyphs.def). */
enum GlyphCell {
    AMOUNT_CELL, /* one of the amount's, LCD_GLYPH_WIDTH wide */
    MARK_CELL    /* the operator mark's, LCD_MARK_WIDTH wide */
};

/* Glyph indexes, in the order of res/glyphs.def. */
enum {
#define GLYPH_ROW(name, character, cell, bitmap) name,
#include "res/glyphs.def"
#undef GLYPH_ROW
    GLYPH_COUNT
};

#endif
