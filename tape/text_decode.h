/*
 * A text from a file, a drop or the clipboard, brought to one byte a
 * character with LF line ends before it is read as a tape. Windows editors
 * save "Unicode" text as UTF-16 with a byte order mark; other programs
 * write UTF-8, with or without one, and CR LF, LF or a lone CR.
 */
#ifndef ORVANTA_TEXT_DECODE_H
#define ORVANTA_TEXT_DECODE_H

/* Writes the length bytes of text to out (length bytes at most, never
   more than come in) and returns how many it wrote. UTF-16LE and UTF-16BE
   are known by their byte order mark at the start, anything else is read
   as UTF-8. A byte order mark anywhere (texts copied together) is dropped;
   CR LF and a lone CR become LF; a tab becomes a blank. A character beyond
   ASCII in UTF-16 becomes one byte that is no ASCII character (0x80), as
   such bytes stay in UTF-8, so that a reader refuses it where it stands. */
int DecodeTapeText(const char *text, int length, char *out);

#endif
