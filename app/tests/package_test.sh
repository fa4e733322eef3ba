#!/usr/bin/env bash
# The Windows zip as a user meets it: unpacked into a folder of its own, with
# every file it must hold, the texts in CR LF for Notepad, and both programs
# started from another folder, where they must find the dictionary beside
# them.
#
# Usage: package_test.sh ZIP WINE_RUN EXECUTABLE_TEST
#   ZIP              Orvalen-<version>-win64.zip
#   WINE_RUN         scripts/wine-run
#   EXECUTABLE_TEST  orvalen_executable_test.exe, whose Package tests start
#                    the unpacked Orvalen.exe
set -uo pipefail

if (($# != 3)); then
    echo "usage: $0 ZIP WINE_RUN EXECUTABLE_TEST" >&2
    exit 2
fi
zip=$1 wine_run=$2 executable_test=$3

work=$(mktemp -d "${TMPDIR:-/tmp}/orvalen-package.XXXXXX")
trap 'rm -rf "$work"' EXIT
failed=0
fail() {
    echo "package_test: $*" >&2
    failed=1
}

mkdir "$work/unpacked" "$work/elsewhere"
(cd "$work/unpacked" && cmake -E tar xf "$zip") || { echo "package_test: cannot unpack $zip" >&2; exit 1; }
folder=$work/unpacked/Orvalen

for file in Orvalen.exe orvalen-find.exe orvalen.html hz.txt hz-gbk.txt readings.txt differences.txt \
    readme.txt LICENSE.txt CREDITS.txt; do
    [[ -s $folder/$file ]] || fail "$file is missing from the zip"
done
# The page holds its dictionaries: it is all a user with a browser needs.
if [[ -s $folder/orvalen.html ]]; then
    for part in 'id="results"' 'id="data-gb2312"' 'id="data-gbk"'; do
        grep -q "$part" "$folder/orvalen.html" || fail "orvalen.html lacks $part"
    done
fi
for text in readme.txt LICENSE.txt CREDITS.txt; do
    [[ -f $folder/$text ]] || continue
    lines=$(wc -l <"$folder/$text")
    crlf=$(grep -c $'\r$' "$folder/$text")
    ((lines == crlf)) || fail "$text has $((lines - crlf)) of $lines lines without CR LF"
done

# Started from another folder, orvalen-find reads the hz.txt beside it.
if ! (cd "$work/elsewhere" && "$wine_run" "$folder/orvalen-find.exe" 请 >"$work/find.out" 2>&1); then
    fail "orvalen-find.exe 请 from another folder failed: $(cat "$work/find.out")"
elif [[ ! -s $work/find.out ]]; then
    fail "orvalen-find.exe 请 from another folder printed nothing"
fi

# Every dictionary readme.txt names to orvalen-find --dict works from
# another folder, as a user would type it there.
dictionaries=$(grep -o 'orvalen-find --dict [^ ]*' "$folder/readme.txt" | awk '{print $3}' | sort -u)
[[ -n $dictionaries ]] || fail "readme.txt shows no orvalen-find --dict command"
for dictionary in $dictionaries; do
    if ! (cd "$work/elsewhere" && "$wine_run" "$folder/orvalen-find.exe" --dict "$dictionary" 车 >"$work/dict.out" 2>&1); then
        fail "readme.txt's orvalen-find --dict $dictionary 车 fails from another folder: $(cat "$work/dict.out")"
    fi
done

# Orvalen.exe likewise, through the executable test's Package cases.
windows_folder="Z:${folder//\//\\}"
(cd "$work/elsewhere" && ORVALEN_PACKAGE_FOLDER=$windows_folder GTEST_FILTER='Package.*' \
    "$wine_run" "$executable_test") || fail "Orvalen.exe from the unpacked zip failed its test"

((failed == 0)) && echo "package_test: $(basename "$zip") holds what it must, and both programs find its dictionary"
exit $failed
