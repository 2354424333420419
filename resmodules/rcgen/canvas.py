"""A small pixel canvas and the Windows image formats written from it.

Pixels are RGB tuples, or None where an icon or cursor is transparent."""
import struct

BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
GRAY = (128, 128, 128)
SILVER = (192, 192, 192)
RED = (192, 0, 0)
GREEN = (0, 128, 0)
BLUE = (0, 0, 192)
NAVY = (0, 0, 128)
YELLOW = (255, 255, 0)
ORANGE = (255, 128, 0)
TEAL = (0, 128, 128)
PURPLE = (128, 0, 128)
BROWN = (128, 64, 0)
SKY = (96, 160, 255)

# 3x5 capitals and digits for letters on buttons and icons.
FONT = {
    'A': "010101111101101", 'B': "110101110101110", 'C': "011100100100011",
    'D': "110101101101110", 'E': "111100110100111", 'F': "111100110100100",
    'G': "011100101101011", 'H': "101101111101101", 'I': "111010010010111",
    'J': "001001001101010", 'K': "101101110101101", 'L': "100100100100111",
    'M': "101111111101101", 'N': "110101101101101", 'O': "010101101101010",
    'P': "110101110100100", 'Q': "010101101110011", 'R': "110101110101101",
    'S': "011100010001110", 'T': "111010010010010", 'U': "101101101101111",
    'V': "101101101101010", 'W': "101101111111101", 'X': "101101010101101",
    'Y': "101101010010010", 'Z': "111001010100111", '0': "111101101101111",
    '1': "010110010010111", '2': "110001010100111", '3': "110001010001110",
    '4': "101101111001001", '5': "111100110001110", '6': "011100111101111",
    '7': "111001010010010", '8': "111101111101111", '9': "111101111001110",
    '%': "101001010100101", '+': "000010111010000", '-': "000000111000000",
    '?': "110001010000010", '.': "000000000000010", ' ': "000000000000000",
}


