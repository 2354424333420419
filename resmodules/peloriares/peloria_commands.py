"""Peloria's own commands, menu by menu: "label|prompt". A label's text
without its access key and dots is the command's tooltip; "Menu/Sub" puts
the commands in a submenu."""

COMMANDS = '''
File
&Import...|Bring a drawing or picture from another format into the document
&Export...|Save the document or the selection in another format
Ac&quire Image...|Scan a picture into the document
Select &Source...|Choose the scanner to acquire images from
Document &Info...|Show the objects, fonts, fills and outlines the document uses
&Revert|Discard the changes made since the document was last saved
Publish to &PDF...|Save the document as a PDF file
Send to &Mail Recipient...|Send the document by e-mail
Print &Merge...|Print one copy for every record of a data file
&Billboard Printing...|Print the page in tiles that are put together into a poster
Prepress &Settings...|Set the crop marks, registration marks and colour bars of the print
Edit
&Undo|Undo the last action
&Redo|Redo the action that was undone last
&Repeat|Repeat the last action on the selection
&Duplicate|Make a copy of the selection offset from it
C&lone|Make a copy of the selection that follows changes of its master
Step and Re&peat...|Make several copies of the selection at regular offsets
&Multiple Copy...|Copy the selection several times with a shift, rotation and scale for each copy
Multiple Copy on &Curve...|Copy the selection along a curve
Copy &Properties From...|Copy the outline, fill or text properties of another object to the selection
&Delete|Remove the selection
Edit/Select All
&Objects|Select every object on the page
&Text|Select all text objects
&Guidelines|Select all guidelines
&Nodes|Select all nodes of the selected curve
Edit
&Find and Replace...|Find objects or text and replace them
Insert &Barcode...|Insert a barcode made with Tessik
Insert New &Object...|Insert an object made by another application
Lin&ks...|Edit the links of linked objects
&Properties|Show the properties of the selection
View
&Wireframe|Show only the outlines of the objects
&Normal|Show the drawing with fills and outlines
&Enhanced|Show the drawing with smoothed edges
&Full-Screen Preview|Show the drawing alone on the whole screen
Preview &Selected Only|Show only the selected objects in the full-screen preview
&Rulers|Show or hide the rulers
&Grid|Show or hide the grid
G&uidelines|Show or hide the guidelines
&Page Border|Show or hide the border of the printable page
Bleed &Area|Show or hide the bleed area round the page
Show Print &Colours|Show the colours as the printer will print them
View/Zoom
Zoom &In|Enlarge the view
Zoom &Out|Reduce the view
&Actual Size|Show the drawing at its printed size
Zoom to &Page|Show the whole page
Zoom to Page &Width|Fit the width of the page in the window
Zoom to Page &Height|Fit the height of the page in the window
Zoom to &Selection|Fit the selection in the window
Zoom to &All Objects|Fit all objects in the window
&Previous Zoom|Go back to the zoom before the last change
&25%|Show the drawing at a quarter of its size
&50%|Show the drawing at half its size
&200%|Show the drawing at twice its size
&400%|Show the drawing at four times its size
View/Snap
Snap to &Grid|Move objects to the nearest grid point
Snap to G&uidelines|Move objects to the nearest guideline
Snap to &Objects|Move objects to the nodes of other objects
&Dynamic Guides|Show temporary guides while drawing
Layout
&Insert Page...|Add pages before or after the current page
&Delete Page...|Remove pages from the document
&Rename Page...|Give the current page a name
&Go to Page...|Show another page of the document
Switch Page &Orientation|Switch the page between portrait and landscape
&Page Setup...|Set the size, orientation and layout of the pages
Page &Background...|Set the background of the pages
Layout/Grid and Guides
&Grid Setup...|Set the spacing and appearance of the grid
G&uidelines Setup...|Add, move and remove guidelines
&Lock Guidelines|Stop the guidelines from being moved
&Clear Guidelines|Remove all guidelines of the page
Arrange
&Transformations...|Move, rotate, scale, size or skew the selection precisely
&Clear Transformations|Undo every rotation, scaling and skewing of the selection
&Position...|Move the selection to a position or by a distance
R&otate...|Rotate the selection by an angle round a centre
Scale and &Mirror...|Scale or mirror the selection by a percentage
Si&ze...|Set the width and height of the selection
S&kew...|Slant the selection by an angle
Arrange/Align and Distribute
Align &Left|Align the left edges of the selected objects
Align &Right|Align the right edges of the selected objects
Align &Top|Align the top edges of the selected objects
Align &Bottom|Align the bottom edges of the selected objects
Align Centers &Horizontally|Align the centres of the selected objects on a horizontal line
Align Centers &Vertically|Align the centres of the selected objects on a vertical line
Center to &Page|Center the selected objects on the page
&Distribute...|Space the selected objects evenly
Arrange/Order
To &Front|Put the selection in front of all other objects
To &Back|Put the selection behind all other objects
Forward &One|Move the selection one object forward
Back O&ne|Move the selection one object back
&In Front Of...|Put the selection in front of an object you click
B&ehind...|Put the selection behind an object you click
&Reverse Order|Reverse the stacking order of the selected objects
Arrange
&Group|Join the selected objects into a group
&Ungroup|Split the selected group into its objects
U&ngroup All|Split the selected groups and all groups inside them
&Combine|Join the selected objects into one curve
&Break Apart|Split a combined curve into its parts
L&ock Object|Stop the selection from being moved or changed
Unl&ock Object|Let the selected locked objects be changed again
Unlock &All Objects|Let every locked object be changed again
Arrange/Shaping
&Weld|Join the selected objects into one outline
&Trim|Cut the shape of one object out of another
&Intersect|Make an object of the area the selected objects share
&Simplify|Remove the hidden parts of overlapping objects
&Front Minus Back|Keep the front object without the parts the objects behind it cover
&Back Minus Front|Keep the back object without the parts the objects in front of it cover
Arrange
Con&vert to Curves|Turn the selected shapes or text into curves
Convert Outline to &Object|Turn the outline of the selection into a filled object
&Rotate 90 Degrees Left|Rotate the selection a quarter turn anticlockwise
Rotate 90 Degrees R&ight|Rotate the selection a quarter turn clockwise
&Mirror Horizontally|Flip the selection left to right
Mirror &Vertically|Flip the selection top to bottom
Effects
&Adjust Colours...|Change the brightness, contrast and intensity of the selection
&Blend|Make a series of shapes that change from one object into another
&Contour|Draw outlines inside or outside the selection at regular distances
&Envelope|Shape the selection by dragging the nodes of an envelope
E&xtrude|Give the selection depth
&Lens|Make the selection change the look of the objects behind it
Add &Perspective|Give the selection a vanishing point
Drop &Shadow|Put a shadow behind the selection
&Transparency|Let the objects behind the selection show through it
Effects/PowerClip
&Place Inside Container...|Put the selection inside an object you click
&Extract Contents|Take the contents out of the container
&Edit Contents|Change the contents of the container
&Finish Editing|End the editing of the container's contents
Effects
Copy Effect &From...|Copy an effect of another object to the selection
C&lear Effect|Remove the effect from the selection
Bitmaps
&Convert to Bitmap...|Turn the selection into a bitmap
&Edit Bitmap...|Open the bitmap in the bitmap editor
&Crop Bitmap|Cut the bitmap to the shape of its nodes
&Resample...|Change the size and resolution of the bitmap
&Mode...|Change the colour mode of the bitmap
&Inflate Bitmap...|Add pixels round the edges of the bitmap
Bitmap Colour &Mask...|Hide colours of the bitmap
&Trace Bitmap|Turn the bitmap into curves
Bitmaps/Effects
&Blur...|Soften the bitmap
&Sharpen...|Bring out the edges of the bitmap
&Emboss...|Make the bitmap look raised
&Noise...|Add or remove grain
&Pixelate...|Break the bitmap into blocks
&Posterize...|Reduce the number of colour levels
&Invert|Make a negative of the bitmap
Text
&Character Formatting...|Set the font, size and style of the selected text
&Paragraph Formatting...|Set the alignment, spacing and indents of the paragraphs
&Columns...|Set the columns of paragraph text
&Bullets...|Put bullets in front of the paragraphs
&Tabs...|Set the tab stops of paragraph text
Drop &Cap|Start the paragraph with a large initial
&Fit Text to Path|Set the text along a curve
&Straighten Text|Return text on a path to a straight line
&Align to Baseline|Move the characters back to the baseline
Con&vert to Paragraph Text|Turn artistic text into paragraph text
Convert to &Artistic Text|Turn paragraph text into artistic text
&Edit Text...|Edit the selected text in a dialog
&Writing Tools|Check the spelling and grammar of the text
Change &Case...|Change the case of the selected text
Su&perscript|Raise the selected characters above the baseline
Su&bscript|Lower the selected characters below the baseline
&Kerning...|Change the space between the selected characters
&Font Substitution...|Choose fonts to replace the missing ones
Insert &Symbol Character...|Insert a character from a symbol font
&Bold|Make the selected text bold
&Italic|Make the selected text italic
&Underline|Underline the selected text
Align &Left|Align the text to the left
Align &Center|Center the text
Align &Right|Align the text to the right
Tools
&Options...|Change the settings of Peloria
&Customize...|Change the menus, toolbars and shortcut keys
&Colour Management...|Match the colours of the screen, printer and scanner
&Object Manager|Show the pages, layers and objects of the document
&View Manager|Keep and recall views of the document
&Graphic and Text Styles|Keep and apply styles of fills, outlines and text
&Symbol Manager|Keep and place symbols
&Scrapbook|Browse clip art, photos and sounds
&Macros...|Record and run macros
&Plug-Ins...|Choose the plug-ins Peloria loads
Tools/Palettes
&New Palette...|Make a new colour palette
&Open Palette...|Load a colour palette
&Save Palette As...|Save the colour palette under a new name
&Rename Palette...|Give the colour palette a new name
&Palette Editor...|Add, edit and sort the colours of the palette
Window
&Refresh Window|Redraw the drawing window
Window/Dockers
&Align Objects|Show or hide the Align Objects docker
&Bitmaps|Show or hide the Bitmaps docker
&Clip Art|Show or hide the Clip Art docker
C&olors|Show or hide the Colors docker
&Distribute Objects|Show or hide the Distribute Objects docker
&Fill|Show or hide the Fill docker
&Layers|Show or hide the Layers docker
Object &Operations|Show or hide the Object Operations docker
&Pen|Show or hide the Pen docker
&Styles|Show or hide the Styles docker
S&hadow|Show or hide the Shadow docker
&Unify Objects|Show or hide the Unify Objects docker
Sy&mbols|Show or hide the Symbols docker
&Transformations|Show or hide the Transformations docker
T&ransparency|Show or hide the Transparency docker
&View Manager|Show or hide the View Manager docker
Window/Toolbars
&Standard|Show or hide the Standard toolbar
&Toolbox|Show or hide the toolbox
&Zoom|Show or hide the Zoom toolbar
&Text|Show or hide the Text toolbar
&Arrange|Show or hide the Arrange toolbar
&Node Edit|Show or hide the Node Edit toolbar
Trans&form|Show or hide the Transform toolbar
&Effects|Show or hide the Effects toolbar
Help
&Tip of the Day...|Show a tip on using Peloria
&How To...|Show step-by-step instructions for common tasks
&Copyrights...|Show the copyrights of the parts of Peloria
Peloria on the &Web|Visit the Peloria web pages
Tools/Toolbox
&Pick Tool|Select, move and size objects
&Shape Tool|Edit the nodes of curves and the shape of objects
&Knife Tool|Cut objects apart
&Eraser Tool|Erase parts of objects
&Zoom Tool|Zoom in on the area you click or drag
&Hand Tool|Move the view of the drawing
&Freehand Tool|Draw lines and curves freely
&Bezier Tool|Draw curves node by node
&Line Tool|Draw straight lines
&Rectangle Tool|Draw rectangles and squares
&Ellipse Tool|Draw ellipses and circles
P&olygon Tool|Draw polygons
S&tar Tool|Draw stars
Spi&ral Tool|Draw spirals
&Graph Paper Tool|Draw a grid of rectangles
T&able Tool|Draw tables
Te&xt Tool|Add artistic and paragraph text
&Interactive Fill Tool|Drag to set a gradient or pattern fill
&Eyedropper Tool|Pick a colour from the drawing
&Paint Bucket Tool|Fill the object you click with the current colour
&Interactive Blend Tool|Drag from one object to another to blend them
Interactive &Shadow Tool|Drag to give the object a shadow
Interactive &Transparency Tool|Drag to make the object transparent
Node Edit
&Add Node|Add a node to the curve
&Delete Node|Remove the selected nodes
&Join Nodes|Join two end nodes of a curve
&Break Curve|Split the curve at the selected node
To &Line|Make the selected segment straight
To &Curve|Make the selected segment curved
&Cusp|Let the handles of the node move independently
&Smooth|Keep the handles of the node in a line
S&ymmetrical|Keep the handles of the node in a line and of equal length
&Reverse Direction|Reverse the direction of the curve
&Extend Curve to Close|Close the curve with a straight segment
Auto-Clos&e Curve|Close the curve by joining its end nodes
&Reduce Nodes|Remove nodes that do not change the shape
&Elastic Mode|Move the selected nodes in proportion to their distance
'''


def parse():
    """[(menu path, label, prompt)] in the order of the table."""
    out, path = [], None
    for line in COMMANDS.strip().splitlines():
        if '|' in line:
            label, prompt = line.split('|')
            out.append((path, label, prompt))
        else:
            path = line
    return out
