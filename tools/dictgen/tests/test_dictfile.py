import unittest

from dictgen import dictfile


class FormatTest(unittest.TestCase):
    def test_line_is_key_space_code_pad_crlf(self):
        self.assertEqual(dictfile.format_line("车".encode("gbk"), b"AB!"),
                         "车".encode("gbk") + b" AB! \r\n")

    def test_program_reading_keeps_the_whole_code(self):
        # Text mode turns CR LF into LF, then the program drops the last two
        # bytes of the line: the pad space and the LF.
        line = dictfile.format_line("车".encode("gbk"), b"XYZW").replace(b"\r\n", b"\n")
        self.assertEqual(line[3:len(line) - 2], b"XYZW")

    def test_well_formed_file_has_no_faults(self):
        data = dictfile.format_dictionary([("车".encode("gbk"), b"AB!"), ("东".encode("gbk"), b"CD")])
        self.assertEqual(dictfile.check_dictionary(data), [])


class CheckTest(unittest.TestCase):
    KEY = "车".encode("gbk")
    OTHER = "东".encode("gbk")
    CASES = [
        # name, file bytes, text expected in a fault
        ("dash in code", KEY + b" A-B \r\n", "0x2D"),
        ("zero in code", KEY + b" A\x00B \r\n", "0x00"),
        ("end-of-file byte in code", KEY + b" A\x1aB \r\n", "0x1A"),
        ("space in code", KEY + b" A B \r\n", "0x20"),
        ("no pad space", KEY + b" AB\r\n", "pad space"),
        ("bare LF line end", KEY + b" AB \n" + OTHER + b" CD \r\n", "bare CR or LF"),
        ("last line without CR LF", KEY + b" AB ", "last line"),
        ("tab separator", KEY + b"\tAB \r\n", "no space after the key"),
        ("duplicate key", KEY + b" AB \r\n" + KEY + b" CD \r\n", "duplicate key"),
        ("single-byte key", b"ab AB \r\n", "not one double-byte character"),
    ]

    def test_each_fault_is_reported(self):
        for name, data, expected in self.CASES:
            with self.subTest(name):
                faults = dictfile.check_dictionary(data)
                self.assertTrue(any(expected in fault for fault in faults), faults)


class EncodingTest(unittest.TestCase):
    LINE = "车 ABCD \r\n"
    CASES = [
        # name, file bytes, text expected in the fault (None: no fault)
        ("code page 936", LINE.encode("gbk"), None),
        ("ASCII codes after double-byte keys", "车 AB \r\n东 CD \r\n".encode("gbk"), None),
        ("empty", b"", "empty"),
        ("UTF-8", LINE.encode("utf-8"), "UTF-8"),
        ("UTF-8 with a byte order mark", b"\xef\xbb\xbf" + LINE.encode("utf-8"), "UTF-8"),
        ("UTF-16 with a byte order mark", LINE.encode("utf-16"), "UTF-16"),
        ("UTF-16 without one", (LINE * 20).encode("utf-16-le"), "UTF-16"),
        ("no double-byte key", b"ab AB \r\n", "no line starts with a double-byte"),
    ]

    def test_wrong_encodings_are_named(self):
        for name, data, expected in self.CASES:
            with self.subTest(name):
                fault = dictfile.encoding_fault(data)
                if expected is None:
                    self.assertIsNone(fault)
                else:
                    self.assertIn(expected, fault or "")


if __name__ == "__main__":
    unittest.main()
