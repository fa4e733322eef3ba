#!/usr/bin/env bash
# Installs the build into a fresh prefix, then builds the example program
# examples/lookalikes against it twice, as another project would: with
# CMake's find_package(Orvalen) and with pkg-config. Both must list what the
# installed orvalen-find lists, and the pkg-config build must need nothing
# but the flags orvalen.pc gives.
# Usage: installed_library_test.sh BUILD_DIR EXAMPLE_DIR CXX
set -euo pipefail
build=$1 example=$2 cxx=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix

cmake --install "$build" --prefix "$prefix" > "$work/install.log"
dictionary=$prefix/share/orvalen/hz.txt
find=$prefix/bin/orvalen-find
for file in "$dictionary" "$find"; do
    [[ -e $file ]] || { echo "not installed: $file" >&2; exit 1; }
done

# Nothing of the build or source tree may be named in the package: it
# would work here and break anywhere else.
if grep -rl -e "$build" -e "$(dirname "$(dirname "$example")")/" "$prefix/lib" --include='*.cmake' --include='*.pc'; then
    echo "the installed package names the build or source tree (files above)" >&2
    exit 1
fi

cmake -S "$example" -B "$work/cmake-build" -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_CXX_COMPILER="$cxx" \
    -DCMAKE_BUILD_TYPE=Release > "$work/configure.log" || { cat "$work/configure.log"; exit 1; }
cmake --build "$work/cmake-build" > "$work/build.log" || { cat "$work/build.log"; exit 1; }

pcdir=$(dirname "$(find "$prefix" -name orvalen.pc)")
# shellcheck disable=SC2046
"$cxx" -std=c++20 -o "$work/pkg-config-build" "$example/lookalikes.cpp" \
    $(PKG_CONFIG_PATH=$pcdir pkg-config --cflags --libs orvalen)

# The scores and groups orvalen-find gives, in the example's layout
# ("45: 末" per group), in UTF-8.
expected() {
    LC_ALL=C.UTF-8 "$find" --dict "$dictionary" --scores "$1"
}
"$find" --dict "$dictionary" --all --format jsonl > "$work/all.jsonl"
status=0
for char in 未 车 请 口; do
    want=$(expected "$char")
    want_json=$(grep -F "{\"char\":\"$char\"," "$work/all.jsonl")
    for program in "$work/cmake-build/lookalikes" "$work/pkg-config-build"; do
        got=$("$program" "$dictionary" "$char")
        if [[ "$got" != "$want" ]]; then
            printf '%s %s:\n--- orvalen-find\n%s\n--- example\n%s\n' "$program" "$char" "$want" "$got" >&2
            status=1
        fi
    done
    got_json=$("$work/cmake-build/lookalikes" --json "$dictionary" "$char")
    if [[ -z $want_json || "$got_json" != "$want_json" ]]; then
        printf 'JSON for %s: %s, orvalen-find: %s\n' "$char" "$got_json" "$want_json" >&2
        status=1
    fi
done
# A character the dictionary lacks, and a file that is not there.
if "$work/cmake-build/lookalikes" "$dictionary" "車" 2> "$work/err"; then
    echo "車 was found in hz.txt" >&2; status=1
fi
grep -qx 'no find' "$work/err" || { cat "$work/err" >&2; status=1; }
if "$work/cmake-build/lookalikes" "$work/missing.txt" "x" 2> "$work/err"; then
    echo "a missing dictionary was read" >&2; status=1
fi
grep -q 'cannot open' "$work/err" || { cat "$work/err" >&2; status=1; }
exit $status
