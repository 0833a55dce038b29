/*
 * The one text that the core has its hosts tell, the overflow notice: shown
 * by the Windows program, written to standard error by the tape driver. The
 * argument is the literal's prefix, so that one text serves as UTF-8 (empty
 * prefix) and as UTF-16 (L) for the wide message box.
 */
#ifndef ORVANTA_MESSAGES_H
#define ORVANTA_MESSAGES_H

/* A result too large for the LCD. */
#define OVERFLOW_CAPTION(prefix) prefix##"알림"
#define OVERFLOW_TEXT(prefix) prefix##"숫자를 화면에 표시할 수 없습니다.\n너무 큽니다."

#endif
