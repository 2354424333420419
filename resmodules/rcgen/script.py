"""The resource script of one module and the binary files it names.

Every resource is written under its own LANGUAGE statement; binary parts
(images, toolbars, dialog initialisation data) go to files beside the script
and are named relative to it, so the script is the same wherever it is built."""
import os
import struct

from . import canvas as cv

LANGUAGES = {1033: 'LANG_ENGLISH, SUBLANG_ENGLISH_US', 1029: 'LANG_CZECH, SUBLANG_DEFAULT'}
RT_CURSOR, RT_ICON, RT_GROUP_CURSOR, RT_GROUP_ICON = 1, 3, 12, 14
RT_DLGINIT, RT_TOOLBAR = 240, 241
CB_ADDSTRING_DLGINIT = 0x0403   # the framework's code for "add this combo box entry"


def quote(text):
    return '"' + text.replace('\\', '\\\\').replace('"', '""').replace('\n', '\\n').replace('\t', '\\t') + '"'


class Script:
    def __init__(self, out_dir, name):
        self.out_dir = out_dir
        self.name = name
        self.parts = []
        self.strings = {}
        os.makedirs(os.path.join(out_dir, name), exist_ok=True)

    def add(self, lang, text):
        self.parts.append('LANGUAGE %s\n%s\n' % (LANGUAGES[lang], text))

    def _file(self, file_name, data):
        relative = '%s/%s' % (self.name, file_name)
        path = os.path.join(self.out_dir, relative)
        old = open(path, 'rb').read() if os.path.exists(path) else None
        if old != data:
            with open(path, 'wb') as f:
                f.write(data)
        return relative

    def raw(self, res_id, res_type, lang, data, file_name):
        self.add(lang, '%d %d %s' % (res_id, res_type, quote(self._file(file_name, data))))

    def bitmap(self, res_id, lang, canvas, background=cv.SILVER):
        name = self._file('bitmap%d.bmp' % res_id, cv.bitmap_file(canvas, background))
        self.add(lang, '%d BITMAP %s' % (res_id, quote(name)))

    def icon(self, group_id, lang, images):
        """images: (image id, canvas) pairs, one per size."""
        entries = []
        for image_id, canvas in images:
            data = cv.icon_image(canvas)
            self.raw(image_id, RT_ICON, lang, data, 'icon%d.bin' % image_id)
            entries.append((image_id, canvas, data))
        self.raw(group_id, RT_GROUP_ICON, lang, cv.icon_group(entries), 'icongroup%d.bin' % group_id)

    def cursor(self, group_id, lang, images):
        """images: (image id, canvas, hot spot) triples."""
        entries = []
        for image_id, canvas, hotspot in images:
            data = cv.cursor_image(canvas, hotspot)
            self.raw(image_id, RT_CURSOR, lang, data, 'cursor%d.bin' % image_id)
            entries.append((image_id, canvas, data))
        self.raw(group_id, RT_GROUP_CURSOR, lang, cv.cursor_group(entries), 'cursorgroup%d.bin' % group_id)

    def toolbar(self, res_id, lang, width, height, commands):
        data = struct.pack('<4H', 1, width, height, len(commands)) + struct.pack('<%dH' % len(commands), *commands)
        self.raw(res_id, RT_TOOLBAR, lang, data, 'toolbar%d.bin' % res_id)

    def dialog_init(self, dialog_id, lang, combos):
        """combos: (control id, [entries]) pairs, filled into the combo boxes when the dialog opens."""
        data = b''
        for control_id, entries in combos:
            for entry in entries:
                text = entry.encode('cp1252') + b'\0'
                data += struct.pack('<HHI', control_id, CB_ADDSTRING_DLGINIT, len(text)) + text
        self.raw(dialog_id, RT_DLGINIT, lang, data + b'\0\0', 'dlginit%d.bin' % dialog_id)

    def string_table(self, strings):
        lines = ['STRINGTABLE', 'BEGIN']
        lines += ['    %d, %s' % (i, quote(strings[i])) for i in sorted(strings)]
        self.add(1033, '\n'.join(lines + ['END']))

    def menu(self, res_id, lang, popups):
        """popups: (title, items); an item is (text, command), None for a separator, or a nested popup."""
        lines = ['%d MENU' % res_id, 'BEGIN']

        def emit(items, indent):
            pad = '    ' * indent
            for item in items:
                if item is None:
                    lines.append(pad + 'MENUITEM SEPARATOR')
                elif isinstance(item[1], list):
                    lines.extend([pad + 'POPUP ' + quote(item[0]), pad + 'BEGIN'])
                    emit(item[1], indent + 1)
                    lines.append(pad + 'END')
                else:
                    lines.append(pad + 'MENUITEM %s, %d' % (quote(item[0]), item[1]))
        emit(popups, 1)
        self.add(lang, '\n'.join(lines + ['END']))

    def accelerators(self, res_id, lang, keys):
        """keys: (key, command) with key like "Ctrl+N", "Del", "F5", "Shift+Ctrl+Z"."""
        lines = ['%d ACCELERATORS' % res_id, 'BEGIN']
        for key, command in keys:
            *mods, base = key.split('+')
            vk = quote(base) if len(base) == 1 else 'VK_' + {'Del': 'DELETE', 'Ins': 'INSERT', 'PgUp': 'PRIOR',
                                                             'PgDn': 'NEXT', 'Esc': 'ESCAPE', 'Tab': 'TAB'}.get(base, base.upper())
            flags = ['VIRTKEY'] + [{'Ctrl': 'CONTROL', 'Shift': 'SHIFT', 'Alt': 'ALT'}[m] for m in mods]
            lines.append('    %s, %d, %s' % (vk, command, ', '.join(flags)))
        self.add(lang, '\n'.join(lines + ['END']))

    def version(self, lang, numbers, texts):
        """numbers: four parts; texts: the string table "040904b0" in key order."""
        dotted = '.'.join(str(n) for n in numbers)
        commas = ', '.join(str(n) for n in numbers)
        lines = ['1 VERSIONINFO', 'FILEVERSION ' + commas, 'PRODUCTVERSION ' + commas, 'FILEFLAGSMASK 0x3fL',
                 'FILEFLAGS 0x0L', 'FILEOS VOS_NT_WINDOWS32', 'FILETYPE VFT_DLL', 'FILESUBTYPE VFT2_UNKNOWN',
                 'BEGIN', '    BLOCK "StringFileInfo"', '    BEGIN', '        BLOCK "040904b0"', '        BEGIN']
        for key, value in texts:
            value = value.replace('@VERSION@', dotted)
            lines.append('            VALUE %s, %s' % (quote(key), quote(value)))
        lines += ['        END', '    END', '    BLOCK "VarFileInfo"', '    BEGIN',
                  '        VALUE "Translation", 0x409, 1200', '    END', 'END']
        self.add(lang, '\n'.join(lines))

    def write(self, file_name):
        text = '/* Made by rcgen from the module\'s tables; edit the tables, not this file. */\n'
        text += '#include <windows.h>\n#include <commctrl.h>\n\n' + '\n'.join(self.parts)
        # Always written: its time stamp tells the build that the files it names may have changed.
        with open(os.path.join(self.out_dir, file_name), 'w') as f:
            f.write(text)
