"""Reads 8-bit PNG pictures (the kind Chromium and Qt write) and compares them
as a person would: judge() lets a glyph edge that two rasterisers shade a
pixel apart pass, and finds anything moved by a pixel or more."""

import os
import re
import struct
import zlib

import numpy


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


# A pixel's eight neighbours and itself, as (dx, dy).
NEIGHBOURHOOD = [(dx, dy) for dy in (-1, 0, 1) for dx in (-1, 0, 1)]
# judge() looks for things moved in squares of this size, grouped into runs
# of squares side by side that differ: a label, its glyphs and the room
# around them. A run counts as moved when the pictures line up this much
# better shifted by a pixel than in place: a moved label, border or sub menu
# lines up almost perfectly (measured 0.01 to 0.05 of the cost in place).
# Two rasterisers' edges of the same glyphs line up worse shifted than in
# place (above 1), and an engine that sets glyphs on whole pixels (WebKitGTK)
# moves some glyphs of a label and not the others (0.21 at least over every
# template, open and closed, desktop and phone).
SQUARE = 16
MOVED_RATIO = 0.12
# A square differs when its pixels differ in all by more than one channel of
# one pixel at full contrast; a run is judged when it differs by at least as
# much as six such pixels, less is a few pixels of edge shading.
SQUARE_FLOOR = 255 * 255
MOVED_FLOOR = 6 * 255 * 255
# A pixel differs in place when its channels' squared differences add up to
# more than one channel differing by 16.
PIXEL_FLOOR = 16 * 16


def as_array(picture):
    """The picture's pixels as a height x width x 3 array of ints."""
    w, h, rows = picture
    return numpy.frombuffer(b''.join(rows), dtype=numpy.uint8).reshape(h, w, 3).astype(numpy.int32)


def _moved(pixels, dx, dy):
    """pixels[y + dy, x + dx] at (x, y); the edge rows and columns repeated."""
    h, w = pixels.shape[:2]
    padded = numpy.pad(pixels, ((1, 1), (1, 1), (0, 0)), mode='edge')
    return padded[1 + dy:1 + dy + h, 1 + dx:1 + dx + w]


class Verdict:
    """What judge() found: `share` of the pixels agree (in place, or with a
    neighbour both ways: an edge shaded a pixel apart), `in_place` of them
    agree in place, and `moved` lists the runs of squares (x, y, width,
    height, (dx, dy), fit: the shifted cost against the cost in place) that
    line up clearly better when one picture is shifted by a pixel."""

    def __init__(self, share, in_place, moved):
        self.share, self.in_place, self.moved = share, in_place, moved

    def ok(self, min_match):
        return self.share >= min_match and not self.moved

    def __str__(self):
        text = '%.4f of the pixels agree (%.4f in place)' % (self.share, self.in_place)
        if self.moved:
            text += '; moved by a pixel: ' + ', '.join(
                '%dx%d at (%d, %d) by %r (fit %.2f)' % (w, h, x, y, shift, fit)
                for x, y, w, h, shift, fit in self.moved[:6])
            if len(self.moved) > 6:
                text += ' and %d more' % (len(self.moved) - 6)
        return text


