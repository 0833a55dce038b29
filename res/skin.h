/*
 * The skin's size and the round-cornered window region cut from it. Read by
 * the main window and by the artwork generator (which parses the #define
 * lines).
 */
#ifndef ORVANTA_SKIN_H
#define ORVANTA_SKIN_H

#define SKIN_WIDTH 226          /* the skin bitmap and the main window */
#define SKIN_HEIGHT 282

/* The window region: CreateRoundRectRgn(0, 0, REGION_RIGHT, REGION_BOTTOM,
   REGION_CORNER_WIDTH, REGION_CORNER_HEIGHT). */
#define REGION_RIGHT 227
#define REGION_BOTTOM 283
#define REGION_CORNER_WIDTH 7
#define REGION_CORNER_HEIGHT 8

#endif
