#!/usr/bin/env python3
"""Writes the seed corpora under tests/fuzz/corpus/.

The settings and result-line targets take their numbers from the END of the
input (libFuzzer's FuzzedDataProvider reads integers backwards) and their
texts from the front, so each seed here is built the same way: readable text
first, then the encoded numbers. Run it again after changing what a target
reads; the locality seeds are plain files.
"""
import os
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
CORPUS = os.path.join(HERE, "corpus")


class Tail:
    """Bytes that FuzzedDataProvider consumes from the end, in call order."""

    def __init__(self):
        self.consumed = []

    def integral(self, value, low, high):
        span = high - low
        n = 0
        while n < 8 and (span >> (8 * n)) > 0:
            n += 1
        v = value - low
        self.consumed += list(v.to_bytes(n, "big")) if n else []

    def int32(self, value):
        self.integral(value, -2**31, 2**31 - 1)

    def boolean(self, value):
        self.consumed.append(1 if value else 0)

    def uint64(self, value):
        self.consumed += list(value.to_bytes(8, "big"))

    def double_in_range(self, x, low, high):
        p = (x - low) / (high - low)
        self.uint64(min(2**64 - 1, max(0, round(p * (2**64 - 1)))))

    def raw_double(self, x):
        self.uint64(struct.unpack("<Q", struct.pack("<d", x))[0])

    def bytes(self):
        return bytes(reversed(self.consumed))


