"""Dialog templates laid out from a compact list of fields.

A dialog is described by what it asks for, top to bottom; the layout puts a
label beside each field, frames groups, stacks the command buttons in the
right-hand column (or along the bottom of a docker) and numbers the controls
from 1000 in order, so every template is regular without hand-placed
coordinates. Combo box entries given with a field become the dialog's
initialisation data."""
from .script import quote

MARGIN, GAP, LABEL_W, BUTTON_W, BUTTON_H = 7, 4, 62, 50, 14
STANDARD_BUTTONS = {'OK': 1, 'Cancel': 2, 'Close': 2, 'Help': 9, '&Help': 9}
STYLES = {
    'modal': 'DS_MODALFRAME | DS_3DLOOK | WS_POPUP | WS_CAPTION | WS_SYSMENU',
    'docker': 'DS_3DLOOK | WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME',
    'panel': 'DS_3DLOOK | DS_CONTROL | WS_CHILD',
    'page': 'DS_3DLOOK | DS_CONTROL | WS_CHILD | WS_CAPTION | WS_DISABLED',
    'main': 'DS_3DLOOK | WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN',
    'splash': 'DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_BORDER',
}


class Layout:
    def __init__(self):
        self.controls = []
        self.combos = []
        self.next_id = 1000

    def new_id(self):
        self.next_id += 1
        return self.next_id - 1

    def control(self, text, cid, cls, style, x, y, w, h, ex=None):
        self.controls.append((text, cid, cls, style, x, y, w, h, ex))

    def label(self, text, x, y, w):
        self.control(text, -1, 'STATIC', 'SS_LEFT', x, y + 2, w, 9)

    @staticmethod
    def label_width(w):
        """Labels take a fixed column, narrowed for fields that share a row."""
        return min(LABEL_W, w // 3 + 8)

    # Each field kind places itself at (x, y) in width w and returns its height.
    def field(self, item, x, y, w):
        kind, args = item[0], item[1:]
        return getattr(self, 'f_' + kind)(x, y, w, *args)

    def f_text(self, x, y, w, text, lines=1):
        self.control(text, -1, 'STATIC', 'SS_LEFT', x, y, w, 9 * lines)
        return 9 * lines

    def f_edit(self, x, y, w, label, lines=1):
        if label:
            lw = self.label_width(w)
            self.label(label, x, y, lw - 2)
            x, w = x + lw, w - lw
        style = 'ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP'
        if lines > 1:
            style = 'ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL | WS_BORDER | WS_TABSTOP'
        self.control('', self.new_id(), 'EDIT', style, x, y, w, 12 if lines == 1 else 9 * lines + 4)
        return 12 if lines == 1 else 9 * lines + 4

    def f_num(self, x, y, w, label, unit=''):
        lw = self.label_width(w)
        edit_w = min(40, w - lw - 10 - (14 if unit else 0))
        self.label(label, x, y, lw - 2)
        self.control('', self.new_id(), 'EDIT', 'ES_AUTOHSCROLL | ES_NUMBER | WS_BORDER | WS_TABSTOP',
                     x + lw, y, edit_w, 12)
        self.control('', self.new_id(), UPDOWN_CLASS,
                     'UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_AUTOBUDDY | UDS_ARROWKEYS | UDS_NOTHOUSANDS',
                     x + lw + edit_w, y, 10, 12)
        if unit:
            self.control(unit, -1, 'STATIC', 'SS_LEFT', x + lw + edit_w + 12, y + 2, w - lw - edit_w - 12, 9)
        return 12

    def f_combo(self, x, y, w, label, entries=None, editable=False):
        if label:
            lw = self.label_width(w)
            self.label(label, x, y, lw - 2)
            x, w = x + lw, w - lw
        cid = self.new_id()
        style = ('CBS_DROPDOWN | CBS_AUTOHSCROLL' if editable else 'CBS_DROPDOWNLIST') + ' | WS_VSCROLL | WS_TABSTOP'
        self.control('', cid, 'COMBOBOX', style, x, y, w, 80)
        if entries:
            self.combos.append((cid, entries))
        return 12

    def f_check(self, x, y, w, text):
        self.control(text, self.new_id(), 'BUTTON', 'BS_AUTOCHECKBOX | WS_TABSTOP', x, y, w, 10)
        return 10

    def f_radios(self, x, y, w, title, options, columns=1):
        rows = (len(options) + columns - 1) // columns
        height = 14 + rows * 12
        self.control(title, -1, 'BUTTON', 'BS_GROUPBOX', x, y, w, height)
        col_w = (w - 12) // columns
        for i, option in enumerate(options):
            style = 'BS_AUTORADIOBUTTON' + (' | WS_GROUP | WS_TABSTOP' if i == 0 else '')
            self.control(option, self.new_id(), 'BUTTON', style, x + 6 + (i // rows) * col_w,
                         y + 12 + (i % rows) * 12, col_w - 2, 10)
        return height

    def f_group(self, x, y, w, title, items):
        inner = self.column(items, x + 6, y + 12, w - 12)
        self.control(title, -1, 'BUTTON', 'BS_GROUPBOX', x, y, w, inner + 16)
        return inner + 16

    def f_list(self, x, y, w, label, rows=5):
        top = y
        if label:
            self.label(label, x, y - 2, w)
            top += 10
        self.control('', self.new_id(), 'LISTBOX', 'LBS_NOINTEGRALHEIGHT | LBS_NOTIFY | WS_VSCROLL | WS_BORDER | WS_TABSTOP',
                     x, top, w, rows * 9 + 4)
        return top - y + rows * 9 + 4

    def f_listview(self, x, y, w, rows=6):
        self.control('', self.new_id(), 'SysListView32', 'LVS_REPORT | LVS_SHOWSELALWAYS | WS_BORDER | WS_TABSTOP',
                     x, y, w, rows * 10 + 4)
        return rows * 10 + 4

    def f_tree(self, x, y, w, rows=6):
        self.control('', self.new_id(), 'SysTreeView32',
                     'TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS | WS_BORDER | WS_TABSTOP',
                     x, y, w, rows * 10 + 4)
        return rows * 10 + 4

    def f_slider(self, x, y, w, label, unit='%'):
        self.label(label, x, y, LABEL_W - 2)
        self.control('', self.new_id(), 'msctls_trackbar32', 'TBS_HORZ | TBS_AUTOTICKS | WS_TABSTOP',
                     x + LABEL_W, y, w - LABEL_W - 34, 14)
        self.control('', self.new_id(), 'EDIT', 'ES_AUTOHSCROLL | ES_NUMBER | WS_BORDER | WS_TABSTOP',
                     x + w - 32, y + 1, 22, 12)
        self.control(unit, -1, 'STATIC', 'SS_LEFT', x + w - 8, y + 3, 8, 9)
        return 14

    def f_color(self, x, y, w, label):
        self.label(label, x, y + 1, LABEL_W - 2)
        self.control('', self.new_id(), 'BUTTON', 'BS_OWNERDRAW | WS_TABSTOP', x + LABEL_W, y, 40, 14)
        return 14

    def f_preview(self, x, y, w, rows=4, text=''):
        self.control(text, self.new_id(), 'STATIC', 'SS_CENTER | SS_SUNKEN', x, y, w, rows * 10)
        return rows * 10

    def f_bitmap(self, x, y, w, bitmap_id, height=40):
        self.control(bitmap_id, -1, 'STATIC', 'SS_BITMAP | SS_REALSIZEIMAGE', x, y, w, height)
        return height

    def f_icon(self, x, y, w, icon_id, lines):
        self.control(icon_id, -1, 'STATIC', 'SS_ICON', x, y, 20, 20)
        for i, line in enumerate(lines):
            self.control(line, -1, 'STATIC', 'SS_LEFT | SS_NOPREFIX', x + 30, y + i * 11, w - 30, 9)
        return max(22, len(lines) * 11)

    def f_progress(self, x, y, w):
        self.control('', self.new_id(), 'msctls_progress32', 'WS_BORDER', x, y, w, 10)
        return 10

    def f_line(self, x, y, w):
        self.control('', -1, 'STATIC', 'SS_ETCHEDHORZ', x, y + 2, w, 1)
        return 4

    def f_buttons(self, x, y, w, names):
        bw = min(BUTTON_W, (w - GAP * (len(names) - 1)) // len(names))
        for i, name in enumerate(names):
            self.control(name, self.new_id(), 'BUTTON', 'BS_PUSHBUTTON | WS_TABSTOP', x + i * (bw + GAP), y, bw, BUTTON_H)
        return BUTTON_H

    def f_row(self, x, y, w, items):
        cw = (w - GAP * (len(items) - 1)) // len(items)
        return max(self.field(item, x + i * (cw + GAP), y, cw) for i, item in enumerate(items))

    def column(self, items, x, y, w):
        top = y
        for item in items:
            y += self.field(item, x, y, w) + GAP
        return y - top - (GAP if items else 0)


UPDOWN_CLASS = 'msctls_updown32'


class Dialog:
    def __init__(self, dialog_id, caption, items, kind='modal', width=180, buttons=('OK', 'Cancel'), ex=True, lang=1033):
        self.id, self.caption, self.items, self.kind = dialog_id, caption, items, kind
        self.width, self.buttons, self.ex, self.lang = width, buttons, ex, lang

    def layout(self):
        lay = Layout()
        height = lay.column(self.items, MARGIN, MARGIN, self.width)
        width = self.width + 2 * MARGIN
        buttons = list(self.buttons) if self.kind in ('modal', 'docker', 'main') else []
        if buttons and self.kind == 'modal':
            for i, name in enumerate(buttons):
                style = ('BS_DEFPUSHBUTTON' if i == 0 else 'BS_PUSHBUTTON') + ' | WS_TABSTOP'
                lay.control(name, STANDARD_BUTTONS.get(name) or lay.new_id(), 'BUTTON', style,
                            width, MARGIN + i * (BUTTON_H + GAP), BUTTON_W, BUTTON_H)
            width += BUTTON_W + MARGIN
            height = max(height, len(buttons) * (BUTTON_H + GAP) - GAP)
        elif buttons:
            height += GAP * 2
            right = width - MARGIN
            for i, name in enumerate(reversed(buttons)):
                lay.control(name, STANDARD_BUTTONS.get(name) or lay.new_id(), 'BUTTON', 'BS_PUSHBUTTON | WS_TABSTOP',
                            right - (i + 1) * BUTTON_W - i * GAP, MARGIN + height, BUTTON_W, BUTTON_H)
            height += BUTTON_H
        return lay, width, height + 2 * MARGIN

    def emit(self, script):
        lay, width, height = self.layout()
        head = '%d %s 0, 0, %d, %d' % (self.id, 'DIALOGEX' if self.ex else 'DIALOG', width, height)
        lines = [head, 'STYLE DS_SETFONT | ' + STYLES[self.kind]]
        if self.kind == 'docker' and self.ex:
            lines.append('EXSTYLE WS_EX_TOOLWINDOW')
        if self.caption is not None:
            lines.append('CAPTION ' + quote(self.caption))
        lines.append('FONT 8, "MS Shell Dlg"' + (', 400, 0, 0x1' if self.ex else ''))
        lines.append('BEGIN')
        for text, cid, cls, style, x, y, w, h, ex in lay.controls:
            style = 'WS_CHILD | WS_VISIBLE | ' + style
            lines.append('    CONTROL %s, %d, %s, %s, %d, %d, %d, %d' % (text if isinstance(text, int) else quote(text), cid, quote(cls), style, x, y, w, h))
        lines.append('END')
        script.add(self.lang, '\n'.join(lines))
        return lay.combos
