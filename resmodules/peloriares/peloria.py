"""User interface of Peloria, the drawing application: the tables the resource
generator (resmodules/rcgen) turns into PeloriaRes.US."""
import os
import sys

sys.path.insert(0, os.path.dirname(__file__))

from rcgen.common import ranges, framework_strings, versions, emit_dialogs
from rcgen import pictures
from rcgen.canvas import Canvas, BLACK, WHITE, NAVY, RED, YELLOW, SKY, GREEN, BLUE
import peloria_commands
import peloria_strings
from peloria_dialogs import dialogs

PRODUCT = 'Peloria'
ENGLISH = 1033

COMMAND_IDS = ranges((20000, 20026), (20030, 20073), (20075, 20089), (20099, 20104), (20107, 20109), (20112, 20115),
                     (20132, 20137), 20142, (20146, 20158), (20180, 20182), (20185, 20186), 20190, (20194, 20231),
                     (20233, 20279), (20291, 20302), (20307, 20311), (20313, 20318), 20329, (20333, 20345))
TEXT_IDS = ranges(100, (110, 112), (1853, 1861), (1896, 1906), (1908, 2376), (25034, 25037), (25104, 25108), 26003,
                  (26005, 26007), 45247, (45251, 45253), (45257, 45258), 45304, 45306, (45316, 45321), (45332, 45341),
                  (45343, 45352))
FRAMEWORK_IDS = ranges((57344, 57347), 57349, (57600, 57604), (57606, 57607), (57609, 57611), (57616, 57635),
                       (57637, 57639), 57642, (57648, 57653), (57664, 57670), (57680, 57681), (57856, 57858),
                       (57872, 57875), (59136, 59141), (59392, 59393), (61184, 61190), (61202, 61203), 61215,
                       (61444, 61445), (61504, 61513), 61577, (61580, 61586), (61590, 61594), (61696, 61702),
                       (61824, 61827), (61830, 61835), (61838, 61839))

COMMANDS = peloria_commands.parse()
assert len(COMMANDS) == len(COMMAND_IDS)
IDS = {(path, label): cid for cid, (path, label, _) in zip(COMMAND_IDS, COMMANDS)}

# The framework's own commands.
NEW, OPEN, CLOSE, SAVE, SAVE_AS, PRINT_SETUP, PRINT, PREVIEW = 57600, 57601, 57602, 57603, 57604, 57606, 57607, 57609
CUT, COPY, PASTE, PASTE_SPECIAL, SELECT_ALL = 57635, 57634, 57637, 57639, 57642
EXIT, ABOUT, HELP_FINDER, CONTEXT_HELP, HELP = 57665, 57664, 57667, 57669, 57670
PREVIEW_CLOSE, PREVIEW_NEXT, PREVIEW_PREV, PREVIEW_PRINT, PREVIEW_ZOOM_IN, PREVIEW_ZOOM_OUT = \
    58112, 58114, 58115, 58116, 58117, 58118


def C(label, path=None):
    """The command with this menu label (and, where the label repeats, this menu)."""
    found = [cid for (p, l), cid in IDS.items() if l == label and (path is None or p == path)]
    assert len(found) == 1, (label, path, found)
    return found[0]


def item(label, path=None):
    return (label, C(label, path))


def strings():
    table = {cid: '%s\n%s' % (prompt, label.replace('&', '').replace('...', ''))
             for cid, (_, label, prompt) in zip(COMMAND_IDS, COMMANDS)}
    table.update(zip(TEXT_IDS, peloria_strings.texts(len(TEXT_IDS))))
    table.update(framework_strings(FRAMEWORK_IDS, PRODUCT))
    return table


