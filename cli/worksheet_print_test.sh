#!/usr/bin/env bash
# The worksheet as a teacher prints it: orvalen-find --worksheet printed to
# PDF by headless Chromium. The exercises come first, never split by a page,
# and the answers start a page of their own.
# Usage: worksheet_print_test.sh ORVALEN-FIND
set -euo pipefail
program=$1

for tool in chromium pdfinfo pdftotext; do
    if ! command -v "$tool" >/dev/null; then
        echo "$tool is missing: scripts/install-deps installs it" >&2
        exit 1
    fi
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# Prints $1.html to $1.pdf as a user would: A4 from the page's own @page
# rule, no header or footer, a fresh profile, nothing from the network.
print_pdf() {
    timeout 100 chromium --headless --no-sandbox --disable-gpu --no-first-run --disable-background-networking \
        --disable-component-update --disable-sync --user-data-dir="$work/profile" \
        --print-to-pdf="$1.pdf" --no-pdf-header-footer "file://$1.html" >/dev/null 2>&1
    [[ -s $1.pdf ]] || { echo "chromium printed no PDF for $1.html" >&2; exit 1; }
}

pages() { pdfinfo "$1.pdf" | sed -n 's/^Pages: *//p'; }
page_text() { pdftotext -f "$2" -l "$2" "$1.pdf" - | tr -d '\f' | sed '/^ *$/d'; }

# Checks $1.pdf: the answers' heading opens page $2 and no page before it;
# every set's number stands on an exercise page, and no page cuts a set.
check_sheet() {
    local sheet=$1 answers_page=$2 sets=$3 page
    [[ $(pages "$sheet") -ge $answers_page ]] || fail "$sheet: $(pages "$sheet") pages, answers expected on page $answers_page"
    for ((page = 1; page < answers_page; page++)); do
        page_text "$sheet" "$page" | grep -qx '答案' && fail "$sheet: answers on exercise page $page"
        # A set ends with its row of words to make: a set cut by the page
        # has its number on one page and that row on the next.
        local starts ends
        starts=$(page_text "$sheet" "$page" | grep -cxE '[0-9]+')
        ends=$(page_text "$sheet" "$page" | grep -c '辨字组词')
        [[ $starts -eq $ends ]] || fail "$sheet: page $page cuts a set ($starts set numbers, $ends word rows)"
    done
    [[ $(page_text "$sheet" "$answers_page" | head -n 1) == 答案 ]] || fail "$sheet: page $answers_page does not open with the answers"
    local numbers
    numbers=$(for ((page = 1; page < answers_page; page++)); do page_text "$sheet" "$page"; done | grep -cxE '[0-9]+')
    [[ $numbers -eq $sets ]] || fail "$sheet: $numbers set numbers on the exercise pages, expected $sets"
}

# Two sets fit one page: exactly two pages, the second the answers.
"$program" --worksheet 未 己 >"$work/short.html"
print_pdf "$work/short"
[[ $(pages "$work/short") -eq 2 ]] || fail "short sheet: $(pages "$work/short") pages, expected 2"
page_text "$work/short" 1 | head -n 1 | grep -qx '形近字练习' || fail "short sheet: page 1 has no title"
check_sheet "$work/short" 2 2

# Ten sets from standard input, one not found: it is left out, said on
# stderr, and the sheet runs over several pages before the answers.
status=0
printf '晴土大木人日己请未\n\xe4\xb8\x80\xea\xb0\x80\n' | "$program" --worksheet >"$work/long.html" 2>"$work/long.err" || status=$?
[[ $status -eq 1 ]] || fail "long sheet: exit status $status, expected 1 for the query not found"
grep -q 'no find' "$work/long.err" || fail "long sheet: no \"no find\" on stderr"
print_pdf "$work/long"
answers_page=$(for ((page = 1; page <= $(pages "$work/long"); page++)); do
    page_text "$work/long" "$page" | grep -qx '答案' && { echo "$page"; break; }
done)
[[ -n $answers_page && $answers_page -ge 3 ]] || fail "long sheet: answers on page ${answers_page:-none}, expected after two pages of exercises"
check_sheet "$work/long" "${answers_page:-1}" 10

((failures == 0)) || exit 1
echo "worksheet prints: short sheet 2 pages, long sheet $(pages "$work/long") pages, answers from page $answers_page"
