#!/usr/bin/env python3
"""Write the demo site's setting.txt for the address it is served at.

usage: make_setting.py BASE_URL OUTFILE

The program takes every address in setting.txt as absolute, and the demo
site's port is only known when it starts, so the file is made from
setting.txt.in with @SITE@ replaced by BASE_URL. The result is GBK with
CRLF line ends, as the program expects it.
"""

import os
import re
import sys

TEMPLATE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "setting.txt.in")

# Longest value, in GBK bytes, that each key's target field keeps; anything
# longer would be cut silently by the program and point nowhere.
LIMITS = {"shouye_url": 63, "ip": 31, "text": 255, "link_url": 127}
LIMITS.update({"m%d_u" % i: 63 for i in range(5)})
LIMITS.update({"m%d_t" % i: 15 for i in range(5)})
LIMITS.update({"%s%d" % (g, n): 511 for g, c in
               (("ku", 10), ("cha", 10), ("sou", 10), ("ying", 10), ("you", 12))
               for n in range(c)})


def find_value(data, key):
    """The value the program reads for key, or None when absent."""
    at = data.find(key.encode("ascii") + b"=")
    if at < 0:
        return None
    end = re.compile(rb"[;\r\n]|$").search(data, at + len(key) + 1).start()
    return data[at + len(key) + 1:end].replace(b" ", b"")


def render(base_url):
    if not re.fullmatch(r"http://[^\s;/]+(/[^\s;]*)?", base_url):
        raise ValueError("BASE_URL must be http://host[:port][/path] without spaces or ';'")
    with open(TEMPLATE, encoding="utf-8") as f:
        text = f.read().replace("@SITE@", base_url.rstrip("/"))
    data = "\r\n".join(text.splitlines()).encode("gbk") + b"\r\n"
    for key, limit in LIMITS.items():
        value = find_value(data, key)
        if value is not None and len(value) > limit:
            raise ValueError("%s is %d bytes, the program keeps only %d" % (key, len(value), limit))
    return data


def main(argv):
    if len(argv) != 3:
        sys.stderr.write(__doc__.split("\n\n")[1] + "\n")
        return 2
    try:
        data = render(argv[1])
    except ValueError as e:
        sys.stderr.write("make_setting.py: %s\n" % e)
        return 1
    # Written beside and renamed, so a running server never sends half a file.
    tmp = argv[2] + ".tmp"
    with open(tmp, "wb") as f:
        f.write(data)
    os.replace(tmp, argv[2])
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
