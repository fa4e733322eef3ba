#!/usr/bin/env bash
# Installs the package as the README says, from a copy of the checkout (its
# tracked files and new ones, as a fresh clone has them), into a fresh
# virtual environment over Debian's Python, with no download; then imports
# it from elsewhere and runs some of the module's tests against the installed
# copy. Given BUILD_DIR, the C++ part comes from that configured build
# (ORVALEN_CMAKE_BUILD_DIR, see setup.py), where it is built already, so
# that the test takes seconds rather than a build of its own.
# Usage: pip_install_test.sh SOURCE_DIR ORVALEN_FIND [BUILD_DIR]
set -euo pipefail
source=$1 find=$2
if [[ -n ${3:-} ]]; then
    export ORVALEN_CMAKE_BUILD_DIR=$3
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

mkdir "$work/checkout"
(cd "$source" && git ls-files -z --cached --others --exclude-standard |
    tar --null --files-from=- --ignore-failed-read -cf - 2>/dev/null) | tar -xf - -C "$work/checkout"

cd "$work/checkout"
python3=/usr/bin/python3
"$python3" -m venv --system-site-packages "$work/v"
start=$SECONDS
"$work/v/bin/pip" install --no-build-isolation --no-index -q . > "$work/pip.log" 2>&1 ||
    { tail -50 "$work/pip.log"; exit 1; }
echo "pip install took $((SECONDS - start)) s"

# The README's check, from a folder that holds no part of the package.
cd "$work"
got=$("$work/v/bin/python" -c "import orvalen; print(orvalen.Dictionary.bundled('gb2312').lookalikes('未'))")
want="[(45, ['末']), (37, ['木', '术']), (33, ['本', '来', '宋', '朱', '禾'])"
[[ $got == "$want"* ]] || { printf 'got:  %s\nwant: %s...\n' "$got" "$want" >&2; exit 1; }
"$work/v/bin/python" - <<'PYTHON'
import os, orvalen
package = os.path.dirname(orvalen.__file__)
assert "site-packages" in package, package
for name in ("hz.txt", "hz-gbk.txt", "CREDITS.txt"):
    assert os.path.isfile(os.path.join(package, "data", name)), name
assert os.path.isfile(os.path.join(package, "_core.pyi"))
PYTHON
# The installed copy reads files and answers as the one in the build tree
# (whose tests run in full elsewhere).
ORVALEN_FIND=$find PYTHONDONTWRITEBYTECODE=1 "$work/v/bin/python" -m pytest -q -p no:cacheprovider \
    -c "$source/python/tests/pytest.ini" -k "bad_file or bundled or compare" "$work/checkout/python/tests/test_dictionary.py"
