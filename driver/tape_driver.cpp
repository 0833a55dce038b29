/*
 * orvanta-tape: the calculator's paper tape in a terminal, a second front end
 * on the core beside the Windows program. Presses keys given as arguments or
 * read from standard input and prints the tape.
 */
#include "amount/messages.h"
#include "amount/platform.h"
#include "tape/keys.h"
#include "tape/press_key.h"
#include "tape/replay.h"
#include "tape/tape.h"
#include "tape/tape_text.h"
#include "tape/undo.h"

#include <errno.h>
#include <stdio.h>
#include <string.h>

enum {
    EXIT_RESULTS_DIFFER = 1,
    EXIT_BAD_INPUT = 2,
    EXIT_IO_FAILED = 3,
    LINE_MAX_CHARS = 4094 /* of one line of standard input, its newline not counted */
};

static const char USAGE[] =
    "usage: orvanta-tape [--raw] [--state] [KEYS...]\n"
    "       orvanta-tape [--raw] [--state] --replay FILE [KEYS...]\n"
    "\n"
    "Presses calculator keys and prints the paper tape, oldest line first.\n"
    "\n"
    "KEYS are split on white space into tokens. A token that is exactly a key's\n"
    "text presses that key: 0 00 000 0000 1 ... 9 . sign clear backspace\n"
    "+ - * / % = power pgup pgdn up down; undo takes back the last change of\n"
    "the tape and redo brings it again. Any other token is typed character by\n"
    "character: digits . + - * / % =, c (clear), b (backspace), p (power), in\n"
    "either case; so '12+3=' and '1 2 + 3 =' give the same tape.\n"
    "Without KEYS, tokens are read from standard input line by line.\n"
    "\n"
    "--replay FILE reads FILE (- for standard input), a tape as this program\n"
    "prints it (either form), as the calculator copies or saves it, or as\n"
    "corrected in an editor, and makes each line again with its keys; KEYS are\n"
    "pressed after it. Results are computed again: each that the file has\n"
    "otherwise is told on standard error as 'line N: file X, computed Y', and\n"
    "the exit status is 1. A file that is no tape is refused, its first bad\n"
    "line named (or the two lines that do not go together) with what would\n"
    "mend it, and nothing is printed (exit status 2). FILE is UTF-8, or\n"
    "UTF-16 with its byte order mark. --replay is given once at most.\n"
    "\n"
    "Output: each tape line as the LCD shows it: the operator mark (blank for a\n"
    "plain line) and the amount with its leading zeros as blanks.\n"
    "  --raw     print each line's 16 characters exactly (mark and amount)\n"
    "  --state   add a line: cur=N top=N marker=N typed=N fraction=N operator=N\n"
    "  --help    show this text\n"
    "\n"
    "A result too large for the display is reported on standard error and the\n"
    "calculation goes on from zero. A KEYS token with a character that is no\n"
    "key is reported and nothing is pressed (exit status 2); a bad line of\n"
    "standard input is reported with its line number and skipped, the other\n"
    "lines still run, and the exit status is 2.\n"
    "\n"
    "Exit status: 0 done; 1 results differ (above); 2 bad input (above);\n"
    "3 standard input or FILE could not be read (no tape is printed) or the\n"
    "output could not be written, reported on standard error.\n";

/* ---- the platform side of the core ---- */

void ShowOverflowMessage(void)
{
    fprintf(stderr, "%s: %s\n", OVERFLOW_CAPTION(), OVERFLOW_TEXT());
}

void RepaintLcd(void)
{
}

/* ---- keys ---- */

/* The two tokens that are no key, beside the key ids. */
enum { TOKEN_UNDO = -1, TOKEN_REDO = -2 };

static int IsToken(const char *token, size_t len, const char *text)
{
    return strlen(text) == len && strncmp(text, token, len) == 0;
}

/* The calculator key whose text is the len characters at token, TOKEN_UNDO
   or TOKEN_REDO, or 0. */
static int FindKeyByText(const char *token, size_t len)
{
    for (int id = FIRST_ENTRY_KEY; id <= LAST_CALCULATOR_KEY; id++) {
        if (IsToken(token, len, KeyTextOf(id)))
            return id;
    }
    if (IsToken(token, len, "undo"))
        return TOKEN_UNDO;
    if (IsToken(token, len, "redo"))
        return TOKEN_REDO;
    return 0;
}

static void PressToken(int token)
{
    if (token == TOKEN_UNDO)
        UndoTapeChange();
    else if (token == TOKEN_REDO)
        RedoTapeChange();
    else
        PressTapeKey(token);
}

