"""The page's code page 936 against glibc's, which orvalen-find uses: every
single byte above ASCII and every two-byte code read as the same character
or as none, and every character read converting back to its code.
emscripten's musl reads more than glibc does; the page's table must not."""

import subprocess
import sys


def main():
    node, table_program = sys.argv[1:3]
    page = subprocess.run([node, table_program], capture_output=True, check=True).stdout.decode("utf-8")
    rows = [line.split("\t") for line in page.splitlines()]
    codes = [bytes.fromhex(code) for code, _, _ in rows]
    # glibc, a code a line: -c leaves out what it cannot read.
    glibc = subprocess.run(["iconv", "-c", "-f", "CP936", "-t", "UTF-8"], input=b"".join(code + b"\n" for code in codes),
                           capture_output=True, check=False).stdout.decode("utf-8").split("\n")
    failures = []
    read = 0
    for (code, text, back), expected in zip(rows, glibc):
        # A code either reads as one character above ASCII, or not at all
        # (what is left of it then, the skipped bytes and an ASCII trail
        # byte, depends on how far each skips, which orvalen-find decides
        # itself: one byte).
        page_char = text if len(text) == 1 and text >= "\x80" else None
        glibc_char = expected if len(expected) == 1 and expected >= "\x80" else None
        if page_char != glibc_char:
            failures.append(f"{code}: the page reads {page_char!r}, glibc {glibc_char!r}")
        elif page_char:
            read += 1
            if back != "back":
                failures.append(f"{code}: {text!r} does not convert back to {code}")
    if len(rows) != 128 + 126 * 191 or len(glibc) < len(rows):
        failures.append(f"{len(rows)} codes from the page, {len(glibc)} lines from glibc")
    print(f"{len(rows)} codes, {read} characters read by both")
    for failure in failures[:20]:
        print(" ", failure)
    print(f"{0 if failures else 1} passed, {1 if failures else 0} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
