#!/usr/bin/env bash
# The built orvalen-find as a script would use it: exit codes, and output that
# cannot be written. Usage: orvalen_find_program_test.sh PATH-TO-orvalen-find
set -u
program=$(realpath "$1")
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
failures=0

check() {  # check NAME EXPECTED-STATUS ACTUAL-STATUS [STDERR-MUST-CONTAIN]
    local message=""
    [[ $3 == "$2" ]] || message="exit status $3, expected $2"
    if [[ -z $message && $# -ge 4 ]] && ! grep -qF -- "$4" "$dir/err"; then
        message="stderr lacks '$4': $(cat "$dir/err")"
    fi
    if [[ -n $message ]]; then
        echo "FAIL $1: $message"
        failures=$((failures + 1))
    else
        echo "ok   $1"
    fi
}

# 车 and 军 share 5 bytes of code; the file is code page 936 with CR LF.
printf '\xb3\xb5 ABCDEFG \r\n\xbe\xfc xBCDEFy \r\n' > "$dir/hz.txt"
big="$dir/big.txt"
# Far more output than a pipe holds, so a reader that leaves early is noticed.
yes "$(printf '\xb3\xb5 ABCDEFG \r')" | head -n 200000 > "$big"
printf '\xbe\xfc xBCDEFy \r\n' >> "$big"

"$program" --dict "$dir/hz.txt" 车 > "$dir/out" 2> "$dir/err"
check "found" 0 $?
"$program" --dict "$dir/hz.txt" 龙 > "$dir/out" 2> "$dir/err"
check "not found" 1 $? "no find"
"$program" --dict "$dir/none.txt" 车 > "$dir/out" 2> "$dir/err"
check "missing dictionary" 2 $? "none.txt"
"$program" --frobnicate > "$dir/out" 2> "$dir/err"
check "usage error" 2 $? "unknown option"

# hz.txt in the current directory is used when no --dict is given.
(cd "$dir" && "$program" --raw "$(printf '\xbe\xfc')" > out 2> err)
check "hz.txt here" 0 $?
[[ $(od -An -tx1 "$dir/out" | tr -d ' \n') == b3b520 ]] || { echo "FAIL hz.txt here: output $(od -An -tx1 "$dir/out")"; failures=$((failures + 1)); }

# A reader that goes away: an error, not a crash or a silent success.
"$program" --dict "$big" 军 2> "$dir/err" | head -c1 > /dev/null
check "closed pipe" 2 "${PIPESTATUS[0]}" "cannot write the output"
if [[ -w /dev/full ]]; then
    "$program" --dict "$dir/hz.txt" 车 > /dev/full 2> "$dir/err"
    check "full disk" 2 $? "cannot write the output"
fi

# Hostile input: a query as long as the system lets one argument be, a dictionary that is a directory, that
# cannot be read, that is empty, that is UTF-8, and one of 100,000 lines.
query=$(head -c 120000 /dev/zero | tr '\0' 'x')
"$program" --dict "$dir/hz.txt" "$query" > "$dir/out" 2> "$dir/err"
check "120 KB query" 1 $? "no find"
"$program" --dict "$dir" 车 > "$dir/out" 2> "$dir/err"
check "directory as dictionary" 2 $? "cannot read"
"$program" --dict /proc/self/mem 车 > "$dir/out" 2> "$dir/err"
check "unreadable dictionary" 2 $? "cannot read"
: > "$dir/empty.txt"
"$program" --dict "$dir/empty.txt" 车 > "$dir/out" 2> "$dir/err"
check "empty dictionary" 1 $? "no find"
iconv -f CP936 -t UTF-8 "$dir/hz.txt" > "$dir/utf8.txt"
"$program" --dict "$dir/utf8.txt" 车 > "$dir/out" 2> "$dir/err"
check "UTF-8 dictionary" 1 $? "no find"
yes "$(printf '\xbe\xfc xBCDEFy \r')" | head -n 99999 > "$dir/lines.txt"
printf '\xb3\xb5 ABCDEFG \r\n' >> "$dir/lines.txt"
"$program" --dict "$dir/lines.txt" --scores 车 > "$dir/out" 2> "$dir/err"
check "100,000 lines" 0 $?
[[ $(wc -c < "$dir/out") -eq $((3 + 99999 * 4)) ]] || { echo "FAIL 100,000 lines: $(wc -c < "$dir/out") bytes of output"; failures=$((failures + 1)); }

echo "$((16 - failures)) passed, $failures failed"
[[ $failures -eq 0 ]]