/* The calculator key that character c types, or 0. */
static int FindKeyByChar(char c)
{
    int key = KeyOfChar((unsigned char)c);
    return key <= LAST_CALCULATOR_KEY ? key : 0;
}

static int IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

/* Copies the len characters at token to bad (size bytes) for a message,
   control characters (a NUL byte among them) shown as "?". */
static void CopyBadToken(const char *token, size_t len, char *bad, int size)
{
    size_t n = 0;
    for (; n < len && n + 1 < (size_t)size; n++)
        bad[n] = (unsigned char)token[n] < ' ' ? '?' : token[n];
    bad[n] = '\0';
}

/* Goes through the tokens of the textLen characters at text (any byte, NUL
   included, is a character): checks them all (press 0) or presses their
   keys (press 1). Returns 0 at the first token that is no key and copies it
   to bad (size bytes). */
static int RunTokens(const char *text, size_t textLen, int press, char *bad, int size)
{
    const char *p = text;
    const char *textEnd = text + textLen;
    for (;;) {
        while (p < textEnd && IsSpace(*p))
            p++;
        if (p == textEnd)
            return 1;
        const char *end = p;
        while (end < textEnd && !IsSpace(*end))
            end++;
        size_t len = (size_t)(end - p);
        int whole = FindKeyByText(p, len);
        if (whole) {
            if (press)
                PressToken(whole);
        } else {
            for (const char *c = p; c < end; c++) {
                int key = FindKeyByChar(*c);
                if (key == 0) {
                    CopyBadToken(p, len, bad, size);
                    return 0;
                }
                if (press)
                    PressTapeKey(key);
            }
        }
        p = end;
    }
}

/* ---- output ---- */

static void PrintTape(int raw, int state)
{
    if (raw) {
        for (int i = 0; i <= g_Tape.tapeCur; i++)
            puts(g_Tape.entries[i]);
    } else {
        char text[TAPE_TEXT_SIZE];
        FormatTapeText("\n", text);
        fputs(text, stdout);
    }
    if (state) {
        printf("cur=%d top=%d marker=%d typed=%d fraction=%d operator=%d\n", g_Tape.tapeCur,
               g_Tape.viewTop, g_Tape.markerRow, g_Tape.typedCount, g_Tape.fractionCount,
               g_Tape.operatorPressed);
    }
}

/* ---- main ---- */

enum { BAD_TOKEN_SHOWN = 64 };

/* Reads the next line of standard input, without its newline, into line;
   its length goes to len, counted to its end even beyond LINE_MAX_CHARS,
   where line keeps only the start. Every byte counts, NUL included. Returns
   0 at the end of the input. */
static int ReadLine(char line[LINE_MAX_CHARS], size_t *len)
{
    int c = getchar();
    if (c == EOF)
        return 0;
    size_t n = 0;
    for (; c != EOF && c != '\n'; c = getchar()) {
        if (n < LINE_MAX_CHARS)
            line[n] = (char)c;
        n++;
    }
    *len = n;
    return 1;
}

/* Reports a failed read or write of stream (named what) and gives the
   exit status for it. */
static int ReportIoFailure(const char *what)
{
    fprintf(stderr, "orvanta-tape: %s: %s\n", what, strerror(errno));
    return EXIT_IO_FAILED;
}

/* Everything written reached the output: the final flush included, since
   a full disk or a closed output shows only there. Returns status, or the
   failure's own. */
static int FinishOutput(int status)
{
    if (fflush(stdout) != 0 || ferror(stdout))
        return ReportIoFailure("cannot write the output");
    return status;
}

static int RunStandardInput(void)
{
    char line[LINE_MAX_CHARS];
    size_t len;
    int lineNumber = 0;
    int status = 0;
    while (ReadLine(line, &len)) {
        lineNumber++;
        if (len > LINE_MAX_CHARS) {
            fprintf(stderr, "orvanta-tape: line %d: longer than %d characters, skipped\n",
                    lineNumber, LINE_MAX_CHARS);
            status = EXIT_BAD_INPUT;
            continue;
        }
        char bad[BAD_TOKEN_SHOWN];
        if (!RunTokens(line, len, 0, bad, sizeof bad)) {
            fprintf(stderr, "orvanta-tape: line %d: '%s' is not a key, line skipped\n",
                    lineNumber, bad);
            status = EXIT_BAD_INPUT;
            continue;
        }
        RunTokens(line, len, 1, bad, sizeof bad);
    }
    if (ferror(stdin))
        return ReportIoFailure("cannot read standard input");
    return status;
}

/* ---- replay ---- */

