#!/usr/bin/env python3
"""Writes a data file of COUNT favorites in 20 categories for the end-to-end
scripts: favorite i is "Favorite number i" at http://www.site<i>.example/path/;
--title I TEXT gives favorite I a title of its own (GBK in the file), --url I
URL an address. Usage: write_store.py PATH COUNT [--title I TEXT] [--url I URL]"""
import struct
import sys

path, count = sys.argv[1], int(sys.argv[2])
own = {}
args = sys.argv[3:]
while args:
    kind, index, text = args[0], int(args[1]), args[2]
    own.setdefault(index, {})[kind] = text
    args = args[3:]

header = struct.pack("<8s8siiiBBbb", b"tvrV1.0", b"", count, count, 20, 0, 0, 1, 0)
header += b"\0" * (620 - len(header))
categories = b"".join(struct.pack("<26sb", ("分类%d" % row).encode("gbk"), row)
                      for row in range(20))
quick_links = b"\0" * (12 * 144)
with open(path, "wb") as out:
    out.write(header + categories + quick_links)
    for i in range(count):
        title = own.get(i, {}).get("--title", "Favorite number %d" % i)
        url = own.get(i, {}).get("--url", "http://www.site%d.example/path/" % i)
        out.write(struct.pack("<256s64sBb34sii", url.encode("gbk"), title.encode("gbk"), 0,
                              i % 20, b"2026-12-10 12:00:00", i, 0))
