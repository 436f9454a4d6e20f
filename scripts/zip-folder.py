#!/usr/bin/python3
"""Packs a folder into a zip that is the same to the byte on every run:
entries sorted by name, every time SOURCE_DATE_EPOCH (or 1980-01-01, the
first time a zip can hold), the same permissions for every file.

    scripts/zip-folder.py FOLDER ARCHIVE.zip [TOP]

TOP, when given, is the folder name the entries are put under."""
import os
import sys
import time
import zipfile

ZIP_EPOCH = 315532800  # 1980-01-01 00:00:00 UTC


def main():
    if len(sys.argv) not in (3, 4):
        sys.exit(__doc__)
    folder, archive = sys.argv[1], sys.argv[2]
    top = sys.argv[3] if len(sys.argv) == 4 else ""
    stamp = max(int(os.environ.get("SOURCE_DATE_EPOCH", ZIP_EPOCH)), ZIP_EPOCH)
    date_time = time.gmtime(stamp)[:6]
    names = []
    for root, dirs, files in os.walk(folder):
        dirs.sort()
        for name in files:
            names.append(os.path.relpath(os.path.join(root, name), folder))
    names.sort()
    if not names:
        sys.exit(f"zip-folder: {folder} holds no files")
    with zipfile.ZipFile(archive + ".part", "w", zipfile.ZIP_DEFLATED, compresslevel=9) as out:
        for name in names:
            entry = zipfile.ZipInfo(os.path.join(top, name).replace(os.sep, "/"), date_time)
            entry.compress_type = zipfile.ZIP_DEFLATED
            entry.create_system = 3  # Unix, so that the permissions below are read
            executable = os.access(os.path.join(folder, name), os.X_OK)
            entry.external_attr = (0o100755 if executable else 0o100644) << 16
            with open(os.path.join(folder, name), "rb") as data:
                out.writestr(entry, data.read(), compresslevel=9)
    os.replace(archive + ".part", archive)


if __name__ == "__main__":
    main()
