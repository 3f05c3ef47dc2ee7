#!/usr/bin/env python3
"""Every shipped binary carries the one version record: the fixed file and product version and
the texts ProductName "Kelvo Restart", CompanyName "Tormel", FileVersion and ProductVersion.
   check-versions.py <version a.b.c> <binary>...
Reads the record's structures from the file (VS_FIXEDFILEINFO and the String entries)."""
import struct
import sys


def fixed_versions(data):
    at = data.find(struct.pack("<I", 0xFEEF04BD))
    if at < 0:
        return None
    _, _, file_ms, file_ls, prod_ms, prod_ls = struct.unpack_from("<6I", data, at)
    split = lambda ms, ls: (ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF)
    return split(file_ms, file_ls), split(prod_ms, prod_ls)


def string_value(data, key):
    """The value of a String entry: wLength, wValueLength, wType, the key, padding to 32 bits."""
    needle = (key + "\0").encode("utf-16-le")
    at = data.find(needle)
    while at >= 0:
        start = at - 6
        length, value_length, kind = struct.unpack_from("<3H", data, start)
        if kind == 1 and start % 4 == 0:  # text entry, on its 32-bit boundary
            value_at = at + len(needle)
            value_at += (-value_at) % 4
            raw = data[value_at:value_at + 2 * value_length]
            return raw.decode("utf-16-le").split("\0")[0]
        at = data.find(needle, at + 2)
    return None


def main():
    version, files = sys.argv[1], sys.argv[2:]
    numbers = tuple(int(n) for n in version.split(".")) + (0,)
    failures = []
    for path in files:
        data = open(path, "rb").read()
        name = path.rsplit("/", 1)[-1]
        fixed = fixed_versions(data)
        if fixed is None:
            failures.append(f"{name}: no version record")
            continue
        if fixed != (numbers, numbers):
            failures.append(f"{name}: fixed versions {fixed}, wanted {numbers}")
        wanted = {"ProductName": "Kelvo Restart", "CompanyName": "Tormel",
                  "FileVersion": version, "ProductVersion": version}
        for key, value in wanted.items():
            found = string_value(data, key)
            if found != value:
                failures.append(f"{name}: {key} is {found!r}, wanted {value!r}")
    for failure in failures:
        print(failure)
    print(f"{len(files)} binaries, {len(failures)} faults")
    return 1 if failures or not files else 0


if __name__ == "__main__":
    sys.exit(main())
