#include "panel/HelpPages.h"

namespace {

// One literal a line, ending in CR LF; long lines go on over several literals.
const char* const kPages[kHelpPageCount] = {
    // Page 1: 405 characters.
    "OPTION-CLICK\r\n"
    "option-click on the workspace to show or hide the panel.\r\n"
    "\r\n"
    "SHIFT-CLICK\r\n"
    "Shift-click on the workspace to activate the next label shape cyclically ((rectangle, "
    "circle, triangle, no lable).\r\n"
    "\r\n"
    "KPX\r\n"
    "A click the KPX button apply immediately the default values settings definied in the "
    "preferences.\r\n"
    "\r\n"
    "KPX-COMMAND\r\n"
    "Clicking the KPX button, with the COMMAND key pressed, destroy the pending label.",
    // Page 2: 265 characters.
    "SIMPLE LABELS\r\n"
    "\r\n"
    "Drawing a label is simple, you just have to click and drag. By default, clicking "
    "anywhere is allowed.\r\n"
    "\r\n"
    "In the preference dialog, you can change this behavior to allow clicking or not the "
    "object's background or clicking or not outside the objects.",
    // Page 3: 212 characters.
    "MULTIPLE LABELS\r\n"
    "\r\n"
    "It's possible to draw a multiple label. That means a label with several arrows and a "
    "single text.\r\n"
    "To do this, you just have to click several times before dragging to create the multiple "
    "label.",
    // Page 4: 261 characters.
    "A label may have a text which is an integer (from 0 to 32767). This number will be "
    "increased at each creation of a label.\r\n"
    "\r\n"
    "A label may have a text which is a letter (upper case or lower case). This letter will "
    "change at each creation of a label (a, b, c etc).",
    // Page 5: 418 characters.
    "MODIFICATION OF A LABEL\r\n"
    "\r\n"
    "Now, modifying a label is possible.\r\n"
    "First, choose the new parameters in the pannel, then click the label you intend to "
    "modify when the cursor is over the label and shows an M.\r\n"
    "\r\n"
    "Multiples labels or simple labels are modified by the same way.\r\n"
    "\r\n"
    "The label's parameters are modified but the text is not. To update the text, you have "
    "to hit it in the pannel and validate it with Shift-Return.",
    // Page 6: 312 characters.
    "FREE TEXT\r\n"
    "\r\n"
    "The label may have a free text, choosing Free text in the pop-up menu. The maximum text "
    "length is 50.\r\n"
    "\r\n"
    "It's possible to use directly a memorised free text, using a second pop-up at the right "
    "of the text zone in the pannel. The prefered free text may be changed using the "
    "prefered free text dialog.",
    // Page 7: 359 characters.
    "COLORS\r\n"
    "\r\n"
    "Clicking the color zone (at the left of the line weight zone) or double clicking the "
    "tool icon, open the color dialog.\r\n"
    "In this dialog, it's possible to modify the color of the artwork, the gap between the "
    "shape and the text and the parameters of 2 among the 4 arrows (These parameters will "
    "become the default parameters and will be kept after that.",
    // Page 8: 394 characters.
    "COMMAND\r\n"
    "\r\n"
    "To freely move the label's text while dragging, use the COMMAND key.\r\n"
    "\r\n"
    "OPTION\r\n"
    "\r\n"
    "If you create a label, clicking a segment, if you add the OPTION key, the arrow's "
    "extremity will be placed at the middle of the segment.\r\n"
    "\r\n"
    "SHIFT\r\n"
    "\r\n"
    "To constrain the label's angle (0\xB0, 45\xB0, 90\xB0, 135\xB0, 180\xB0, 225\xB0, 270\xB0 or 315\xB0) while "
    "dragging.\r\n"
    "\r\n"
    "CTRL\r\n"
    "\r\n"
    "To change the label's direction while dragging.",
    // Page 9: 172 characters.
    "ARROWS/POINTS\r\n"
    "\r\n"
    "Clicking the Arrows/Points icon at the left of the arrows size zone, changes the 4 "
    "arrows shapes into 4 new shapes (disk, circle, solid square and square).",
    // Page 10: 237 characters.
    "ARROWS EDITOR\r\n"
    "\r\n"
    "This article of the panel pop-up menu is used to customize the arrowhead number 4.\r\n"
    "\r\n"
    "this arrow is drawn with an interrogation point in the panel.\r\n"
    "OPTION-CLIC on this arrow in the panel open directly the Arrows Editor\x85",
    // Page 11: 255 characters.
    "SHAPE EDITOR\r\n"
    "\r\n"
    "This article of the panel pop-up menu is used to customize the label's shape.\r\n"
    "\r\n"
    "This shape is used when you select the shape with an interogation point in the pannel.\r\n"
    "OPTION-CLIC on this shape in the panel open directly the Shape Editor\x85",
};

const char kAbout[] =
    "KPX\x95Labels 4.5\r\n"
    "\r\n"
    "Draws callout labels: a shape holding a letter, a number or a free text, tied by leader lines "
    "to the spots you click.";

}  // namespace

const char* HelpPageText(int page) {
  if (page < 1 || page > kHelpPageCount) return nullptr;
  return kPages[page - 1];
}

const char* AboutText() { return kAbout; }