def write(target, name, data):
    folder = os.path.join(CORPUS, target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def record(fields):
    names = ["Mesto", "Hod", "Min", "ZS1", "ZS2", "ZS3", "ZS4", "ZD1", "ZD2", "ZD3", "ZD4"]
    return "<Riadok>" + "".join("<%s>%s</%s>" % (n, v, n) for n, v in zip(names, fields)) + "</Riadok>"


def localities():
    towns = [
        ("SK - Sliač", 48, 36, 59, 19, 8, 35), ("SK - Bratislava", 48, 9, 0, 17, 7, 1),
        ("SK - Košice", 48, 43, 19, 21, 15, 37), ("SK - Poprad", 49, 3, 37, 20, 17, 58),
        ("SK - Michalovce", 48, 45, 16, 21, 54, 58), ("SK - Žilina", 49, 13, 14, 18, 44, 15),
        ("SK - Piešťany", 48, 35, 30, 17, 49, 41), ("SK - Prešov", 48, 59, 30, 21, 14, 45),
        ("SK - Rožňava", 48, 39, 23, 20, 31, 55),
    ]
    body = "".join(record([t[0], "1", "0", str(t[1]), str(t[2]), str(t[3]), "N",
                           str(t[4]), str(t[5]), str(t[6]), "E"]) for t in towns)
    decl = '<?xml version="1.0"?>\n'
    write("fuzz_localities", "predefined.xml", (decl + "<SuborDat>" + body + "</SuborDat>").encode())
    write("fuzz_localities", "skeleton.xml", (decl + "<SuborDat>\n</SuborDat>\n").encode())
    bratislava = ["SK - Bratislava", "1", "0", "48", "9", "0", "N", "17", "7", "1", "E"]
    pretty = (decl + '<SuborDat verzia="2" xmlns:x="urn:vantu">\n  <!-- hand edited -->\n'
              "  <Riadok>\n" + "".join("    <%s>%s</%s>\n" % (n, v, n) for n, v in zip(
                  ["Mesto", "Hod", "Min", "ZS1", "ZS2", "ZS3", "ZS4", "ZD1", "ZD2", "ZD3", "ZD4"],
                  bratislava)) + "  </Riadok>\n</SuborDat>\n")
    write("fuzz_localities", "pretty_with_comment.xml", pretty.encode())
    odd = ["Ústí &amp; Labem&#13;; &lt;x&gt; ]]&gt;", "-2", "+30", "0", "59", "00", "S",
           "180", "0", "59", "W"]
    write("fuzz_localities", "escapes_and_signs.xml",
          (decl + "<x:Koren a=\"1&#9;2\" x:b='&quot;'>" + record(odd) +
           "<Riadok><Mesto><![CDATA[CDATA <name>]]></Mesto><Extra>ignored</Extra></Riadok>"
           "</x:Koren>").encode())
    bad = list(bratislava)
    bad[1] = "13"
    bad[6] = "n"
    write("fuzz_localities", "damaged_invalid_fields.xml",
          (decl + "<SuborDat>" + record(bad) + "</SuborDat>").encode())
    write("fuzz_localities", "damaged_markup_in_field.xml",
          (decl + "<SuborDat><Riadok><Mesto>A<b>B</b>C</Mesto><Hod>1<?pi x?></Hod></Riadok>"
           "stray text<!-- c --></SuborDat>").encode())
    write("fuzz_localities", "damaged_cut_off.xml",
          (decl + "<SuborDat>" + record(bratislava))[:-20].encode())
    write("fuzz_localities", "damaged_entities.xml",
          (decl + '<!DOCTYPE SuborDat [<!ENTITY a "aaaaaaaa"><!ENTITY b "&a;&a;&a;&a;">]>\n'
           "<SuborDat><Riadok><Mesto>&b;</Mesto></Riadok></SuborDat>").encode())
    write("fuzz_localities", "utf16_with_bom.xml",
          ('<?xml version="1.0" encoding="UTF-16"?>\n<SuborDat>' + record(bratislava) +
           "</SuborDat>").encode("utf-16"))
    write("fuzz_localities", "empty.xml", b"")


def inifile():
    def seed(name, text, values=(120, 80, 1, 3), exists=True, twice=True):
        tail = Tail()
        for v in values:
            tail.int32(v)
        tail.boolean(exists)
        tail.boolean(twice)
        write("fuzz_inifile", name, text + tail.bytes())

    seed("usual.ini", b"[Poloha]\r\nvlavo=50\r\nhore=50\r\n\r\n[Nastavenie]\r\njazyk=0\r\nformatcasu=1\r\n")
    seed("missing.ini", b"", exists=False)
    seed("empty.ini", b"", values=(-2**31, 2**31 - 1, 0, -1))
    seed("comments_and_sections.ini",
         b"; settings of Vantu\n[Ine]\nvlavo=7\n\n# positions\n[ poloha ]\n  VLAVO = 12 ; left\n"
         b"hore=x\n\n\n[Nastavenie]\r\nformatcasu=2\n[Koniec]\nk=v")
    seed("bom_no_final_newline.ini", b"\xef\xbb\xbf[Nastavenie]\njazyk=2\n[Poloha]\nhore=-40",
         values=(-5, 10000, 2, 0))
    seed("bad_values.ini",
         b"[Poloha]\nvlavo=99999999999\nhore=+\nvlavo=3\n[Poloha]\nhore=4\n[Nastavenie\njazyk==1\n"
         b"=5\n\tformatcasu\t=\t-0\t\n", twice=False)
    seed("accents_and_cr.ini", "[Poloha]\rvlavo=1\r[Nastavenie]\r\njazyk=1\r\r\nmesto=Žilina\r\n".encode())


def resultline():
    def seed(name, locale, date, times, place, year, month, tag, no_event, extra, line_name):
        tail = Tail()
        tail.integral(locale, 0, 8)
        for value in [date] + list(times):
            if value is None:
                tail.integral(2, 0, 2)
            elif isinstance(value, tuple):  # raw bit pattern
                tail.integral(0, 0, 2)
                tail.raw_double(value[0])
            else:
                tail.integral(1, 0, 2)
                tail.double_in_range(value, -693593.0, 2958466.0)
        lat, lon, zone = place
        tail.double_in_range(lat, -90.0, 90.0)
        tail.double_in_range(lon, -180.0, 180.0)
        tail.double_in_range(zone, -12.0, 12.0)
        tail.integral(year, -20, 10020)
        tail.integral(month, 0, 13)

        def text(s):
            return s.encode("utf-8").replace(b"\\", b"\\\\") + b"\\x"

        front = text(tag) + text(no_event) + text(extra)
        if isinstance(line_name, bytes):
            front += line_name
        else:
            front += line_name.encode("utf-16-le")
        write("fuzz_resultline", name, front + tail.bytes())

    # Locales: 0 C, 1 Slovak, 2 English, 3 Hungarian, 4 Finnish, 5 German, 6 Russian, 7 Arabic, 8 Chinese.
    sliac = (48.616, -19.143, 1.0)
    seed("slovak_day.bin", 1, 45000.0, (45000.2951, 45000.4836, 45000.6721), sliac, 2023, 3,
         "  ", "nenastane", "Východ slnka, poludnie, západ\r\n", "SK - Sliač")
    seed("english_polar_night.bin", 2, 44926.0, (None, 44926.47, None), (78.2, -15.6, 1.0), 2023,
         12, " - ", "does not occur", "", "NO - Longyearbyen")
    seed("hungarian_month.bin", 3, 36526.5, (36526.3, 36526.5, 36526.7), (47.5, -19.05, 1.0), 2000,
         2, " | ", "nincs", "Napkelte\nNapnyugta\r", "HU - Győr")
    seed("finnish_separator.bin", 4, 40000.999999, (0.99999999, 1e-9, 0.5), (60.17, -24.94, 2.0),
         1, 1, "", "-", "", "FI - Hämeenlinna")
    seed("utf8_needed.bin", 8, 2958465.9, (2958465.1, 2958465.5, 2958465.9), (39.9, -116.4, 8.0),
         9999, 12, " ", "无", "", "CN - 北京 Ærøskøbing")
    seed("odd_numbers.bin", 7, (float("nan"),), ((float("inf"),), (-0.0,), (-1e300,)),
         (-90.0, 180.0, -12.0), -20, 13, "\t", "", "\r\r\n\n", b"\x00\xd8A\x00")
    seed("negative_dates.bin", 6, -693593.0, (-1.25, -0.5, -693592.75), (0.0, 0.0, 0.0), 0, 2,
         " ", "нет", "Восход", "RU - Москва")


def main():
    localities()
    inifile()
    resultline()
    return 0


if __name__ == "__main__":
    sys.exit(main())
