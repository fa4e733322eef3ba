#!/usr/bin/env bash
# orvalen-find.exe under Wine in a folder named in Chinese (工具/词典车), as
# many of its users would unpack it: it finds its bundled dictionaries
# there, --dict gbk works from inside the folder, and --dict takes a file
# whose name the ANSI code page cannot spell.
# Usage: wine_chinese_folder_test.sh WINE-RUN orvalen-find.exe DATA-FOLDER
set -u
wine_run=$1 program=$2 data=$3
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
folder="$dir/工具/词典车"
mkdir -p "$folder"
cp "$program" "$folder/orvalen-find.exe"
cp "$data/hz.txt" "$data/hz-gbk.txt" "$folder/"
cp "$data/hz.txt" "$dir/字典ก.txt"
failures=0
expect() {  # expect NAME FILE TEXT
    if grep -qF -- "$3" "$2"; then echo "ok   $1"; else echo "FAIL $1: $(cat "$2")"; failures=$((failures + 1)); fi
}
(cd "$dir" && "$wine_run" "$folder/orvalen-find.exe" 车 > out 2>&1)
expect "bundled hz.txt beside the program" "$dir/out" "轧"
(cd "$folder" && "$wine_run" "$folder/orvalen-find.exe" --dict gbk 鳥 > "$dir/out" 2>&1)
expect "--dict gbk from inside the folder" "$dir/out" "島"
(cd "$dir" && "$wine_run" "$folder/orvalen-find.exe" --dict "字典ก.txt" 车 > out 2>&1)
expect "--dict with a name the code page cannot spell" "$dir/out" "轧"
[[ $failures -eq 0 ]]
