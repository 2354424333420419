"""Pictures beyond the button glyphs: toolbar strips, barcode samples,
application and document icons, and cursors built from a pointer and a badge."""
from .canvas import Canvas, BLACK, WHITE, GRAY, SILVER, RED, NAVY
from . import glyphs


def strip(names, width=16, height=15):
    """A toolbar bitmap: one button picture per name, side by side.
    A name "glyph:X" marks the glyph with the character X in its corner."""
    c = Canvas(width * len(names), height, SILVER)
    for i, name in enumerate(names):
        name, _, mark = name.partition(':')
        x = i * width + (width - 16) // 2
        glyphs.draw(c, name, x, (height - 15) // 2)
        if mark:
            c.fill(x + 10, height - 7, x + 14, height - 1, WHITE)
            c.text(x + 11, height - 6, mark, RED)
    return c


def barcode(seed, width=64, height=32, caption=None):
    """A sample barcode: guard bars, then bars whose widths follow the bytes of the seed."""
    c = Canvas(width, height, WHITE)
    x, bottom = 3, height - (8 if caption else 3)
    pattern = [1, 1, 1] + [1 + (b >> shift) % 3 for b in seed.encode() for shift in (0, 2)] + [1, 1, 1]
    for i, w in enumerate(pattern):
        if x + w >= width - 3:
            break
        if i % 2 == 0:
            c.fill(x, 2, x + w - 1, bottom, BLACK)
        x += w
    if caption:
        c.text(3, height - 6, caption[:(width - 4) // 4], BLACK)
    return c


def glyph_icon(name, size=32, background=None, frame=None):
    """A square icon showing a button picture enlarged, on an optional framed tile."""
    c = Canvas(size, size, None)
    if frame:
        c.rect(0, 0, size - 1, size - 1, BLACK, frame)
    small = Canvas(16, 16, None)
    glyphs.draw(small, name, 0, 0)
    big = small.scaled(size // 16)
    c.paste(big, 0, 0)
    return c


def document_icon(badge, size=32):
    """A document page with the picture of what it holds in its lower corner."""
    c = Canvas(size, size, None)
    s = size // 16
    c.polygon([(3 * s, 0), (10 * s, 0), (13 * s, 3 * s), (13 * s, size - 1), (3 * s, size - 1)], BLACK, WHITE)
    c.polygon([(10 * s, 0), (10 * s, 3 * s), (13 * s, 3 * s)], BLACK, SILVER)
    small = Canvas(16, 16, None)
    glyphs.draw(small, badge, 0, 0)
    c.paste(small.scaled(max(1, s // 2 + (s // 2 == 0))), size - 8 * s - 1 if s > 1 else 0, size - 8 * s if s > 1 else 0)
    return c


def _monochrome(canvas):
    out = Canvas(canvas.width, canvas.height, None)
    for y in range(canvas.height):
        for x in range(canvas.width):
            px = canvas.pixels[y][x]
            if px is not None and px != SILVER:
                bright = sum(px) / 3
                out.pixels[y][x] = WHITE if bright > 200 else BLACK
    return out


def _outline(canvas):
    """Puts a white rim round the black pixels, so the pointer shows on dark drawings too."""
    out = Canvas(canvas.width, canvas.height, None)
    for y in range(canvas.height):
        for x in range(canvas.width):
            if canvas.pixels[y][x] is not None:
                for dy in (-1, 0, 1):
                    for dx in (-1, 0, 1):
                        out.set(x + dx, y + dy, WHITE)
    out.paste(canvas, 0, 0)
    return out


POINTERS = {'arrow', 'cross', 'none'}


def cursor(pointer, badge=None, size=32):
    """A cursor: an arrow (hot spot at its tip) or a cross-hair (hot spot at its centre),
    with a small picture of the tool beside it. Returns (canvas, hot spot)."""
    c = Canvas(size, size, None)
    if pointer == 'arrow':
        pts = [(0, 0), (0, 15), (4, 11), (7, 17), (9, 16), (6, 10), (11, 10)]
        c.polygon(pts, BLACK, WHITE)
        hot = (0, 0)
    elif pointer == 'cross':
        m = 7
        c.line(m, 0, m, 14, BLACK)
        c.line(0, m, 14, m, BLACK)
        c = _outline(c)
        c.set(m, m, None)
        hot = (m, m)
    else:
        hot = (size // 2, size // 2)
    if badge:
        small = Canvas(16, 16, None)
        glyphs.draw(small, badge, 0, 0)
        mono = _monochrome(small)
        if pointer == 'none':
            c.paste(_outline(mono.scaled(size // 16)), 0, 0)
        else:
            c.paste(_outline(mono), size - 17, size - 17)
    return c, hot


def framed_text(width, height, lines, fill=WHITE, ink=NAVY, scale=1):
    c = Canvas(width, height, fill)
    c.rect(0, 0, width - 1, height - 1, GRAY)
    for i, line in enumerate(lines):
        c.text(4, 4 + i * 7 * scale, line, ink, scale)
    return c


def swatches(colors, size=12):
    c = Canvas(size * len(colors), size, WHITE)
    for i, col in enumerate(colors):
        c.rect(i * size, 0, i * size + size - 1, size - 1, BLACK, col)
    return c

