"""Writing and checking the dictionary file format.

Each line is the character, one space, the code, one pad space and CR LF.
The program reads in text mode (CR LF becomes LF) and drops the last two
bytes of every line, so the pad space is what it cuts off together with the
line feed, and the code arrives whole.
"""

# Bytes a code must never hold: a zero ends the code early, LF and CR break
# the line, 0x1A ends a text-mode file, a space is the separator and '-' is
# the search's padding byte, which would let runs grow into the padding.
# Lines may be of any length: the programs read them whole.
FORBIDDEN_CODE_BYTES = frozenset(b"\x00\x0a\x0d\x1a\x20\x2d")


def format_line(key, code):
    return key + b" " + code + b" \r\n"


def format_dictionary(entries):
    return b"".join(format_line(key, code) for key, code in entries)


def check_dictionary(data):
    """The format faults of a dictionary file, as a list of messages."""
    faults = []
    if not data.endswith(b"\r\n"):
        faults.append("the last line does not end with CR LF")
    keys = set()
    for number, line in enumerate(data.split(b"\r\n")[:-1], start=1):
        if b"\n" in line or b"\r" in line:
            faults.append(f"line {number}: a bare CR or LF")
            continue
        key = line[:2]
        try:
            if len(key.decode("gbk")) != 1:
                raise UnicodeDecodeError("gbk", key, 0, 2, "not one character")
        except UnicodeDecodeError:
            faults.append(f"line {number}: the key is not one double-byte character")
        if line[2:3] != b" ":
            faults.append(f"line {number}: no space after the key")
        if not line.endswith(b" ") or len(line) < 5:
            faults.append(f"line {number}: no code followed by a pad space")
        code = line[3:-1]
        bad = sorted(set(code) & FORBIDDEN_CODE_BYTES)
        if bad:
            faults.append(f"line {number}: code holds byte(s) {', '.join(f'0x{b:02X}' for b in bad)}")
        if key in keys:
            faults.append(f"line {number}: duplicate key")
        keys.add(key)
    return faults


def parse_dictionary(data):
    """(key, code) pairs as the program stores them from a well-formed file."""
    entries = []
    for line in data.split(b"\r\n")[:-1]:
        entries.append((line[:2], line[3:-1]))
    return entries


def encoding_fault(data):
    """Why `data` cannot be a dictionary of code page 936 text, or None.
    Code page 936 text with Chinese in it is almost never valid UTF-8, so
    text that is valid UTF-8 and not plain ASCII was saved as UTF-8."""
    wanted = "dictionaries are code page 936 (GBK) text"
    if not data:
        return "the file is empty"
    if data.startswith((b"\xff\xfe", b"\xfe\xff")) or data[:200].count(b"\x00") > 10:
        return f"the file is UTF-16 text; {wanted}"
    try:
        if data.startswith(b"\xef\xbb\xbf") or not data.isascii() and data.decode("utf-8"):
            return f"the file is UTF-8 text; {wanted}"
    except UnicodeDecodeError:
        pass
    keys = (line[:2] for line in data.split(b"\n"))
    if not any(_is_double_byte(key) for key in keys):
        return f"no line starts with a double-byte character; {wanted}"
    return None


def _is_double_byte(key):
    try:
        return len(key) == 2 and len(key.decode("gbk")) == 1
    except UnicodeDecodeError:
        return False
