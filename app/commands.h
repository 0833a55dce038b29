/*
 * Command codes: always the wParam of a WM_COMMAND whose lParam is a
 * ButtonId, compared as whole 32-bit values.
 */
#ifndef ORVANTA_COMMANDS_H
#define ORVANTA_COMMANDS_H

enum {
    CMD_KEY = 101,    /* button -> main window, ButtonId 1 to 28 */
    CMD_SYSTEM = 102, /* button -> main window, ButtonId 29 to 32 */
    LCD_SCROLL = 201, /* main window -> LCD screen, ButtonId 24 to 28 */
    LCD_OPERATOR = 202, /* main window -> LCD screen, ButtonId 18 to 23 */
    LCD_ENTRY = 203   /* main window -> LCD screen, ButtonId 1 to 17 */
};

/* ButtonId ranges that pick the commands above */
enum {
    BUTTON_COUNT = 32,
    LAST_ENTRY_KEY = 17,
    FIRST_OPERATOR_KEY = 18,
    LAST_OPERATOR_KEY = 23,
    FIRST_SCROLL_KEY = 24,
    LAST_CALCULATOR_KEY = 28,
    BUTTON_QUIT = 29,
    BUTTON_MINIMISE = 30,
    BUTTON_ABOUT = 31,
    BUTTON_WEB = 32
};

#endif
