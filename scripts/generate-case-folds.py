#!/usr/bin/env python3
"""Prints the simple case-folding ranges of src/core/common/CaseFold.cpp.

Each code point folds to its one-character case fold (or, failing that, its
one-character lower case); runs of equal shift are joined into ranges that
cover every code point (step 1) or every second one (step 2)."""
import unicodedata

folds = {}
for cp in range(0x110000):
    if 0xD800 <= cp < 0xE000:
        continue
    c = chr(cp)
    f = c.casefold()
    if len(f) != 1:
        f = c.lower()
    if len(f) == 1 and ord(f) != cp:
        folds[cp] = ord(f)

keys = sorted(folds)
i = 0
print(f"    // Unicode {unicodedata.unidata_version}")
while i < len(keys):
    first = keys[i]
    shift = folds[first] - first
    run = {}
    for step in (1, 2):
        j = i
        while (j + 1 < len(keys) and keys[j + 1] == keys[j] + step
               and folds[keys[j + 1]] - keys[j + 1] == shift):
            j += 1
        run[step] = j
    step = 2 if run[2] > run[1] else 1
    last = run[step]
    print("    {0x%04X, 0x%04X, %d, %d}," % (first, keys[last], shift, step))
    i = last + 1