def main_menu():
    """The application menu: the framework's file, edit, window and help commands around Peloria's own,
    each showing its shortcut key."""
    keys = {}
    for key, cid in accelerators()[100]:
        keys.setdefault(cid, key)
    popups, index = [], {}
    for path, label, _ in COMMANDS:
        top, _, sub = path.partition('/')
        if top not in index:
            index[top] = []
            popups.append((top, index[top]))
        items = index[top]
        if sub:
            key = top + '/' + sub
            if key not in index:
                index[key] = []
                items.append(('&' + sub if '&' not in sub else sub, index[key]))
            items = index[key]
        label, cid = item(label, path)
        items.append((label + ('\t' + keys[cid] if cid in keys else ''), cid))
    index['File'][:0] = [('&New\tCtrl+N', NEW), ('&Open...\tCtrl+O', OPEN), ('&Close', CLOSE), ('&Save\tCtrl+S', SAVE),
                         ('Save &As...', SAVE_AS), None]
    index['File'] += [None, ('&Print...\tCtrl+P', PRINT), ('Print Pre&view', PREVIEW), ('P&rint Setup...', PRINT_SETUP),
                      None, ('Recent File', 57616), None, ('E&xit\tAlt+F4', EXIT)]
    index['Edit'][2:2] = [None, ('Cu&t\tCtrl+X', CUT), ('&Copy\tCtrl+C', COPY), ('&Paste\tCtrl+V', PASTE),
                          ('Paste &Special...', PASTE_SPECIAL), None]
    index['Window'][:0] = [('&New Window', 57648), ('&Cascade', 57650), ('&Tile Horizontally', 57651),
                           ('Tile &Vertically', 57652), ('&Arrange Icons', 57649), None]
    index['Help'][:0] = [('&Help Topics', HELP_FINDER), ('&What\'s This?\tShift+F1', CONTEXT_HELP), None]
    index['Help'] += [None, ('&About Peloria...', ABOUT)]
    # The toolbox and node commands live on toolbars and shortcut keys, and in the Tools menu's submenu.
    node_popup = ('Node Edit', index.pop('Node Edit'))
    popups.remove(node_popup)
    index['Arrange'].append(('&Node Edit', node_popup[1]))
    return [(title if '&' in title else '&' + title, items) for title, items in popups]


def context_menus():
    order = [item(l, 'Arrange/Order') for l in ('To &Front', 'To &Back', 'Forward &One', 'Back O&ne')]
    return {
        1861: [('&Undo', C('&Undo')), None, ('Cu&t', CUT), ('&Copy', COPY), ('&Paste', PASTE), item('&Delete', 'Edit'),
               None, ('&Order', order), item('&Group'), item('&Ungroup'), item('L&ock Object'),
               item('Con&vert to Curves'), None, item('&Properties', 'Edit')],
        1862: [('Cu&t', CUT), ('&Copy', COPY), ('&Paste', PASTE), None, item('&Character Formatting...'),
               item('&Paragraph Formatting...'), item('&Edit Text...'), None, item('Con&vert to Paragraph Text'),
               item('&Fit Text to Path'), item('&Writing Tools')],
        1863: [item(l) for l in ('&Add Node', '&Delete Node', '&Join Nodes', '&Break Curve', 'To &Line', 'To &Curve')]
        + [None] + [item(l) for l in ('&Cusp', '&Smooth', 'S&ymmetrical', '&Reverse Direction')],
        1864: [item(l) for l in ('&Edit Bitmap...', '&Crop Bitmap', '&Resample...', '&Mode...', 'Bitmap Colour &Mask...',
                                 '&Trace Bitmap')],
        1865: [item(l) for l in ('&Insert Page...', '&Delete Page...', '&Rename Page...', 'Switch Page &Orientation')]
        + [None, item('&Page Setup...'), item('Page &Background...')],
        1866: [item('&Object Manager'), None, item('L&ock Object'), item('Unlock &All Objects'), item('&Objects', 'Edit/Select All')],
        1867: [item(l) for l in ('&New Palette...', '&Open Palette...', '&Save Palette As...', '&Rename Palette...',
                                 '&Palette Editor...')],
        1868: [item('G&uidelines Setup...'), item('&Lock Guidelines'), item('&Clear Guidelines'), None,
               item('Snap to G&uidelines')],
        1869: [item(l, 'View/Zoom') for l in ('Zoom &In', 'Zoom &Out', '&Actual Size', 'Zoom to &Page',
                                              'Zoom to &Selection', 'Zoom to &All Objects', '&Previous Zoom')],
        1870: [item('&Grid Setup...'), item('&Grid', 'View'), item('Snap to &Grid')],
        1871: [item('&Rulers'), None, item('&Grid Setup...'), item('G&uidelines Setup...')],
        1872: [item(l, 'Effects') for l in ('&Blend', '&Contour', '&Envelope', 'E&xtrude', '&Lens', 'Add &Perspective',
                                            'Drop &Shadow', '&Transparency')] + [None, item('C&lear Effect'),
                                                                                 item('Copy Effect &From...')],
        1874: [item(l) for l in ('&Place Inside Container...', '&Extract Contents', '&Edit Contents', '&Finish Editing')],
        1875: [item(l, 'Window/Toolbars') for l in ('&Standard', '&Toolbox', '&Zoom', '&Text', '&Arrange', '&Node Edit',
                                                     'Trans&form', '&Effects')],
        1876: [item(l, 'Window/Dockers') for l in ('&Layers', '&Styles', 'Sy&mbols', '&Transformations', '&View Manager')],
        1877: [item(l) for l in ('&Weld', '&Trim', '&Intersect', '&Simplify', '&Front Minus Back', '&Back Minus Front')],
        1881: [item(l, 'Arrange/Align and Distribute') for l in (
                   'Align &Left', 'Align &Right', 'Align &Top', 'Align &Bottom', 'Align Centers &Horizontally',
                   'Align Centers &Vertically', 'Center to &Page', '&Distribute...')],
        1889: [item(l) for l in ('&Position...', 'R&otate...', 'Scale and &Mirror...', 'Si&ze...', 'S&kew...')]
        + [None, item('&Clear Transformations')],
        1890: [item(l) for l in ('&Blur...', '&Sharpen...', '&Emboss...', '&Noise...', '&Pixelate...', '&Posterize...',
                                 '&Invert')],
        1891: [('&Print...', PREVIEW_PRINT), ('&Next Page', PREVIEW_NEXT), ('Pre&vious Page', PREVIEW_PREV),
               ('Zoom &In', PREVIEW_ZOOM_IN), ('Zoom &Out', PREVIEW_ZOOM_OUT), None, ('&Close', PREVIEW_CLOSE)],
    }


