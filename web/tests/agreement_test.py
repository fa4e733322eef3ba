"""Every query of both bundled dictionaries, through window.orvalen.search in
the page, against orvalen-find --format jsonl: the same objects (with
--explain when the page holds the readings data and so explains).

The queries are every key orvalen-find --all lists, one a line, given to
orvalen-find as standard input and to the page as one pasted text: the two
lists of answers must be the same, in the same order. An orvalen-find that
answers queries in JSON lines only with --all is compared key by key: each
key searched on its own in the page must give exactly the object --all gives
for it (a key that is punctuation or several characters is split, as typed
text is, and left out)."""

import hashlib
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


# The SHA-1 of each answer of window.orvalen.search written out by
# JSON.stringify, in hex.
DIGESTS = """
const [text, dictionary, done] = arguments;
const encoder = new TextEncoder();
Promise.all(window.orvalen.search(text, dictionary).map(async (answer) => {
    const bytes = new Uint8Array(await crypto.subtle.digest("SHA-1", encoder.encode(JSON.stringify(answer))));
    return Array.from(bytes, (byte) => byte.toString(16).padStart(2, "0")).join("");
})).then(done, (error) => done(String(error)));
"""


def digest(answer):
    """The digest DIGESTS makes: JSON.stringify writes what json.dumps writes
    with no spaces and no ASCII escapes."""
    return hashlib.sha1(json.dumps(answer, ensure_ascii=False, separators=(",", ":")).encode("utf-8")).hexdigest()


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
        # A page that holds the readings data explains its answers, as
        # orvalen-find --explain does.
        explain = ["--explain"] if "pinyin" in driver.execute_script("return window.orvalen.search('车', 'gb2312')[0]") else []
        print("explained answers" if explain else "plain answers")
        for dictionary in DICTIONARIES:
            print(f"{dictionary}:")
            keys = [answer["char"] for answer in json_lines(run(program, dictionary, "--all", "--format", "jsonl"),
                                                             f"orvalen-find --dict {dictionary} --all")]
            text = "".join(key + "\n" for key in keys)
            per_query = run(program, dictionary, "--format", "jsonl", *explain, stdin=text.encode("utf-8"))
            started = time.monotonic()
            if per_query.returncode != 2:
                expected = json_lines(per_query, f"orvalen-find --dict {dictionary} --format jsonl")
                # Tens of megabytes of answers: the page hands back a digest
                # of each object written out as JSON, and the whole of only
                # those that differ.
                digests = driver.execute_async_script(DIGESTS, text, dictionary)
                print(f"  {len(keys)} keys as one text, searched in {time.monotonic() - started:.1f} s")
                if len(digests) != len(expected) or len(expected) < len(keys) * 0.99:
                    print(f"  {len(keys)} keys: {len(expected)} answers from orvalen-find, {len(digests)} from the page")
                    failures += 1
                differing = [i for i, (want, got) in enumerate(zip(expected, digests)) if digest(want) != got]
                page = driver.execute_script("const answers = window.orvalen.search(arguments[0], arguments[1]);"
                                             "return arguments[2].map((i) => answers[i]);",
                                             text, dictionary, differing[:5]) if differing else []
                pairs = [(expected[i], got) for i, got in zip(differing, page)]
                failures += not report("the keys as one text", pairs + [(None, None)] * (len(expected) - len(pairs)))
                continue
            # An orvalen-find that answers queries in JSON lines only with
            # --all: each key on its own against what --all gives for it.
            every = json_lines(run(program, dictionary, "--all", "--format", "jsonl", *explain),
                               f"orvalen-find --dict {dictionary} --all")
            page = page_search(driver, [answer["char"] for answer in every], dictionary)
            print(f"  {len(every)} keys searched one by one in {time.monotonic() - started:.1f} s")
            # A key the page splits into other queries (punctuation, several
            # characters) is no single query of its own.
            single = [(want, got[0]) for want, got in zip(every, page) if len(got) == 1 and got[0]["char"] == want["char"]]
            if len(single) < len(every) * 0.99:
                print(f"  only {len(single)} of {len(every)} keys are single queries in the page")
                failures += 1
            failures += not report("each key against --all", single)
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
