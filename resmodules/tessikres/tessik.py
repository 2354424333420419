"""User interface of Tessik, the barcode application: the tables the resource
generator (resmodules/rcgen) turns into TessikRes.US."""
from rcgen.common import ranges, framework_strings, versions, new_document_dialog, emit_dialogs
from rcgen.dialogs import Dialog
from rcgen import pictures
from rcgen.canvas import Canvas, WHITE, BLACK, NAVY, RED, SILVER, GRAY

PRODUCT = 'Tessik'
CZECH, ENGLISH = 1029, 1033

# Symbology, characters it encodes, check digit.
SYMBOLOGIES = [
    ('Code 39', '0-9, A-Z, - . $ / + % and space', 'optional, modulo 43'),
    ('Code 39 Full ASCII', 'all 128 ASCII characters', 'optional, modulo 43'),
    ('Code 93', 'all 128 ASCII characters', 'two, modulo 47'),
    ('Code 128', 'all 128 ASCII characters', 'modulo 103'),
    ('GS1-128', 'application identifiers with their data', 'modulo 103'),
    ('EAN-13', '12 digits', 'modulo 10'),
    ('EAN-8', '7 digits', 'modulo 10'),
    ('EAN-13 + 2', '12 digits and a 2-digit add-on', 'modulo 10'),
    ('EAN-13 + 5', '12 digits and a 5-digit add-on', 'modulo 10'),
    ('UPC-A', '11 digits', 'modulo 10'),
    ('UPC-E', '6 digits', 'modulo 10'),
    ('ISBN', '9 or 12 digits', 'modulo 11 or modulo 10'),
    ('ISSN', '7 digits', 'modulo 11'),
    ('Interleaved 2 of 5', 'an even number of digits', 'optional, modulo 10'),
    ('ITF-14', '13 digits', 'modulo 10'),
    ('Industrial 2 of 5', 'digits', 'optional, modulo 10'),
    ('Matrix 2 of 5', 'digits', 'optional, modulo 10'),
    ('Codabar', '0-9 and - $ : / . + with start and stop A-D', 'optional, modulo 16'),
    ('Code 11', 'digits and the dash', 'one or two, modulo 11'),
    ('MSI Plessey', 'digits', 'modulo 10 or modulo 11'),
    ('Pharmacode', 'a number from 3 to 131070', 'none'),
    ('POSTNET', '5, 9 or 11 digits', 'modulo 10'),
    ('PDF417', 'text, numbers and bytes', 'error correction level 0-8'),
    ('Data Matrix', 'text, numbers and bytes', 'Reed-Solomon error correction'),
    ('QR Code', 'text, numbers, kanji and bytes', 'error correction L, M, Q or H'),
    ('Aztec Code', 'text, numbers and bytes', 'Reed-Solomon error correction'),
    ('MaxiCode', 'text and numbers', 'Reed-Solomon error correction'),
    ('Telepen', 'all 128 ASCII characters', 'modulo 127'),
    ('Code 16K', 'all 128 ASCII characters', 'two, modulo 107'),
    ('Royal Mail 4-State', 'digits and capital letters', 'modulo 6'),
]

APPLICATION_IDENTIFIERS = [
    ('00', 'SSCC'), ('01', 'GTIN'), ('02', 'CONTENT'), ('10', 'BATCH/LOT'), ('11', 'PROD DATE'),
    ('12', 'DUE DATE'), ('13', 'PACK DATE'), ('15', 'BEST BEFORE or BEST BY'), ('17', 'USE BY or EXPIRY'),
    ('20', 'VARIANT'), ('21', 'SERIAL'), ('22', 'CPV'), ('240', 'ADDITIONAL ID'), ('241', 'CUST. PART NO.'),
    ('250', 'SECONDARY SERIAL'), ('30', 'VAR. COUNT'), ('310n', 'NET WEIGHT (kg)'), ('311n', 'LENGTH (m)'),
    ('312n', 'WIDTH (m)'), ('313n', 'HEIGHT (m)'), ('314n', 'AREA (m2)'), ('315n', 'NET VOLUME (l)'),
    ('330n', 'GROSS WEIGHT (kg)'), ('37', 'COUNT'), ('390n', 'AMOUNT'), ('392n', 'PRICE'),
    ('400', 'ORDER NUMBER'), ('401', 'GINC'), ('402', 'GSIN'), ('403', 'ROUTE'), ('410', 'SHIP TO LOC'),
    ('411', 'BILL TO'), ('412', 'PURCHASE FROM'), ('413', 'SHIP FOR LOC'), ('414', 'LOC No'),
    ('420', 'SHIP TO POST'), ('421', 'SHIP TO POST'), ('422', 'ORIGIN'), ('7001', 'NSN'), ('8005', 'PRICE PER UNIT'),
]

