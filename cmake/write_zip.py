"""Writes a ZIP whose bytes depend only on the files' contents and names.

Usage: write_zip.py OUT.zip FOLDER EPOCH NAME=SOURCE...

Every entry goes into FOLDER/, in the order given, each folder's entry before
its first file. All entries carry EPOCH as their DOS time, read as UTC (the
format has no time zone and counts seconds in twos), fixed permissions and no
extra fields, which would carry the build machine's owner and access times.
Names outside ASCII are stored in UTF-8 with the flag that says so.
"""

import sys
import time
import zipfile


def entry(name, epoch, mode):
    info = zipfile.ZipInfo(name, time.gmtime(epoch)[:6])
    info.create_system = 3  # Unix, so that the permissions below are read
    info.external_attr = mode << 16
    if name.endswith("/"):
        info.external_attr |= 0x10  # MS-DOS directory
    else:
        info.compress_type = zipfile.ZIP_DEFLATED
    return info


def main(out, folder, epoch, pairs):
    epoch = int(epoch)
    with zipfile.ZipFile(out, "w") as z:
        folders = set()
        for pair in pairs:
            name, source = pair.split("=", 1)
            path = folder + "/" + name
            parent = path.rsplit("/", 1)[0] + "/"
            parts = parent.split("/")[:-1]
            for depth in range(1, len(parts) + 1):
                sub = "/".join(parts[:depth]) + "/"
                if sub not in folders:
                    folders.add(sub)
                    z.writestr(entry(sub, epoch, 0o40755), b"")
            mode = 0o100755 if name.endswith(".exe") else 0o100644
            with open(source, "rb") as f:
                z.writestr(entry(path, epoch, mode), f.read(), compresslevel=9)


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2], sys.argv[3], sys.argv[4:])
