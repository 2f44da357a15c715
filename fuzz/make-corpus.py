#!/usr/bin/env python3
"""Writes the seed inputs of the engine fuzzer into fuzz/corpus/, or with --check compares them.

Each input is a list of setter calls in the fuzzer's format (see engine_fuzzer.cpp). Inputs that
the fuzzer once crashed on are kept in the same folder under a "regression-" name; this script
leaves those alone. The setters are checked against the engine's table of colour models, from
which the fuzzer takes them too.
"""
import os
import random
import re
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))

# The fuzzer's record codes, frozen as oneByteSetters and twoByteSetters: a model's channels in
# order, and "rgb" for set_rgb with all three.
ONE_BYTE = ["rgb_r", "rgb_g", "rgb_b", "rgb", "cmyk_c", "cmyk_m", "cmyk_y", "cmyk_k",
            "hsv_h", "hsv_s", "hsv_v", "hsl_h", "hsl_s", "hsl_l", "xyz_x", "xyz_y", "xyz_z",
            "lab_l", "lab_a", "lab_b"]
TWO_BYTE = ["lch_l", "lch_c", "lch_h", "oklab_l", "oklab_a", "oklab_b", "oklch_l", "oklch_c",
            "oklch_h"]
FROZEN = ONE_BYTE + TWO_BYTE
# Operation bytes: the first of the two-byte records, and the escape to later setters.
TWO_BYTE_FIRST, LATER = 240, 255
# Encodings, as the fuzzer numbers them.
RAW, FRACTION, WHOLE, AWKWARD = 0, 4, 8, 10
# Indexes into the fuzzer's table of awkward values.
NAN, INF, NEG_INF, DBL_MAX, DENORM_MIN, NEG_ZERO, LOWEST, HIGHEST = 0, 3, 4, 5, 11, 14, 16, 17


def models():
    """(key, channel count) of every model, in the order of the engine's table.

    A model's entry opens with its key and perhaps more plain or translatable strings, then the
    count.
    """
    with open(os.path.join(HERE, os.pardir, "engine", "colourmodels.cpp")) as source:
        return [(key, int(count)) for key, count
                in re.findall(r'\{\s*"(\w+)",(?:\s*(?:"[^"]*"|QT_TRANSLATE_NOOP\(\s*"\w+",\s*"[^"]*"\)),)*'
                                     r'\s*(\d),', source.read())]


def later_setters(table):
    """The channels the table gained since the codes were frozen, named key_channel, in order."""
    frozen = {}
    for name in FROZEN:
        if "_" in name:
            key = name.split("_")[0]
            frozen[key] = frozen.get(key, 0) + 1
    known = dict(table)
    for key, count in frozen.items():
        if known.get(key, 0) < count:
            sys.exit("make-corpus.py: the model table has no %d channels of %s" % (count, key))
    return ["%s_%d" % (key, channel) for key, count in table
            for channel in range(frozen.get(key, 0), count)]


LATER_SETTERS = later_setters(models())


def operation(setter, encoding):
    if setter in ONE_BYTE:
        return bytes([encoding * len(ONE_BYTE) + ONE_BYTE.index(setter)])
    if setter in TWO_BYTE:
        return bytes([TWO_BYTE_FIRST, encoding * len(TWO_BYTE) + TWO_BYTE.index(setter)])
    return bytes([LATER, LATER_SETTERS.index(setter), encoding])


def raw(setter, *values):
    """A setter call with each value as a double."""
    return operation(setter, RAW) + b"".join(struct.pack("<d", v) for v in values)


def fraction(setter, *parts):
    """A setter call with each value a fraction 0..1 of the channel's range."""
    return operation(setter, FRACTION) + b"".join(
        struct.pack("<H", round(p * 65535)) for p in parts)


def whole(setter, *numbers):
    """A setter call with each value the lowest of the range plus a whole number."""
    return operation(setter, WHOLE) + b"".join(struct.pack("<H", n) for n in numbers)