MESSAGES = [
    'Tessik', 'Tessik Barcode Files (*.tsk)|*.tsk|All Files (*.*)|*.*||', 'tsk', 'Code',
    'Enter the data to encode.', 'The data is empty; there is nothing to encode.',
    'The character "%1" cannot be encoded in %2.', '%1 needs exactly %2 digits.',
    '%1 needs an even number of digits; a leading zero was added.', 'The check digit %1 is wrong; it should be %2.',
    'The check digit was calculated: %1.', 'The data is too long for %1 (at most %2 characters).',
    'The module width must be between %1 and %2.', 'The bar height must be between %1 and %2.',
    'The wide-to-narrow ratio must be between 2.0 and 3.0.', 'The code does not fit on the page.',
    'The picture could not be copied to the Clipboard.', 'The file %1 could not be written.',
    'Exporting %1 of %2...', '%1 files were exported to %2.', 'The export was cancelled after %1 files.',
    'The data source %1 has no rows.', 'The file name pattern must contain a counter (#) or a field ([field]).',
    'Millimetres', 'Inches', 'Mils', 'Points', 'Pixels', 'mm', 'in', 'mil', 'pt', 'px',
    'None', 'Above the bars', 'Below the bars', 'Left', 'Centred', 'Right', 'Justified',
    'Normal', 'Bold', 'Italic', 'Bold Italic', 'Black on white', 'White on black', 'Custom colours',
    'Windows Bitmap (*.bmp)|*.bmp||', 'Windows Metafile (*.wmf)|*.wmf||',
    'Enhanced Metafile (*.emf)|*.emf||', 'Encapsulated PostScript (*.eps)|*.eps||', 'TIFF Image (*.tif)|*.tif||',
    'PNG Image (*.png)|*.png||', 'Export Code', 'Insert Application Identifier', 'Counter', 'Date', 'Time',
    'Database field', 'Page %1 of %2', 'Module width: %1', 'Bar height: %1', 'Size: %1 x %2',
    'Resolution: %1 dpi', 'Quiet zone: %1 modules',
    'The printer cannot print bars this narrow; the module width was set to %1.',
    'The code was rotated; the text stays below the bars.', 'The data source could not be opened.',
    'Row %1 of %2', 'The counter reached its last value.', 'The counter must be a whole number.',
    'The step must not be 0.', 'The folder %1 does not exist. Create it?', 'The file %1 exists. Replace it?',
    'Replace all existing files', 'Skip existing files', 'Ask for each file',
    'The symbology %1 has no check digit.', 'The error correction level must be between %1 and %2.',
    'The number of columns must be between 1 and 30.', 'The number of rows must be between 3 and 90.',
    'Symbol too large: reduce the data or the error correction.', 'Label %1 of %2 on the sheet',
    'The labels do not fit on the paper: reduce the number of columns or rows.',
    'Bar width reduction: %1 mm', 'Start character', 'Stop character', 'Check digit', 'Add-on',
    'Data identifier', 'Function 1 (FNC1)', 'Group separator (GS)', 'Tessik Barcode Designer',
    'Thank you for registering Tessik.',
]

# Commands of the application beside the framework's own; prompt, then tooltip.
COMMANDS = {
    32772: 'Insert an application identifier into the data\nApplication Identifier',
    32773: 'Insert a counter that grows by one for every code\nCounter',
    32775: 'Insert today\'s date into the data\nDate',
    32778: 'Export a code for every row of a data source\nExport to Multiple Files',
    32788: 'Copy the code to the Clipboard as a picture\nCopy Picture',
    32789: 'Export the code to a picture file\nExport',
    32790: 'Set the Clipboard picture format\nClipboard Settings',
    32791: 'Set the bitmap export format\nBitmap Settings',
    32798: 'Set the units and defaults for new codes\nGlobal Settings',
    1034: 'Bar code data',
}

