#!/usr/bin/env python3
"""Generates GbkReadingData.cpp: one Mandarin reading for every cell of the GBK
double-byte space, used by InputCode for the pinyin initials of a name.

The readings come from the Unihan database (Debian package unicode-data,
/usr/share/unicode/Unihan_Readings.txt.bz2): kMandarin (its first, mainland
reading), then kHanyuPinyin, kXHC1983, kTGHZ2013 and kHanyuPinlu. The lists
below override that choice for the polyphones whose reading the input codes
depend on, and give readings to the GBK characters Unihan leaves without one.
The cell-to-character mapping is glibc's iconv "GBK" (the same converter the
program uses at run time).

Run from anywhere:  python3 gen_reading_table.py [Unihan_Readings.txt[.bz2]]
It rewrites ../GbkReadingData.cpp next to this script.
"""
import bz2
import ctypes
import os
import sys
import unicodedata

LEAD_FIRST, LEAD_LAST = 0x81, 0xFE
TRAIL_FIRST, TRAIL_LAST = 0x40, 0xFE
TRAIL_COUNT = TRAIL_LAST - TRAIL_FIRST + 1  # 191
CELL_COUNT = (LEAD_LAST - LEAD_FIRST + 1) * TRAIL_COUNT  # 24,066

# Polyphones: the reading a name's input code takes for them.
POLYPHONES = {
    "长": "zhang", "重": "zhong", "行": "hang", "乐": "le", "调": "tiao", "还": "hai",
    "率": "lv", "沈": "shen", "都": "dou", "着": "zhe", "会": "hui", "校": "xiao",
    "朝": "chao", "单": "dan", "参": "can", "曾": "ceng", "藏": "cang", "薄": "bao",
    "说": "shuo", "和": "he", "的": "de", "盛": "sheng", "厦": "sha", "仇": "chou",
    "秘": "mi", "觉": "jiao", "区": "qu",
    # First cell of the GBK/3 area; its old reading is kept.
    "丂": "yu",
}

# Unihan's first reading is the most frequent one in running text (地 de,
# 著 zhe); names and titles read these characters otherwise (地图, 著作, 占卜).
NAME_READINGS = {
    "地": "di", "著": "zhu", "卜": "bu", "匙": "chi", "裳": "chang", "咳": "ke",
    "茄": "qie", "炔": "que", "椎": "zhui", "傀": "kui", "佛": "fo",
}

# Characters of measure units written as one character; they read as the two
# syllables they stand for (those that fit in six letters).
COMPOUNDS = {
    "兙": "shike", "兛": "qianke", "兞": "maoke", "兡": "baike", "兣": "gongli",
    "嗧": "jialun", "瓧": "shiwa", "瓩": "qianwa", "瓰": "fenwa", "瓸": "baiwa",
    "瓼": "liwa", "甅": "liwa", "粁": "qianmi", "粍": "haomi", "糎": "limi",
}

# Characters with a reading Unihan does not carry.
EXTRA = {
    "〇": "ling",
    "\ufa11": "qi",  # a form of 崎
}

# Left without a reading: the decigram and milligram characters.
NO_READING = {"兝", "瓱"}

# Marks a character of GBK for which no Mandarin reading is known.
UNKNOWN = "uu"

READING_FIELDS = ("kMandarin", "kHanyuPinyin", "kXHC1983", "kTGHZ2013", "kHanyuPinlu")


def gbk_decoder():
    libc = ctypes.CDLL("libc.so.6", use_errno=True)
    libc.iconv_open.restype = ctypes.c_void_p
    libc.iconv_open.argtypes = [ctypes.c_char_p, ctypes.c_char_p]
    pp = ctypes.POINTER(ctypes.c_char_p)
    sp = ctypes.POINTER(ctypes.c_size_t)
    libc.iconv.argtypes = [ctypes.c_void_p, pp, sp, pp, sp]
    libc.iconv.restype = ctypes.c_size_t
    cd = libc.iconv_open(b"UTF-32LE", b"GBK")
    if cd == ctypes.c_void_p(-1).value:
        sys.exit("iconv cannot convert from GBK")

    def decode(raw):
        inbuf = ctypes.create_string_buffer(raw, len(raw))
        outbuf = ctypes.create_string_buffer(16)
        inp = ctypes.c_char_p(ctypes.addressof(inbuf))
        outp = ctypes.c_char_p(ctypes.addressof(outbuf))
        inleft, outleft = ctypes.c_size_t(len(raw)), ctypes.c_size_t(16)
        libc.iconv(cd, None, None, None, None)
        rc = libc.iconv(cd, ctypes.byref(inp), ctypes.byref(inleft), ctypes.byref(outp), ctypes.byref(outleft))
        if rc == ctypes.c_size_t(-1).value or inleft.value:
            return None
        return outbuf.raw[: 16 - outleft.value].decode("utf-32le")

    return decode


