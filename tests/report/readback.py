#!/usr/bin/env python3
"""Reads a report back with a strict XML parser of its own and checks it
against the balance list and the values that produced it.

usage: readback.py REPORT.xml EXPECTED.json

EXPECTED.json holds the producer's inputs: texts as hex of their Shift_JIS
bytes, and the balance list as [lCode, name hex, cHojyoFlg, llZandaka] rows.
The groups the report should contain are worked out here from those rows.
Exit status 0 when everything matches; the first difference is printed.
"""
import json
import re
import sys
import xml.etree.ElementTree as ET

DECLARATION = b'<?xml version="1.0" encoding="Shift_JIS"?>\r\n'


class Mismatch(Exception):
    pass


def expect(cond, what):
    if not cond:
        raise Mismatch(what)


# Characters XML 1.0 does not have; the writer leaves them out of every text.
FORBIDDEN = re.compile("[\x00-\x08\x0b\x0c\x0e-\x1f]")


def sjis(hex_text):
    """A producer's text as the report must carry it."""
    return FORBIDDEN.sub("", bytes.fromhex(hex_text).decode("cp932"))


def balance_text(zandaka):
    # Whole yen, truncated toward zero; empty for 0 and beyond 12 characters.
    yen = abs(zandaka) // 10000
    if zandaka < 0:
        yen = -yen
    if yen == 0 or yen > 999999999999 or yen < -99999999999:
        return ""
    return str(yen)


def expected_groups(rows):
    """Account groups as (code, name, balance, [(code, name, balance)])."""
    groups = []
    current = None  # the group still taking sub-accounts
    closing = None  # account whose own closing row is still to come
    for code, name_hex, flag, zandaka in rows:
        account, sub = int(code / 10000), code - int(code / 10000) * 10000
        name = sjis(name_hex)
        if sub != 0:
            if current is not None and current[0] == account:
                current[3].append((sub, name, balance_text(zandaka)))
            else:
                current = None  # a stray sub-account: not written
            continue
        current = None
        if closing is not None:
            was, closing = closing, None
            if was == account:
                continue
        group = (account, name, balance_text(zandaka), [])
        groups.append(group)
        if flag:
            current = group
            closing = account
    return groups


def check_layout(raw):
    expect(raw.startswith(DECLARATION), "declaration line")
    expect(raw.endswith(b"\r\n"), "last line ends in CR LF")
    body = raw[len(DECLARATION):-2]
    depth = 0
    for number, line in enumerate(body.split(b"\r\n"), start=2):
        expect(b"\r" not in line and b"\n" not in line, "lone CR or LF in line %d" % number)
        tabs = len(line) - len(line.lstrip(b"\t"))
        text = line[tabs:]
        expect(text.startswith(b"<"), "line %d starts with a tag" % number)
        if text.startswith(b"</"):
            depth -= 1
            expect(tabs == depth, "indentation of end tag in line %d" % number)
        elif text.endswith(b">") and b"</" not in text:
            expect(tabs == depth, "indentation of start tag in line %d" % number)
            depth += 1
        else:
            expect(tabs == depth, "indentation of element in line %d" % number)
    expect(depth == 0, "start and end tags balance")


def children(element, names):
    got = [child.tag for child in element]
    expect(got == names, "children of %s: %r, expected %r" % (element.tag, got, names))
    return list(element)


def leaf(element, name, value):
    expect(element.tag == name, "element %s, expected %s" % (element.tag, name))
    expect(len(element) == 0 and not element.attrib, "%s is a plain leaf" % name)
    got = element.text or ""
    expect(got == value, "%s is %r, expected %r" % (name, got, value))


def check(report_path, expected_path):
    with open(report_path, "rb") as f:
        raw = f.read()
    with open(expected_path, "r", encoding="ascii") as f:
        exp = json.load(f)

    check_layout(raw)
    # The parser does not take multi-byte encodings: decode here (strictly)
    # and hand it the whole document, declaration included, as UTF-8 with the
    # encoding overridden. Anything not well-formed (a character XML forbids,
    # markup out of place, a second root) is a parse error.
    text = raw.decode("cp932")
    parser = ET.XMLParser(encoding="utf-8")
    parser.feed(text.encode("utf-8"))
    root = parser.close()
    expect(root.tag == "REPORT" and not root.attrib, "root REPORT")
    system, basic, data = children(root, ["SYSTEM", "BASIC", "DATA"])

    s = children(system, ["GYOUMUPREFIX", "VERSION", "FUNCTIONID", "CONNECTEDPROGRAMVER", "PROGRAMNAME",
                          "PROGRAMVER"])
    leaf(s[0], "GYOUMUPREFIX", "ZQ13")
    leaf(s[1], "VERSION", "1")
    leaf(s[2], "FUNCTIONID", str(exp["functionid"]))
    leaf(s[3], "CONNECTEDPROGRAMVER", exp["connectedprogramver"])
    leaf(s[4], "PROGRAMNAME", sjis(exp["programname"]))
    leaf(s[5], "PROGRAMVER", sjis(exp["programver"]))

    b = children(basic, ["KOMONSAKINAME", "JIGYOUNENDOFROM", "JIGYOUNENDOTO"])
    leaf(b[0], "KOMONSAKINAME", sjis(exp["company"]))
    leaf(b[1], "JIGYOUNENDOFROM", str(exp["from"]))
    leaf(b[2], "JIGYOUNENDOTO", str(exp["to"]))

    groups = expected_groups(exp["entries"])
    accounts = list(data)
    expect(len(accounts) == len(groups), "%d account groups, expected %d" % (len(accounts), len(groups)))
    for number, (element, group) in enumerate(zip(accounts, groups), start=1):
        code, name, balance, subs = group
        expect(element.tag == "KANJYOKAMOKU", "account group element")
        expect(element.attrib == {"Count": "%4d" % number}, "Count of account group %d" % number)
        names = ["KANJYOKAMOKU_CODE", "KANJYOKAMOKU_NAME", "KANJYOKAMOKU_ZANDAKA"] + ["HOJYOKAMOKU"] * len(subs)
        parts = children(element, names)
        leaf(parts[0], "KANJYOKAMOKU_CODE", str(code))
        leaf(parts[1], "KANJYOKAMOKU_NAME", name)
        leaf(parts[2], "KANJYOKAMOKU_ZANDAKA", balance)
        for sub_number, (sub_element, sub) in enumerate(zip(parts[3:], subs), start=1):
            expect(sub_element.attrib == {"Count": "%4d" % sub_number},
                   "Count of sub-account group %d of account %d" % (sub_number, code))
            sparts = children(sub_element, ["HOJYOKAMOKU_CODE", "HOJYOKAMOKU_NAME", "HOJYOKAMOKU_ZANDAKA"])
            leaf(sparts[0], "HOJYOKAMOKU_CODE", str(sub[0]))
            leaf(sparts[1], "HOJYOKAMOKU_NAME", sub[1])
            leaf(sparts[2], "HOJYOKAMOKU_ZANDAKA", sub[2])
        if balance:
            expect(re.fullmatch(r"-?[0-9]{1,12}", balance) and len(balance) <= 12, "balance width")


def main(argv):
    if len(argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    try:
        check(argv[1], argv[2])
    except (Mismatch, ET.ParseError, UnicodeDecodeError) as e:
        print("readback: %s: %s" % (argv[1], e), file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