# The framework's range above 57664 carries the application's view and code commands.
VIEW_COMMANDS = [
    ('Zoom in on the code', 'Zoom In'), ('Zoom out from the code', 'Zoom Out'), ('Show the code at actual size', 'Actual Size'),
    ('Fit the code in the window', 'Fit'), ('Show or hide the ruler', 'Ruler'), ('Show or hide the quiet zones', 'Quiet Zones'),
    ('Show or hide the human readable text', 'Text'), ('Show the code in its print colours', 'Print Colours'),
    ('Choose the symbology of the code', 'Symbology'), ('Set the module width and the bar height', 'Dimensions'),
    ('Set the wide-to-narrow ratio', 'Ratio'), ('Add or remove the check digit', 'Check Digit'),
    ('Set the font of the human readable text', 'Text Font'), ('Put the text above the bars', 'Text Above'),
    ('Put the text below the bars', 'Text Below'), ('Hide the human readable text', 'No Text'),
    ('Rotate the code by 90 degrees', 'Rotate'), ('Mirror the code', 'Mirror'),
    ('Draw the bars in black on white', 'Normal'), ('Draw the bars in white on black', 'Inverse'),
    ('Set the colours of bars and background', 'Colours'), ('Add bearer bars above and below', 'Bearer Bars'),
    ('Add a frame around the code', 'Frame'), ('Set the error correction level', 'Error Correction'),
    ('Set the number of rows and columns', 'Rows and Columns'), ('Check the data against the symbology', 'Verify'),
    ('Show the encoded characters', 'Encoding'), ('Show the check digit calculation', 'Check Digit Calculation'),
    ('Take the data from a database field', 'Database Field'), ('Move to the first row of the data source', 'First Row'),
    ('Move to the previous row of the data source', 'Previous Row'), ('Move to the next row of the data source', 'Next Row'),
    ('Move to the last row of the data source', 'Last Row'), ('Reset the counter to its start value', 'Reset Counter'),
    ('Set the start value and step of the counter', 'Counter Settings'), ('Copy the data text', 'Copy Data'),
    ('Paste text as the data', 'Paste Data'), ('Clear the data', 'Clear Data'), ('Print a sheet of codes', 'Print Sheet'),
    ('Set the label size and layout of the sheet', 'Label Layout'), ('Print a test code', 'Test Print'),
    ('Calibrate the printer\'s bar width reduction', 'Bar Width Reduction'), ('Show the symbology reference', 'Symbologies'),
    ('Show the application identifier reference', 'Identifiers'), ('Show the keyboard shortcuts', 'Keyboard'),
    ('Visit the Tessik web pages', 'Web'), ('Check for a newer version', 'Update'), ('Register your copy of Tessik', 'Register'),
    ('Show the tip of the day', 'Tips'), ('Send feedback to KAVEX Software', 'Feedback'),
]
VIEW_IDS = ranges((57672, 57679), (57682, 57723))
assert len(VIEW_COMMANDS) == len(VIEW_IDS)
CMD = {label: cid for cid, (_, label) in zip(VIEW_IDS, VIEW_COMMANDS)}


def strings():
    texts = MESSAGES[:]
    for name, charset, check in SYMBOLOGIES:
        texts += [name, 'Encodes ' + charset + '.', 'Check digit: ' + check + '.']
    texts += ['(%s) %s' % ai for ai in APPLICATION_IDENTIFIERS]
    assert len(texts) == 224, len(texts)
    table = {i + 1: t for i, t in enumerate(texts)}
    table.update(COMMANDS)
    table.update({cid: '%s\n%s' % text for cid, text in zip(VIEW_IDS, VIEW_COMMANDS)})
    std = ranges(57344, (57600, 57601), (57603, 57604), (57665, 57671), (57680, 57681), 57728, (61440, 61443), 61446,
                 61457, (61472, 61476), (61696, 61710), (61712, 61721), (61728, 61734), (61836, 61837),
                 (61840, 61842), (61856, 61870), (61872, 61879), 61888, 65535)
    table.update(framework_strings(std, PRODUCT))
    return table


SYMBOLOGY_NAMES = [s[0] for s in SYMBOLOGIES]
FONTS = ['Arial', 'Courier New', 'OCR-B', 'Times New Roman', 'Verdana']
UNITS = ['Millimetres', 'Inches', 'Mils', 'Points', 'Pixels']
TEXT_POSITION = ('radios', 'Human readable text', ['&None', '&Above the bars', '&Below the bars'], 1)


