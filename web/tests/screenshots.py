#!/usr/bin/env python3
"""Screenshots of the page at a desktop's and a phone's width, to look at.

Usage: /usr/bin/python3 web/tests/screenshots.py [FOLDER]   (default
build/web/screens), after cmake --build --preset web"""

import pathlib
import sys

from selenium.webdriver.common.by import By

import browser

VIEWS = [
    # name, width, height, fragment, character to focus (its tip shows)
    ("desktop", 1280, 900, browser.fragment("未", "gb2312"), "末"),
    ("desktop-several", 1280, 900, browser.fragment("请，未；車", "gb2312"), None),
    ("phone", 390, 844, browser.fragment("未", "gbk"), "末"),
    ("phone-no-find", 390, 844, browser.fragment("喆", "gb2312"), None),
]


def main():
    folder = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else "build/web/screens")
    folder.mkdir(parents=True, exist_ok=True)
    driver = browser.start()
    try:
        for name, width, height, fragment, focus in VIEWS:
            driver.set_window_size(width, height)
            browser.open_page(driver, fragment)
            if focus:
                driver.find_element(By.CSS_SELECTOR, f'#results [data-char="{focus}"]').send_keys("")
            path = folder / f"web-{name}.png"
            driver.save_screenshot(str(path))
            print(path)
    finally:
        driver.quit()


if __name__ == "__main__":
    main()
