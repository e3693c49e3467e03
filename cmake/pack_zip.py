#!/usr/bin/env python3
"""Zips a staged folder into one archive whose bytes depend only on the files' contents.

    pack_zip.py STAGE_DIR OUTPUT EPOCH

Entries are the regular files under STAGE_DIR by their relative paths, in byte order of the
paths, without folder entries. Every entry carries the time EPOCH (seconds since 1970, UTC;
the build's SOURCE_DATE_EPOCH), mode 0644 and no extra fields, so neither the files' own
times, owners and permissions nor the order the file system lists them in reach the archive.
"""

import os
import sys
import time
import zipfile

# The earliest time a ZIP entry can hold.
ZIP_EPOCH = 315532800


def main(argv):
    if len(argv) != 4:
        sys.stderr.write(__doc__)
        return 2
    stage, output, epoch = argv[1], argv[2], int(argv[3])
    stamp = time.gmtime(max(epoch, ZIP_EPOCH))[:6]
    paths = []
    for root, _dirs, files in os.walk(stage):
        for name in files:
            full = os.path.join(root, name)
            paths.append(os.path.relpath(full, stage).replace(os.sep, "/"))
    paths.sort(key=lambda p: p.encode("utf-8"))
    partial = output + ".part"
    with zipfile.ZipFile(partial, "w") as archive:
        for path in paths:
            entry = zipfile.ZipInfo(path, date_time=stamp)
            entry.compress_type = zipfile.ZIP_DEFLATED
            entry.create_system = 3  # Unix, so the mode below is read as one
            entry.external_attr = 0o100644 << 16
            with open(os.path.join(stage, path), "rb") as source:
                archive.writestr(entry, source.read())
    os.replace(partial, output)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
