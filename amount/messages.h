/*
 * The one message the calculator shows: a result too large for the LCD.
 * The argument is the literal's prefix, so that one text serves as UTF-8
 * (empty prefix) and as UTF-16 (L) for the wide message box.
 */
#ifndef ORVANTA_MESSAGES_H
#define ORVANTA_MESSAGES_H

#define OVERFLOW_CAPTION(prefix) prefix##"알림"
#define OVERFLOW_TEXT(prefix) prefix##"숫자를 화면에 표시할 수 없습니다.\n너무 큽니다."

#endif