class Canvas:
    def __init__(self, width, height, background=None):
        self.width = width
        self.height = height
        self.pixels = [[background] * width for _ in range(height)]

    def set(self, x, y, color):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = color

    def get(self, x, y):
        return self.pixels[y][x]

    def fill(self, x0, y0, x1, y1, color):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.set(x, y, color)

    def rect(self, x0, y0, x1, y1, color, fill=None):
        if fill is not None:
            self.fill(x0 + 1, y0 + 1, x1 - 1, y1 - 1, fill)
        self.line(x0, y0, x1, y0, color)
        self.line(x0, y1, x1, y1, color)
        self.line(x0, y0, x0, y1, color)
        self.line(x1, y0, x1, y1, color)

    def line(self, x0, y0, x1, y1, color):
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
        err = dx + dy
        while True:
            self.set(x0, y0, color)
            if x0 == x1 and y0 == y1:
                return
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def ellipse(self, x0, y0, x1, y1, color, fill=None):
        cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
        rx, ry = max((x1 - x0) / 2, 0.5), max((y1 - y0) / 2, 0.5)
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                d = ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2
                if d <= 1.0:
                    inner = ((x - cx) / max(rx - 1, 0.5)) ** 2 + ((y - cy) / max(ry - 1, 0.5)) ** 2
                    if inner > 1.0:
                        self.set(x, y, color)
                    elif fill is not None:
                        self.set(x, y, fill)

    def polygon(self, points, color, fill=None):
        if fill is not None:
            ys = [p[1] for p in points]
            for y in range(min(ys), max(ys) + 1):
                xs = []
                for (ax, ay), (bx, by) in zip(points, points[1:] + points[:1]):
                    if (ay <= y < by) or (by <= y < ay):
                        xs.append(ax + (y - ay) * (bx - ax) / (by - ay))
                xs.sort()
                for a, b in zip(xs[::2], xs[1::2]):
                    for x in range(int(round(a)), int(round(b)) + 1):
                        self.set(x, y, fill)
        for a, b in zip(points, points[1:] + points[:1]):
            self.line(a[0], a[1], b[0], b[1], color)

    def text(self, x, y, string, color, scale=1):
        for ch in string.upper():
            bits = FONT[ch]
            for i, bit in enumerate(bits):
                if bit == '1':
                    self.fill(x + (i % 3) * scale, y + (i // 3) * scale,
                              x + (i % 3) * scale + scale - 1, y + (i // 3) * scale + scale - 1, color)
            x += 4 * scale

    def paste(self, other, x, y):
        for oy in range(other.height):
            for ox in range(other.width):
                if other.pixels[oy][ox] is not None:
                    self.set(x + ox, y + oy, other.pixels[oy][ox])

    def scaled(self, factor):
        out = Canvas(self.width * factor, self.height * factor)
        for y in range(out.height):
            for x in range(out.width):
                out.pixels[y][x] = self.pixels[y // factor][x // factor]
        return out


def _info_header(width, height, bpp, colors=0, image_size=0):
    return struct.pack('<IiiHHIIiiII', 40, width, height, 1, bpp, 0, image_size, 0, 0, colors, 0)


def _rows_24(canvas, background):
    stride = (canvas.width * 3 + 3) & ~3
    data = bytearray()
    for row in reversed(canvas.pixels):
        line = bytearray()
        for px in row:
            r, g, b = px if px is not None else background
            line += bytes((b, g, r))
        data += line + bytes(stride - len(line))
    return bytes(data)


def _rows_1(canvas, is_set):
    stride = ((canvas.width + 31) // 32) * 4
    data = bytearray()
    for y in reversed(range(canvas.height)):
        line = bytearray(stride)
        for x in range(canvas.width):
            if is_set(canvas.pixels[y][x]):
                line[x // 8] |= 0x80 >> (x % 8)
        data += line
    return bytes(data)


def bitmap_file(canvas, background=SILVER):
    """A .bmp file (24 bits per pixel); transparent pixels take the background."""
    bits = _rows_24(canvas, background)
    header = _info_header(canvas.width, canvas.height, 24, image_size=len(bits))
    return b'BM' + struct.pack('<IHHI', 14 + len(header) + len(bits), 0, 0, 14 + len(header)) + header + bits


def icon_image(canvas):
    """An RT_ICON image: 24-bit colour plus the transparency mask."""
    xor = _rows_24(canvas, BLACK)
    mask = _rows_1(canvas, lambda px: px is None)
    return _info_header(canvas.width, canvas.height * 2, 24, image_size=len(xor) + len(mask)) + xor + mask


def cursor_image(canvas, hotspot):
    """An RT_CURSOR image: hot spot, then a monochrome image and its mask.

    Black and white pixels are drawn, None is transparent."""
    palette = struct.pack('<II', 0x000000, 0xFFFFFF)
    xor = _rows_1(canvas, lambda px: px == WHITE)
    mask = _rows_1(canvas, lambda px: px is None)
    return (struct.pack('<HH', *hotspot) + _info_header(canvas.width, canvas.height * 2, 1, colors=2)
            + palette + xor + mask)


def icon_group(entries):
    """RT_GROUP_ICON directory; entries are (image id, canvas, image bytes)."""
    data = struct.pack('<HHH', 0, 1, len(entries))
    for image_id, canvas, image in entries:
        data += struct.pack('<BBBBHHIH', canvas.width % 256, canvas.height % 256, 0, 0, 1, 24, len(image), image_id)
    return data


def cursor_group(entries):
    """RT_GROUP_CURSOR directory; a cursor's height counts image and mask."""
    data = struct.pack('<HHH', 0, 2, len(entries))
    for image_id, canvas, image in entries:
        data += struct.pack('<HHHHIH', canvas.width, canvas.height * 2, 1, 1, len(image), image_id)
    return data
