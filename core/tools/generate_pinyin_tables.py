#!/usr/bin/env python3
"""Generates core/ConversionDataTables.cpp, the two constant tables of ConversionData.

Sources: ICU's Han-Latin transliteration (through the `uconv` tool of icu-devtools) for
the Mandarin readings, and Python's GB2312 codec for the area/position code table.

  python3 core/tools/generate_pinyin_tables.py > core/ConversionDataTables.cpp

First-letter table: one lower-case letter per code point U+4E00..U+9FA5, the first
letter of the reading ICU gives, with a few characters overridden where the search
lists expect a different common reading.

Syllable table: GB2312 level 1 (codes 1601..5589) is ordered by reading, so it is
stored as runs of consecutive codes, one per syllable in alphabetical order. The run
boundaries are found by a dynamic programme that fits the ICU readings to that fixed
alphabetical sequence with the fewest disagreements (polyphonic characters then cannot
move a boundary). Six level-1 codes are deliberately left without a syllable. Level 2
(codes 5601..8794) is stored as individual (code, syllable) pairs sorted by code.
"""
import subprocess
import sys
import unicodedata

FIRST, LAST = 0x4E00, 0x9FA5

# Syllables of level 1, alphabetical; each covers one run of codes.
LEVEL2_ONLY = {"CEN", "COU", "DIA", "GA", "M", "N", "NOU"}
SYLLABLES = """A AI AN ANG AO BA BAI BAN BANG BAO BEI BEN BENG BI BIAN BIAO BIE BIN BING BO BU
CA CAI CAN CANG CAO CE CEN CENG CHA CHAI CHAN CHANG CHAO CHE CHEN CHENG CHI CHONG CHOU CHU
CHUAI CHUAN CHUANG CHUI CHUN CHUO CI CONG COU CU CUAN CUI CUN CUO DA DAI DAN DANG DAO DE DENG
DI DIA DIAN DIAO DIE DING DIU DONG DOU DU DUAN DUI DUN DUO E EN ER FA FAN FANG FEI FEN FENG FO
FOU FU GA GAI GAN GANG GAO GE GEI GEN GENG GONG GOU GU GUA GUAI GUAN GUANG GUI GUN GUO HA HAI
HAN HANG HAO HE HEI HEN HENG HONG HOU HU HUA HUAI HUAN HUANG HUI HUN HUO JI JIA JIAN JIANG JIAO
JIE JIN JING JIONG JIU JU JUAN JUE JUN KA KAI KAN KANG KAO KE KEN KENG KONG KOU KU KUA KUAI KUAN
KUANG KUI KUN KUO LA LAI LAN LANG LAO LE LEI LENG LI LIA LIAN LIANG LIAO LIE LIN LING LIU LONG
LOU LU LUAN LUE LUN LUO M MA MAI MAN MANG MAO ME MEI MEN MENG MI MIAN MIAO MIE MIN MING MIU MO
MOU MU N NA NAI NAN NANG NAO NE NEI NEN NENG NI NIAN NIANG NIAO NIE NIN NING NIU NONG NOU NU
NUAN NUE NUO O OU PA PAI PAN PANG PAO PEI PEN PENG PI PIAN PIAO PIE PIN PING PO POU PU QI QIA
QIAN QIANG QIAO QIE QIN QING QIONG QIU QU QUAN QUE QUN RAN RANG RAO RE REN RENG RI RONG ROU RU
RUAN RUI RUN RUO SA SAI SAN SANG SAO SE SEN SENG SHA SHAI SHAN SHANG SHAO SHE SHEN SHENG SHI
SHOU SHU SHUA SHUAI SHUAN SHUANG SHUI SHUN SHUO SI SONG SOU SU SUAN SUI SUN SUO TA TAI TAN TANG
TAO TE TENG TI TIAN TIAO TIE TING TONG TOU TU TUAN TUI TUN TUO WA WAI WAN WANG WEI WEN WENG WO
WU XI XIA XIAN XIANG XIAO XIE XIN XING XIONG XIU XU XUAN XUE XUN YA YAN YANG YAO YE YI YIN YING
YO YONG YOU YU YUAN YUE YUN ZA ZAI ZAN ZANG ZAO ZE ZEI ZEN ZENG ZHA ZHAI ZHAN ZHANG ZHAO ZHE ZHEN
ZHENG ZHI ZHONG ZHOU ZHU ZHUA ZHUAI ZHUAN ZHUANG ZHUI ZHUN ZHUO ZI ZONG ZOU ZU ZUAN ZUI ZUN
ZUO""".split()
LV, NV = "L\u00fc", "N\u01d6"  # the two level-2 syllables kept with their vowel mark
ALL_SYLLABLES = SYLLABLES + [LV, NV]
LEVEL1_SYLLABLES = [s for s in SYLLABLES if s not in LEVEL2_ONLY]

