#!/bin/sh
# Stands in for a program when help2man reads it: its --help with the usage
# lines in the form help2man takes for the synopsis ("Usage: P ..." and
# "  or:  P ..."), everything else as the program prints it.
#
#   STOMPVALE_MAN_PROGRAM=PATH help2man ... man/help_for_man.sh
set -eu
program="${STOMPVALE_MAN_PROGRAM:?the program to read}"
if [ "${1:-}" != --help ]; then
    exec "$program" "$@"
fi
"$program" --help | awk -v name="$(basename "$program")" '
    # The usage: its first line, alternative forms that start with the
    # program name, and wrapped lines that join the form before them.
    usage && /^$/ { usage = 0; print form; print; next }
    usage && substr($0, 1, 7 + length(name) + 1) == "       " name " " {
        print form; form = "  or:  " substr($0, 8); next
    }
    usage { sub(/^ +/, ""); form = form " " $0; next }
    NR == 1 && sub(/^usage: /, "") { usage = 1; form = "Usage: " $0; next }
    # A description that starts with a minus ("-100 ...") would be read as
    # more options: it goes on the next line, where help2man expects text.
    match($0, /^  -([^ ]| [^ ])*  +-/) {
        tag = substr($0, 1, RLENGTH - 1); sub(/ +$/, "", tag)
        print tag; printf "%22s%s\n", "", substr($0, RLENGTH); next
    }
    { print }
    END { if (usage) print form }
'
