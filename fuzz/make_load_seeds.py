#!/usr/bin/env python3
"""Writes the loader's boundary seeds into fuzz/corpus/load/.

One seed for every cut point of a sample record (so every field is met whole
and cut short), and for each of the three name lengths the values 0, 1,
65535 (present and one byte short), and one byte past the end of the data.
Run it again after changing the record layout; the files are committed.
"""
import os
import struct

out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus", "load")


def record(names, scores=(250, 100, 35), hits=(12, 5, 1), tag=121, check=1250, tail=b""):
    b = b""
    for s, n, h in zip(scores, names, hits):
        b += struct.pack("<iH", s, len(n)) + n + struct.pack("<i", h)
    return b + struct.pack("<ii", tag, check) + tail


def write(name, data):
    with open(os.path.join(out, name), "wb") as f:
        f.write(data)


sample = record([b"AB", "ソ".encode("cp932"), b""], tail=b"ZZZ")
for cut in range(1, len(sample) + 1):  # the empty file is the seed "empty"
    write(f"cut_{cut:02d}", sample[:cut])

for place in range(3):
    names = [b"A", b"B", b"C"]
    for length in (0, 1, 65535):
        names[place] = b"x" * length
        write(f"len{place + 1}_{length}", record(names))
    names[place] = b"x" * 65535
    write(f"len{place + 1}_65535_short", record(names)[: sum(len(n) + 10 for n in names[:place]) + 6 + 65534])
    # A length that claims one byte more than the file holds from there on.
    names = [b"A", b"B", b"C"]
    head = record(names)
    offset = sum(len(n) + 10 for n in names[:place]) + 4
    rest = len(head) - offset - 2
    write(f"len{place + 1}_past_end", head[:offset] + struct.pack("<H", rest + 1) + head[offset + 2:])