def dialogs():
    return [
        Dialog(102, 'Text', [('edit', '&Text:', 3), ('combo', '&Font:', FONTS), ('num', '&Size:', 'pt'),
                             ('radios', 'Alignment', ['&Left', '&Centred', '&Right'], 3),
                             ('row', [('check', '&Bold'), ('check', '&Italic')])], ex=False),
        Dialog(132, 'Bar Codes', [('combo', '&Symbology:', SYMBOLOGY_NAMES), ('edit', '&Data:'),
                                  ('num', '&Module width:', 'mm'), ('num', 'Bar &height:', 'mm'),
                                  ('combo', '&Ratio:', ['2.0 : 1', '2.5 : 1', '3.0 : 1']),
                                  ('check', 'Add &check digit'), TEXT_POSITION, ('preview', 4, 'Preview')],
               width=200, ex=False),
        Dialog(1000, None, [('edit', '&Data:'), ('buttons', ['&Identifier...', '&Counter', 'Da&te']),
                            ('text', 'Encodes 0-9, A-Z, - . $ / + % and space.')], kind='panel', ex=False),
        Dialog(1002, None, [('combo', '&Units:', UNITS), ('num', '&Module width:'), ('num', 'Bar &height:'),
                            ('num', '&Quiet zone:', 'modules')], kind='panel', ex=False),
        Dialog(1004, None, [TEXT_POSITION, ('row', [('check', '&Bold'), ('check', '&Italic')]),
                            ('num', '&Gap to bars:', 'mm')], kind='panel', ex=False),
        Dialog(1006, 'Application Identifier', [('list', '&Identifier:', 8), ('edit', '&Value:'),
                                                ('text', 'Fixed length 14 digits, check digit modulo 10.')],
               buttons=('&Insert', 'Cancel', 'Help'), ex=False),
        Dialog(1007, None, [('color', '&Bars:'), ('color', 'Bac&kground:'), ('color', '&Text:'),
                            ('check', '&Transparent background')], kind='panel', ex=False),
        Dialog(1008, None, [('radios', 'Check digit', ['&None', '&Calculate', '&Verify the given one'], 1),
                            ('check', '&Show the check digit in the text')], kind='panel', ex=False, lang=CZECH),
        Dialog(1010, PRODUCT, [('row', [('combo', '&Symbology:'), ('edit', '&Data:')]), ('preview', 10, ''),
                               ('text', 'Module width 0.33 mm, bar height 22.85 mm')], kind='main', width=300,
               buttons=('&Copy', '&Export...', '&Print...', 'E&xit'), ex=True),
        Dialog(1013, 'Code', [('combo', '&Symbology:'), ('edit', '&Data:'), ('check', 'Add &check digit'),
                              ('num', '&Rotation:', 'degrees'), ('check', '&Mirror')], ex=False),
        Dialog(1015, 'Clipboard', [('radios', 'Format', ['&Enhanced metafile', '&Bitmap', 'B&oth'], 1),
                                   ('num', '&Resolution:', 'dpi'), ('check', 'Include &human readable text')], ex=False),
        Dialog(1016, 'Settings for Windows Bitmap Format', [
            ('num', '&Resolution:', 'dpi'),
            ('radios', 'Colours', ['&Monochrome', '&16 colours', '&256 colours', '&True colour'], 2),
            ('check', '&Round bar widths to whole pixels'), ('check', 'Use RLE &compression')],
            width=190, ex=False, lang=CZECH),
        Dialog(1017, 'Code', [('combo', '&Symbology:', SYMBOLOGY_NAMES), ('combo', '&Check digit:', ['None', 'Modulo 10', 'Modulo 11', 'Modulo 43', 'Modulo 47']),
                              ('edit', '&Data:'), ('check', '&Start and stop characters in text')], ex=False),
        Dialog(1018, 'Global', [('combo', '&Units:', UNITS), ('combo', '&New codes:', SYMBOLOGY_NAMES),
                                ('combo', '&Text font:', FONTS), ('check', '&Warn before a check digit is replaced'),
                                ('check', 'Open the &last file at start-up')], ex=False),
        Dialog(1040, 'Export to Multiple Files', [
            ('edit', '&Folder:'), ('edit', 'File &name:'), ('text', 'Use # for the counter and [field] for a data field.'),
            ('combo', '&Format:', ['Windows Bitmap', 'Windows Metafile', 'Enhanced Metafile', 'Encapsulated PostScript', 'TIFF', 'PNG']),
            ('radios', 'Take the data from', ['&Counter', 'Data &source'], 2),
            ('row', [('num', 'Fi&rst:'), ('num', 'Ste&p:')]), ('num', '&Count:', 'files')],
            buttons=('&Export', 'Cancel', 'Help'), width=210),
        Dialog(1041, None, [('text', 'Exporting file 1 of 100...'), ('progress',), ('text', '', 1)], kind='panel', width=200),
        Dialog(1045, 'About ' + PRODUCT, [('icon', 1014, ['Tessik Barcode Designer', 'Version 4.0',
                                                          'Copyright (C) 1998-2004 KAVEX Software']),
                                          ('line',), ('text', 'This copy is licensed to:'), ('text', 'KAVEX Software')],
               buttons=('OK',), width=170, ex=False, lang=CZECH),
        new_document_dialog(),
    ]


