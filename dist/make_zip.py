#!/usr/bin/env python3
"""Writes a release zip whose bytes depend only on the files put in it.

Usage: make_zip.py ZIP TIMESTAMP TOP_FOLDER FILE...
Every FILE goes into TOP_FOLDER/ inside ZIP under its own name, in the order
given, compressed, with the modification time TIMESTAMP (seconds since 1970,
taken from the commit) and the same attributes for every entry, so that two
builds of one commit give byte-identical zips.
"""
import os
import sys
import time
import zipfile


def main():
    if len(sys.argv) < 5:
        sys.exit(__doc__)
    zip_path, timestamp, top = sys.argv[1], int(sys.argv[2]), sys.argv[3]
    # Zip times are local times without a zone: use UTC so the machine's zone
    # does not change the bytes. The format starts in 1980.
    date_time = time.gmtime(max(timestamp, 315532800))[:6]
    with zipfile.ZipFile(zip_path + '.part', 'w') as archive:
        for path in sys.argv[4:]:
            entry = zipfile.ZipInfo('%s/%s' % (top, os.path.basename(path)), date_time)
            entry.compress_type = zipfile.ZIP_DEFLATED
            entry.create_system = 0  # MS-DOS attributes, as a Windows zip has
            entry.external_attr = 0x20  # "archive", nothing else
            with open(path, 'rb') as f:
                archive.writestr(entry, f.read(), compresslevel=9)
    os.replace(zip_path + '.part', zip_path)


if __name__ == '__main__':
    main()