def accelerators():
    tool = lambda l: C(l, 'Tools/Toolbox')
    return {
        100: [('Ctrl+N', NEW), ('Ctrl+O', OPEN), ('Ctrl+S', SAVE), ('Ctrl+P', PRINT), ('Ctrl+Z', C('&Undo')),
              ('Shift+Ctrl+Z', C('&Redo')), ('Ctrl+X', CUT), ('Ctrl+C', COPY), ('Ctrl+V', PASTE), ('Del', C('&Delete', 'Edit')),
              ('Ctrl+D', C('&Duplicate')), ('Ctrl+G', C('&Group')), ('Ctrl+U', C('&Ungroup')), ('Ctrl+L', C('&Combine')),
              ('Ctrl+K', C('&Break Apart')), ('Ctrl+Q', C('Con&vert to Curves')),
              ('Shift+PgUp', C('To &Front', 'Arrange/Order')), ('Shift+PgDn', C('To &Back', 'Arrange/Order')),
              ('Ctrl+PgUp', C('Forward &One')), ('Ctrl+PgDn', C('Back O&ne')), ('Alt+F9', C('&Transformations...')),
              ('F2', tool('&Zoom Tool')), ('F3', C('Zoom &Out', 'View/Zoom')), ('F4', C('Zoom to &All Objects')),
              ('Shift+F2', C('Zoom to &Selection')), ('F5', tool('&Freehand Tool')), ('F6', tool('&Rectangle Tool')),
              ('F7', tool('&Ellipse Tool')), ('F8', tool('Te&xt Tool')), ('F9', C('&Full-Screen Preview')),
              ('F10', tool('&Shape Tool')), ('F11', tool('&Interactive Fill Tool')), ('Ctrl+T', C('&Character Formatting...')),
              ('Ctrl+J', C('&Options...')), ('Ctrl+W', C('&Refresh Window')), ('F1', HELP), ('Shift+F1', CONTEXT_HELP)],
        1862: [('Ctrl+B', C('&Bold', 'Text')), ('Ctrl+I', C('&Italic', 'Text')), ('Ctrl+U', C('&Underline', 'Text')),
               ('Ctrl+L', C('Align &Left', 'Text')), ('Ctrl+E', C('Align &Center', 'Text')), ('Ctrl+R', C('Align &Right', 'Text'))],
        1863: [('Ins', C('&Add Node')), ('Del', C('&Delete Node')), ('C', C('&Cusp')), ('S', C('&Smooth')),
               ('Y', C('S&ymmetrical')), ('L', C('To &Line')), ('Ctrl+J', C('&Join Nodes')), ('Ctrl+B', C('&Break Curve'))],
        1864: [('Add', C('Zoom &In', 'View/Zoom')), ('Subtract', C('Zoom &Out', 'View/Zoom')),
               ('Ctrl+1', C('&Actual Size')), ('Shift+F4', C('Zoom to &Page')), ('Ctrl+F2', C('&Previous Zoom'))],
        30997: [('PgDn', PREVIEW_NEXT), ('PgUp', PREVIEW_PREV), ('Esc', PREVIEW_CLOSE), ('Ctrl+P', PREVIEW_PRINT),
                ('Add', PREVIEW_ZOOM_IN), ('Subtract', PREVIEW_ZOOM_OUT)],
    }


