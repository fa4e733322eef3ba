import unittest

from dictgen import readings


class ReadingOrderTest(unittest.TestCase):
    def test_mandarin_first_then_pinlu_by_count_then_hanyu_pinyin_each_once(self):
        fields = {"kMandarin": "xíng",
                  "kHanyuPinlu": "xíng(2943) háng(218) hàng(300)",
                  "kHanyuPinyin": "20811.060:háng,xìng,xíng,hàng,héng"}
        self.assertEqual(readings.merge_readings(fields),
                         ["xíng", "hàng", "háng", "xìng", "héng"])

    def test_other_dictionaries_only_when_the_three_fields_are_missing(self):
        self.assertEqual(readings.merge_readings({"kXHC1983": "0770.152:me 0801.040:mò"}),
                         ["me", "mò"])
        self.assertEqual(readings.merge_readings({"kMandarin": "mò", "kXHC1983": "0770.152:me"}),
                         ["mò"])

    def test_syllables_code_page_936_cannot_write_take_a_tone_digit(self):
        cases = [("wèi", "wèi"), ("lǜ", "lǜ"), ("ńg", "ńg"),   # written as they are
                 ("ǹg", "ng4"), ("ḿ", "m2"), ("m̄", "m1"), ("ê̄", "ê1"), ("ề", "ê4"), ("ế", "ê2")]
        for syllable, written in cases:
            with self.subTest(syllable=syllable):
                self.assertEqual(readings.gbk_syllable(syllable), written)
                written.encode("gbk")


class WordsTest(unittest.TestCase):
    LIST = "\n".join([
        "未 16803 d", "未来 6069 t", "尚未 3798 d", "未必 2872 d", "并未 2023 d",
        "未成年人 900 n", "未央区 5000 ns", "AT&T 3 nz", "后来 13932 t", "以后 9000 f",
        "头发 2000 n", "发展 30000 vn", "廖仲恺 300 nr", "廖某 20 x", "末 5409 f", "世纪末 980 t",
    ])

    def test_the_list_keeps_words_of_two_to_four_ideographs_and_marks_names(self):
        words = readings.parse_word_list(self.LIST)
        self.assertNotIn("未", [word for word, _, _ in words])
        self.assertNotIn("AT&T", [word for word, _, _ in words])
        self.assertNotIn("廖某", [word for word, _, _ in words])
        self.assertIn(("未央区", 5000, True), words)
        self.assertIn(("未来", 6069, False), words)

    def test_two_character_words_first_then_longer_then_names_most_counted_first(self):
        words = readings.parse_word_list(self.LIST)
        self.assertEqual(readings.choose_words([w for w in words if "未" in w[0]]),
                         ["未来", "尚未", "未必"])
        self.assertEqual(readings.choose_words([w for w in words if "末" in w[0]]), ["世纪末"])
        # Only names: they are taken.
        self.assertEqual(readings.choose_words([w for w in words if "廖" in w[0]]), ["廖仲恺"])

    def test_traditional_characters_take_the_traditional_form_of_the_words(self):
        words = readings.parse_word_list(self.LIST)
        traditional = {"后来": "後來", "以后": "以後", "头发": "頭髮", "发展": "發展"}
        converted = [traditional.get(word, word) for word, _, _ in words]
        # The first seven are the GB2312 ones (後 is one too); 來 髮 發 頭 are not.
        characters = ["后", "来", "发", "头", "以", "展", "後", "來", "髮", "發", "頭", "未"]
        found = readings.words_by_character(characters, 7, words, converted)
        self.assertEqual(found["後"], ["後來", "以後"])
        self.assertEqual(found["髮"], ["頭髮"])
        self.assertEqual(found["發"], ["發展"])
        # A GB2312 character keeps its simplified words only.
        self.assertEqual(found["发"], ["发展", "头发"])
        self.assertEqual(found["后"], ["后来", "以后"])
        for character, words_of in found.items():
            self.assertTrue(all(character in word for word in words_of), character)


class FileTest(unittest.TestCase):
    def test_lines_in_the_given_order_with_empty_fields_kept(self):
        data = readings.format_readings(["末", "嗯", "乄"], {"末": ["mò"], "嗯": ["ń", "ǹg"]},
                                        {"末": ["周末", "末年"]})
        self.assertEqual(data, "末\tmò\t周末 末年\n嗯\tń ng4\t\n乄\t\t\n".encode("gbk"))
        self.assertEqual(readings.check_readings(data, ["末", "嗯", "乄"]), [])

    def test_check_names_lines_out_of_order_and_words_without_their_character(self):
        self.assertTrue(readings.check_readings("末\tmò\t未来\n".encode("gbk"), ["末"]))
        self.assertTrue(readings.check_readings("未\twèi\t\n".encode("gbk"), ["末"]))
        self.assertTrue(readings.check_readings("末\tmò\t\n".encode("gbk"), ["末", "未"]))
        self.assertTrue(readings.check_readings(b"\xff\xff\tm\t\n", ["末"]))


if __name__ == "__main__":
    unittest.main()
