#!/usr/bin/env python3
"""Writes the seed corpus of the run list reader into corpus/runlist/.

Files named ok-* are whole run lists, byte for byte as the launcher writes
them; ok-unusual-* load whole too but are written in a way the launcher never
writes; damaged-* are damaged ones. The corpus replay test checks each against
its name.
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "corpus", "runlist")


def count(n):
    return struct.pack("<i", n)


def length(n, form=None):
    """A length in its shortest form, or in `form`."""
    form = form or ("byte" if n < 255 else "word" if n < 0xFFFE else "dword")
    return {
        "byte": lambda: bytes([n]),
        "word": lambda: b"\xff" + struct.pack("<H", n),
        "dword": lambda: b"\xff\xff\xff" + struct.pack("<I", n),
    }[form]()


def string(s, form=None):
    """A single-byte string with its length in the shortest form, or in `form`."""
    return length(len(s), form) + s


def wide(s, form=None):
    """A wide string: the marker, then the length form counting UTF-16 code units."""
    units = s.encode("utf-16-le")
    return b"\xff\xfe\xff" + length(len(units) // 2, form) + units


def run_list(paths):
    """Code-page paths (bytes) in the single-byte form, others (str) wide."""
    return count(len(paths)) + b"".join(string(p) if isinstance(p, bytes) else wide(p) for p in paths)


BLEND = b"C:\\Apps\\Run\\shaders\\dx9\\animation\\blend\\blend.zel"

# The list a launcher installed as C:\Apps\Run\bin\NimbrelRun.exe creates at
# its first start.
DEFAULTS = [b"C:\\Apps\\Run\\" + rel.encode() + b".zel" for rel in [
    "shaders\\dx9\\animation\\blend\\blend",
    "shaders\\dx9\\animation\\motionblur\\motionblur",
    "shaders\\dx9\\basic\\vertex_shader1_hlsl",
    "shaders\\dx9\\basic\\vertex_shader2_hlsl",
    "shaders\\dx9\\basic\\vertex_shader3_hlsl",
    "shaders\\dx9\\basic\\vertex_shader4_hlsl",
    "shaders\\dx9\\basic\\vertex_shader5_hlsl",
    "shaders\\dx9\\basic\\pixel_noise_hlsl",
    "shaders\\dx9\\basic\\pixel_shader1_hlsl",
    "shaders\\dx9\\basic\\pixel_shader2_hlsl",
    "shaders\\dx9\\basic\\pixel_shader3_hlsl",
    "shaders\\dx9\\video\\movie_plane_control",
    "shaders\\dx9\\video\\movie_plane_hlsl",
    "shaders\\dx9\\video\\movie_plane_rotate",
]]

SEEDS = {
    "ok-empty": count(0),
    "ok-one": run_list([BLEND]),
    "ok-mixed-names": run_list([BLEND, b"scene", b"C:\\dir\\", b"D:\\x\\name.old.zel", b""]),
    "ok-length-254": run_list([b"a" * 254]),
    "ok-length-255": run_list([b"b" * 255]),
    "ok-length-65533": run_list([b"c" * 65533]),
    "ok-length-65534": run_list([b"d" * 65534]),
    "ok-length-70000": run_list([b"e" * 70000]),
    "ok-defaults": run_list(DEFAULTS),
    # Each length form next to the others in one list, kept below the largest
    # seed so the fuzzer's input size limit does not grow.
    "ok-every-form-in-one-list": run_list([b"C:\\f.zel", b"w" * 300, b"", b"l" * 65534, b"scene"]),
    # Paths Windows-1252 cannot hold next to one it can.
    "ok-wide-and-single-byte": run_list([
        "C:\\Sc\u00e8nes\\\u0141\u00f3d\u017a\\\u6771\u4eac \u82b1.zel", b"C:\\Sc\xe8nes\\caf\xe9.zel",
        "D:\\" + "\u5834\u9762\\" * 60 + "\U0001F600.zel", "\u0100"]),
    "ok-unusual-wide-ascii": count(1) + b"\xff\xfe\xff\x01A\x00",
    "ok-unusual-wide-long-forms": count(2) + wide("\u0101bc", "word") + wide("\u0101ef", "dword"),
    "ok-unusual-long-forms-of-short-lengths": count(2) + string(b"abc", "word") + string(b"def", "dword"),
    "ok-unusual-trailing-bytes": run_list([b"a", b"b"]) + b"\x05tail",
    "damaged-empty": b"",
    "damaged-short-count": b"\x01\x00\x00",
    "damaged-negative-count": count(-1) + string(b"a"),
    "damaged-huge-count": count(0x7FFFFFFF) + string(b"a"),
    "damaged-fewer-entries": count(3) + string(BLEND) + string(b"scene"),
    "damaged-string-past-end": count(2) + string(b"a") + b"\x05ab",
    "damaged-word-length-cut": count(1) + b"\xff\x10",
    "damaged-dword-length-cut": count(1) + b"\xff\xff\xff\x10\x00",
    "damaged-2gb-length": count(1) + b"\xff\xff\xff\x00\x00\x00\x80" + b"x",
    "damaged-wide-marker-twice": count(1) + b"\xff\xfe\xff\xff\xfe\xff\x01A\x00",
    "damaged-wide-string-past-end": count(2) + string(b"a") + b"\xff\xfe\xff\x03A\x00B\x00",
    "damaged-wide-64bit-length": count(2) + wide("\u0101") + b"\xff\xfe\xff" + b"\xff" * 7 + b"\x01" + b"\x00" * 7 + b"b\x00",
    "damaged-64bit-length": count(2) + string(b"a") + b"\xff\xff\xff\xff\xff\xff\xff\x01\x00\x00\x00\x00\x00\x00\x00b",
}


def main():
    os.makedirs(OUT, exist_ok=True)
    for name, data in SEEDS.items():
        with open(os.path.join(OUT, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