def toolbars():
    """Toolbar id: buttons as (picture, command), None for a separator."""
    tool = lambda l: C(l, 'Tools/Toolbox')
    zoom = lambda l: C(l, 'View/Zoom')
    return {
        1878: [('new', NEW), ('open', OPEN), ('save', SAVE), None, ('print', PRINT), None, ('cut', CUT), ('copy', COPY),
               ('paste', PASTE), None, ('undo', C('&Undo')), ('redo', C('&Redo')), None, ('import', C('&Import...')),
               ('export', C('&Export...')), None, ('help', CONTEXT_HELP)],
        1879: [('pick', tool('&Pick Tool')), ('shape', tool('&Shape Tool')), ('knife', tool('&Knife Tool')),
               ('eraser', tool('&Eraser Tool')), None, ('zoom', tool('&Zoom Tool')), ('hand', tool('&Hand Tool')), None,
               ('freehand', tool('&Freehand Tool')), ('bezier', tool('&Bezier Tool')), ('line', tool('&Line Tool')), None,
               ('rect', tool('&Rectangle Tool')), ('ellipse', tool('&Ellipse Tool')), ('polygon', tool('P&olygon Tool')),
               ('star', tool('S&tar Tool')), ('spiral', tool('Spi&ral Tool')), ('grid', tool('&Graph Paper Tool')),
               ('table', tool('T&able Tool')), None, ('text', tool('Te&xt Tool')), None,
               ('gradient', tool('&Interactive Fill Tool')), ('eyedropper', tool('&Eyedropper Tool')),
               ('fill', tool('&Paint Bucket Tool')), None, ('blend', tool('&Interactive Blend Tool')),
               ('shadow', tool('Interactive &Shadow Tool')), ('transparency', tool('Interactive &Transparency Tool'))],
        1880: [('zoomin', zoom('Zoom &In')), ('zoomout', zoom('Zoom &Out')), None, ('zoom:1', zoom('&Actual Size')),
               ('page', zoom('Zoom to &Page')), ('pick:S', zoom('Zoom to &Selection')), ('copies:A', zoom('Zoom to &All Objects')),
               None, ('undo', zoom('&Previous Zoom'))],
        1882: [('bold', C('&Bold', 'Text')), ('italic', C('&Italic', 'Text')), ('underline', C('&Underline', 'Text')), None,
               ('textleft', C('Align &Left', 'Text')), ('textcenter', C('Align &Center', 'Text')),
               ('textright', C('Align &Right', 'Text')), None, ('text', C('&Character Formatting...')),
               ('properties', C('&Edit Text...')), ('bezier:T', C('&Fit Text to Path'))],
        1883: [('alignleft', C('Align &Left', 'Arrange/Align and Distribute')),
               ('aligncenter', C('Align Centers &Vertically')),
               ('alignright', C('Align &Right', 'Arrange/Align and Distribute')), None,
               ('aligntop', C('Align &Top')), ('alignmiddle', C('Align Centers &Horizontally')),
               ('alignbottom', C('Align &Bottom')), None, ('front', C('To &Front', 'Arrange/Order')),
               ('back', C('To &Back', 'Arrange/Order')), None, ('group', C('&Group')), ('ungroup', C('&Ungroup')), None,
               ('weld', C('&Weld')), ('trim', C('&Trim')), ('intersect', C('&Intersect'))],
        1884: [('shape:+', C('&Add Node')), ('shape:-', C('&Delete Node')), ('shape:J', C('&Join Nodes')),
               ('shape:B', C('&Break Curve')), None, ('line', C('To &Line')), ('bezier', C('To &Curve')), None,
               ('shape:C', C('&Cusp')), ('shape:S', C('&Smooth')), ('shape:Y', C('S&ymmetrical')), None,
               ('redo', C('&Reverse Direction')), ('polygon', C('&Extend Curve to Close'))],
        1887: [('pick:P', C('&Position...')), ('rotate', C('R&otate...')), ('copies:S', C('Scale and &Mirror...')),
               ('rect:Z', C('Si&ze...')), ('mirrorv:K', C('S&kew...')), None, ('mirrorh', C('&Mirror Horizontally')),
               ('mirrorv', C('Mirror &Vertically')), None, ('undo:T', C('&Clear Transformations'))],
        1888: [('blend', C('&Blend', 'Effects')), ('copies:C', C('&Contour')), ('shadow', C('Drop &Shadow')),
               ('transparency', C('&Transparency', 'Effects')), None, ('image', C('&Convert to Bitmap...')),
               ('eyedropper:B', C('&Blur...')), ('image:S', C('&Sharpen...')), ('palette', C('&Adjust Colours...'))],
    }