static char g_szReplayText[REPLAY_MAX_CHARS + 1]; /* one more, to know a longer text */

static const char *const REFUSAL_TEXTS[] = {
    "",
#define REPLAY_REFUSAL(name, english, korean) english,
#include "tape/replay_refusals.def"
#undef REPLAY_REFUSAL
};

static void PrintDifference(const ReplayDifference *difference, void *)
{
    fprintf(stderr, "line %d: file %s, computed %s\n", difference->line, difference->file,
            difference->computed);
}

/* Replays the tape in path ("-" for standard input): returns 0, or
   EXIT_RESULTS_DIFFER, or the status of a failure, which is told. */
static int ReplayFile(const char *path)
{
    int standardInput = strcmp(path, "-") == 0;
    FILE *in = standardInput ? stdin : fopen(path, "rb");
    if (!in) {
        fprintf(stderr, "orvanta-tape: cannot open '%s': %s\n", path, strerror(errno));
        return EXIT_IO_FAILED;
    }
    size_t length = fread(g_szReplayText, 1, sizeof g_szReplayText, in);
    int failed = ferror(in);
    int error = errno;
    if (!standardInput)
        fclose(in);
    if (failed) {
        fprintf(stderr, "orvanta-tape: cannot read '%s': %s\n", path, strerror(error));
        return EXIT_IO_FAILED;
    }
    ReplayOutcome outcome = ReplayTapeText(g_szReplayText, (int)length, PrintDifference, nullptr);
    if (outcome.refusal != REPLAY_TAKEN) {
        if (outcome.previousLine > 0)
            fprintf(stderr, "orvanta-tape: %s: lines %d and %d: %s\n", path, outcome.previousLine,
                    outcome.line, REFUSAL_TEXTS[outcome.refusal]);
        else if (outcome.line > 0)
            fprintf(stderr, "orvanta-tape: %s: line %d: %s\n", path, outcome.line, REFUSAL_TEXTS[outcome.refusal]);
        else
            fprintf(stderr, "orvanta-tape: %s: not a tape: %s\n", path, REFUSAL_TEXTS[outcome.refusal]);
        return EXIT_BAD_INPUT;
    }
    return outcome.differences > 0 ? EXIT_RESULTS_DIFFER : 0;
}

int main(int argc, char **argv)
{
    int raw = 0, state = 0, first = 1;
    const char *replayPath = nullptr;
    for (; first < argc && strncmp(argv[first], "--", 2) == 0; first++) {
        if (strcmp(argv[first], "--raw") == 0) {
            raw = 1;
        } else if (strcmp(argv[first], "--state") == 0) {
            state = 1;
        } else if (strcmp(argv[first], "--replay") == 0 && replayPath) {
            /* One tape replaces another: the first file would be read for nothing. */
            fprintf(stderr, "orvanta-tape: --replay given twice; one FILE at a time (see --help)\n");
            return EXIT_BAD_INPUT;
        } else if (strcmp(argv[first], "--replay") == 0 && first + 1 < argc) {
            replayPath = argv[++first];
        } else if (strcmp(argv[first], "--help") == 0) {
            fputs(USAGE, stdout);
            return FinishOutput(0);
        } else if (strcmp(argv[first], "--replay") == 0) {
            fprintf(stderr, "orvanta-tape: --replay needs a FILE (see --help)\n");
            return EXIT_BAD_INPUT;
        } else if (strcmp(argv[first], "--") == 0) {
            first++;
            break;
        } else {
            fprintf(stderr, "orvanta-tape: unknown option '%s' (see --help)\n", argv[first]);
            return EXIT_BAD_INPUT;
        }
    }

    ResetTape();
    int status = 0;
    if (first < argc || replayPath) {
        char bad[BAD_TOKEN_SHOWN];
        for (int i = first; i < argc; i++) {
            if (!RunTokens(argv[i], strlen(argv[i]), 0, bad, sizeof bad)) {
                fprintf(stderr, "orvanta-tape: '%s' is not a key (see --help); nothing pressed\n",
                        bad);
                return EXIT_BAD_INPUT;
            }
        }
        if (replayPath) {
            status = ReplayFile(replayPath);
            if (status != 0 && status != EXIT_RESULTS_DIFFER)
                return status;
        }
        for (int i = first; i < argc; i++)
            RunTokens(argv[i], strlen(argv[i]), 1, bad, sizeof bad);
    } else {
        status = RunStandardInput();
        if (status == EXIT_IO_FAILED)
            return status; /* a tape of part of the input would pass for the whole */
    }
    PrintTape(raw, state);
    return FinishOutput(status);
}