# Level-1 codes without a syllable.
LEVEL1_GAPS = {1738, 2053, 2101, 2433, 2434, 4808}
# Level-2 codes whose syllable is fixed here rather than read.
LEVEL2_FIXED = {5602: "", 6328: "M", 6437: "N",
                6246: "GA", 7056: "GA", 7057: "GA", 7424: "GA", 7837: "GA"}
for c in (6744, 7321, 7586, 7918, 7989, 8158):
    LEVEL2_FIXED[c] = LV
for c in (7704, 7847, 8412):
    LEVEL2_FIXED[c] = NV
# Level-2 codes that take the syllable of level-1 code 4337.
LEVEL2_AS_4337 = (6075, 6358, 7684, 8043, 8457)

# First letters where the common reading in names differs from ICU's.
FIRST_LETTER_FIXED = {"藏": "z",
                      # unit characters that ICU has no reading for
                      "兙": "s", "兡": "b", "嗧": "j", "瓧": "s", "瓰": "f",
                      "瓱": "m", "瓼": "l", "甅": "l"}


def readings(text_chars):
    out = subprocess.run(["uconv", "-f", "utf-8", "-t", "utf-8", "-x", "Han-Latin"],
                         input="\n".join(text_chars) + "\n", capture_output=True,
                         text=True, check=True).stdout.split("\n")
    return out[:len(text_chars)]


def plain(reading):
    """Upper-case syllable without tone marks; the umlaut is kept as U+00FC for now."""
    d = unicodedata.normalize("NFD", reading.strip().split(" ")[0] if reading.strip() else "")
    kept = "".join(ch for ch in d if not unicodedata.combining(ch) or ch == "\u0308")
    return unicodedata.normalize("NFC", kept).upper()


def gb_char(code):
    area, pos = divmod(code, 100)
    try:
        return bytes([area + 0xA0, pos + 0xA0]).decode("gb2312")
    except UnicodeDecodeError:
        return None


def first_letters():
    chars = [chr(c) for c in range(FIRST, LAST + 1)]
    letters = []
    for ch, r in zip(chars, readings(chars)):
        p = plain(r)
        letter = p[:1].lower() if p[:1].isascii() and p[:1].isalpha() else ""
        letter = FIRST_LETTER_FIXED.get(ch, letter)
        if letter in ("", "i", "u", "v"):
            letter = "y"  # no reading known: the most common initial
        letters.append(letter)
    return "".join(letters)


