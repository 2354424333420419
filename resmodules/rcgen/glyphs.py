"""Button pictures, 16 by 15 pixels, drawn at (x, y) on a canvas.

Toolbar bitmaps, cursor badges and icons are made from these, so that a
command looks the same wherever it appears."""
from .canvas import BLACK, WHITE, GRAY, SILVER, RED, GREEN, BLUE, NAVY, YELLOW, ORANGE, PURPLE, BROWN, SKY


def _page(c, x, y, fill=WHITE):
    c.polygon([(x + 3, y + 1), (x + 10, y + 1), (x + 13, y + 4), (x + 13, y + 14), (x + 3, y + 14)], BLACK, fill)
    c.line(x + 10, y + 1, x + 10, y + 4, BLACK)
    c.line(x + 10, y + 4, x + 13, y + 4, BLACK)


def _arrow(c, x, y, fill=WHITE):
    c.polygon([(x + 4, y + 1), (x + 4, y + 13), (x + 7, y + 10), (x + 10, y + 14), (x + 11, y + 13),
               (x + 9, y + 9), (x + 13, y + 9)], BLACK, fill)


def _magnifier(c, x, y, sign):
    c.ellipse(x + 1, y + 1, x + 10, y + 10, BLACK, WHITE)
    c.line(x + 9, y + 9, x + 14, y + 14, BROWN)
    c.line(x + 10, y + 9, x + 14, y + 13, BROWN)
    if sign:
        c.line(x + 4, y + 5, x + 7, y + 5, BLACK)
        if sign == '+':
            c.line(x + 5, y + 4, x + 5, y + 7, BLACK)
            c.line(x + 6, y + 4, x + 6, y + 7, BLACK)
            c.line(x + 4, y + 6, x + 7, y + 6, BLACK)


def _bars(c, x, y, heights, colors):
    for i, (h, col) in enumerate(zip(heights, colors)):
        c.fill(x + 2 + i * 4, y + 14 - h, x + 4 + i * 4, y + 14, col)


