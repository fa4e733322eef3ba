#!/usr/bin/env bash
# Runs the examples of README.md and data/README.md whose output is shown and
# compares the output, so that the documents cannot drift from the program.
# An example is a "$ command" line in a ```console block; the lines after it,
# up to the next "$ " line or the end of the block, are what it prints
# (standard output and error together). Commands run in bash, in a folder
# that holds the checkout's data/ and no hz.txt, with the built orvalen-find
# first on the PATH and the C.UTF-8 locale.
# Usage: readme_examples_test.sh SOURCE-DIR PROGRAM-DIR
set -u
source_dir=$(realpath "$1")
program_dir=$(realpath "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/run" "$work/examples"
ln -s "$source_dir/data" "$work/run/data"

# Each example becomes NUMBER.where (file:line), NUMBER.command and
# NUMBER.expected.
for readme in README.md data/README.md; do
    awk -v name="$readme" -v out="$work/examples" -v first="$(find "$work/examples" -name '*.where' | wc -l)" '
        function start_example() {
            finish_example()
            n++
            file = out "/" (first + n)
            printf "%s:%d\n", name, NR > (file ".where")
            printf "%s\n", substr($0, 3) > (file ".command")
            printf "" > (file ".expected")
        }
        function finish_example() {
            if (file == "")
                return
            close(file ".where")
            close(file ".command")
            close(file ".expected")
            file = ""
        }
        /^```console[ \t]*$/ { inside = 1; finish_example(); next }
        /^```/ { inside = 0; finish_example(); next }
        inside && /^\$ / { start_example(); next }
        inside && file != "" { print > (file ".expected") }
    ' "$source_dir/$readme"
done

failures=0
count=0
for where in $(ls "$work/examples"/*.where 2> /dev/null | sort -V); do
    example=${where%.where}
    count=$((count + 1))
    command=$(cat "$example.command")
    (cd "$work/run" && PATH="$program_dir:$PATH" LC_ALL=C.UTF-8 bash -c "$command") > "$example.actual" 2>&1 < /dev/null
    if diff -u --label "$(cat "$where") as documented" --label "as orvalen-find prints it" \
        "$example.expected" "$example.actual" > "$example.diff"; then
        echo "ok   $(cat "$where"): \$ $command"
    else
        echo "FAIL $(cat "$where"): \$ $command"
        cat "$example.diff"
        failures=$((failures + 1))
    fi
done
if [[ $count -eq 0 ]]; then
    echo "FAIL no examples found in README.md or data/README.md"
    exit 1
fi
echo "$((count - failures)) of $count examples as documented"
[[ $failures -eq 0 ]]