def level1_runs():
    codes = [c for a in range(16, 56) for p in range(1, 95)
             if (c := a * 100 + p) <= 5589 and gb_char(c)]
    chars = [gb_char(c) for c in codes]
    read = [plain(r).replace("\u00dc", "U") for r in readings(chars)]
    n, m = len(codes), len(LEVEL1_SYLLABLES)
    INF = 10 ** 9
    # cost[i][j]: fewest disagreements for codes[0..i] with code i in syllable j,
    # every syllable 0..j used at least once.
    prev = [INF] * m
    prev[0] = 0 if read[0] == LEVEL1_SYLLABLES[0] else 1
    back = [[0] * m]
    for i in range(1, n):
        cur = [INF] * m
        choice = [0] * m
        for j in range(m):
            stay = prev[j]
            move = prev[j - 1] if j else INF
            best, how = (stay, 0) if stay <= move else (move, 1)
            if best < INF:
                cur[j] = best + (0 if read[i] == LEVEL1_SYLLABLES[j] else 1)
                choice[j] = how
        back.append(choice)
        prev = cur
    j = m - 1
    assign = [0] * n
    for i in range(n - 1, -1, -1):
        assign[i] = j
        if i and back[i][j]:
            j -= 1
    by_syllable = {}
    for c, s in zip(codes, assign):
        if c in LEVEL1_GAPS:
            continue
        lo, hi = by_syllable.get(s, (c, c))
        by_syllable[s] = (min(lo, c), max(hi, c))
    runs = [(by_syllable[s][0], by_syllable[s][1], LEVEL1_SYLLABLES[s])
            for s in range(m) if s in by_syllable]
    mismatches = sum(1 for i in range(n) if read[i] != LEVEL1_SYLLABLES[assign[i]])
    return runs, mismatches


def level2_pairs(runs):
    codes = [c for a in range(56, 88) for p in range(1, 95)
             if (c := a * 100 + p) <= 8794 and gb_char(c)]
    chars = [gb_char(c) for c in codes]
    syllable_of_4337 = next(s for lo, hi, s in runs if lo <= 4337 <= hi)
    pairs = []
    for c, r in zip(codes, readings(chars)):
        s = plain(r)
        if s in ("L\u00dc", "N\u00dc"):
            s = s[0] + "U"
        s = s.replace("\u00dc", "U")
        if c in LEVEL2_FIXED:
            s = LEVEL2_FIXED[c]
        elif c in LEVEL2_AS_4337:
            s = syllable_of_4337
        if s in ALL_SYLLABLES and s:
            pairs.append((c, s))
    return pairs, len(codes)


def cpp_string(text):
    return text.replace("\\", "\\\\").replace('"', '\\"')


def main():
    letters = first_letters()
    runs, mismatches = level1_runs()
    pairs, level2_count = level2_pairs(runs)
    index = {s: i for i, s in enumerate(ALL_SYLLABLES)}
    w = sys.stdout.write
    w("// Generated by core/tools/generate_pinyin_tables.py; do not edit.\n")
    w("// Readings: ICU Han-Latin. Codes: GB2312 area/position.\n")
    w(f"// Level 1: {len(runs)} runs ({mismatches} characters read otherwise by ICU);\n")
    w(f"// level 2: {len(pairs)} of {level2_count} characters have a syllable.\n")
    w('#include "core/ConversionDataTables.h"\n\nnamespace vorn::pinyin {\n\n')
    w("const char* const kSyllables[] = {\n")
    for i in range(0, len(ALL_SYLLABLES), 10):
        w("    " + " ".join(f'"{cpp_string(s)}",' for s in ALL_SYLLABLES[i:i + 10]) + "\n")
    w("};\nconst int kSyllableCount = %d;\n\n" % len(ALL_SYLLABLES))
    w("// One letter per code point from U+4E00.\nconst char kFirstLetters[] =\n")
    for i in range(0, len(letters), 100):
        w(f'    "{letters[i:i + 100]}"\n')
    w(";\nconst int kFirstLetterCount = %d;\n\n" % len(letters))
    w("const SyllableRun kLevel1Runs[] = {\n")
    for lo, hi, s in runs:
        w(f"    {{{lo}, {hi}, {index[s]}}},  // {s}\n")
    w("};\nconst int kLevel1RunCount = %d;\n\n" % len(runs))
    w("const SyllableCode kLevel2Codes[] = {\n")
    for i in range(0, len(pairs), 8):
        w("    " + " ".join(f"{{{c}, {index[s]}}}," for c, s in pairs[i:i + 8]) + "\n")
    w("};\nconst int kLevel2CodeCount = %d;\n\n}  // namespace vorn::pinyin\n" % len(pairs))


if __name__ == "__main__":
    main()
