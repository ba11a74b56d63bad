"""The two ZIPs as a user gets them, and the exe inside as Windows loads it.

Usage: package_test.py DEPLOY.zip DEMO.zip SOURCE_DIR EPOCH WORK_DIR
Unpacks the demo ZIP into WORK_DIR for package_test.exe.
"""

import os
import struct
import sys
import time
import zipfile

deploy_zip, demo_zip, source, epoch, work = sys.argv[1:]
epoch = int(epoch)
EXE = "Dorvik22ToZq13_U.exe"
USAGE = "使い方.txt"

# What each ZIP holds, in order, and where the bytes come from.
DEPLOY = [(EXE, None), ("report.xsd", "docs/report.xsd"), (USAGE, "pack/" + USAGE)]
HOSTDATA = sorted(n for n in os.listdir(os.path.join(source, "sample", "hostdata")) if not n.startswith("."))
DEMO = DEPLOY + [
    ("KolvarenDef.ini", "sample/demo/KolvarenDef.ini"),
    ("SUPPORT.INF", "sample/demo/SUPPORT.INF"),
    ("hostdata/", None),
] + [("hostdata/" + n, "sample/hostdata/" + n) for n in HOSTDATA]

# The DLLs the program imports; a new one is a new dependency to look at.
IMPORTS = {"advapi32.dll", "comctl32.dll", "comdlg32.dll", "kernel32.dll", "msvcrt.dll", "shlwapi.dll", "user32.dll"}
DYNAMIC_BASE, NX_COMPAT, NO_SEH, TERMINAL_SERVER_AWARE = 0x0040, 0x0100, 0x0400, 0x8000
WRITE, EXECUTE = 0x80000000, 0x20000000


def fail(message):
    sys.exit(f"package_test: {message}")


def check_zip(path, contents):
    top = os.path.basename(path)[: -len(".zip")] + "/"
    # A DOS time counts seconds in twos; the build writes it as UTC.
    when = time.gmtime(epoch - epoch % 2)[:6]
    with zipfile.ZipFile(path) as z:
        names = [i.filename for i in z.infolist()]
        expected = [top] + [top + n for n, _ in contents]
        if names != expected:
            fail(f"{path}:\n  {names}\nexpected:\n  {expected}")
        for info in z.infolist():
            if info.date_time != when:
                fail(f"{info.filename}: time {info.date_time}, expected {when} (SOURCE_DATE_EPOCH {epoch})")
        for name, src in contents:
            if src and z.read(top + name) != open(os.path.join(source, src), "rb").read():
                fail(f"{path}: {name} differs from {src}")
        # The name in UTF-8 with the flag that says so (bit 11).
        if not z.getinfo(top + USAGE).flag_bits & 0x800:
            fail(f"{USAGE}: stored without the UTF-8 flag")
        return z.read(top + EXE)


def check_exe(image):
    pe = struct.unpack_from("<I", image, 0x3C)[0]
    if image[pe : pe + 4] != b"PE\0\0":
        fail("no PE header")
    machine, sections, stamp = struct.unpack_from("<HHI", image, pe + 4)
    opt_size = struct.unpack_from("<H", image, pe + 20)[0]
    opt = pe + 24
    os_version = struct.unpack_from("<HH", image, opt + 40)
    subsystem_version = struct.unpack_from("<HH", image, opt + 48)
    subsystem, flags = struct.unpack_from("<HH", image, opt + 68)
    import_rva = struct.unpack_from("<I", image, opt + 104)[0]
    seen = {
        "machine": machine,
        "TimeDateStamp": stamp,
        "OS version": os_version,
        "subsystem": (subsystem, subsystem_version),
        "DllCharacteristics": flags & (DYNAMIC_BASE | NX_COMPAT | NO_SEH | TERMINAL_SERVER_AWARE),
    }
    expected = {
        "machine": 0x14C,
        "TimeDateStamp": epoch,
        "OS version": (6, 1),
        "subsystem": (2, (6, 1)),  # GUI, Windows 7
        "DllCharacteristics": DYNAMIC_BASE | NX_COMPAT | NO_SEH | TERMINAL_SERVER_AWARE,
    }
    for key in expected:
        if seen[key] != expected[key]:
            fail(f"exe {key}: {seen[key]!r}, expected {expected[key]!r}")

    table = []
    for i in range(sections):
        s = opt + opt_size + 40 * i
        name = image[s : s + 8].rstrip(b"\0").decode()
        size, rva, raw_size, raw = struct.unpack_from("<IIII", image, s + 8)
        characteristics = struct.unpack_from("<I", image, s + 36)[0]
        if characteristics & WRITE and characteristics & EXECUTE:
            fail(f"section {name} is writable and executable")
        table.append((rva, max(size, raw_size), raw))

    def offset(rva):
        for start, size, raw in table:
            if start <= rva < start + size:
                return rva - start + raw
        fail(f"RVA {rva:#x} in no section")

    dlls = set()
    entry = offset(import_rva)
    while struct.unpack_from("<I", image, entry + 12)[0]:
        name = offset(struct.unpack_from("<I", image, entry + 12)[0])
        dlls.add(image[name : image.index(b"\0", name)].decode().lower())
        entry += 20
    if dlls != IMPORTS:
        fail(f"imports {sorted(dlls)}, expected {sorted(IMPORTS)}")
    print(f"exe: flags {flags:#06x}, OS and subsystem 6.1, imports {', '.join(sorted(dlls))}")


exe = check_zip(deploy_zip, DEPLOY)
if check_zip(demo_zip, DEMO) != exe:
    fail("the two ZIPs hold different exes")
check_exe(exe)

text = open(os.path.join(source, "pack", USAGE), "rb").read()
if text.count(b"\n") != text.count(b"\r\n") or not text.endswith(b"\r\n"):
    fail(f"{USAGE}: not CR LF throughout")
text.decode("cp932")  # Shift_JIS throughout, or UnicodeDecodeError
for words in ["<親ウィンドウのハンドル>,<メッセージ番号>,<機能ID>,<出力先パス>", "Dorvik22ToZq13_U.env", "「許可する」",
              "終了コード"]:
    if words.encode("cp932") not in text:
        fail(f"{USAGE}: no {words} in Shift_JIS")

with zipfile.ZipFile(demo_zip) as z:
    z.extractall(work)
print(f"both ZIPs as expected; unpacked {demo_zip} into {work}")
