#!/usr/bin/env python3
"""Writes src/site/code_page_tables.cpp: the upper halves (0x80-0xFF) of the 8-bit code pages
that game server logs are written in, as Unicode code points, from Python's own codecs.
Bytes a code page leaves undefined read as U+FFFD."""
import pathlib

PAGES = [("kWindows1250", "cp1250"), ("kWindows1251", "cp1251"), ("kWindows1252", "cp1252"),
         ("kIso8859_2", "iso8859_2")]

out = ["// Made by tools/make_code_pages.py; do not edit.", '#include "site/code_page_tables.h"', "",
       "namespace gravmark {", ""]
for name, codec in PAGES:
    points = []
    for byte in range(0x80, 0x100):
        try:
            points.append(ord(bytes([byte]).decode(codec)))
        except UnicodeDecodeError:
            points.append(0xFFFD)
    out.append(f"const UpperHalf {name} = {{")
    for row in range(0, 128, 8):
        out.append("    " + ", ".join(f"0x{p:04X}" for p in points[row:row + 8]) + ",")
    out.append("};")
    out.append("")
out.append("}  // namespace gravmark")
target = pathlib.Path(__file__).resolve().parent.parent / "src/site/code_page_tables.cpp"
target.write_text("\n".join(out) + "\n")
