/*
 * The texts the calculator shows in message boxes and dialogs. The argument
 * is the literal's prefix, so that one text serves as UTF-8 (empty prefix)
 * and as UTF-16 (L) for the wide message box.
 */
#ifndef ORVANTA_MESSAGES_H
#define ORVANTA_MESSAGES_H

/* A result too large for the LCD. */
#define OVERFLOW_CAPTION(prefix) prefix##"알림"
#define OVERFLOW_TEXT(prefix) prefix##"숫자를 화면에 표시할 수 없습니다.\n너무 큽니다."

/* Saving the tape: the Save As dialog's title and file types (pairs of name
   and pattern, the list ended by an empty name), and the notice that a save
   failed: that the file could not be written, then, where a file of that
   name was there before, that it is unchanged. */
#define SAVE_CAPTION(prefix) prefix##"테이프 저장"
#define SAVE_FILE_TYPES(prefix) prefix##"텍스트 파일 (*.txt)\0*.txt\0모든 파일 (*.*)\0*.*\0"
#define SAVE_FAILED_TEXT(prefix) prefix##"테이프를 파일에 쓰지 못했습니다."
#define SAVE_UNCHANGED_TEXT(prefix) prefix##"이미 있던 파일은 바뀌지 않았습니다."

#endif
