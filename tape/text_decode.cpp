#include "tape/text_decode.h"

namespace {

const unsigned char NOT_ASCII = 0x80;
const unsigned BYTE_ORDER_MARK = 0xFEFF;

/* Reads the text one character at a time, in its encoding. */
struct Decoder {
    const unsigned char *text;
    int length;
    int at;
    int utf16; /* 0: UTF-8; 1: little-endian; 2: big-endian */
};

/* The next character, as a UTF-16 unit or a UTF-8 byte (a byte order
   mark in UTF-8 read whole); false at the end. */
bool NextCharacter(Decoder *d, unsigned *c)
{
    const unsigned char *p = d->text + d->at;
    int left = d->length - d->at;
    if (left <= 0)
        return false;
    if (d->utf16 == 0) {
        if (left >= 3 && p[0] == 0xEF && p[1] == 0xBB && p[2] == 0xBF) {
            *c = BYTE_ORDER_MARK;
            d->at += 3;
        } else {
            *c = p[0];
            d->at++;
        }
    } else if (left == 1) {
        *c = NOT_ASCII; /* half a unit: the text was cut */
        d->at++;
    } else {
        *c = d->utf16 == 1 ? p[0] | p[1] << 8 : p[0] << 8 | p[1];
        d->at += 2;
    }
    return true;
}

} // namespace

int DecodeTapeText(const char *text, int length, char *out)
{
    Decoder d = { (const unsigned char *)text, length, 0, 0 };
    if (length >= 2 && d.text[0] == 0xFF && d.text[1] == 0xFE)
        d.utf16 = 1;
    else if (length >= 2 && d.text[0] == 0xFE && d.text[1] == 0xFF)
        d.utf16 = 2;
    int n = 0;
    bool afterCr = false;
    unsigned c;
    while (NextCharacter(&d, &c)) {
        if (c == BYTE_ORDER_MARK)
            continue;
        bool lf = c == '\n';
        if (lf && afterCr) {
            afterCr = false;
            continue; /* the LF of CR LF: the CR ended the line */
        }
        afterCr = c == '\r';
        if (afterCr || lf)
            c = '\n';
        else if (c == '\t')
            c = ' ';
        else if (d.utf16 != 0 && c >= 0x80)
            c = NOT_ASCII; /* a surrogate pair gives two: still refused */
        out[n++] = (char)c;
    }
    return n;
}
