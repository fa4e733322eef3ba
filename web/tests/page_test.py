"""The page as a user meets it, in headless Chromium: typing, clicking a
listed character, the dictionary switch, "no find" and its hint, the URL's
fragment, Back and Forward, the keyboard alone, a phone's width, and no
console errors. What the page lists is checked against window.orvalen.search,
which the agreement test checks against orvalen-find."""

import base64
import json
import pathlib
import re
import subprocess
import tempfile
import unittest
import urllib.parse

from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.common.print_page_options import PrintOptions
from selenium.webdriver.support.ui import WebDriverWait

import browser


class PageTestCase(unittest.TestCase):
    """One browser for the tests of a class, and the page's state read back."""

    @classmethod
    def setUpClass(cls):
        cls.driver = browser.start()

    @classmethod
    def tearDownClass(cls):
        cls.driver.quit()

    def setUp(self):
        self.driver.set_window_size(1200, 900)

    def tearDown(self):
        self.assertEqual(browser.console_errors(self.driver), [], "the console shows errors")

    # ---- helpers --------------------------------------------------------

    def search(self, text, dictionary):
        return self.driver.execute_script("return window.orvalen.search(arguments[0], arguments[1])", text, dictionary)

    def shown(self):
        """What the results show: per answer its query, and its groups as
        (score, characters) in order, or "no find"."""
        answers = []
        for box in self.driver.find_elements(By.CSS_SELECTOR, "#results .answer"):
            groups = [(int(group.get_attribute("data-score")),
                       [link.get_attribute("data-char") for link in group.find_elements(By.CSS_SELECTOR, "[data-char]")])
                      for group in box.find_elements(By.CSS_SELECTOR, "[data-score]")]
            missing = box.find_elements(By.CSS_SELECTOR, ".no-find")
            answers.append((box.get_attribute("data-query"), missing[0].text if missing else groups))
        return answers

    @staticmethod
    def expected(answers):
        return [(answer["char"], "no find" if "error" in answer else
                 [(group["score"], group["chars"]) for group in answer["groups"]]) for answer in answers]

    def wait_until_shown(self, text, dictionary):
        """Waits for the search of `text` in `dictionary` to show: a link, a
        button or Back changes the fragment, and the page answers that
        change a moment later."""
        WebDriverWait(self.driver, 10).until(lambda driver: driver.execute_script(
            "const results = document.getElementById('results');"
            "return results.dataset.query === arguments[0] && results.dataset.dict === arguments[1];",
            text, dictionary))

    def assert_shows(self, text, dictionary):
        self.wait_until_shown(text, dictionary)
        self.assertEqual(self.shown(), self.expected(self.search(text, dictionary)))
        state = self.state()
        self.assertEqual((state["dict"]), dictionary)

    def state(self):
        """The fragment's query and dictionary, and the controls' state."""
        params = urllib.parse.parse_qs(self.driver.execute_script("return location.hash").lstrip("#"))
        return {
            "q": params.get("q", [None])[0],
            "dict": params.get("dict", [None])[0],
            "input": self.driver.find_element(By.ID, "query").get_attribute("value"),
            "checked": self.driver.find_element(By.CSS_SELECTOR, "input[name=dict]:checked").get_attribute("value"),
        }

    def click_char(self, character):
        self.driver.find_element(By.CSS_SELECTOR, f'#results [data-char="{character}"]').click()

    def first_listed(self):
        return self.driver.find_element(By.CSS_SELECTOR, "#results [data-score] [data-char]").get_attribute("data-char")


