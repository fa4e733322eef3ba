"""Every query of both bundled dictionaries, through window.orvalen.search in
the page, against orvalen-find --format jsonl: the same objects, in the same
order. The queries are every key orvalen-find --all lists, searched as one
pasted text in the page and as standard input by orvalen-find."""

import json
import os
import subprocess
import sys
import time

import browser

DICTIONARIES = {"gb2312": "hz.txt", "gbk": "hz-gbk.txt"}


def orvalen_find(program, dictionary, *arguments, stdin=None):
    result = subprocess.run([program, "--dict", dictionary, *arguments], input=stdin, capture_output=True, check=False)
    if result.returncode not in (0, 1) or not result.stdout:
        raise SystemExit(f"{program} --dict {dictionary} {' '.join(arguments)} failed: {result.stderr.decode()}")
    return [json.loads(line) for line in result.stdout.decode("utf-8").splitlines()]


def main():
    program = os.environ.get("ORVALEN_FIND", "build/native/bin/orvalen-find")
    if not os.access(program, os.X_OK):
        raise SystemExit(f"{program} does not exist: build the native preset first")
    driver = browser.start()
    failures = 0
    try:
        browser.open_page(driver)
        for dictionary in DICTIONARIES:
            keys = [answer["char"] for answer in orvalen_find(program, dictionary, "--all", "--format", "jsonl")]
            # One key a line: orvalen-find answers each character of each line.
            text = "\n".join(keys) + "\n"
            expected = orvalen_find(program, dictionary, "--format", "jsonl", stdin=text.encode("utf-8"))
            started = time.monotonic()
            page = json.loads(driver.execute_script(
                "return JSON.stringify(window.orvalen.search(arguments[0], arguments[1]))", text, dictionary))
            seconds = time.monotonic() - started
            differing = [(want, got) for want, got in zip(expected, page) if want != got]
            print(f"{dictionary}: {len(keys)} keys, {len(expected)} answers from orvalen-find, "
                  f"{len(page)} from the page ({seconds:.1f} s), {len(differing)} differ")
            for want, got in differing[:5]:
                print(f"  orvalen-find: {json.dumps(want, ensure_ascii=False)}\n  page:         {json.dumps(got, ensure_ascii=False)}")
            if differing or len(page) != len(expected) or len(expected) < len(keys) * 0.99:
                failures += 1
        errors = browser.console_errors(driver)
        if errors:
            print("console errors:", *errors, sep="\n  ")
            failures += 1
    finally:
        driver.quit()
    print(f"{2 - failures} passed, {failures} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
