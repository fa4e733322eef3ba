"""Look-alike Chinese characters (形近字), found by their structure codes.

Orvalen looks a character up in a dictionary of structure codes and lists
the characters whose codes share a run of at least 4 bytes with its code,
best first, one score group per list item: the same answers, from the same
C++ code, as the orvalen-find program and the Orvalen window.

    >>> import orvalen
    >>> d = orvalen.Dictionary.bundled("gb2312")
    >>> d.lookalikes("未")[:2]
    [(45, ['末']), (37, ['木', '术'])]

Dictionary.bundled("gb2312" | "gbk") reads a dictionary that comes with the
package; Dictionary.open(path) reads one of your own (code page 936 text, one
character and its code per line). A dictionary gives:

    d.lookalikes(char, top=0, min_score=4)  [(score, [chars]), ...]
    d.explain(char, top=0, min_score=4)     the answer with readings, as --explain gives it
    d.compare(a, b)                         Comparison: how each lists the other
    d.similarity(a, b)                      float in [0, 1], ranks as the lists do
    d.table(top=0, min_score=4)             (char, groups) for every character
    char in d, len(d), d.path

and from the readings data that comes with the package, whatever the
dictionary: readings(char) -> (pinyin, words), and difference(query, listed)
-> (kind, phrase) or None.

Searches release the GIL, so threads search side by side.
"""

from ._core import (
    MINIMUM_SCORE,
    Comparison,
    Dictionary,
    DictionaryError,
    DictionaryWarning,
    EncodingError,
    TableStream,
)

__all__ = [
    "MINIMUM_SCORE",
    "Comparison",
    "Dictionary",
    "DictionaryError",
    "DictionaryWarning",
    "EncodingError",
    "TableStream",
    "difference",
    "readings",
]
__version__ = "1.0.0.1"

# The readings data's functions, in a build whose answer library reads it.
try:
    from ._core import difference, readings
except ImportError:
    __all__ = [name for name in __all__ if name not in ("difference", "readings")]

# help(orvalen) and error messages name the package, not its C++ part.
for _name in ("Comparison", "Dictionary", "TableStream"):
    globals()[_name].__module__ = __name__
del _name
