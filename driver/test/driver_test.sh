#!/bin/bash
# The tape driver as a script uses it: arguments, standard input, output
# forms, errors and exit status. Usage: driver_test.sh path/to/orvanta-tape
set -u
set -f  # "*" is a key, not a pattern
tape=$1
failures=0
errfile=$(mktemp)
trap 'rm -f "$errfile"' EXIT

fail()
{
    echo "FAIL: $1"
    failures=$((failures + 1))
}

# same NAME EXPECTED ACTUAL
same()
{
    if [ "$2" != "$3" ]; then
        fail "$1"
        printf 'expected:\n%s\nactual:\n%s\n' "$2" "$3"
    fi
}

lines() { printf '%s\n' "$@"; }
run_raw() { "$tape" --raw "$1" 2>/dev/null | tr '\n' ' ' | sed 's/ $//'; }

same "raw tape with state" \
    "$(lines _000000000000012 +000000000000003 =000000000000015 \
        'cur=2 top=0 marker=2 typed=0 fraction=0 operator=1')" \
    "$("$tape" --raw --state 1 2 + 3 =)"
same "one token typed character by character" \
    "$("$tape" --raw --state 1 2 + 3 =)" "$("$tape" --raw --state 12+3=)"
same "one argument split on blanks" \
    "$("$tape" --raw --state 1 2 + 3 =)" "$("$tape" --raw --state '1 2 + 3 =')"

# As the LCD shows it: blank mark for "_", blanks for suppressed zeros.
same "LCD form" \
    "$(lines '             200' '*              7' '=           1400' '            -0.5')" \
    "$("$tape" 2 00 '*' 7 = . 5 sign)"
same "LCD form of a product below one" \
    "$(lines '             0.5' '*           -0.5' '=           -.25')" \
    "$("$tape" . 5 '*' . 5 sign =)"
same "LCD form of a product below one with a zero after the point" \
    "=           -.08" "$("$tape" . 1 '*' . 8 sign = | tail -n 1)"
same "LCD form of a point alone" "              0." "$("$tape" .)"
same "empty input is a fresh tape" "               0" "$("$tape" </dev/null)"

# Key texts are keys; other tokens go through the character table.
same "zero group after the point is refused whole" \
    "$(lines _00000000000000. 'cur=0 top=0 marker=0 typed=1 fraction=1 operator=0')" \
    "$("$tape" --raw --state . 000)"
same "zeros typed one by one after the point" "_000000000000.00" "$(run_raw .000)"
same "c clears" "_000000000000005" "$(run_raw 12C5)"
same "b deletes" "_000000000000012" "$(run_raw 123b)"
same "p powers off" "_000000000000003" "$(run_raw 1+2P3)"
same "named keys" "_0000000000000-2" "$(run_raw '1 2 backspace clear 2 sign')"
same "scrolling keeps the operator flag" \
    "cur=10 top=5 marker=2 typed=0 fraction=0 operator=1" \
    "$("$tape" --state 1+1+1+1+1+1= pgup up | tail -n 1)"

while IFS='|' read -r keys expected; do
    same "keys $keys" "$expected" "$(run_raw "$keys")"
done <<'ROWS'
12 + 3 =|_000000000000012 +000000000000003 =000000000000015
200 * 7 %|_000000000000200 *000000000000007 =000000000001400 %000000000000014
12 + 3 = * 2 =|_000000000000012 +000000000000003 =000000000000015 *000000000000002 =000000000000030
12 + 3 +|_000000000000012 +000000000000003 =000000000000015 +000000000000000
12 + -|_000000000000012 -000000000000000
12 + = * 3 =|_000000000000012 =000000000000000 *000000000000003 =000000000000000
12 + 3 = =|_000000000000012 +000000000000003 =000000000000015
200 %|_000000000000200 %000000000000002
200 + % 5|_000000000000200 %000000000000000 _000000000000005
12 + 0 -|_000000000000012 +000000000000000 =000000000000012 -000000000000000
12 + 3 = 4 clear = + 5 =|_000000000000012 +000000000000003 =000000000000015 +000000000000005 =000000000000020
12.5 0 5 backspace|_0000000000012.5
= + 5 =|+000000000000005 =000000000000005
ROWS

# Too large: the notice on standard error, then on from zero.
out=$("$tape" --raw 999999999999999 + 1 = + 5 = 2>"$errfile")
status=$?
err=$(cat "$errfile")
same "overflow tape" \
    "$(lines _999999999999999 +000000000000001 =000000000000000 +000000000000005 =000000000000005)" "$out"
same "overflow status" 0 "$status"
case "$err" in *"너무 큽니다"*) ;; *) fail "overflow notice on standard error: '$err'" ;; esac

# A bad argument: reported with the token, nothing pressed, status 2.
out=$("$tape" 1 2 'x+3' 2>"$errfile")
status=$?
err=$(cat "$errfile")
same "bad token status" 2 "$status"
same "bad token prints no tape" "" "$out"
case "$err" in *"x+3"*) ;; *) fail "bad token named on standard error: '$err'" ;; esac

