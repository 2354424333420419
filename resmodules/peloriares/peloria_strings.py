"""Peloria's texts other than command prompts, in the order of their identifiers."""

DOCUMENT = ['\nDrawing\nPeloria Drawing\nPeloria Drawings (*.pld)\n.pld\nPeloria.Drawing\nPeloria Drawing',
            'Peloria Templates (*.plt)|*.plt||', 'Peloria Palettes (*.plp)|*.plp||', 'Peloria Symbol Libraries (*.pls)|*.pls||']

MESSAGES = [
    'Peloria Drawing', 'Layer %1', 'Page %1', 'Master Page', 'Desktop', 'Guides', 'Grid', 'Untitled view %1',
    '%1 objects selected on %2', 'Nothing selected', 'Group of %1 objects on %2', 'Curve on %1 with %2 nodes',
    'Node %1 of %2 selected', 'Width: %1 Height: %2', 'Center: (%1, %2)', 'Angle: %1 degrees', 'Distance: %1',
    'Fill: %1', 'Outline: %1 %2', 'None', 'Click an object to select it; drag to select several.',
    'Drag to draw; hold Ctrl to keep the proportions, Shift to draw from the centre.',
    'Click where the text starts, or drag a frame for paragraph text.', 'Click the object to fill.',
    'Click a colour in the drawing.', 'Drag across the object to cut it.',
    'The document %1 was made by a newer version of Peloria and cannot be opened.',
    'The file %1 is not a Peloria drawing.', 'The file %1 is damaged; %2 objects could be read.',
    'The font %1 is not installed.', 'Save the changes to %1 before closing?',
    'The selection cannot be converted to curves.', 'Select two or more objects first.',
    'Select exactly two objects to blend.', 'The objects cannot be welded: one of them is locked.',
    'The bitmap is too large to be edited (%1 x %2 pixels).', 'Not enough memory to render the bitmap.',
    'The printer %1 is not ready.', 'Printing page %1 of %2...', 'Exporting %1...', 'Importing %1...',
    'The file format %1 cannot be imported.', 'The filter for %1 is not installed. Run Setup to add it.',
    'The page has %1 objects outside the printable area. Print anyway?',
    'The guideline position must be between %1 and %2.', 'The page size must be between %1 and %2.',
    'The number of copies must be between 1 and %1.', 'Delete the layer %1 and all its objects?',
    'The master layer cannot be deleted.', 'The palette %1 already exists. Replace it?',
    'The colour %1 is outside the printable range.', 'The style %1 already exists.',
    'Delete the style %1? Objects that use it keep their look.', 'The view %1 already exists.',
    'Scanning...', 'No scanner is installed.', 'The scanner reported an error: %1',
    'The plug-in %1 could not be loaded.', 'The macro %1 stopped at line %2: %3', 'Auto-backup saved %1.',
    'Recovered document', 'The clip art folder %1 cannot be found. Insert the Peloria CD.',
]

OBJECTS = ['Rectangle', 'Ellipse', 'Polygon', 'Star', 'Spiral', 'Graph Paper', 'Table', 'Curve', 'Line',
           'Artistic Text', 'Paragraph Text', 'Bitmap', 'Group', 'Blend', 'Shadow', 'Symbol']
ACTIONS = ['Create %s', 'Move %s', 'Stretch %s', 'Rotate %s', 'Skew %s', 'Delete %s', 'Fill %s', 'Outline %s']

UNITS = [('millimeters', 'mm'), ('centimeters', 'cm'), ('meters', 'm'), ('inches', 'in'), ('feet', 'ft'),
         ('points', 'pt'), ('picas', 'pc'), ('pixels', 'px'), ('ciceros', 'c'), ('didots', 'dd')]

CHANNELS = ['Cyan', 'Magenta', 'Yellow', 'Black', 'Red', 'Green', 'Blue', 'Hue', 'Saturation', 'Brightness',
            'Lightness', 'Gray', 'Tint', 'CMYK', 'RGB', 'HSB', 'HSL', 'Grayscale', 'Lab', 'Registration',
            'Spot color', 'Process color', 'Out of gamut', 'Web-safe color']

PATTERNS = ['Bricks', 'Checks', 'Diagonal Stripes', 'Horizontal Stripes', 'Vertical Stripes', 'Dots', 'Waves',
            'Weave', 'Scales', 'Grid', 'Diamonds', 'Zigzag']
COLORWAYS = [('Red', (192, 32, 32)), ('Blue', (32, 64, 192)), ('Green', (32, 128, 48)), ('Gold', (208, 160, 32)),
             ('Gray', (112, 112, 112)), ('Purple', (112, 48, 144)), ('Teal', (0, 128, 128)), ('Brown', (128, 72, 24)),
             ('Orange', (240, 120, 16))]
