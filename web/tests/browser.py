"""Debian's Chromium, headless, driven by Selenium through chromium-driver,
with the page opened from disk as a user opens it: a file:// URL."""

import os
import pathlib
import urllib.parse

from selenium import webdriver
from selenium.webdriver.chrome.options import Options
from selenium.webdriver.chrome.service import Service

CHROMIUM = "/usr/bin/chromium"
CHROMEDRIVER = "/usr/bin/chromedriver"

# Long enough for a page of a few megabytes on a machine whose cores are
# busy with other builds.
READY_SECONDS = 60


def page_path():
    path = pathlib.Path(os.environ.get("ORVALEN_PAGE", "build/web/orvalen.html")).resolve()
    if not path.is_file():
        raise SystemExit(f"{path} does not exist: build it with cmake --build --preset web")
    return path


def page_url(fragment=""):
    return page_path().as_uri() + fragment


def fragment(query, dictionary):
    return "#q=" + urllib.parse.quote(query) + "&dict=" + dictionary


def start(width=1200, height=900):
    options = Options()
    options.binary_location = CHROMIUM
    options.add_argument("--headless=new")
    # Root in a container has no user namespace for the sandbox.
    options.add_argument("--no-sandbox")
    options.add_argument("--disable-dev-shm-usage")
    # Offline, as a page opened from a zip on a school computer.
    options.add_argument("--proxy-server=127.0.0.1:9")
    options.add_argument(f"--window-size={width},{height}")
    options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    driver = webdriver.Chrome(service=Service(CHROMEDRIVER), options=options)
    driver.set_script_timeout(READY_SECONDS)
    return driver


def open_page(driver, fragment_text=""):
    """Opens the page afresh (a new document, not a fragment change) and waits
    until both dictionaries are loaded."""
    driver.get("about:blank")
    driver.get(page_url(fragment_text))
    outcome = driver.execute_async_script(
        "const done = arguments[arguments.length - 1];"
        "window.orvalen.ready.then(() => done('ready'), (error) => done(String(error)));")
    if outcome != "ready":
        raise AssertionError(f"the page did not start: {outcome}")


def console_errors(driver):
    """The console's errors since the last call (reading them clears them)."""
    return [entry["message"] for entry in driver.get_log("browser") if entry["level"] == "SEVERE"]