class TypingTest(PageTestCase):
    """The query box: typing, pasting, Enter and the button, the keyboard alone."""

    def test_opens_on_the_default_query_with_best_groups_first(self):
        browser.open_page(self.driver)
        shown = self.shown()
        self.assertEqual(shown, self.expected(self.search("车", "gb2312")))
        scores = [score for score, _ in shown[0][1]]
        self.assertGreater(len(scores), 1)
        self.assertEqual(scores, sorted(scores, reverse=True))
        self.assertEqual(self.driver.find_element(By.TAG_NAME, "html").get_attribute("lang"), "zh-CN")

    def test_typing_a_pasted_line_and_enter_searches_each_character(self):
        browser.open_page(self.driver)
        box = self.driver.find_element(By.ID, "query")
        box.clear()
        box.send_keys("未，末；土、士", Keys.ENTER)
        self.assert_shows("未，末；土、士", "gb2312")
        self.assertEqual([query for query, _ in self.shown()], ["未", "末", "土", "士"])
        self.assertEqual(self.state()["q"], "未，末；土、士")

    def test_search_button_and_text_with_nothing_to_look_up(self):
        browser.open_page(self.driver)
        box = self.driver.find_element(By.ID, "query")
        for text, answers in [("。，", 1), ("   ", 0), ("", 0)]:
            with self.subTest(text=text):
                box.clear()
                box.send_keys(text)
                self.driver.find_element(By.ID, "search-button").click()
                self.wait_until_shown(text, "gb2312")
                self.assertEqual(len(self.shown()), answers)
                self.assertEqual(len(self.search(text, "gb2312")), answers)

    def test_keyboard_alone_reaches_every_control_and_result(self):
        browser.open_page(self.driver, browser.fragment("请", "gb2312"))
        listed = [character for _, groups in self.shown() for _, characters in groups for character in characters]
        self.driver.find_element(By.ID, "query").click()
        reached = []
        for _ in range(len(listed) + 12):
            self.driver.switch_to.active_element.send_keys(Keys.TAB)
            active = self.driver.switch_to.active_element
            reached.append(active.get_attribute("data-char") or active.get_attribute("id") or active.get_attribute("value"))
        for control in ["search-button", "gb2312"]:
            self.assertIn(control, reached)
        self.assertEqual([item for item in reached if item in listed][:len(listed)], listed)
        # Enter on a listed character searches it.
        self.driver.find_element(By.CSS_SELECTOR, f'#results [data-char="{listed[-1]}"]').send_keys(Keys.ENTER)
        self.assert_shows(listed[-1], "gb2312")

    def test_hostile_and_long_text_is_answered_and_shown_safely(self):
        browser.open_page(self.driver)
        # The text goes as JSON, which can carry a lone surrogate.
        set_and_submit = ("document.getElementById('query').value = JSON.parse(arguments[0]);"
                          "document.getElementById('search-button').click();")
        for text in ["\u0000未", "\ud800末", "<img src=x onerror=alert(1)>末", "\u202e末\u200b", "未" * 3]:
            with self.subTest(text=repr(text)):
                self.driver.execute_script(set_and_submit, json.dumps(text))
                # The URL holds a lone surrogate as U+FFFD, and so does what shows.
                self.wait_until_shown(self.driver.execute_script(
                    "return JSON.parse(arguments[0]).toWellFormed()", json.dumps(text)), "gb2312")
                answers = self.driver.execute_script(
                    "return window.orvalen.search(JSON.parse(arguments[0]), 'gb2312')", json.dumps(text))
                self.assertEqual(self.shown(), self.expected(answers))
                self.assertIn("末" if "末" in text else "未", [answer["char"] for answer in answers])
                self.assertEqual(self.driver.find_elements(By.CSS_SELECTOR, "#results img, #results script"), [])
        # A pasted page: every character answered by search, the first 200
        # shown, and a word on the rest.
        text = "请未末车马" * 1000
        self.driver.execute_script(set_and_submit, json.dumps(text))
        self.wait_until_shown(text, "gb2312")
        self.assertEqual(len(self.search(text, "gb2312")), 5000)
        self.assertEqual(len(self.driver.find_elements(By.CSS_SELECTOR, "#results .answer")), 200)
        self.assertIn("5000", self.driver.find_element(By.CSS_SELECTOR, "#results .more").text)


