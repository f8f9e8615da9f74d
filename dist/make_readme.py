#!/usr/bin/env python3
"""Writes a release read-me in the encoding it ships in.

Usage: make_readme.py SOURCE OUTPUT ENCODING VERSION
SOURCE is UTF-8 text with @VERSION@ where the version goes; OUTPUT gets
Windows line ends (CRLF) and ENCODING: 'cp932' (Shift-JIS as Windows reads
it) or 'utf-8-sig' (UTF-8 with a byte-order mark). A character that the
encoding cannot hold stops the build rather than shipping a '?'.
"""
import sys


def main():
    if len(sys.argv) != 5:
        sys.exit(__doc__)
    source, output, encoding, version = sys.argv[1:]
    with open(source, encoding='utf-8') as f:
        text = f.read().replace('@VERSION@', version)
    lines = text.splitlines()
    data = ''.join(line + '\r\n' for line in lines).encode(encoding, errors='strict')
    with open(output, 'wb') as f:
        f.write(data)


if __name__ == '__main__':
    main()