# A bad input line: reported with its number, skipped whole, the rest runs.
out=$(printf '1 2\n+ 3 q\n+ 3 =\n' | "$tape" --raw 2>"$errfile")
status=$?
err=$(cat "$errfile")
same "bad line skipped" "$(lines _000000000000012 +000000000000003 =000000000000015)" "$out"
same "bad line status" 2 "$status"
case "$err" in *2*q*) ;; *) fail "bad line reported with number and token: '$err'" ;; esac

# Every byte of a line counts: a NUL is a character that is no key, a line
# of 4,094 characters is still read, a longer one is skipped whatever it
# holds; tabs separate tokens.
out=$({ printf '1\0+2=\n%4093s3\n+\t4\n' ''; printf '%4094s\0=\n' '' | tr ' ' 1; echo =; } |
    "$tape" --raw 2>"$errfile")
status=$?
err=$(cat "$errfile")
same "NUL and long lines skipped" "$(lines _000000000000003 +000000000000004 =000000000000007)" "$out"
same "NUL and long lines status" 2 "$status"
case "$err" in *"line 1: '1?+2='"*"line 4: longer than 4094"*) ;; *) fail "lines 1 and 4 reported: '$err'" ;; esac

# undo and redo are tokens too.
same "undo" "$(lines _000000000000012 +000000000000003)" "$("$tape" --raw 12+3= undo)"
same "redo" "$("$tape" --raw 12+3=)" "$("$tape" --raw 12+3= undo redo)"

# A tape read back: as printed it comes back (status 0); an operand corrected
# in an editor brings its results computed again, each difference told
# (status 1); a text that is no tape prints nothing (status 2).
tapefile=$(mktemp)
trap 'rm -f "$errfile" "$tapefile"' EXIT
"$tape" 12+3= '*' 2= >"$tapefile"
same "replayed as printed" "$(cat "$tapefile")" "$("$tape" --replay "$tapefile")"
same "replayed as printed: status" 0 "$?"
sed -i '2s/3/4/' "$tapefile"
out=$("$tape" --raw --replay - <"$tapefile" 2>"$errfile")
same "corrected operand: status" 1 "$?"
same "corrected operand: results computed again" \
    "$(lines _000000000000012 +000000000000004 =000000000000016 *000000000000002 =000000000000032)" "$out"
same "corrected operand: differences" \
    "$(lines 'line 3: file 15, computed 16' 'line 5: file 30, computed 32')" "$(cat "$errfile")"
printf '12\n+3\n\n4x\n' >"$tapefile"
out=$("$tape" --replay "$tapefile" 2>"$errfile")
same "no tape: status" 2 "$?"
same "no tape: nothing printed" "" "$out"
case "$(cat "$errfile")" in *"line 4: a character"*) ;; *) fail "no tape: its line named: '$(cat "$errfile")'" ;; esac

# Two tapes appended into one file: the lines that do not go together named.
"$tape" 5 >"$tapefile"
"$tape" 7 >>"$tapefile"
"$tape" --replay "$tapefile" >/dev/null 2>"$errfile"
case "$(cat "$errfile")" in *"lines 1 and 2: two amounts in a row"*) ;; *) fail "appended tapes: '$(cat "$errfile")'" ;; esac
# A second --replay is refused, not the first ignored.
"$tape" 12+3= >"$tapefile"
out=$("$tape" --replay "$tapefile" --replay "$tapefile" 2>/dev/null)
same "second --replay: refused" "2:" "$?:$out"

# Options end at "--"; an unknown one is refused.
same "-- ends the options" "$(lines _000000000000000 -000000000000007)" "$("$tape" --raw -- --7)"
out=$("$tape" --rwa 1 2>"$errfile")
same "unknown option status" 2 "$?"
same "unknown option prints no tape" "" "$out"
case "$(cat "$errfile")" in *--rwa*) ;; *) fail "unknown option named on standard error" ;; esac

out=$("$tape" --help 2>/dev/null)
same "help status" 0 "$?"
case "$out" in *--raw*--state*--replay*"3 standard input or FILE could not be"*) ;; *) fail "help explains the options and statuses" ;; esac

# Output that cannot be written and input that cannot be read are failures,
# told on standard error, not a tape reported as printed.
while IFS='|' read -r name command; do
    out=$(eval "$command" 2>"$errfile")
    same "$name: status" 3 "$?"
    same "$name: no tape" "" "$out"
    [ -s "$errfile" ] || fail "$name: told on standard error"
done <<'ROWS'
a full disk|"$tape" 1+1= >/dev/full
a closed output|"$tape" 1+1= >&-
help to a full disk|"$tape" --help >/dev/full
a folder as input|"$tape" </tmp
a folder replayed|"$tape" --replay /tmp
ROWS

[ "$failures" -eq 0 ] && echo "driver: all checks passed"
exit $((failures != 0))