FILLS = [(p, c) for c in COLORWAYS for p in PATTERNS][:99]

PAPER = ['Letter', 'Legal', 'Tabloid', 'Ledger', 'Executive', 'A0', 'A1', 'A2', 'A3', 'A4', 'A5', 'A6', 'B4', 'B5',
         'Envelope #10', 'Envelope DL', 'Envelope C5', 'Business card', 'Postcard', 'Custom']
FORMATS = ['Peloria Drawing (PLD)', 'Peloria Template (PLT)', 'Windows Metafile (WMF)', 'Enhanced Metafile (EMF)',
           'Windows Bitmap (BMP)', 'JPEG Bitmaps (JPG)', 'PNG Image (PNG)', 'GIF Image (GIF)', 'TIFF Bitmap (TIF)',
           'PCX Image (PCX)', 'Targa Bitmap (TGA)', 'Encapsulated PostScript (EPS)', 'PostScript (PS)',
           'Adobe Illustrator (AI)', 'AutoCAD Drawing (DXF)', 'Computer Graphics Metafile (CGM)',
           'Portable Document Format (PDF)', 'Scalable Vector Graphics (SVG)', 'HPGL Plotter File (PLT)',
           'Rich Text Format (RTF)', 'Text (TXT)', 'Macromedia Flash (SWF)', 'VodeVaruz Image (VVI)',
           'Kodak Photo CD (PCD)', 'Icon Resource (ICO)']
LINE_STYLES = ['Solid', 'Dash', 'Long Dash', 'Dot', 'Dash Dot', 'Dash Dot Dot', 'Square Dot', 'Sparse Dot',
               'Dense Dash', 'Rail', 'Double', 'Triple', 'Wavy', 'Zigzag', 'Stitch']
ARROWS = ['No Arrow', 'Triangle', 'Open Triangle', 'Sharp Arrow', 'Round Arrow', 'Circle', 'Square', 'Diamond',
          'Bar', 'Half Arrow', 'Feathered Tail', 'Double Arrow']
FILL_TYPES = ['Linear', 'Radial', 'Conical', 'Square', 'Clouds', 'Marble', 'Granite', 'Water', 'Flames',
              'Wood', 'Leather', 'Sand']
TIPS = [
    'Hold down Ctrl while you draw a rectangle to draw a square.',
    'Double-click the Pick tool to select every object on the page.',
    'Right-click a colour in the palette to give the selection that outline colour.',
    'Press Space to switch between the Pick tool and the tool you used last.',
    'Drag a guideline from the ruler; double-click it to place it exactly.',
    'Hold down Alt while you click to select the object behind the selected one.',
    'Press + on the numeric keypad to leave a copy behind while you move an object.',
    'Use View Manager to return to a zoom and page you use often.',
    'Lock the layers you are not working on to protect them from changes.',
    'Drag a fill colour from the palette onto an object to fill it.',
    'Blend two shapes with the Interactive Blend tool to make smooth transitions.',
    'Convert text to curves before you send a drawing to a print shop.',
    'Use Step and Repeat to make a row of evenly spaced copies.',
    'Hold down Shift while you rotate to turn an object in steps of 15 degrees.',
    'Press Ctrl+W to redraw the window after a long edit.',
    'Name your styles to apply the same look to many objects at once.',
    'Use Billboard Printing to print a poster across several sheets.',
    'The Eyedropper tool takes the colour of any object or bitmap.',
    'Group objects to move and size them together; hold Ctrl to select inside a group.',
    'Save often: Auto-backup keeps a copy of your work every few minutes.',
]

PALETTE_HUES = ['Red', 'Orange', 'Yellow', 'Lime', 'Green', 'Mint', 'Cyan', 'Sky Blue', 'Blue', 'Violet', 'Purple',
                'Magenta', 'Pink', 'Brown', 'Olive', 'Navy', 'Teal', 'Maroon', 'Gold', 'Silver', 'Gray', 'Sand',
                'Turquoise', 'Lavender']
PALETTE_SHADES = ['%s', 'Light %s', 'Pale %s', 'Dark %s']


def texts(count):
    """Exactly count texts: the fixed lists, then palette colour names to fill up."""
    out = DOCUMENT + MESSAGES
    out += [a % o for o in OBJECTS for a in ACTIONS]
    out += ['%s on %%1' % o for o in OBJECTS]
    out += [u for pair in UNITS for u in pair]
    out += CHANNELS + ['%s, %s' % (p, c[0]) for p, c in FILLS] + PAPER + FORMATS + LINE_STYLES + ARROWS + FILL_TYPES + TIPS
    palette = [s % h for s in PALETTE_SHADES for h in PALETTE_HUES]
    need = count - len(out)
    assert 0 <= need <= len(palette), need
    return out + palette[:need]