def menus():
    file_menu = ('&File', [('&New\tCtrl+N', 57600), ('&Open...\tCtrl+O', 57601), ('&Save\tCtrl+S', 57603),
                           ('Save &As...', 57604), None, ('&Export...', 32789),
                           ('Export to &Multiple Files...', 32778), None, ('&Print Sheet...\tCtrl+P', CMD['Print Sheet']),
                           ('&Label Layout...', CMD['Label Layout']), ('&Test Print', CMD['Test Print']), None,
                           ('E&xit', 57665)])
    edit_menu = ('&Edit', [('&Copy Picture\tCtrl+C', 32788), ('Copy &Data', CMD['Copy Data']),
                           ('&Paste Data\tCtrl+V', CMD['Paste Data']), ('C&lear Data\tDel', CMD['Clear Data'])])
    view_menu = ('&View', [('Zoom &In\t+', CMD['Zoom In']), ('Zoom &Out\t-', CMD['Zoom Out']),
                           ('&Actual Size', CMD['Actual Size']), ('&Fit', CMD['Fit']), None, ('&Ruler', CMD['Ruler']),
                           ('&Quiet Zones', CMD['Quiet Zones']), ('&Print Colours', CMD['Print Colours'])])
    insert_menu = ('&Insert', [('&Application Identifier...', 32772), ('&Counter', 32773), ('&Date', 32775),
                               ('Database &Field...', CMD['Database Field'])])
    code_menu = ('&Code', [('&Symbology...', CMD['Symbology']), ('&Dimensions...', CMD['Dimensions']),
                           ('&Ratio...', CMD['Ratio']), ('&Check Digit', CMD['Check Digit']),
                           ('&Error Correction...', CMD['Error Correction']), None,
                           ('Text', [('&Font...', CMD['Text Font']), ('&Above', CMD['Text Above']),
                                     ('&Below', CMD['Text Below']), ('&None', CMD['No Text'])]),
                           ('&Rotate\tCtrl+R', CMD['Rotate']), ('&Mirror', CMD['Mirror']), None,
                           ('&Verify\tF7', CMD['Verify'])])
    options_menu = ('&Options', [('&Global...', 32798), ('C&lipboard...', 32790), ('&Bitmap Format...', 32791)])
    help_menu = ('&Help', [('&Help Topics\tF1', 57667), ('&Symbologies', CMD['Symbologies']),
                           ('&Identifiers', CMD['Identifiers']), ('&Tip of the Day', CMD['Tips']), None,
                           ('&Register...', CMD['Register']), ('Check for &Update', CMD['Update'])])
    return [
        (1013, [file_menu, edit_menu, view_menu, insert_menu, code_menu, options_menu, help_menu]),
        (1036, [('Code', [('&Copy Picture', 32788), ('&Export...', 32789), None, ('&Symbology...', CMD['Symbology']),
                          ('&Dimensions...', CMD['Dimensions'])])]),
        (1038, [('Data', [('&Application Identifier...', 32772), ('&Counter', 32773), ('&Date', 32775), None,
                          ('Copy &Data', CMD['Copy Data']), ('&Paste Data', CMD['Paste Data'])])]),
        (1039, [('Text', [('&Font...', CMD['Text Font']), ('&Above', CMD['Text Above']), ('&Below', CMD['Text Below']),
                          ('&None', CMD['No Text'])])]),
        (1043, [('Rows', [('&First Row', CMD['First Row']), ('&Previous Row', CMD['Previous Row']),
                          ('&Next Row', CMD['Next Row']), ('&Last Row', CMD['Last Row'])])]),
        (1044, [('Counter', [('&Reset Counter', CMD['Reset Counter']), ('&Counter Settings...', CMD['Counter Settings'])])]),
    ]