def awkward(setter, *indexes):
    """A setter call with each value from the table of awkward values."""
    return operation(setter, AWKWARD) + bytes(indexes)


def every_setter(index):
    """Each frozen setter once; setters added later get seeds of their own."""
    return b"".join(awkward(s, *([index] * (3 if s == "rgb" else 1))) for s in FROZEN)


SEEDS = {
    "rgb-white": whole("rgb", 255, 255, 255),
    "rgb-fractions": raw("rgb_r", 200) + raw("rgb_g", 127.5) + raw("rgb_b", 0.25),
    "cmyk-half": b"".join(fraction(s, 0.5) for s in ("cmyk_c", "cmyk_m", "cmyk_y"))
    + fraction("cmyk_k", 0),
    "cmyk-full-key": fraction("cmyk_k", 1) + fraction("cmyk_c", 0.3) + raw("rgb_g", 10),
    "hsv-hue-360": awkward("hsv_h", HIGHEST) + fraction("hsv_s", 1) + fraction("hsv_v", 1),
    "hsl-120": raw("hsl_h", 120) + raw("hsl_s", 100) + raw("hsl_l", 50) + raw("hsl_l", 60),
    "xyz-white": raw("xyz_x", 95.05) + raw("xyz_y", 100) + raw("xyz_z", 108.9),
    "xyz-beyond-gamut": raw("xyz_x", 50) + raw("xyz_y", 0) + raw("xyz_z", 0)
    + raw("xyz_x", 255),
    "lab-corners": raw("lab_l", 100) + raw("lab_a", -128) + raw("lab_b", -128)
    + raw("lab_l", 0) + raw("lab_a", 127),
    "red-refuses": raw("rgb_r", 256) + raw("rgb_r", -1) + awkward("rgb_r", NAN),
    "lch-far-out": raw("lch_l", 50) + raw("lch_c", 200) + raw("lch_h", 0) + awkward("lch_h", HIGHEST)
    + fraction("lch_c", 0),
    "oklab-red-and-beyond": raw("oklab_l", 62.79553639214312) + raw("oklab_a", 0.22486306842627407)
    + raw("oklab_b", 0.12584627733058493) + awkward("oklab_a", HIGHEST) + awkward("oklab_b", LOWEST),
    "oklch-hue-360": raw("oklch_l", 70) + raw("oklch_c", 0.1) + awkward("oklch_h", HIGHEST)
    + raw("oklch_c", 0) + raw("rgb", 10, 200, 90) + fraction("oklch_l", 0.5),
    "nan-everywhere": every_setter(NAN),
    "infinities": every_setter(INF) + every_setter(NEG_INF),
    "huge-tiny-negative-zero": every_setter(DBL_MAX) + every_setter(DENORM_MIN)
    + every_setter(NEG_ZERO) + every_setter(LOWEST),
}


def main():
    folder = os.path.join(HERE, "corpus")
    # A fixed walk through every kind of call, so the seeds are the same on every run.
    walk = random.Random(20240601)
    SEEDS["random-walk"] = bytes(walk.randrange(256) for _ in range(240))
    if LATER_SETTERS:
        SEEDS["later-setters"] = b"".join(
            fraction(s, 0.5) + awkward(s, HIGHEST) + awkward(s, NAN) for s in LATER_SETTERS)
    if sys.argv[1:] == ["--check"]:
        stale = [name for name, data in SEEDS.items()
                 if not os.path.exists(os.path.join(folder, name))
                 or open(os.path.join(folder, name), "rb").read() != data]
        if stale:
            sys.exit("make-corpus.py: not as written: " + ", ".join(stale))
        return
    os.makedirs(folder, exist_ok=True)
    for name, data in SEEDS.items():
        with open(os.path.join(folder, name), "wb") as out:
            out.write(data)


if __name__ == "__main__":
    main()
