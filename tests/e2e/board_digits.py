"""Compares the lit LED digits of two board pictures field by field, whatever the size of each picture.

Usage: board_digits.py A.ppm B.ppm  -> prints one distance a field and the largest; 0 means the same picture.
Each field is the lit pixels of one colour in one part of the board, cut to their bounding box and sampled on a
fixed grid, so a board drawn at another size or shape gives the same samples."""
import sys

BACK = (64, 64, 64)
RED, ORANGE, GREEN = (255, 0, 0), (255, 128, 0), (0, 192, 0)
# name, colour, part of the board as fractions (x0, y0, x1, y1)
FIELDS = [
    ("clock", RED, (0.0, 0.0, 1.0, 0.3)),
    ("home", ORANGE, (0.0, 0.0, 0.5, 1.0)),
    ("visitor", ORANGE, (0.5, 0.0, 1.0, 1.0)),
    ("period", GREEN, (0.0, 0.0, 1.0, 1.0)),
    ("home penalties", RED, (0.0, 0.3, 0.5, 1.0)),
    ("visitor penalties", RED, (0.5, 0.3, 1.0, 1.0)),
]
GW, GH, TOL = 12, 8, 70


def read_ppm(path):
    data = open(path, "rb").read()
    fields, i = [], 0
    while len(fields) < 4:
        while data[i:i + 1].isspace():
            i += 1
        j = i
        while not data[j:j + 1].isspace():
            j += 1
        fields.append(data[i:j])
        i = j
    w, h = int(fields[1]), int(fields[2])
    return w, h, data[i + 1:i + 1 + w * h * 3]


def near(px, o, c):
    return abs(px[o] - c[0]) <= TOL and abs(px[o + 1] - c[1]) <= TOL and abs(px[o + 2] - c[2]) <= TOL


def board_box(w, h, px):
    x0, y0, x1, y1 = w, h, -1, -1
    for y in range(0, h):
        base = y * w * 3
        for x in range(0, w, 2):
            o = base + x * 3
            if px[o] == BACK[0] and px[o + 1] == BACK[1] and px[o + 2] == BACK[2]:
                x0, x1, y0, y1 = min(x0, x), max(x1, x), min(y0, y), max(y1, y)
    return x0, y0, x1 + 1, y1 + 1


def samples(path):
    w, h, px = read_ppm(path)
    bx0, by0, bx1, by1 = board_box(w, h, px)
    bw, bh = bx1 - bx0, by1 - by0
    out = {}
    for name, colour, (f0, g0, f1, g1) in FIELDS:
        xa, xb = bx0 + int(f0 * bw), bx0 + int(f1 * bw)
        ya, yb = by0 + int(g0 * bh), by0 + int(g1 * bh)
        lit = []
        for y in range(ya, yb):
            base = y * w * 3
            for x in range(xa, xb):
                if near(px, base + x * 3, colour):
                    lit.append((x, y))
        if not lit:
            out[name] = None
            continue
        lx0 = min(p[0] for p in lit); lx1 = max(p[0] for p in lit) + 1
        ly0 = min(p[1] for p in lit); ly1 = max(p[1] for p in lit) + 1
        grid = [0.0] * (GW * GH)
        cw, ch = (lx1 - lx0) / GW, (ly1 - ly0) / GH
        for (x, y) in lit:
            grid[min(GH - 1, int((y - ly0) / ch)) * GW + min(GW - 1, int((x - lx0) / cw))] += 1
        area = cw * ch
        out[name] = [v / area for v in grid]
    return out


def distance(a, b):
    if a is None or b is None:
        return 0.0 if a is b else 1.0
    return sum(abs(x - y) for x, y in zip(a, b)) / len(a)


if __name__ == "__main__":
    sa, sb = samples(sys.argv[1]), samples(sys.argv[2])
    worst = 0.0
    for name, _, _ in FIELDS:
        d = distance(sa[name], sb[name])
        worst = max(worst, d)
        print("%s %.3f" % (name.replace(" ", "_"), d))
    print("worst %.3f" % worst)
