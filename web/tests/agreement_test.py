"""Every query of both bundled dictionaries, through window.orvalen.search in
the page, against orvalen-find --format jsonl: the same objects.

Each key that orvalen-find --all --format jsonl lists is searched on its own
in the page and must give exactly the object --all gives for it (a key that
is punctuation or several characters is split, as typed text is, and left
out). Where orvalen-find answers queries in JSON lines too, all the keys,
one a line, also go to it as standard input and to the page as one pasted
text: the two lists of answers must be the same, in the same order."""

import json
import os
import subprocess
import sys
import time

import browser

DICTIONARIES = ("gb2312", "gbk")


def run(program, dictionary, *arguments, stdin=None):
    return subprocess.run([program, "--dict", dictionary, *arguments], input=stdin, capture_output=True, check=False)


def json_lines(result, what):
    if result.returncode not in (0, 1) or not result.stdout:
        raise SystemExit(f"{what} failed: {result.stderr.decode()}")
    return [json.loads(line) for line in result.stdout.decode("utf-8").splitlines()]


def page_search(driver, keys, dictionary):
    """The page's answer for each key searched on its own."""
    return json.loads(driver.execute_script(
        "return JSON.stringify(arguments[0].map((key) => window.orvalen.search(key, arguments[1])))", keys, dictionary))


def report(title, pairs):
    differing = [(want, got) for want, got in pairs if want != got]
    print(f"  {title}: {len(pairs)} compared, {len(differing)} differ")
    for want, got in differing[:5]:
        print(f"    orvalen-find: {json.dumps(want, ensure_ascii=False)}\n    page:         {json.dumps(got, ensure_ascii=False)}")
    return not differing


def main():
    program = os.environ.get("ORVALEN_FIND", "build/native/bin/orvalen-find")
    if not os.access(program, os.X_OK):
        raise SystemExit(f"{program} does not exist: build the native preset first")
    driver = browser.start()
    failures = 0
    try:
        browser.open_page(driver)
        for dictionary in DICTIONARIES:
            print(f"{dictionary}:")
            every = json_lines(run(program, dictionary, "--all", "--format", "jsonl"), f"orvalen-find --dict {dictionary} --all")
            started = time.monotonic()
            page = page_search(driver, [answer["char"] for answer in every], dictionary)
            print(f"  {len(every)} keys searched one by one in {time.monotonic() - started:.1f} s")
            # A key the page splits into other queries (punctuation, several
            # characters) is no single query of its own.
            single = [(want, got[0]) for want, got in zip(every, page) if len(got) == 1 and got[0]["char"] == want["char"]]
            if len(single) < len(every) * 0.99:
                print(f"  only {len(single)} of {len(every)} keys are single queries in the page")
                failures += 1
            failures += not report("each key against --all", single)

            text = "".join(answer["char"] + "\n" for answer in every)
            per_query = run(program, dictionary, "--format", "jsonl", stdin=text.encode("utf-8"))
            if per_query.returncode == 2:
                print("  (this orvalen-find answers queries in JSON lines only with --all)")
                continue
            expected = json_lines(per_query, f"orvalen-find --dict {dictionary} --format jsonl")
            page = json.loads(driver.execute_script(
                "return JSON.stringify(window.orvalen.search(arguments[0], arguments[1]))", text, dictionary))
            if len(page) != len(expected):
                print(f"  the keys as one text: {len(expected)} answers from orvalen-find, {len(page)} from the page")
                failures += 1
            failures += not report("the keys as one text", list(zip(expected, page)))
        errors = browser.console_errors(driver)
        if errors:
            print("console errors:", *errors, sep="\n  ")
            failures += 1
    finally:
        driver.quit()
    print(f"{0 if failures else 1} passed, {1 if failures else 0} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