def pattern(kind, color):
    """A 32 by 32 tile of one of the bitmap fills."""
    c = Canvas(32, 32, WHITE)
    light = tuple(min(255, v + 96) for v in color)
    for y in range(32):
        for x in range(32):
            on = {
                'Bricks': y % 8 == 7 or (x + (4 if (y // 8) % 2 else 0)) % 16 == 0,
                'Checks': (x // 8 + y // 8) % 2 == 0,
                'Diagonal Stripes': (x + y) % 8 < 3,
                'Horizontal Stripes': y % 8 < 3,
                'Vertical Stripes': x % 8 < 3,
                'Dots': (x % 8 - 3) ** 2 + (y % 8 - 3) ** 2 <= 4,
                'Waves': abs((y % 8) - [0, 1, 2, 3, 3, 2, 1, 0][(x // 2) % 8]) < 2,
                'Weave': ((x // 4 + y // 4) % 2 == 0) == (x % 4 == 0),
                'Scales': ((x % 8 - 4) ** 2 + (y % 8) ** 2) in range(12, 20),
                'Grid': x % 8 == 0 or y % 8 == 0,
                'Diamonds': abs(x % 8 - 4) + abs(y % 8 - 4) < 3,
                'Zigzag': (y % 8) == abs((x % 8) - 4) + 2,
            }[kind]
            c.pixels[y][x] = color if on else light
    return c


def bitmaps(script):
    for i, (kind, (_, color)) in enumerate(peloria_strings.FILLS):
        script.bitmap(1000 + i, ENGLISH, pattern(kind, color))
    for res_id, buttons in toolbars().items():
        script.bitmap(res_id, ENGLISH, pictures.strip([b[0] for b in buttons if b]))
        script.toolbar(res_id, ENGLISH, 16, 15, [b[1] if b else 0 for b in buttons])
    logo = pictures.framed_text(180, 60, ['PELORIA', 'DRAWING 4'], WHITE, NAVY, 3)
    for i, col in enumerate((RED, YELLOW, GREEN, SKY, BLUE)):
        logo.ellipse(120 + i * 10, 10 + (i % 2) * 12, 134 + i * 10, 24 + (i % 2) * 12, BLACK, col)
    script.bitmap(3003, ENGLISH, logo)
    steps = pictures.framed_text(120, 48, ['1 SELECT', '2 DRAG', '3 DROP'], WHITE, BLACK, 2)
    steps.paste(pictures.glyph_icon('bulb', 32), 84, 8)
    script.bitmap(3005, ENGLISH, steps)


def icons(script):
    def both(picture):
        return [picture(32), picture(16)]
    app = lambda size: _app_icon(size)
    groups = [
        (100, both(app)), (1849, both(lambda s: pictures.document_icon('star', s))),
        (1850, both(lambda s: pictures.document_icon('copies', s))), (1851, both(lambda s: pictures.document_icon('palette', s))),
        (1852, both(lambda s: pictures.document_icon('symbols', s))), (1861, [pictures.glyph_icon('layers', 32)]),
        (4100, both(lambda s: pictures.glyph_icon('layers', s))), (4101, both(lambda s: pictures.glyph_icon('properties', s))),
        (4102, both(lambda s: pictures.glyph_icon('symbols', s))), (4103, both(lambda s: pictures.glyph_icon('rotate', s))),
        (4104, both(lambda s: pictures.glyph_icon('view', s))), (4105, [pictures.glyph_icon('image', 32)]),
        (4106, [pictures.glyph_icon('palette', 32)]), (4107, [pictures.glyph_icon('bulb', 32)]),
    ]
    image_id = 42
    for group_id, canvases in groups:
        script.icon(group_id, ENGLISH, [(image_id + i, c) for i, c in enumerate(canvases)])
        image_id += len(canvases)


def _app_icon(size):
    c = Canvas(32, 32, None)
    c.ellipse(1, 3, 30, 28, BLACK, (230, 200, 150))
    c.ellipse(20, 17, 25, 22, BLACK, WHITE)
    for x, y, col in ((6, 9, RED), (13, 6, YELLOW), (21, 8, BLUE), (8, 17, GREEN)):
        c.ellipse(x, y, x + 5, y + 5, BLACK, col)
    c.line(14, 29, 30, 13, NAVY)
    c.line(15, 29, 30, 14, NAVY)
    if size == 32:
        return c
    small = Canvas(16, 16, None)
    for y in range(16):
        for x in range(16):
            small.pixels[y][x] = c.pixels[y * 2][x * 2]
    return small


CURSORS = [
    (1116, 'cross', 'rect'), (1117, 'cross', 'ellipse'), (1118, 'cross', 'polygon'), (1130, 'cross', 'star'),
    (1133, 'cross', 'spiral'), (1142, 'cross', 'grid'), (1237, 'cross', 'table'), (1260, 'cross', 'text'),
    (1401, 'none', 'freehand'), (1403, 'cross', 'bezier'), (1408, 'cross', 'line'), (1421, 'arrow', 'shape'),
    (1422, 'arrow', 'shape'), (1446, 'none', 'knife'), (1475, 'none', 'eraser'), (1626, 'none', 'zoomin'),
    (1627, 'none', 'zoomout'), (1663, 'none', 'hand'), (1675, 'none', 'fill'), (1676, 'none', 'eyedropper'),
    (1677, 'cross', 'gradient'), (1678, 'cross', 'blend'), (1679, 'cross', 'shadow'), (1680, 'cross', 'transparency'),
    (1681, 'arrow', 'rotate'), (1682, 'arrow', 'mirrorh'), (1685, 'arrow', 'copies'), (1686, 'arrow', 'weld'),
    (1687, 'arrow', 'trim'), (1688, 'arrow', 'intersect'), (1694, 'arrow', 'group'), (1695, 'arrow', 'lock'),
    (1696, 'arrow', 'guides'), (1700, 'arrow', 'page'), (1704, 'arrow', 'front'), (1711, 'arrow', 'back'),
    (1755, 'arrow', 'image'), (1756, 'arrow', 'symbols'), (1757, 'arrow', 'palette'),
]
LARGE_TOO = {1260, 1626}   # text and zoom cursors also come at 48 pixels for high resolutions


def cursors(script):
    image_id = 1
    for group_id, pointer, badge in CURSORS:
        sizes = (32, 48) if group_id in LARGE_TOO else (32,)
        images = []
        for size in sizes:
            images.append((image_id, *pictures.cursor(pointer, badge, size)))
            image_id += 1
        script.cursor(group_id, ENGLISH, images)
    # The framework's print preview magnifier comes after the icons.
    script.cursor(30978, ENGLISH, [(66, *pictures.cursor('none', 'zoom', 32)), (67, *pictures.cursor('none', 'zoom', 48))])


def emit(script):
    script.string_table(strings())
    emit_dialogs(script, dialogs(), {1790, 1791, 1815, 1825, 1829, 1834})
    script.menu(100, ENGLISH, main_menu())
    for res_id, items in context_menus().items():
        script.menu(res_id, ENGLISH, [('Context', items)])
    for res_id, keys in accelerators().items():
        script.accelerators(res_id, ENGLISH, keys)
    bitmaps(script)
    cursors(script)
    icons(script)
    versions(script, PRODUCT, 'Peloria user interface resources', (4, 0, 2481, 4))