ACCELERATORS = [('Ctrl+N', 57600), ('Ctrl+O', 57601), ('Ctrl+S', 57603), ('Ctrl+C', 32788), ('Ctrl+V', CMD['Paste Data']),
                ('Del', CMD['Clear Data']), ('Ctrl+P', CMD['Print Sheet']), ('Ctrl+R', CMD['Rotate']), ('F7', CMD['Verify']),
                ('F1', 57670), ('Shift+F1', 57669), ('Add', CMD['Zoom In']), ('Subtract', CMD['Zoom Out'])]


def bitmaps(script):
    samples = ['Code 39', 'Code 128', 'EAN-13', 'EAN-8', 'UPC-A', 'UPC-E', 'ITF 2 of 5', 'Codabar', 'Code 93', 'GS1-128']
    for i, name in enumerate(samples):
        script.bitmap(1020 + i, CZECH, pictures.barcode(name, 72, 36, name))
    script.bitmap(1031, ENGLISH, pictures.strip(['new', 'open', 'save', 'copy', 'export', 'print', 'zoomin', 'zoomout', 'barcode', 'help']))
    for res_id, side in ((1033, 'above'), (1034, 'below'), (1035, 'none')):
        c = pictures.barcode(side, 48, 32)
        if side == 'above':
            c.fill(0, 0, 47, 7, WHITE)
            c.text(10, 1, '12345', BLACK)
        elif side == 'below':
            c.fill(0, 25, 47, 31, WHITE)
            c.text(10, 26, '12345', BLACK)
        script.bitmap(res_id, ENGLISH, c)
    script.bitmap(1037, ENGLISH, pictures.strip(['counter', 'date', 'database', 'text']))
    logo = pictures.framed_text(120, 40, ['TESSIK', 'BARCODE'], WHITE, NAVY, 2)
    logo.paste(pictures.barcode('Tessik', 40, 30), 76, 5)
    script.bitmap(1085, ENGLISH, logo)
    script.bitmap(26567, ENGLISH, pictures.strip(['bulb']))
    script.bitmap(30994, ENGLISH, _check_marks())
    script.bitmap(30995, ENGLISH, pictures.strip(['delete']))
    script.bitmap(30996, ENGLISH, pictures.strip(['undo', 'redo']))


def _check_marks():
    """The framework's check list box states: clear, ticked, undetermined."""
    c = Canvas(39, 13, WHITE)
    for i in range(3):
        c.rect(i * 13, 0, i * 13 + 12, 12, GRAY, WHITE if i < 2 else SILVER)
        if i:
            for k in range(3):
                c.line(i * 13 + 3, 5 + k, i * 13 + 5, 7 + k, BLACK)
                c.line(i * 13 + 5, 7 + k, i * 13 + 9, 3 + k, BLACK)
    return c


def app_icon():
    c = Canvas(32, 32, None)
    c.rect(1, 4, 30, 27, BLACK, WHITE)
    c.paste(pictures.barcode('Tessik', 26, 20), 3, 6)
    c.line(2, 15, 29, 15, RED)
    return c


def emit(script):
    script.string_table(strings())
    emit_dialogs(script, dialogs(), {102, 132, 1002, 1017, 1018, 1040})
    for res_id, popups in menus():
        script.menu(res_id, ENGLISH, popups)
    script.accelerators(1030, ENGLISH, ACCELERATORS)
    bitmaps(script)
    script.icon(1014, CZECH, [(1, app_icon())])
    insert_cursor = [pictures.cursor('cross', 'barcode'), pictures.cursor('cross', 'barcode', 48)]
    script.cursor(1118, ENGLISH, [(2, *insert_cursor[0]), (3, *insert_cursor[1])])
    script.cursor(30977, ENGLISH, [(4, *pictures.cursor('arrow', 'help'))])
    versions(script, PRODUCT, 'Tessik user interface resources', (4, 0, 2481, 0))