def plain_syllable(marked):
    """'lǜ' -> 'lv', 'zhǎng' -> 'zhang', 'ḿ' -> 'm'."""
    s = unicodedata.normalize("NFD", marked.strip().lower()).replace("u\u0308", "v")
    s = "".join(c for c in s if not unicodedata.combining(c))
    if not s.isascii() or not s.isalpha() or len(s) > 6:
        raise ValueError("unexpected reading %r" % marked)
    return s


def first_reading(field, value):
    first = value.split()[0]
    if field in ("kHanyuPinyin", "kXHC1983", "kTGHZ2013"):  # "21422.050:qiān,wǎ"
        first = first.split(":", 1)[1].split(",")[0]
    elif field == "kHanyuPinlu":  # "lè(283)"
        first = first.split("(")[0]
    return plain_syllable(first)


def load_unihan(path):
    opener = bz2.open if path.endswith(".bz2") else open
    fields = {}
    with opener(path, "rt", encoding="utf-8") as f:
        for line in f:
            if not line.startswith("U+"):
                continue
            cp, field, value = line.rstrip("\n").split("\t")
            if field in READING_FIELDS:
                fields.setdefault(chr(int(cp[2:], 16)), {})[field] = value
    return fields


def is_ideograph(ch):
    cp = ord(ch)
    return 0x3400 <= cp <= 0x4DBF or 0x4E00 <= cp <= 0x9FFF or 0xF900 <= cp <= 0xFAFF or cp == 0x3007


def unihan_reading(unihan, ch):
    entry = unihan.get(ch, {})
    for field in READING_FIELDS:
        if field in entry:
            return first_reading(field, entry[field])
    return None


def reading_of(unihan, ch):
    for table in (POLYPHONES, NAME_READINGS, COMPOUNDS, EXTRA):
        if ch in table:
            return table[ch]
    if ch in NO_READING:
        return None
    reading = unihan_reading(unihan, ch)
    if reading is None:
        # Compatibility ideographs read as the character they stand for.
        base = unicodedata.normalize("NFD", ch)
        if base != ch:
            reading = reading_of(unihan, base)
    return reading or UNKNOWN


def main():
    source = sys.argv[1] if len(sys.argv) > 1 else "/usr/share/unicode/Unihan_Readings.txt.bz2"
    unihan = load_unihan(source)
    decode = gbk_decoder()

    syllables = [""]
    index = {"": 0}
    table = [0] * CELL_COUNT
    filled = unknown = 0
    for lead in range(LEAD_FIRST, LEAD_LAST + 1):
        for trail in range(TRAIL_FIRST, TRAIL_LAST + 1):
            ch = decode(bytes([lead, trail]))
            if not ch or len(ch) != 1 or not is_ideograph(ch):
                continue
            reading = reading_of(unihan, ch)
            if reading is None:
                continue
            if reading not in index:
                index[reading] = len(syllables)
                syllables.append(reading)
            table[(lead - LEAD_FIRST) * TRAIL_COUNT + trail - TRAIL_FIRST] = index[reading]
            filled += 1
            unknown += reading == UNKNOWN

    # Syllables in alphabetical order make the data file easier to read.
    order = sorted(syllables)
    renumber = {syllables.index(s): i for i, s in enumerate(order)}
    table = [renumber[v] for v in table]

    here = os.path.dirname(os.path.abspath(__file__))
    out_path = os.path.join(here, "..", "GbkReadingData.cpp")
    with open(out_path, "w", encoding="utf-8") as out:
        out.write("// Generated by tools/gen_reading_table.py from the Unihan database; do not edit.\n")
        out.write("// %d cells with a reading, %d syllables, %d cells read \"%s\".\n"
                  % (filled, len(order) - 1, unknown, UNKNOWN))
        out.write('#include "catalogue/inputcode/GbkReadingData.h"\n\n')
        out.write("// clang-format off\nnamespace dedizo::gbkreading {\n\n")
        out.write("const int kSyllableCount = %d;\n\n" % len(order))
        out.write("const char* const kSyllables[%d] = {\n" % len(order))
        for i in range(0, len(order), 10):
            out.write("    " + " ".join('"%s",' % s for s in order[i:i + 10]) + "\n")
        out.write("};\n\n")
        out.write("const std::uint16_t kCellSyllable[kCellCount] = {\n")
        for lead in range(LEAD_LAST - LEAD_FIRST + 1):
            row = table[lead * TRAIL_COUNT:(lead + 1) * TRAIL_COUNT]
            out.write("    // 0x%02X\n" % (lead + LEAD_FIRST))
            for i in range(0, TRAIL_COUNT, 24):
                out.write("    " + ",".join(str(v) for v in row[i:i + 24]) + ",\n")
        out.write("};\n\n} // namespace dedizo::gbkreading\n")
    print("%d cells filled, %d syllables, %d unknown -> %s" % (filled, len(order) - 1, unknown, out_path))


if __name__ == "__main__":
    main()
