#!/usr/bin/env bash
# The built orvalen-find as a script or a terminal would use it: exit codes,
# output that cannot be written, standard input, the prompt, a GBK locale.
# Usage: orvalen_find_program_test.sh PATH-TO-orvalen-find
set -u
program=$(realpath "$1")
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
failures=0
checks=0

check() {  # check NAME EXPECTED-STATUS ACTUAL-STATUS [STDERR-MUST-CONTAIN]
    local message=""
    [[ $3 == "$2" ]] || message="exit status $3, expected $2"
    if [[ -z $message && $# -ge 4 ]] && ! grep -qF -- "$4" "$dir/err"; then
        message="stderr lacks '$4': $(cat "$dir/err")"
    fi
    report "$1" "$message"
}

report() {  # report NAME [FAILURE-MESSAGE]
    checks=$((checks + 1))
    if [[ -n ${2:-} ]]; then
        echo "FAIL $1: $2"
        failures=$((failures + 1))
    else
        echo "ok   $1"
    fi
}

lines() {  # the lines of a file joined by "|", converted from GBK when asked
    if [[ ${2:-} == gbk ]]; then iconv -f GBK -t UTF-8 "$1"; else cat "$1"; fi | tr '\n' '|'
}

expect_lines() {  # expect_lines NAME EXPECTED-JOINED-LINES FILE [gbk]
    local actual
    actual=$(lines "$3" "${4:-}")
    [[ $actual == "$2" ]] && report "$1" || report "$1" "output '$actual', expected '$2'"
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
[[ $(od -An -tx1 "$dir/out" | tr -d ' \n') == b3b520 ]] && report "its output" || report "its output" "$(od -An -tx1 "$dir/out")"

# A reader that goes away ends the program quietly, as SIGPIPE ends cat.
"$program" --dict "$big" 军 2> "$dir/err" | head -c1 > /dev/null
check "closed pipe" 141 "${PIPESTATUS[0]}"
[[ -s $dir/err ]] && report "quietly" "$(cat "$dir/err")" || report "quietly"
if [[ -w /dev/full ]]; then
    "$program" --dict "$dir/hz.txt" 车 > /dev/full 2> "$dir/err"
    check "full disk" 2 $? "cannot write the output"
fi

# A reader of the messages that goes away ends the run too, at once.
yes a | head -n 200000 | timeout 20 "$program" --dict "$dir/hz.txt" 2>&1 > /dev/null | head -c1 > /dev/null
check "closed pipe on stderr" 141 "${PIPESTATUS[2]}"

# Hostile input: a query as long as the system lets one argument be, a dictionary that is a directory, that
# cannot be read, that is empty, that is UTF-8, and one of 100,000 lines.
query=$(head -c 120000 /dev/zero | tr '\0' 'x')
"$program" --dict "$dir/hz.txt" "$query" > "$dir/out" 2> "$dir/err"
check "120 KB query" 1 $? "no find"
"$program" --dict "$dir" 车 > "$dir/out" 2> "$dir/err"
check "directory as dictionary" 2 $? "is a directory, not a dictionary file"
"$program" --dict /proc/self/mem 车 > "$dir/out" 2> "$dir/err"
check "unreadable dictionary" 2 $? "cannot read"
: > "$dir/empty.txt"
"$program" --dict "$dir/empty.txt" 车 > "$dir/out" 2> "$dir/err"
check "empty dictionary" 1 $? "no find"
iconv -f CP936 -t UTF-8 "$dir/hz.txt" > "$dir/utf8.txt"
"$program" --dict "$dir/utf8.txt" 车 > "$dir/out" 2> "$dir/err"
check "UTF-8 dictionary" 1 $? "looks like UTF-8 text"
yes "$(printf '\xbe\xfc xBCDEFy \r')" | head -n 99999 > "$dir/lines.txt"
printf '\xb3\xb5 ABCDEFG \r\n' >> "$dir/lines.txt"
"$program" --dict "$dir/lines.txt" --scores 车 > "$dir/out" 2> "$dir/err"
check "100,000 lines" 0 $?
[[ $(wc -c < "$dir/out") -eq $((3 + 99999 * 4)) ]] && report "their output" || report "their output" "$(wc -c < "$dir/out") bytes"

# The dictionary is read once, so a FIFO or a pipe serves as well as a file;
# one over the size limit, or a hz.txt link that leads nowhere, is named.
mkfifo "$dir/fifo"
(cat "$dir/hz.txt" > "$dir/fifo" &)
timeout 20 "$program" --dict "$dir/fifo" 车 > "$dir/out" 2> "$dir/err"
check "FIFO as dictionary" 0 $?
cat "$dir/hz.txt" | "$program" --dict /dev/stdin 军 > "$dir/out" 2> "$dir/err"
check "pipe as dictionary" 0 $?
[[ -s $dir/err ]] && report "without a warning" "$(cat "$dir/err")" || report "without a warning"
truncate -s 513M "$dir/huge.txt"
"$program" --dict "$dir/huge.txt" 车 > "$dir/out" 2> "$dir/err"
check "dictionary over the limit" 2 $? "huge.txt\" is larger than 512 MB"
rm -f "$dir/huge.txt"
mkdir "$dir/link" && ln -s nowhere "$dir/link/hz.txt"
(cd "$dir/link" && "$program" 车 > out 2> err)
check "dangling hz.txt link" 2 $?
grep -q '"hz.txt" is a link to "nowhere", which does not exist' "$dir/link/err" && report "names it" ||
    report "names it" "$(cat "$dir/link/err")"

# Codes of 100,000 bytes that repeat one byte, or two, or start with a dash:
# the search, and --why, answer at once rather than in minutes.
python3 -c "
import sys
open(sys.argv[1] + '/rep.txt', 'wb').write(b'\xb3\xb5 ' + b'B' * 100000 + b' \n\xbe\xfc ' + b'B' * 100001 + b' \n')
open(sys.argv[1] + '/abab.txt', 'wb').write(b'\xb3\xb5 ' + b'AB' * 50000 + b' \n\xbe\xfc ' + b'AB' * 50001 + b'A \n')
open(sys.argv[1] + '/dash.txt', 'wb').write(b'\xb3\xb5 -' + b'B' * 100000 + b' \n\xbe\xfc ' + b'B' * 100001 + b' \n')
" "$dir"
for name in rep abab dash; do
    timeout 20 "$program" --dict "$dir/$name.txt" --why 车 > "$dir/out" 2> "$dir/err"
    check "100,000-byte codes, $name" 0 $?
done

# Results and messages sent to one file keep their order.
"$program" --dict "$dir/hz.txt" 车 ① 军 > "$dir/out" 2>&1
expect_lines "order of results and messages" "车:|  军|no find: ①|军:|  车|" "$dir/out"

# No CHAR: queries from a pipe, or typed at a prompt on a terminal.
echo " 军车 " | "$program" --dict "$dir/hz.txt" > "$dir/out" 2> "$dir/err"
check "queries on standard input" 0 $?
expect_lines "their output" "军:|  车|车:|  军|" "$dir/out"
# A program that writes a line and waits for its answer gets it at once, from
# a pipe; a line with no end (200 MB of blanks, then 车) takes bounded memory.
/usr/bin/python3 - "$program" "$dir/hz.txt" > "$dir/err" 2>&1 <<'PYTHON'
import os, resource, select, subprocess, sys
program, hz = sys.argv[1], sys.argv[2]
finder = subprocess.Popen([program, "--dict", hz, "--top", "1"], stdin=subprocess.PIPE, stdout=subprocess.PIPE)
for query, answer in (("车", "军\n"), ("军", "车\n")):
    finder.stdin.write((query + "\n").encode())
    finder.stdin.flush()
    ready = select.select([finder.stdout], [], [], 10)[0]
    line = finder.stdout.readline().decode() if ready else "nothing within 10 s"
    print("co-process:", query, "answered", repr(line), "ok" if line == answer else "WRONG")
finder.stdin.close()
finder.wait()
endless = subprocess.Popen([program, "--dict", hz], stdin=subprocess.PIPE, stdout=subprocess.PIPE)
blanks = b" " * (1 << 20)
for _ in range(200):
    endless.stdin.write(blanks)
out = endless.communicate("车".encode())[0].decode()
megabytes = resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss // 1024
# AddressSanitizer keeps freed memory in quarantine (256 MB by default), so
# the bound is for the plain build alone.
bounded = megabytes < 150 or os.environ.get("ORVALEN_SANITIZED") == "1"
print("endless line:", repr(out), megabytes, "MB", "ok" if out == "军\n" and bounded else "WRONG")
PYTHON
grep -q WRONG "$dir/err" && report "co-process and endless line" "$(cat "$dir/err")" || report "co-process and endless line"
if command -v script > /dev/null; then
    printf '军\n\n' | script -qec "$(printf '%q ' "$program" --dict "$dir/hz.txt")" /dev/null > "$dir/out" 2>&1
    check "prompt on a terminal" 0 $?
    grep -q "字> 车" "$dir/out" && report "its answer" || report "its answer" "$(cat "$dir/out")"
    # Only an empty line ends the prompt: after a line of blanks it asks again.
    printf '  \n军\n\n' | script -qec "$(printf '%q ' "$program" --dict "$dir/hz.txt")" /dev/null > "$dir/out" 2>&1
    grep -q "字> 车" "$dir/out" && report "a line of blanks goes on" || report "a line of blanks goes on" "$(cat "$dir/out")"
    # --all on a terminal: no progress count written into the table.
    script -qec "$(printf '%q ' "$program" --dict "$dir/hz.txt" --all)" /dev/null > "$dir/out" 2>&1
    grep -q "entries" "$dir/out" && report "--all on a terminal" "$(cat -A "$dir/out")" || report "--all on a terminal"
fi

# A zh_CN.GBK terminal: arguments, input and output in GBK. The locale is
# built into the test's own folder when the system has its sources.
mkdir -p "$dir/locales"
if command -v localedef > /dev/null && localedef -f GBK -i zh_CN "$dir/locales/zh_CN.GBK" 2> /dev/null; then
    gbk() { printf '%s' "$1" | iconv -f UTF-8 -t GBK; }
    LOCPATH="$dir/locales" LC_ALL=zh_CN.GBK "$program" --dict "$dir/hz.txt" "$(gbk '军　车')" > "$dir/out" 2> "$dir/err"
    check "GBK locale" 0 $?
    expect_lines "GBK output" "军:|  车|车:|  军|" "$dir/out" gbk
    gbk 车 | LOCPATH="$dir/locales" LC_ALL=zh_CN.GBK "$program" --dict "$dir/hz.txt" > "$dir/out" 2> "$dir/err"
    expect_lines "GBK input" "军|" "$dir/out" gbk
else
    echo "skip GBK locale: localedef cannot build zh_CN.GBK here"
fi

echo "$((checks - failures)) passed, $failures failed"
[[ $failures -eq 0 ]]
