/*
 * The texts of the Windows program's tape files and read-back tapes: its
 * dialogs and message boxes. The argument is the literal's prefix, as in
 * amount/messages.h: L for the wide calls that read the same in any code
 * page.
 */
#ifndef ORVANTA_TAPE_NOTICES_H
#define ORVANTA_TAPE_NOTICES_H

/* The file types that the Save As and Open dialogs offer: pairs of name and
   pattern, the list ended by an empty name. */
#define TAPE_FILE_TYPES(prefix) prefix##"텍스트 파일 (*.txt)\0*.txt\0모든 파일 (*.*)\0*.*\0"

/* Saving the tape: the Save As dialog's title, and the notice that a save
   failed: that the file could not be written, then, where a file of that
   name was there before, that it is unchanged. */
#define SAVE_CAPTION(prefix) prefix##"테이프 저장"
#define SAVE_FAILED_TEXT(prefix) prefix##"테이프를 파일에 쓰지 못했습니다."
#define SAVE_UNCHANGED_TEXT(prefix) prefix##"이미 있던 파일은 바뀌지 않았습니다."

/* A tape read back, from a file (the Open dialog's title is the caption)
   or from the clipboard: that a file could not be read; that of several
   files dropped none was opened, a tape being one file; that the text is
   no tape, with its line or the two lines that do not go together (the
   reasons are in tape/replay_refusals.def);
   that results were computed otherwise than the text has them, a line for
   each (the line, the amount in the text, the amount computed), then how
   many more there are. */
#define OPEN_CAPTION(prefix) prefix##"테이프 열기"
#define PASTE_TAPE_CAPTION(prefix) prefix##"테이프 붙여넣기"
#define READ_FAILED_TEXT(prefix) prefix##"파일을 읽지 못했습니다."
#define NOT_A_TAPE_TEXT(prefix) prefix##"테이프로 읽을 수 없어 테이프는 바뀌지 않았습니다."
#define NOT_A_TAPE_LINE_FORMAT(prefix) prefix##"%d번째 줄: %s"
#define NOT_A_TAPE_LINES_FORMAT(prefix) prefix##"%d번째 줄과 %d번째 줄: %s"
#define ONE_TAPE_AT_A_TIME_TEXT(prefix) prefix##"테이프는 한 번에 하나씩 엽니다. 파일을 하나만 놓으세요."
#define RESULTS_DIFFER_TEXT(prefix) prefix##"다시 계산한 결과가 적힌 값과 다른 줄입니다. 테이프에는 다시 계산한 결과가 들어갔습니다."
#define RESULT_DIFFERS_FORMAT(prefix) prefix##"%d번째 줄: 적힌 값 %hs, 계산한 값 %hs"
#define MORE_DIFFER_FORMAT(prefix) prefix##"그 밖에 %d줄"

/* Printing the tape: the notices' caption, that the tape was not printed,
   and why where the system has no words for it: no printer, or a dialog
   that failed with its code. */
#define PRINT_CAPTION(prefix) prefix##"테이프 인쇄"
#define PRINT_FAILED_TEXT(prefix) prefix##"테이프를 인쇄하지 못했습니다."
#define NO_PRINTER_TEXT(prefix) prefix##"설치된 프린터가 없습니다. 프린터를 설치한 뒤 다시 인쇄하십시오."
#define PRINT_DIALOG_FAILED_FORMAT(prefix) prefix##"인쇄 대화 상자를 열지 못했습니다. (오류 0x%04lX)"

#endif
