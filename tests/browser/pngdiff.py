"""Reads 8-bit PNG pictures (the kind Chromium and Qt write) and compares them."""

import struct
import zlib


def read_png(data):
    """Returns (width, height, rows) with rows a list of bytes objects of RGB pixels."""
    if data[:8] != b'\x89PNG\r\n\x1a\n':
        raise ValueError('not a PNG picture')
    pos, idat, width = 8, [], None
    while pos < len(data):
        length, kind = struct.unpack('>I4s', data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        pos += 12 + length
        if kind == b'IHDR':
            width, height, depth, colour, _, _, interlace = struct.unpack('>IIBBBBB', body)
            if depth != 8 or colour not in (2, 6) or interlace:
                raise ValueError('unsupported PNG layout')
            channels = 3 if colour == 2 else 4
        elif kind == b'IDAT':
            idat.append(body)
        elif kind == b'IEND':
            break
    raw = zlib.decompress(b''.join(idat))
    stride = width * channels
    rows, prev = [], bytearray(stride)
    for y in range(height):
        start = y * (stride + 1)
        kind, line = raw[start], bytearray(raw[start + 1:start + 1 + stride])
        for i in range(stride):
            a = line[i - channels] if i >= channels else 0
            b = prev[i]
            c = prev[i - channels] if i >= channels else 0
            if kind == 1:
                line[i] = (line[i] + a) & 255
            elif kind == 2:
                line[i] = (line[i] + b) & 255
            elif kind == 3:
                line[i] = (line[i] + ((a + b) >> 1)) & 255
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        prev = line
        if channels == 4:
            rgb = bytearray(width * 3)
            rgb[0::3], rgb[1::3], rgb[2::3] = line[0::4], line[1::4], line[2::4]
            rows.append(bytes(rgb))
        else:
            rows.append(bytes(line))
    return width, height, rows


def match_ratio(a, b, tolerance, outside=()):
    """Share of pixels whose channels all differ by at most `tolerance`; the
    pictures must have the same size. Pixels in the boxes `outside` (x, y,
    width, height) are left out of the count."""
    (wa, ha, ra), (wb, hb, rb) = a, b
    if (wa, ha) != (wb, hb):
        raise AssertionError('sizes differ: %dx%d and %dx%d' % (wa, ha, wb, hb))
    same = counted = 0
    for y, (row_a, row_b) in enumerate(zip(ra, rb)):
        skipped = [(bx, bx + bw) for bx, by, bw, bh in outside if by <= y < by + bh]
        for x in range(0, len(row_a), 3):
            if skipped and any(x0 <= x // 3 < x1 for x0, x1 in skipped):
                continue
            counted += 1
            if (abs(row_a[x] - row_b[x]) <= tolerance and abs(row_a[x + 1] - row_b[x + 1]) <= tolerance
                    and abs(row_a[x + 2] - row_b[x + 2]) <= tolerance):
                same += 1
    return same / float(counted) if counted else 1.0


def crop(picture, x, y, width, height):
    """The part of the picture in the box; the box must lie inside it."""
    w, h, rows = picture
    if x < 0 or y < 0 or x + width > w or y + height > h:
        raise AssertionError('box %r lies outside the %dx%d picture' % ((x, y, width, height), w, h))
    return width, height, [row[3 * x:3 * (x + width)] for row in rows[y:y + height]]


def pixel(picture, x, y):
    row = picture[2][y]
    return tuple(row[3 * x:3 * x + 3])


def write_png(path, width, height, colour_at):
    """Writes an RGB picture whose pixel (x, y) is colour_at(x, y)."""
    raw = b''.join(b'\0' + bytes(c for x in range(width) for c in colour_at(x, y)) for y in range(height))

    def chunk(kind, body):
        return struct.pack('>I', len(body)) + kind + body + struct.pack('>I', zlib.crc32(kind + body) & 0xffffffff)
    with open(path, 'wb') as f:
        f.write(b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', width, height, 8, 2, 0, 0, 0))
                + chunk(b'IDAT', zlib.compress(raw)) + chunk(b'IEND', b''))