def _align(c, x, y, side):
    if side in 'lcr':
        ref = {'l': x + 1, 'c': x + 7, 'r': x + 14}[side]
        c.line(ref, y, ref, y + 14, BLACK)
        for top, width, col in ((2, 9, BLUE), (8, 6, RED)):
            left = {'l': x + 2, 'c': x + 8 - width // 2, 'r': x + 14 - width}[side]
            c.rect(left, y + top, left + width - 1, y + top + 4, BLACK, col)
    else:
        ref = {'t': y + 1, 'm': y + 7, 'b': y + 14}[side]
        c.line(x, ref, x + 15, ref, BLACK)
        for left, height, col in ((2, 10, BLUE), (9, 6, RED)):
            top = {'t': y + 2, 'm': y + 8 - height // 2, 'b': y + 14 - height}[side]
            c.rect(x + left, top, x + left + 4, top + height - 1, BLACK, col)


def _order(c, x, y, front):
    back, top = ((x + 6, y + 6, BLUE), (x + 1, y + 1, RED)) if front else ((x + 1, y + 1, BLUE), (x + 6, y + 6, RED))
    c.rect(back[0], back[1], back[0] + 8, back[1] + 7, BLACK, back[2])
    c.rect(top[0], top[1], top[0] + 8, top[1] + 7, BLACK, top[2])


def _text_lines(c, x, y, side):
    for i, width in enumerate((12, 8, 12, 6)):
        left = {'l': x + 2, 'c': x + 8 - width // 2, 'r': x + 14 - width}[side]
        c.line(left, y + 3 + i * 3, left + width - 1, y + 3 + i * 3, BLACK)


def _star(c, x, y, fill=YELLOW):
    c.polygon([(x + 7, y + 0), (x + 9, y + 5), (x + 14, y + 5), (x + 10, y + 8), (x + 12, y + 14),
               (x + 7, y + 10), (x + 2, y + 14), (x + 4, y + 8), (x + 0, y + 5), (x + 5, y + 5)], BLACK, fill)


def _bucket(c, x, y):
    c.polygon([(x + 2, y + 6), (x + 7, y + 1), (x + 12, y + 6), (x + 7, y + 11)], BLACK, SILVER)
    c.fill(x + 12, y + 7, x + 13, y + 12, BLUE)


def _pen_nib(c, x, y):
    c.polygon([(x + 11, y + 1), (x + 14, y + 4), (x + 5, y + 13), (x + 1, y + 14), (x + 2, y + 10)], BLACK, YELLOW)
    c.line(x + 2, y + 10, x + 5, y + 13, BLACK)


def _barcode(c, x, y):
    for i, w in enumerate((1, 0, 1, 1, 0, 1, 0, 0, 1, 1, 0, 1, 0, 1)):
        c.line(x + 1 + i, y + 2, x + 1 + i, y + 11, BLACK if (i % 2 == 0 or w) else WHITE)
    c.line(x + 1, y + 13, x + 14, y + 13, GRAY)


def _shapes(c, x, y, kind, fill=None):
    if kind == 'rect':
        c.rect(x + 1, y + 3, x + 14, y + 12, BLACK, fill)
    elif kind == 'ellipse':
        c.ellipse(x + 1, y + 2, x + 14, y + 13, BLACK, fill)
    elif kind == 'polygon':
        c.polygon([(x + 7, y + 1), (x + 14, y + 6), (x + 11, y + 14), (x + 3, y + 14), (x + 0, y + 6)], BLACK, fill)


def _table(c, x, y):
    c.rect(x + 1, y + 2, x + 14, y + 13, BLACK, WHITE)
    for gx in (x + 5, x + 10):
        c.line(gx, y + 2, gx, y + 13, BLACK)
    for gy in (y + 6, y + 9):
        c.line(x + 1, gy, x + 14, gy, BLACK)
    c.fill(x + 2, y + 3, x + 13, y + 5, SKY)


def _arrows_round(c, x, y, clockwise):
    c.ellipse(x + 2, y + 2, x + 13, y + 13, NAVY)
    c.fill(x + 6, y + 9, x + 9, y + 14, None)
    tip = (x + 5, y + 12) if clockwise else (x + 10, y + 12)
    c.polygon([tip, (tip[0] - 3 if clockwise else tip[0] + 3, tip[1] - 3), (tip[0], tip[1] - 4)], NAVY, NAVY)


def _scissors(c, x, y):
    c.line(x + 4, y + 1, x + 10, y + 9, BLACK)
    c.line(x + 11, y + 1, x + 5, y + 9, BLACK)
    c.ellipse(x + 2, y + 9, x + 6, y + 13, NAVY)
    c.ellipse(x + 9, y + 9, x + 13, y + 13, NAVY)


def _two_pages(c, x, y):
    c.rect(x + 1, y + 1, x + 8, y + 10, BLACK, WHITE)
    c.rect(x + 6, y + 4, x + 14, y + 14, BLACK, WHITE)
    for i in range(3):
        c.line(x + 8, y + 7 + 2 * i, x + 12, y + 7 + 2 * i, NAVY)


def _clipboard(c, x, y):
    c.rect(x + 1, y + 2, x + 10, y + 14, BLACK, BROWN)
    c.rect(x + 4, y + 1, x + 7, y + 3, BLACK, SILVER)
    c.rect(x + 6, y + 6, x + 14, y + 14, BLACK, WHITE)


def _floppy(c, x, y):
    c.rect(x + 1, y + 1, x + 14, y + 14, BLACK, NAVY)
    c.rect(x + 4, y + 1, x + 11, y + 6, BLACK, WHITE)
    c.rect(x + 4, y + 9, x + 11, y + 14, BLACK, SILVER)


def _folder(c, x, y):
    c.polygon([(x + 1, y + 3), (x + 5, y + 3), (x + 6, y + 5), (x + 13, y + 5), (x + 13, y + 13), (x + 1, y + 13)],
              BLACK, YELLOW)
    c.polygon([(x + 3, y + 8), (x + 15, y + 8), (x + 13, y + 13), (x + 1, y + 13)], BLACK, ORANGE)


def _printer(c, x, y):
    c.rect(x + 4, y + 1, x + 11, y + 6, BLACK, WHITE)
    c.rect(x + 1, y + 6, x + 14, y + 11, BLACK, SILVER)
    c.rect(x + 4, y + 10, x + 11, y + 14, BLACK, WHITE)
    c.set(x + 12, y + 8, GREEN)


def _letter(c, x, y, letter, color=BLACK, scale=2):
    c.text(x + 8 - 3 * scale // 2 - (1 if scale == 2 else 0), y + 8 - 5 * scale // 2, letter, color, scale)


def _layers(c, x, y):
    for i, col in enumerate((BLUE, GREEN, RED)):
        c.polygon([(x + 1, y + 4 + i * 3), (x + 8, y + 1 + i * 3), (x + 14, y + 4 + i * 3), (x + 8, y + 7 + i * 3)],
                  BLACK, col)


def _group(c, x, y, joined):
    c.rect(x + 1, y + 1, x + 7, y + 7, BLACK, BLUE)
    c.ellipse(x + 7, y + 7, x + 14, y + 14, BLACK, RED)
    if joined:
        for i in range(0, 16, 3):
            c.set(x + i, y, BLACK)
            c.set(x + i, y + 14, BLACK)
            c.set(x, y + i, BLACK)
            c.set(x + 15, y + i, BLACK)
    else:
        c.line(x + 9, y + 2, x + 13, y + 6, BLACK)
        c.line(x + 13, y + 2, x + 9, y + 6, BLACK)


def _mirror(c, x, y, horizontal):
    if horizontal:
        c.line(x + 7, y, x + 7, y + 14, GRAY)
        c.polygon([(x + 1, y + 12), (x + 6, y + 3), (x + 6, y + 12)], BLACK, BLUE)
        c.polygon([(x + 9, y + 12), (x + 9, y + 3), (x + 14, y + 12)], BLACK, WHITE)
    else:
        c.line(x, y + 7, x + 15, y + 7, GRAY)
        c.polygon([(x + 3, y + 1), (x + 12, y + 6), (x + 3, y + 6)], BLACK, BLUE)
        c.polygon([(x + 3, y + 8), (x + 12, y + 8), (x + 3, y + 13)], BLACK, WHITE)


def _shape_tool(c, x, y):
    c.line(x + 1, y + 12, x + 14, y + 3, BLACK)
    for px, py in ((x + 1, y + 12), (x + 7, y + 8), (x + 14, y + 3)):
        c.rect(px - 1, py - 1, px + 1, py + 1, BLACK, WHITE)


def _curve(c, x, y):
    pts = [(1, 12), (3, 7), (6, 4), (9, 5), (11, 9), (14, 3)]
    for (ax, ay), (bx, by) in zip(pts, pts[1:]):
        c.line(x + ax, y + ay, x + bx, y + by, BLACK)


def _spiral(c, x, y):
    c.ellipse(x + 1, y + 1, x + 14, y + 14, BLACK)
    c.ellipse(x + 4, y + 4, x + 11, y + 11, BLACK)
    c.ellipse(x + 7, y + 7, x + 8, y + 8, BLACK)
    c.fill(x + 8, y + 1, x + 14, y + 6, None)


def _gradient(c, x, y):
    for i in range(14):
        shade = 255 - i * 18
        c.line(x + 1 + i, y + 2, x + 1 + i, y + 13, (shade, shade, 255))
    c.rect(x + 1, y + 2, x + 14, y + 13, BLACK)


def _eyedropper(c, x, y):
    c.line(x + 2, y + 13, x + 9, y + 6, BLACK)
    c.line(x + 3, y + 13, x + 10, y + 6, GRAY)
    c.rect(x + 9, y + 2, x + 13, y + 6, BLACK, BLUE)


def _hand(c, x, y):
    c.polygon([(x + 3, y + 7), (x + 5, y + 2), (x + 7, y + 6), (x + 8, y + 1), (x + 10, y + 6), (x + 12, y + 3),
               (x + 13, y + 8), (x + 11, y + 14), (x + 5, y + 14)], BLACK, (255, 224, 192))


def _shadow(c, x, y):
    c.fill(x + 4, y + 4, x + 14, y + 13, GRAY)
    c.rect(x + 1, y + 1, x + 11, y + 10, BLACK, SKY)


def _transparency(c, x, y):
    for i in range(7):
        for j in range(7):
            c.fill(x + 1 + i * 2, y + 1 + j * 2, x + 2 + i * 2, y + 2 + j * 2, SILVER if (i + j) % 2 else WHITE)
    c.rect(x + 4, y + 4, x + 11, y + 11, BLACK, (160, 160, 255))


def _blend(c, x, y):
    for i, col in enumerate(((0, 0, 255), (64, 0, 192), (128, 0, 128), (192, 0, 64), (255, 0, 0))):
        c.ellipse(x + i * 2 + 1, y + 3 + i, x + i * 2 + 6, y + 8 + i, BLACK, col)


def _knife(c, x, y):
    c.polygon([(x + 1, y + 14), (x + 10, y + 5), (x + 12, y + 7), (x + 3, y + 14)], BLACK, SILVER)
    c.rect(x + 10, y + 1, x + 14, y + 5, BLACK, BROWN)


def _eraser(c, x, y):
    c.polygon([(x + 1, y + 10), (x + 8, y + 3), (x + 14, y + 8), (x + 7, y + 14)], BLACK, (255, 160, 192))
    c.line(x + 4, y + 7, x + 10, y + 12, BLACK)


def _page_marks(c, x, y):
    c.rect(x + 3, y + 3, x + 12, y + 12, BLACK, WHITE)
    for px, py in ((0, 3), (0, 12), (13, 3), (13, 12)):
        c.line(x + px, y + py, x + px + 2, y + py, BLACK)
    for px, py in ((3, 0), (12, 0), (3, 13), (12, 13)):
        c.line(x + px, y + py, x + px, y + py + 1, BLACK)


def _grid(c, x, y):
    for i in range(1, 15, 3):
        for j in range(1, 15, 3):
            c.set(x + i, y + j, BLACK)


def _guides(c, x, y):
    c.line(x, y + 5, x + 15, y + 5, BLUE)
    c.line(x + 9, y, x + 9, y + 14, BLUE)
    c.rect(x + 2, y + 7, x + 7, y + 12, BLACK, WHITE)


def _palette(c, x, y):
    c.ellipse(x + 1, y + 1, x + 14, y + 13, BLACK, (230, 200, 150))
    for px, py, col in ((4, 4, RED), (8, 3, BLUE), (11, 6, GREEN), (5, 8, YELLOW)):
        c.fill(x + px, y + py, x + px + 1, y + py + 1, col)


def _scanner(c, x, y):
    c.rect(x + 1, y + 6, x + 14, y + 12, BLACK, SILVER)
    c.polygon([(x + 1, y + 6), (x + 4, y + 2), (x + 14, y + 2), (x + 14, y + 6)], BLACK, SKY)
    c.line(x + 3, y + 9, x + 12, y + 9, GREEN)


def _bulb(c, x, y):
    c.ellipse(x + 3, y + 1, x + 12, y + 10, BLACK, YELLOW)
    c.rect(x + 5, y + 10, x + 10, y + 14, BLACK, SILVER)


def _help(c, x, y):
    _arrow(c, x - 2, y)
    c.text(x + 10, y + 2, '?', NAVY)


def _lock(c, x, y):
    c.rect(x + 4, y + 2, x + 11, y + 9, BLACK)
    c.rect(x + 2, y + 7, x + 13, y + 14, BLACK, YELLOW)


def _copies(c, x, y):
    for i in range(3):
        c.rect(x + 1 + i * 4, y + 1 + i * 4, x + 6 + i * 4, y + 6 + i * 4, BLACK, (96 + 60 * i, 96, 255 - 60 * i))


def _weld(c, x, y, mode):
    c.ellipse(x + 1, y + 3, x + 10, y + 12, BLACK, BLUE if mode != 'trim' else WHITE)
    c.rect(x + 6, y + 1, x + 14, y + 9, BLACK, RED if mode != 'intersect' else None)
    if mode == 'intersect':
        c.fill(x + 7, y + 4, x + 9, y + 8, PURPLE)


def _view(c, x, y):
    c.ellipse(x + 1, y + 4, x + 14, y + 11, BLACK, WHITE)
    c.ellipse(x + 5, y + 5, x + 10, y + 10, BLACK, NAVY)


def _image(c, x, y):
    c.rect(x + 1, y + 2, x + 14, y + 13, BLACK, SKY)
    c.polygon([(x + 2, y + 12), (x + 6, y + 6), (x + 9, y + 10), (x + 11, y + 8), (x + 13, y + 12)], GREEN, GREEN)
    c.ellipse(x + 10, y + 3, x + 12, y + 5, YELLOW, YELLOW)


def _export(c, x, y, inward):
    _page(c, x, y)
    tip = (x + 1, y + 8) if inward else (x + 15, y + 8)
    c.line(x + 4, y + 8, x + 15, y + 8, RED) if not inward else c.line(x + 1, y + 8, x + 10, y + 8, RED)
    c.polygon([tip, (tip[0] + (3 if inward else -3), y + 5), (tip[0] + (3 if inward else -3), y + 11)], RED, RED)


GLYPHS = {
    'new': lambda c, x, y: _page(c, x, y),
    'open': _folder,
    'save': _floppy,
    'print': _printer,
    'preview': lambda c, x, y: (_page(c, x, y), _magnifier(c, x + 4, y + 4, None)),
    'cut': _scissors,
    'copy': _two_pages,
    'paste': _clipboard,
    'undo': lambda c, x, y: _arrows_round(c, x, y, False),
    'redo': lambda c, x, y: _arrows_round(c, x, y, True),
    'delete': lambda c, x, y: (c.line(x + 2, y + 2, x + 13, y + 13, RED), c.line(x + 3, y + 2, x + 14, y + 13, RED),
                               c.line(x + 13, y + 2, x + 2, y + 13, RED), c.line(x + 14, y + 2, x + 3, y + 13, RED)),
    'zoomin': lambda c, x, y: _magnifier(c, x, y, '+'),
    'zoomout': lambda c, x, y: _magnifier(c, x, y, '-'),
    'zoom': lambda c, x, y: _magnifier(c, x, y, None),
    'hand': _hand,
    'pick': _arrow,
    'shape': _shape_tool,
    'knife': _knife,
    'eraser': _eraser,
    'freehand': _pen_nib,
    'bezier': _curve,
    'line': lambda c, x, y: c.line(x + 1, y + 13, x + 14, y + 2, BLACK),
    'rect': lambda c, x, y: _shapes(c, x, y, 'rect', SKY),
    'ellipse': lambda c, x, y: _shapes(c, x, y, 'ellipse', SKY),
    'polygon': lambda c, x, y: _shapes(c, x, y, 'polygon', SKY),
    'star': _star,
    'spiral': _spiral,
    'table': _table,
    'text': lambda c, x, y: _letter(c, x, y, 'A', NAVY, 3),
    'fill': _bucket,
    'pen': _pen_nib,
    'eyedropper': _eyedropper,
    'gradient': _gradient,
    'blend': _blend,
    'shadow': _shadow,
    'transparency': _transparency,
    'group': lambda c, x, y: _group(c, x, y, True),
    'ungroup': lambda c, x, y: _group(c, x, y, False),
    'alignleft': lambda c, x, y: _align(c, x, y, 'l'),
    'aligncenter': lambda c, x, y: _align(c, x, y, 'c'),
    'alignright': lambda c, x, y: _align(c, x, y, 'r'),
    'aligntop': lambda c, x, y: _align(c, x, y, 't'),
    'alignmiddle': lambda c, x, y: _align(c, x, y, 'm'),
    'alignbottom': lambda c, x, y: _align(c, x, y, 'b'),
    'front': lambda c, x, y: _order(c, x, y, True),
    'back': lambda c, x, y: _order(c, x, y, False),
    'rotate': lambda c, x, y: _arrows_round(c, x, y, True),
    'mirrorh': lambda c, x, y: _mirror(c, x, y, True),
    'mirrorv': lambda c, x, y: _mirror(c, x, y, False),
    'layers': _layers,
    'page': _page_marks,
    'help': _help,
    'barcode': _barcode,
    'bold': lambda c, x, y: _letter(c, x, y, 'B'),
    'italic': lambda c, x, y: _letter(c, x, y, 'I'),
    'underline': lambda c, x, y: (_letter(c, x, y, 'U'), c.line(x + 3, y + 14, x + 12, y + 14, BLACK)),
    'textleft': lambda c, x, y: _text_lines(c, x, y, 'l'),
    'textcenter': lambda c, x, y: _text_lines(c, x, y, 'c'),
    'textright': lambda c, x, y: _text_lines(c, x, y, 'r'),
    'import': lambda c, x, y: _export(c, x, y, True),
    'export': lambda c, x, y: _export(c, x, y, False),
    'scan': _scanner,
    'symbols': lambda c, x, y: _letter(c, x, y, '%', PURPLE),
    'palette': _palette,
    'properties': lambda c, x, y: (_page(c, x, y), _text_lines(c, x + 1, y + 1, 'l')),
    'lock': _lock,
    'grid': _grid,
    'guides': _guides,
    'bulb': _bulb,
    'copies': _copies,
    'weld': lambda c, x, y: _weld(c, x, y, 'weld'),
    'trim': lambda c, x, y: _weld(c, x, y, 'trim'),
    'intersect': lambda c, x, y: _weld(c, x, y, 'intersect'),
    'view': _view,
    'image': _image,
    'database': lambda c, x, y: (c.ellipse(x + 2, y + 1, x + 13, y + 5, BLACK, SKY),
                                 c.rect(x + 2, y + 3, x + 13, y + 13, BLACK, SKY),
                                 c.ellipse(x + 2, y + 1, x + 13, y + 5, BLACK, (160, 200, 255))),
    'counter': lambda c, x, y: (c.rect(x + 0, y + 4, x + 15, y + 11, BLACK, WHITE), c.text(x + 2, y + 5, '123', BLACK)),
    'date': lambda c, x, y: (c.rect(x + 1, y + 2, x + 14, y + 13, BLACK, WHITE), c.fill(x + 2, y + 3, x + 13, y + 5, RED),
                             _grid(c, x + 1, y + 5)),
}


def draw(canvas, name, x, y):
    GLYPHS[name](canvas, x, y)