def judge(a, b, tolerance, outside=(), across=True, moved_ratio=MOVED_RATIO, least_run=0):
    """Compares two pictures of the same size. A pixel agrees when no channel
    differs by more than `tolerance` from the other picture's pixel at the
    same place, or, for an edge that the two shade a pixel apart, when each
    picture's pixel is found within `tolerance` among the other's pixel and
    its eight neighbours. Alone that would also let a whole label moved by a
    pixel pass, so each square of SQUARE pixels is also lined up with the
    other picture shifted by one pixel each way: where a shift fits clearly
    better than none, something was drawn a pixel out of place. Pixels in
    the boxes `outside` (x, y, width, height) are left out. With `across`
    false, runs that fit better shifted sideways only are not counted (for
    an engine that sets each glyph on a whole pixel, which places a short
    label a pixel left or right of the picture's fractional place). A run
    counts as moved when its shifted cost is under `moved_ratio` of its
    cost in place, and is at least `least_run` pixels wide."""
    (wa, ha, _), (wb, hb, _) = a, b
    if (wa, ha) != (wb, hb):
        raise AssertionError('sizes differ: %dx%d and %dx%d' % (wa, ha, wb, hb))
    pa, pb = as_array(a), as_array(b)
    counted = numpy.ones((ha, wa), dtype=bool)
    for x, y, w, h in outside:
        counted[max(y, 0):max(y + h, 0), max(x, 0):max(x + w, 0)] = False

    def close(p, q):
        return (numpy.abs(p - q) <= tolerance).all(axis=2)
    same = close(pa, pb)
    a_in_b = numpy.zeros_like(same)
    b_in_a = numpy.zeros_like(same)
    misfit = {}
    for dx, dy in NEIGHBOURHOOD:
        moved_b = _moved(pb, dx, dy)
        a_in_b |= close(pa, moved_b)
        b_in_a |= close(pb, _moved(pa, dx, dy))
        misfit[(dx, dy)] = ((pa - moved_b) ** 2).sum(axis=2)
    # Only where the pictures differ in place is a shift asked to fit
    # better: what agrees in place (a border beside a label) would misfit
    # under any shift and hide a label that moved.
    differs = counted & (misfit[(0, 0)] > PIXEL_FLOOR)
    for shift in misfit:
        misfit[shift] = numpy.where(differs, misfit[shift], 0)
    agree = same | (a_in_b & b_in_a)
    total = int(counted.sum())
    share = float((agree & counted).sum()) / total if total else 1.0
    in_place = float((same & counted).sum()) / total if total else 1.0

    moved = []
    for y in range(0, ha, SQUARE):
        run = []
        for x in list(range(0, wa, SQUARE)) + [None]:
            cost = None if x is None else {s: int(m[y:y + SQUARE, x:x + SQUARE].sum()) for s, m in misfit.items()}
            if cost is not None and cost[(0, 0)] >= SQUARE_FLOOR:
                run.append((x, cost))
                continue
            if run:
                total = {s: sum(c[s] for _, c in run) for s in misfit}
                here = total[(0, 0)]
                shift = min((s for s in total if s != (0, 0)), key=lambda s: total[s])
                x0 = run[0][0]
                wide = min(run[-1][0] + SQUARE, wa) - x0 >= least_run
                if here >= MOVED_FLOOR and total[shift] < moved_ratio * here and (across or shift[1]) and wide:
                    moved.append((x0, y, min(run[-1][0] + SQUARE, wa) - x0, min(SQUARE, ha - y), shift,
                                  total[shift] / here))
            run = []
    return Verdict(share, in_place, moved)


def check(test, what, shot, ref, tolerance, min_match, outside=(), across=True, moved_ratio=MOVED_RATIO,
          least_run=0):
    """Judges a page's shot against its picture for a unittest case: prints
    the verdict, fails when too few pixels agree or something moved."""
    verdict = judge(shot, ref, tolerance, outside, across, moved_ratio, least_run)
    print('%s: %s' % (what, verdict))
    keep = os.environ.get('VANTREL_KEEP_PICTURES')
    if keep:  # both pictures of every comparison, to look at
        name = re.sub(r'[^A-Za-z0-9]+', '-', what).strip('-')
        for kind, picture in (('page', shot), ('picture', ref)):
            w, h, rows = picture
            write_png(os.path.join(keep, '%s.%s.png' % (name, kind)), w, h,
                      lambda x, y: rows[y][3 * x:3 * x + 3])
    test.assertGreaterEqual(verdict.share, min_match, '%s: %s' % (what, verdict))
    test.assertFalse(verdict.moved, '%s: %s' % (what, verdict))
    return verdict


def move_box(picture, box, dx, dy):
    """The picture with what lies in `box` (x, y, width, height) drawn `dx`,
    `dy` pixels away; the strip it leaves keeps what it showed."""
    w, h, rows = picture
    x, y, bw, bh = box
    out = [bytearray(row) for row in rows]
    for ty in range(max(y + dy, 0), min(y + dy + bh, h)):
        x0, x1 = max(x + dx, 0), min(x + dx + bw, w)
        out[ty][3 * x0:3 * x1] = rows[ty - dy][3 * (x0 - dx):3 * (x1 - dx)]
    return w, h, [bytes(row) for row in out]


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
