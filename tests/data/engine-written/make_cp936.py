#!/usr/bin/env python3
"""Makes V1997-cp936.mdb from V1997-test.mdb: the same Jet 3 file as a Chinese
installation of the engine would have saved it, its text in code page 936 (GBK).

The header's code page (in the RC4-hidden block) and the code page of Table1's
two text columns become 936; texts are replaced by GBK texts of the same byte
length, so that no row, offset or length changes:
  MSysObjects: the name Table1 -> 轴承表; Table2's column10 -> 轴承型号;
  Table1 row 2: abcdefg -> 轴承620, hijklmnop -> 深沟球620.
"""
import sys

PAGE = 2048
KEY = bytes([0xC7, 0xDA, 0x39, 0x6B])


def keystream(length):
    s = list(range(256))
    j = 0
    for i in range(256):
        j = (j + s[i] + KEY[i % len(KEY)]) & 0xFF
        s[i], s[j] = s[j], s[i]
    out = bytearray()
    a = j = 0
    for _ in range(length):
        a = (a + 1) & 0xFF
        j = (j + s[a]) & 0xFF
        s[a], s[j] = s[j], s[a]
        out.append(s[(s[a] + s[j]) & 0xFF])
    return out


def replace(image, page, offset, old, new):
    at = page * PAGE + offset
    assert image[at:at + len(old)] == old, (page, offset, old)
    assert len(new) == len(old)
    image[at:at + len(new)] = new


def main(source, target):
    image = bytearray(open(source, 'rb').read())
    assert image[0x14] == 0, 'not a Jet 3 file'
    stream = keystream(0x3E - 0x18)
    code_page = 936
    for i, byte in enumerate(code_page.to_bytes(2, 'little')):
        image[0x3C + i] = byte ^ stream[0x3C - 0x18 + i]
    # Table1's definition (page 29): two real indexes, then 18-byte column
    # entries whose bytes 11-12 hold a text column's code page.
    for column in (0, 1):
        replace(image, 29, 43 + 8 * 2 + 18 * column + 11, (1252).to_bytes(2, 'little'),
                code_page.to_bytes(2, 'little'))
    replace(image, 18, 921, b'Table1', '轴承表'.encode('gbk'))
    replace(image, 34, 1758, b'column10', '轴承型号'.encode('gbk'))
    replace(image, 31, 1986, b'abcdefg', '轴承620'.encode('gbk'))
    replace(image, 31, 1993, b'hijklmnop', '深沟球620'.encode('gbk'))
    open(target, 'wb').write(image)


if __name__ == '__main__':
    main(*sys.argv[1:3])
