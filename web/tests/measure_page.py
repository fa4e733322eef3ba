#!/usr/bin/env python3
"""The page's figures, from runs in headless Chromium (medians): its size,
the time from opening the file to the first answer shown, and the time of a
search, through window.orvalen.search alone and as the page shows it.

Usage: /usr/bin/python3 web/tests/measure_page.py [RUNS]   (from the top of
the checkout, after cmake --build --preset web)"""

import statistics
import sys

import browser


def main():
    runs = int(sys.argv[1]) if len(sys.argv) > 1 else 5
    page = browser.page_path()
    print(f"orvalen.html: {page.stat().st_size:,} bytes ({page.stat().st_size / 2**20:.2f} MiB)")
    driver = browser.start()
    try:
        first_answers = []
        for _ in range(runs):
            browser.open_page(driver)
            first_answers.append(driver.execute_script("return window.orvalen.firstAnswerMs"))
        print(f"open to first answer: median {statistics.median(first_answers):.0f} ms "
              f"(of {runs}: {', '.join(f'{ms:.0f}' for ms in first_answers)})")
        for dictionary in ("gb2312", "gbk"):
            # The look-alikes of twenty common characters, searched after a
            # first search of the dictionary has built its index.
            times = driver.execute_script("""
                const dict = arguments[0];
                const sample = [];
                for (const answer of window.orvalen.search('的一是不了人我在有他这为之大来以个中上们', dict))
                    if (!answer.error) for (const group of answer.groups) sample.push(...group.chars);
                const core = [], page = [];
                for (const key of sample) {
                    const started = performance.now();
                    window.orvalen.search(key, dict);
                    core.push(performance.now() - started);
                }
                for (const key of sample.slice(0, 60)) {
                    location.hash = '#q=' + encodeURIComponent(key) + '&dict=' + dict;
                    window.dispatchEvent(new HashChangeEvent('hashchange'));
                    page.push(window.orvalen.lastSearchMs);
                }
                return [core, page];""", dictionary)
            core, shown = times
            print(f"{dictionary}: search median {statistics.median(core):.2f} ms over {len(core)} queries "
                  f"(90th percentile {sorted(core)[len(core) * 9 // 10]:.2f} ms); "
                  f"searched and shown median {statistics.median(shown):.2f} ms")
    finally:
        driver.quit()


if __name__ == "__main__":
    main()