class NavigationTest(PageTestCase):
    """Moving between searches: listed characters, the fragment, Back and
    Forward, the dictionary switch and the hint, a phone's width."""

    def test_clicking_listed_characters_walks_and_back_and_forward_retrace(self):
        browser.open_page(self.driver, browser.fragment("未", "gb2312"))
        walk = ["未"]
        for _ in range(2):
            walk.append(self.first_listed())
            self.click_char(walk[-1])
            self.assert_shows(walk[-1], "gb2312")
            self.assertEqual(self.state()["q"], walk[-1])
        for query in reversed(walk[:-1]):
            self.driver.back()
            self.assert_shows(query, "gb2312")
            self.assertEqual(self.state()["input"], query)
        self.driver.forward()
        self.assert_shows(walk[1], "gb2312")

    def test_fragment_opens_its_search_in_its_dictionary(self):
        # As a link or a bookmark gives it, unescaped.
        self.driver.get("about:blank")
        self.driver.get(browser.page_url("#q=未車&dict=gbk"))
        self.driver.execute_async_script("window.orvalen.ready.then(arguments[arguments.length - 1])")
        state = self.state()
        self.assertEqual((state["input"], state["checked"]), ("未車", "gbk"))
        self.assert_shows("未車", "gbk")
        # An unknown dictionary falls back to GB2312.
        browser.open_page(self.driver, "#q=%E6%9C%AA&dict=big5")
        self.assertEqual(self.state()["checked"], "gb2312")
        self.assertEqual(self.shown(), self.expected(self.search("未", "gb2312")))

    def test_no_find_with_a_hint_when_the_other_dictionary_has_it(self):
        browser.open_page(self.driver, browser.fragment("車", "gb2312"))
        self.assertEqual(self.shown(), [("車", "no find")])
        hint = self.driver.find_element(By.CSS_SELECTOR, "#results .hint a")
        hint.click()
        self.assert_shows("車", "gbk")
        self.assertEqual(self.state()["checked"], "gbk")
        # Found in neither: "no find" alone.
        for text in ["😀", "a"]:
            with self.subTest(text=text):
                browser.open_page(self.driver, browser.fragment(text, "gbk"))
                self.assertEqual(self.shown(), [(text, "no find")])
                self.assertEqual(self.driver.find_elements(By.CSS_SELECTOR, "#results .hint"), [])

    def test_dictionary_switch_searches_the_same_text_again(self):
        browser.open_page(self.driver, browser.fragment("喆未", "gb2312"))
        self.assertEqual(self.shown()[0], ("喆", "no find"))
        self.driver.find_element(By.CSS_SELECTOR, "input[name=dict][value=gbk]").click()
        self.assert_shows("喆未", "gbk")
        self.assertNotEqual(self.shown()[0][1], "no find")
        self.driver.back()
        self.assert_shows("喆未", "gb2312")

    def test_readings_under_characters_and_words_and_difference_on_focus(self):
        browser.open_page(self.driver, browser.fragment("未", "gb2312"))
        answer = self.search("未", "gb2312")[0]
        self.assertIn("about", answer, "the page holds the readings data, so its answers are explained")
        heading = self.driver.find_element(By.CSS_SELECTOR, "#results .answer h2")
        self.assertEqual(heading.find_element(By.TAG_NAME, "rt").text, answer["pinyin"][0])
        for character, about in answer["about"].items():
            link = self.driver.find_element(By.CSS_SELECTOR, f'#results [data-char="{character}"]')
            if about["pinyin"]:
                self.assertEqual(link.find_element(By.TAG_NAME, "rt").get_attribute("textContent"), about["pinyin"][0])
            if not about["difference"] or not about["difference"]["text"]:
                continue
            tip = link.find_element(By.CSS_SELECTOR, ".tip")
            self.assertFalse(tip.is_displayed())
            link.send_keys("")  # focus, as Tab gives it
            self.assertTrue(tip.is_displayed())
            self.assertIn(about["difference"]["text"], tip.text)
            for word in about["words"]:
                self.assertIn(word, tip.text)
            break
        else:
            self.fail("no character listed for 未 has a recorded difference")

    def test_phone_width_needs_no_sideways_scrolling(self):
        self.driver.set_window_size(390, 844)
        browser.open_page(self.driver, browser.fragment("未末木", "gbk"))
        overflow = self.driver.execute_script(
            "return document.documentElement.scrollWidth - document.documentElement.clientWidth")
        self.assertLessEqual(overflow, 0)
        for element_id in ["query", "search-button"]:
            rect = self.driver.find_element(By.ID, element_id).rect
            self.assertLessEqual(rect["x"] + rect["width"], 390)



class PrintTest(PageTestCase):
    """The worksheet of the current queries, as 打印练习 prints it, printed to
    PDF on A4 and read back."""

    def test_print_button_prints_the_worksheet_of_the_shown_queries(self):
        browser.open_page(self.driver, browser.fragment("未，请", "gb2312"))
        button = self.driver.find_element(By.ID, "print")
        self.assertTrue(button.is_displayed())
        button.click()
        sheet = self.driver.execute_script("return window.orvalen.worksheetHtml('未，请', 'gb2312')")
        frame = self.driver.find_element(By.ID, "worksheet")
        WebDriverWait(self.driver, 10).until(lambda _: frame.get_attribute("srcdoc") == sheet)
        # No query found, nothing to print.
        browser.open_page(self.driver, browser.fragment("車", "gb2312"))
        self.assertFalse(self.driver.find_element(By.ID, "print").is_displayed())

    def test_worksheet_prints_to_pdf_on_a4_with_answers_on_a_page_of_their_own(self):
        browser.open_page(self.driver)
        queries = "未，请"
        sheet = self.driver.execute_script("return window.orvalen.worksheetHtml(arguments[0], 'gb2312')", queries)
        listed = [answer["groups"][0]["chars"][0] for answer in self.search(queries, "gb2312")]
        with tempfile.TemporaryDirectory() as folder:
            html = pathlib.Path(folder, "worksheet.html")
            html.write_text(sheet, encoding="utf-8")
            self.driver.get(html.as_uri())
            options = PrintOptions()
            options.page_width, options.page_height = 21.0, 29.7
            pdf = pathlib.Path(folder, "worksheet.pdf")
            pdf.write_bytes(base64.b64decode(self.driver.print_page(options)))
            info = subprocess.run(["pdfinfo", str(pdf)], capture_output=True, text=True, check=True).stdout
            pages = int(re.search(r"^Pages:\s+(\d+)", info, re.M).group(1))
            self.assertIn("595", re.search(r"^Page size:.*$", info, re.M).group(0))  # A4: 595 x 842 points
            texts = [subprocess.run(["pdftotext", "-f", str(page), "-l", str(page), str(pdf), "-"],
                                    capture_output=True, text=True, check=True).stdout for page in range(1, pages + 1)]
        self.assertGreaterEqual(pages, 2)
        for character in ["未", "请", *listed]:
            self.assertIn(character, texts[0])
        # The answers start a page of their own: the last page is not the first.
        self.assertNotEqual(texts[-1].strip(), "")


if __name__ == "__main__":
    unittest.main(verbosity=2)
