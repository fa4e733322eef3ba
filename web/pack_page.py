#!/usr/bin/env python3
"""Packs the page into one self-contained HTML file: the page's markup, its
style and script, the WebAssembly module (a script holding its own binary)
and the bundled data, each data file gzip-compressed and base64-encoded in a
script element of its own that the page unpacks at start."""

import argparse
import base64
import gzip
import pathlib
import re
import sys


def inline_script(text):
    # Inside <script>, only "</script" (in any case) ends the element early.
    return text.replace("</script", "<\\/script").replace("</SCRIPT", "<\\/SCRIPT")


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--page-dir", required=True, type=pathlib.Path)
    parser.add_argument("--module", required=True, type=pathlib.Path)
    parser.add_argument("--data-dir", required=True, type=pathlib.Path)
    parser.add_argument("--data", action="append", default=[], metavar="NAME=FILE",
                        help="a file of --data-dir, embedded under NAME")
    parser.add_argument("--first", default="gb2312,readings,differences", metavar="NAME,...",
                        help="the data the page needs for its first answer, placed before its scripts")
    parser.add_argument("--output", required=True, type=pathlib.Path)
    args = parser.parse_args()

    page = (args.page_dir / "orvalen.html").read_text(encoding="utf-8")
    parts = {
        "style": (args.page_dir / "orvalen.css").read_text(encoding="utf-8"),
        "module": inline_script(args.module.read_text(encoding="utf-8")),
        "script": inline_script((args.page_dir / "orvalen.js").read_text(encoding="utf-8")),
    }
    # What the first answer needs (the first dictionary, the readings) comes
    # before the scripts, the rest after them: the browser reads that while
    # the first answer is worked out.
    blocks = {"first-data": [], "data": []}
    for item in args.data:
        name, _, file_name = item.partition("=")
        raw = (args.data_dir / file_name).read_bytes()
        # mtime 0: the same data packs to the same bytes.
        packed = base64.b64encode(gzip.compress(raw, compresslevel=9, mtime=0)).decode("ascii")
        blocks["first-data" if name in args.first.split(",") else "data"].append(
            f'<script type="application/octet-stream" id="data-{name}" data-bytes="{len(raw)}">{packed}</script>')
    parts.update({name: "\n".join(texts) for name, texts in blocks.items()})

    # One pass, so that nothing inserted is read for markers again.
    for name in parts:
        if page.count("{{" + name + "}}") != 1:
            sys.exit(f"pack_page.py: the page must hold {{{{{name}}}}} exactly once")
    page = re.sub(r"\{\{(" + "|".join(parts) + r")\}\}", lambda match: parts[match.group(1)], page)
    args.output.write_text(page, encoding="utf-8")


if __name__ == "__main__":
    main()
