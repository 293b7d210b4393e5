// The host's dialog toolkit: basic services (alerts, cursors, string lists,
// number formatting), dialogs, items, lists and their entries, the drawer,
// icons, the tracker, notifiers and dialog groups. Tables only ever grow at
// the end. Every operation returns kNoErr or a host error code; a dead or
// foreign handle, a null out-pointer or a value out of its domain gives
// kBadParameterErr (unless an operation says otherwise) and leaves every out
// value as it was. Strings are in the platform encoding (Windows-1252) and
// lengths count its characters; text buffers are always terminated, and a
// text that does not fit is cut to size - 1 characters.
//
// Coordinates are whole pixels, y growing downwards. A dialog's bounds are
// screen pixels; an item's bounds are pixels of its dialog; a drawer draws in
// the pixels of what it draws (item-local for an item, dialog-local for a
// dialog: (0, 0) is the top-left corner of the item or dialog).
//
// Handles of drawers, trackers and notifiers live for the one procedure call
// they are handed to; kept beyond it they are dead.
#pragma once

#include "AITypes.h"

// [SECTION] index
//   Handles, values and procedures
//   Constants: dialog styles, item types, notifiers, tracker, units, fonts, colours
//   ADM Basic Suite
//   ADM Dialog Suite
//   ADM Item Suite
//   ADM List Suite, ADM Entry Suite
//   ADM Drawer Suite
//   ADM Icon Suite
//   ADM Tracker Suite
//   ADM Notifier Suite
//   ADM Dialog Group Suite

// -----------------------------------------------------------------------------
// [SECTION] Handles, values and procedures

typedef struct _t_ADMDialog* ADMDialogRef;
typedef struct _t_ADMItem* ADMItemRef;
typedef struct _t_ADMList* ADMListRef;
typedef struct _t_ADMEntry* ADMEntryRef;
typedef struct _t_ADMDrawer* ADMDrawerRef;
typedef struct _t_ADMTracker* ADMTrackerRef;
typedef struct _t_ADMNotifier* ADMNotifierRef;
typedef struct _t_ADMIcon* ADMIconRef;
typedef void* ADMUserData;

typedef struct ADMPoint { int32_t h, v; } ADMPoint;
typedef struct ADMRect { int32_t left, top, right, bottom; } ADMRect;
// Screen colour, 16 bits a channel: 0 none .. 65535 full.
typedef struct ADMRGBColor { uint16_t red, green, blue; } ADMRGBColor;
// Metrics of the drawer's current font, in pixels.
typedef struct ADMFontInfo { int32_t height, ascent, descent, leading, maxWidth; } ADMFontInfo;

// The plug-in's procedures. The toolkit calls them on the user-interface
// thread; none may let an exception escape.
// Runs once while Create or Modal builds the dialog; a non-zero result
// abandons the dialog (Create and Modal then return that code).
typedef ASErr (*ADMDialogInitProc)(ADMDialogRef dialog);
// Paints the dialog's own background; DefaultDraw paints the toolkit's.
typedef void (*ADMDialogDrawProc)(ADMDialogRef dialog, ADMDrawerRef drawer);
// Every notification of the dialog (close box, shown, hidden, bounds changed,
// sent ones); DefaultNotify performs the toolkit's handling.
typedef void (*ADMDialogNotifyProc)(ADMDialogRef dialog, ADMNotifierRef notifier);
// Runs once when the dialog goes away, before its items' destroy procedures;
// its items are still there.
typedef void (*ADMDialogDestroyProc)(ADMDialogRef dialog);
// Runs once while Create makes the item; a non-zero result removes the item again.
typedef ASErr (*ADMItemInitProc)(ADMItemRef item);
// Paints the item; DefaultDraw paints it as the toolkit would.
typedef void (*ADMItemDrawProc)(ADMItemRef item, ADMDrawerRef drawer);
// Every notification of the item; DefaultNotify performs the toolkit's handling.
typedef void (*ADMItemNotifyProc)(ADMItemRef item, ADMNotifierRef notifier);
// One mouse event inside the item that its action mask lets through.
// DefaultTrack performs the toolkit's handling; the result says whether the
// event completed a user change (the toolkit then notifies "ADM User Changed
// Notifier"). Returning DefaultTrack's answer keeps the item working as usual.
typedef ASBoolean (*ADMItemTrackProc)(ADMItemRef item, ADMTrackerRef tracker);
// Runs once when the item goes away (its dialog destroyed, or Destroy).
typedef void (*ADMItemDestroyProc)(ADMItemRef item);

// -----------------------------------------------------------------------------
// [SECTION] Constants

// Dialog styles. Modal runs kADMModalDialogStyle or kADMAlertDialogStyle;
// Create takes any style of this list (a modal style then only sets the look).
enum {
  kADMModalDialogStyle = 0,
  kADMAlertDialogStyle = 1,
  kADMFloatingDialogStyle = 2,
  kADMTabbedFloatingDialogStyle = 3,  // a panel that docks in dialog groups
  kADMResizingFloatingDialogStyle = 4,
  kADMTabbedResizingFloatingDialogStyle = 5,
};

// Item ids with a meaning of their own. A modal dialog's default and cancel
// items start as 1 and 2 (SetDefaultItemID, SetCancelItemID change them).
enum {
  kADMDefaultItemID = 1,  // "OK": its user change ends a modal dialog with this id
  kADMCancelItemID = 2,   // "Cancel": likewise; also what an abandoned modal dialog ends with
  kADMMenuItemID = -5,    // a floating dialog's flyout menu: a popup menu item the toolkit makes with the dialog
  kADMUniqueItemID = 0,   // Create with this id: the toolkit picks an unused negative id below -100
};

// Item types, by name.
#define kADMFrameType "ADM Frame Type"
#define kADMPictureCheckBoxType "ADM Picture Check Box Button Type"
#define kADMPicturePushButtonType "ADM Picture Push Button Type"
#define kADMPictureRadioButtonType "ADM Picture Radio Button Type"
#define kADMPictureStaticType "ADM Picture Static Type"
#define kADMPopupListType "ADM Popup List Type"            // a list; shows the selected entry
#define kADMPopupMenuType "ADM Popup Menu Type"            // a list; an arrow that opens it, no shown choice
#define kADMScrollingPopupListType "ADM Scrolling Popup List Type"
#define kADMSliderType "ADM Slider Type"
#define kADMSpinEditType "ADM Spin Edit Type"              // a numeric field with up/down arrows
#define kADMSpinEditPopupType "ADM Spin Edit Popup Type"   // a spin edit with a list of values
#define kADMSpinEditScrollingPopupType "ADM Spin Edit Scrolling Popup Type"
#define kADMTextCheckBoxType "ADM Text Check Box Type"
#define kADMTextEditType "ADM Text Edit Type"
#define kADMTextEditMultiLineType "ADM Text Edit Multi Line Type"
#define kADMTextEditPopupType "ADM Text Edit Popup Type"   // a text field with a list of texts
#define kADMTextEditScrollingPopupType "ADM Text Edit Scrolling Popup Type"
#define kADMTextPushButtonType "ADM Text Push Button Type"
#define kADMTextRadioButtonType "ADM Text Radio Button Type"
#define kADMTextStaticType "ADM Text Static Type"
#define kADMTextStaticMultiLineType "ADM Text Static Multi Line Type"
#define kADMUserType "ADM User Type"                       // drawn and tracked by the plug-in only

// Item styles (SetItemStyle), for text edits and the text part of popups.
enum {
  kADMNoItemStyle = 0,
  kADMNumericEditStyle = 1,   // the text is a number in the item's units: typed text is parsed, clamped and shown again
  kADMPasswordEditStyle = 2,  // the text is shown as bullets
};

// Text justification.
enum { kADMLeftJustify = 0, kADMCenterJustify = 1, kADMRightJustify = 2 };

// Notifier types. Which the toolkit sends:
//   user changed          an item's value, text, state or pick was changed by the user (once per change)
//   intermediate changed  a slider while dragged; a text edit's text while typed (before the user change)
//   text selection        a text edit's text or selection changed by the user (after intermediate changed)
//   close hit             the close box of a dialog
//   window shown/hidden   Show changed a dialog's visibility
//   bounds changed        a dialog's bounds changed
#define kADMUserChangedNotifier "ADM User Changed Notifier"
#define kADMIntermediateChangedNotifier "ADM Intermediate Changed Notifier"
#define kADMTextSelectionChangedNotifier "ADM Text Selection Change Notification"
#define kADMCloseHitNotifier "ADM Close Hit Notifier"
#define kADMWindowShowNotifier "ADM Window Show Notifier"
#define kADMWindowHideNotifier "ADM Window Hide Notifier"
#define kADMBoundsChangedNotifier "ADM Bounds Changed Notifier"

// Tracker actions (GetAction, TestAction).
enum {
  kADMNoAction = 0,
  kADMButtonDownAction = 1,      // the button goes down inside the item
  kADMButtonUpAction = 2,        // the button comes up (inside the item or not)
  kADMMouseMovedDownAction = 3,  // the pointer moves with the button held (drag)
  kADMMouseMovedUpAction = 4,    // the pointer moves over the item, button up (hover)
};

// Action masks (Item SetMask): which events reach the item's tracking. An
// item that took a button-down also takes the button-up that ends it, mask
// or not. A new item has kADMDefaultActionMask.
enum {
  kADMButtonDownMask = 0x00000002,
  kADMButtonUpMask = 0x00000004,
  kADMMouseMovedUpMask = 0x00000008,
  kADMMouseMovedDownMask = 0x00040000,
  kADMDefaultActionMask = kADMButtonDownMask | kADMButtonUpMask | kADMMouseMovedDownMask,
  kADMAllActionsMask = kADMDefaultActionMask | kADMMouseMovedUpMask,
};

// Modifier flags (Tracker GetModifiers, TestModifier). On Windows Command is
// Ctrl and Option is Alt.
enum {
  kADMShiftKeyFlag = 32,
  kADMCommandKeyFlag = 64,
  kADMOptionKeyFlag = 128,
};

// Units of a value and its text. Length units hold the value in points and
// show it converted (1 mm = 2.8346457 pt, 1 cm = 28.346457 pt, 1 in = 72 pt,
// 1 pica = 12 pt); percent and degree values are the numbers shown. Text
// forms: "12", "0.24 pt", "6 mm", "1.5 cm", "1 in", "2 pc", "100 %", "45.0°".
enum {
  kADMNoUnits = 0,
  kADMPointUnits = 1,
  kADMInchUnits = 2,
  kADMMillimeterUnits = 3,
  kADMCentimeterUnits = 4,
  kADMPicaUnits = 5,
  kADMPercentUnits = 6,
  kADMDegreeUnits = 7,
};

// Font codes (items and drawer). The toolkit's faces: dialog 12 px, palette
// 11 px, fixed-width 11 px, small 9 px, each regular, italic, bold or both.
enum {
  kADMDefaultFont = 0,  // the dialog font
  kADMDialogFont = 1,
  kADMPaletteFont = 2,
  kADMItalicDialogFont = 3,
  kADMItalicPaletteFont = 4,
  kADMBoldDialogFont = 5,
  kADMBoldPaletteFont = 6,
  kADMBoldItalicDialogFont = 7,
  kADMBoldItalicPaletteFont = 8,
  kADMFixedWidthFont = 9,
  kADMItalicFixedWidthFont = 10,
  kADMBoldFixedWidthFont = 11,
  kADMBoldItalicFixedWidthFont = 12,
  kADMSmallFont = 13,
};

// Toolkit colours (Drawer SetADMColor), as 8-bit RGB: black 0,0,0; white
// 255,255,255; highlight 0,90,200; highlight text 255,255,255; light
// 240,240,240; background 214,214,214; shadow 128,128,128; disabled
// 160,160,160; button up 225,225,225; button down 190,190,190; button down
// shade 150,150,150; tooltip background 255,255,225; tooltip text 0,0,0;
// window 255,255,255; foreground 0,0,0; text 0,0,0; red 220,0,0; tab
// background 200,200,200; active tab 214,214,214; inactive tab 180,180,180.
enum {
  kADMBlackColor = 0,
  kADMWhiteColor = 1,
  kADMHiliteColor = 2,
  kADMHiliteTextColor = 3,
  kADMLightColor = 4,
  kADMBackgroundColor = 5,
  kADMShadowColor = 6,
  kADMDisabledColor = 7,
  kADMButtonUpColor = 8,
  kADMButtonDownColor = 9,
  kADMButtonDownShadeColor = 10,
  kADMToolTipBackgroundColor = 11,
  kADMToolTipForegroundColor = 12,
  kADMWindowColor = 13,
  kADMForegroundColor = 14,
  kADMTextColor = 15,
  kADMRedColor = 16,
  kADMTabBackgroundColor = 17,
  kADMActiveTabColor = 18,
  kADMInactiveTabColor = 19,
};

// Answers of the Basic suite's question alerts.
enum { kADMNoAnswer = 0, kADMYesAnswer = 1, kADMCancelAnswer = 2 };

// Icon types (Icon GetType).
enum { kADMUnknownIconType = 7, kADMPNGIconType = 1 };

typedef struct ADMUnusedSuite { void* reserved; } ADMUnusedSuite;

// -----------------------------------------------------------------------------
// [SECTION] ADM Basic Suite

#define kADMBasicSuite "ADM Basic Suite"
#define kADMBasicSuiteVersion 11
typedef struct ADMBasicSuite {
  // Shows a modal message alert (one button, "OK") and returns when the user has dismissed it.
  ASErr (*MessageAlert)(const char* text);
  // Sets the pointer to the plug-in's cursor resource; an unknown id gives kBadParameterErr.
  ASErr (*SetPlatformCursor)(SPPluginRef self, int32_t cursorID);
  // Entry `index` (1-based) of the plug-in's string list stringID into a buffer of size bytes;
  // kNameNotFoundErr for an unknown list, kBadParameterErr for an entry it does not have.
  ASErr (*GetIndexString)(SPPluginRef self, int32_t stringID, int32_t index, char* buffer, int32_t size);
  // Formats value with `precision` (0..20) decimals, no units, into a buffer of size bytes;
  // kBadParameterErr for a value that is not finite.
  ASErr (*ValueToText)(AIReal value, char* text, int32_t size, int32_t precision);
  // -- appended ---------------------------------------------------------------
  // Shows a modal error alert (one button, "OK") and returns when the user has dismissed it.
  ASErr (*ErrorAlert)(const char* text);
  // Shows a question with the buttons "Yes" and "No" and waits: *answer is kADMYesAnswer or kADMNoAnswer.
  ASErr (*YesNoAlert)(const char* text, int32_t* answer);
  // The main screen's bounds in pixels (left and top 0).
  ASErr (*GetScreenDimensions)(ADMRect* screen);
  // Formats value in units (kADM...Units; lengths in points) with `precision` (0..20) decimals,
  // the unit appended when alwaysAppendUnit, into at most maxChars characters (1..255): when the
  // text is longer, the unit is dropped first, then decimals; a number that does not fit even
  // then gives kBadParameterErr and an empty text. Text forms: see the units above.
  ASErr (*ValueToUnitText)(AIReal value, int32_t units, int32_t precision, ASBoolean alwaysAppendUnit,
                           int32_t maxChars, char* text, int32_t size);
  // Parses a number typed in units: optional sign, digits with "." or "," as the decimal mark,
  // then optionally a unit ("pt", "mm", "cm", "in", "pc", "%", "°"; another length unit converts).
  // *value is in the units' terms (points for lengths). kBadParameterErr for any other text.
  ASErr (*TextToValue)(const char* text, int32_t units, AIReal* value);
} ADMBasicSuite;

// -----------------------------------------------------------------------------
// [SECTION] ADM Dialog Suite

#define kADMDialogSuite "ADM Dialog Suite"
#define kADMDialogSuiteVersion 10
typedef struct ADMDialogSuite {
  // Makes a non-modal dialog from the plug-in's dialog resource dialogID (its "title" and
  // "bounds" [l, t, r, b], when given, are the starting ones), runs initProc before it returns,
  // and leaves it hidden. Floating styles get the flyout menu item (kADMMenuItemID).
  // kNameNotFoundErr for a missing resource; initProc's code when it fails (nothing is kept).
  ASErr (*Create)(SPPluginRef self, const char* name, int32_t dialogID, int32_t style, ADMDialogInitProc initProc,
                  ADMUserData userData, int32_t options, ADMDialogRef* dialog);
  // Makes a modal dialog as Create does, shows it and returns when it has ended (EndModal, or a
  // user change of its default or cancel item), with the id that ended it in *itemHit (optional).
  // A dialog the user leaves without ending is ended by a click on its cancel item, or else with
  // its cancel id. The dialog is destroyed before Modal returns; its handle is then dead.
  ASErr (*Modal)(SPPluginRef self, const char* name, int32_t dialogID, int32_t style, ADMDialogInitProc initProc,
                 ADMUserData userData, int32_t options, int32_t* itemHit);
  // Destroys a non-modal dialog: its destroy procedure, then its items'. A modal dialog that is
  // running is ended with its cancel id instead and destroyed when Modal returns.
  ASErr (*Destroy)(ADMDialogRef dialog);
  // *visible: whether the dialog is shown.
  ASErr (*IsVisible)(ADMDialogRef dialog, ASBoolean* visible);
  // Shows or hides the dialog; a change notifies "ADM Window Show/Hide Notifier".
  ASErr (*Show)(ADMDialogRef dialog, ASBoolean show);
  // Ends a running modal dialog: Modal returns modalResultID. kBadParameterErr for a non-modal dialog.
  ASErr (*EndModal)(ADMDialogRef dialog, int32_t modalResultID, ASBoolean cancelling);
  // *data: what SetUserData stored (null until then).
  ASErr (*GetUserData)(ADMDialogRef dialog, ADMUserData* data);
  // The title.
  ASErr (*SetText)(ADMDialogRef dialog, const char* text);
  // -- appended ---------------------------------------------------------------
  ASErr (*GetText)(ADMDialogRef dialog, char* text, int32_t size);
  // The name given to Create or Modal.
  ASErr (*GetDialogName)(ADMDialogRef dialog, char* name, int32_t size);
  // The first item with that id (kADMMenuItemID: the flyout menu); kNameNotFoundErr and null when none.
  ASErr (*GetItem)(ADMDialogRef dialog, int32_t itemID, ADMItemRef* item);
  // Bounds in screen pixels; kBadParameterErr when right < left or bottom < top.
  // A change notifies "ADM Bounds Changed Notifier".
  ASErr (*SetBoundsRect)(ADMDialogRef dialog, const ADMRect* bounds);
  // *bounds: the dialog's rectangle in screen pixels.
  ASErr (*GetBoundsRect)(ADMDialogRef dialog, ADMRect* bounds);
  // (0, 0, width, height).
  ASErr (*GetLocalRect)(ADMDialogRef dialog, ADMRect* local);
  // Procedures; null removes one.
  ASErr (*SetDrawProc)(ADMDialogRef dialog, ADMDialogDrawProc proc);
  // Replaces the notify procedure (null: the toolkit's handling only).
  ASErr (*SetNotifyProc)(ADMDialogRef dialog, ADMDialogNotifyProc proc);
  // Replaces the destroy procedure (null: none).
  ASErr (*SetDestroyProc)(ADMDialogRef dialog, ADMDialogDestroyProc proc);
  // Paints the dialog's background (fill in kADMBackgroundColor); drawer must be the one handed
  // to the dialog's draw procedure.
  ASErr (*DefaultDraw)(ADMDialogRef dialog, ADMDrawerRef drawer);
  // The toolkit's handling: a close hit hides a non-modal dialog and ends a modal one with its
  // cancel id; other notifications need nothing. notifier must be the dialog's own.
  ASErr (*DefaultNotify)(ADMDialogRef dialog, ADMNotifierRef notifier);
  // Sends a notification of that type to the dialog: its notify procedure, or DefaultNotify.
  ASErr (*SendNotify)(ADMDialogRef dialog, const char* notifierType);
  // Asks the screen to paint the whole dialog again.
  ASErr (*Invalidate)(ADMDialogRef dialog);
  // Stores one pointer for the plug-in; the toolkit never reads or frees it.
  ASErr (*SetUserData)(ADMDialogRef dialog, ADMUserData data);
  // The item whose user change ends a modal dialog as OK (Enter); any id, checked when used.
  ASErr (*SetDefaultItemID)(ADMDialogRef dialog, int32_t itemID);
  // *itemID: the default item's id (kADMDefaultItemID until set).
  ASErr (*GetDefaultItemID)(ADMDialogRef dialog, int32_t* itemID);
  // The item whose user change ends a modal dialog as Cancel (Escape, close box).
  ASErr (*SetCancelItemID)(ADMDialogRef dialog, int32_t itemID);
  // *itemID: the cancel item's id (kADMCancelItemID until set).
  ASErr (*GetCancelItemID)(ADMDialogRef dialog, int32_t* itemID);
  // The icon shown in the dialog's tab (an icon of the Icon suite, or null for none).
  ASErr (*SetIcon)(ADMDialogRef dialog, ADMIconRef icon);
  // The item with the keyboard focus, or null.
  ASErr (*GetActiveItem)(ADMDialogRef dialog, ADMItemRef* item);
} ADMDialogSuite;

// -----------------------------------------------------------------------------
// [SECTION] ADM Item Suite
//
// Every item holds a value (a real), a text, a range (min, max; none until set), small and
// large steps (1 and 10 until set), units (none), precision (0), a maximum text length (255),
// a tooltip, visibility and enabling (both on), a font, a justification, picture ids (normal,
// selected, disabled; 0 none), user data and the plug-in's procedures. List types (popups,
// spin edit popups, text edit popups and the flyout menu) also hold a list of entries.
//
// Value and text: numeric items (spin edits, sliders, numeric-style text edits, spin edit
// popups) show their value as text in their units and precision; setting their text parses it.
// A value set is clamped to the range. Other text items keep their text as given (cut to the
// maximum length; statics keep it whole); their value views parse the text (0 when it is not a
// number). Statics show a value set into them as text too. Check boxes and radio buttons: value 0 off, 1 on.
//
// Default handling (DefaultNotify, on "ADM User Changed Notifier"):
//   radio buttons       the item is on and every other radio button of its run of consecutive
//                       ids in the dialog is off
//   check boxes         nothing more (the click already toggled the value)
//   push buttons        the default or cancel item of a running modal dialog ends it with its id
//   numeric items       value clamped to the range and the text shown again in the units
//   anything else       nothing; other notifier types need nothing either
// The user's change itself (toggled check box, radio on, value typed and clamped, entry made
// active and selected; a text edit popup takes the picked entry's text and a spin edit popup
// its number) is in place before the notify procedure runs, so an item read without
// DefaultNotify already shows it.
//
// Default tracking (DefaultTrack): push buttons press on button-down and report a change on a
// button-up inside; check boxes toggle and radio buttons turn on at a button-up inside; sliders
// take the value under the pointer on button-down and drag (notifying "intermediate changed")
// and report a change at button-up; spin edits step by the small step (Shift: the large step)
// on a button-down on their arrows (the rightmost 12 pixels, upper half up) and report a change
// at button-up; text items take the keyboard focus on button-down; other items do nothing.

#define kADMItemSuite "ADM Item Suite"
#define kADMItemSuiteVersion 7
typedef struct ADMItemSuite {
  // Makes an item of itemType (kADM...Type) with an id and bounds in dialog pixels, then runs
  // initProc. kBadParameterErr for an unknown type or bounds with right < left or bottom < top.
  ASErr (*Create)(ADMDialogRef dialog, int32_t itemID, const char* itemType, const ADMRect* bounds,
                  ADMItemInitProc initProc, ADMUserData userData, int32_t options, ADMItemRef* item);
  // Its destroy procedure runs, then it is gone. The flyout menu item cannot be destroyed.
  ASErr (*Destroy)(ADMItemRef item);
  // *dialog: the dialog that holds the item.
  ASErr (*GetDialog)(ADMItemRef item, ADMDialogRef* dialog);
  // *itemID: the item's id (the unique negative id the toolkit picked for kADMUniqueItemID).
  ASErr (*GetID)(ADMItemRef item, int32_t* itemID);
  // The type's name (static storage, one of the kADM...Type strings).
  ASErr (*GetItemType)(ADMItemRef item, const char** itemType);
  // kADMNoItemStyle, or kADMNumericEditStyle and kADMPasswordEditStyle combined; other bits give kBadParameterErr.
  ASErr (*SetItemStyle)(ADMItemRef item, int32_t style);
  // *style: the item's style.
  ASErr (*GetItemStyle)(ADMItemRef item, int32_t* style);

  // Moves and sizes the item, in its dialog's pixels.
  ASErr (*SetBoundsRect)(ADMItemRef item, const ADMRect* bounds);
  // *bounds: the item's rectangle in its dialog's pixels.
  ASErr (*GetBoundsRect)(ADMItemRef item, ADMRect* bounds);
  // (0, 0, width, height).
  ASErr (*GetLocalRect)(ADMItemRef item, ADMRect* local);
  // Shows or hides the item; a hidden item is neither drawn nor tracked.
  ASErr (*Show)(ADMItemRef item, ASBoolean show);
  // *visible: whether the item is shown (its dialog's visibility aside).
  ASErr (*IsVisible)(ADMItemRef item, ASBoolean* visible);
  // A disabled item takes no user action and is drawn disabled.
  ASErr (*Enable)(ADMItemRef item, ASBoolean enable);
  // *enabled: whether the item takes user actions.
  ASErr (*IsEnabled)(ADMItemRef item, ASBoolean* enabled);
  // Gives (true) or takes (false) the dialog's keyboard focus.
  ASErr (*Activate)(ADMItemRef item, ASBoolean activate);
  // *active: whether the item has its dialog's keyboard focus.
  ASErr (*IsActive)(ADMItemRef item, ASBoolean* active);
  // Asks the screen to paint the item again.
  ASErr (*Invalidate)(ADMItemRef item);

  // Text. A numeric item parses it (kBadParameterErr, nothing changed, when it is no number).
  ASErr (*SetText)(ADMItemRef item, const char* text);
  // Copies the text into a buffer of size bytes (cut and terminated); a numeric item gives its value as shown.
  ASErr (*GetText)(ADMItemRef item, char* text, int32_t size);
  // *length: the text's length in characters, without the terminator.
  ASErr (*GetTextLength)(ADMItemRef item, int32_t* length);
  // 1..255 characters; a longer text is cut.
  ASErr (*SetMaxTextLength)(ADMItemRef item, int32_t length);
  // *length: the most characters the item keeps (SetMaxTextLength, 1..255).
  ASErr (*GetMaxTextLength)(ADMItemRef item, int32_t* length);
  // Selects the whole text of a text item; the other kinds ignore it.
  ASErr (*SelectAll)(ADMItemRef item);
  // Character positions 0..length; start <= end.
  ASErr (*SetSelectionRange)(ADMItemRef item, int32_t start, int32_t end);
  // *start, *end: the selected characters of a text item, end exclusive.
  ASErr (*GetSelectionRange)(ADMItemRef item, int32_t* start, int32_t* end);
  // kADMLeftJustify, kADMCenterJustify or kADMRightJustify; another value gives kBadParameterErr.
  ASErr (*SetJustify)(ADMItemRef item, int32_t justify);
  // *justify: the item's justification.
  ASErr (*GetJustify)(ADMItemRef item, int32_t* justify);
  // The item's font code.
  ASErr (*SetFont)(ADMItemRef item, int32_t font);
  // *font: the item's font code.
  ASErr (*GetFont)(ADMItemRef item, int32_t* font);

  // Units (kADM...Units), decimals shown (0..20), and whether the unit is written after the number.
  ASErr (*SetUnits)(ADMItemRef item, int32_t units);
  // *units: the item's units (kADMNoUnits until set).
  ASErr (*GetUnits)(ADMItemRef item, int32_t* units);
  // Decimals shown, 0..20; another value gives kBadParameterErr.
  ASErr (*SetPrecision)(ADMItemRef item, int32_t precision);
  // *precision: the decimals shown.
  ASErr (*GetPrecision)(ADMItemRef item, int32_t* precision);
  // Whether the unit is written after the number.
  ASErr (*SetShowUnits)(ADMItemRef item, ASBoolean show);
  // *show: whether the unit is written after the number.
  ASErr (*GetShowUnits)(ADMItemRef item, ASBoolean* show);

  // The value, clamped to the range; kBadParameterErr for a value that is not finite.
  // Integer views round to the nearest integer; boolean views are value != 0.
  ASErr (*SetIntValue)(ADMItemRef item, int32_t value);
  // *value: the value rounded to the nearest integer.
  ASErr (*GetIntValue)(ADMItemRef item, int32_t* value);
  // Sets the value, clamped to the range; kBadParameterErr for a non-finite value.
  ASErr (*SetFloatValue)(ADMItemRef item, AIReal value);
  // *value: the value; on failure *value is untouched, so a caller must not read it.
  ASErr (*GetFloatValue)(ADMItemRef item, AIReal* value);
  // Sets the value to 1 or 0.
  ASErr (*SetBooleanValue)(ADMItemRef item, ASBoolean value);
  // *value: whether the value is not 0.
  ASErr (*GetBooleanValue)(ADMItemRef item, ASBoolean* value);
  // Range. Integer and float views share one range; a new bound clamps the value; a minimum
  // above the maximum (or the reverse) gives kBadParameterErr. Unset bounds read as
  // -1e9 and 1e9 (float) or INT32_MIN and INT32_MAX (integer).
  ASErr (*SetMinIntValue)(ADMItemRef item, int32_t value);
  // *value: the minimum, rounded (INT32_MIN when unset).
  ASErr (*GetMinIntValue)(ADMItemRef item, int32_t* value);
  // Sets the maximum; the value is clamped into the new range.
  ASErr (*SetMaxIntValue)(ADMItemRef item, int32_t value);
  // *value: the maximum, rounded (INT32_MAX when unset).
  ASErr (*GetMaxIntValue)(ADMItemRef item, int32_t* value);
  // Sets the minimum; kBadParameterErr for a non-finite one or one above the maximum.
  ASErr (*SetMinFloatValue)(ADMItemRef item, AIReal value);
  // *value: the minimum (-1e9 when unset).
  ASErr (*GetMinFloatValue)(ADMItemRef item, AIReal* value);
  // Sets the maximum; kBadParameterErr for a non-finite one or one below the minimum.
  ASErr (*SetMaxFloatValue)(ADMItemRef item, AIReal value);
  // *value: the maximum (1e9 when unset).
  ASErr (*GetMaxFloatValue)(ADMItemRef item, AIReal* value);
  // Steps of the arrows (small) and of Shift with the arrows (large), in the value's terms; > 0.
  ASErr (*SetSmallIncrement)(ADMItemRef item, AIReal increment);
  // *increment: the step of the arrows.
  ASErr (*GetSmallIncrement)(ADMItemRef item, AIReal* increment);
  // The step of Shift with the arrows; not > 0 gives kBadParameterErr.
  ASErr (*SetLargeIncrement)(ADMItemRef item, AIReal increment);
  // *increment: the step of Shift with the arrows.
  ASErr (*GetLargeIncrement)(ADMItemRef item, AIReal* increment);

  // Pictures of the plug-in (picture resources), shown by DefaultDraw: normal, selected (a
  // pressed button, a radio button or check box that is on) and disabled; 0 for none.
  ASErr (*SetPictureID)(ADMItemRef item, int32_t pictureID);
  // *pictureID: the normal picture (0 for none).
  ASErr (*GetPictureID)(ADMItemRef item, int32_t* pictureID);
  // The picture shown while selected; 0 for the normal one.
  ASErr (*SetSelectedPictureID)(ADMItemRef item, int32_t pictureID);
  // *pictureID: the selected picture (0 for none).
  ASErr (*GetSelectedPictureID)(ADMItemRef item, int32_t* pictureID);
  // The picture shown while disabled; 0 for the normal one, greyed.
  ASErr (*SetDisabledPictureID)(ADMItemRef item, int32_t pictureID);
  // *pictureID: the disabled picture (0 for none).
  ASErr (*GetDisabledPictureID)(ADMItemRef item, int32_t* pictureID);

  // The tooltip, copied; empty for none (null gives kBadParameterErr).
  ASErr (*SetTipString)(ADMItemRef item, const char* tip);
  // Copies the tooltip into a buffer of size bytes (cut and terminated; empty for none).
  ASErr (*GetTipString)(ADMItemRef item, char* tip, int32_t size);
  // Stores one pointer for the plug-in; the toolkit never reads or frees it.
  ASErr (*SetUserData)(ADMItemRef item, ADMUserData data);
  // *data: what SetUserData stored (null until then).
  ASErr (*GetUserData)(ADMItemRef item, ADMUserData* data);

  // Procedures; null removes one (the toolkit's default then runs in its place).
  ASErr (*SetNotifyProc)(ADMItemRef item, ADMItemNotifyProc proc);
  // Replaces the draw procedure (null: DefaultDraw).
  ASErr (*SetDrawProc)(ADMItemRef item, ADMItemDrawProc proc);
  // Replaces the track procedure (null: DefaultTrack).
  ASErr (*SetTrackProc)(ADMItemRef item, ADMItemTrackProc proc);
  // Replaces the destroy procedure (null: none).
  ASErr (*SetDestroyProc)(ADMItemRef item, ADMItemDestroyProc proc);
  // The toolkit's handling (see above); the handle must be the one handed to the item's procedure.
  ASErr (*DefaultNotify)(ADMItemRef item, ADMNotifierRef notifier);
  // Paints the item as the toolkit would, with the drawer handed to the draw procedure.
  ASErr (*DefaultDraw)(ADMItemRef item, ADMDrawerRef drawer);
  // *changed: the event completed a user change (optional).
  ASErr (*DefaultTrack)(ADMItemRef item, ADMTrackerRef tracker, ASBoolean* changed);
  // Sends a notification of that type to the item: its notify procedure, or DefaultNotify.
  ASErr (*SendNotify)(ADMItemRef item, const char* notifierType);
  // Which tracker actions reach the item (kADM...Mask); other bits give kBadParameterErr.
  ASErr (*SetMask)(ADMItemRef item, int32_t actionMask);
  // *actionMask: which tracker actions reach the item.
  ASErr (*GetMask)(ADMItemRef item, int32_t* actionMask);
  // The item's list; kBadParameterErr for a type that has none.
  ASErr (*GetList)(ADMItemRef item, ADMListRef* list);
} ADMItemSuite;

// -----------------------------------------------------------------------------
// [SECTION] ADM List Suite, ADM Entry Suite
//
// A list holds entries in order, each with an id (0 unless set), a text, enabled (on),
// checked (a tick, off), separator (off), selected and active flags and user data. In the
// lists of popups and menus (every list of this toolkit) one entry at most is selected, and
// the selected entry is the active one: selecting or activating an entry deselects the others.
// Selecting an entry of a text edit popup also shows its text in the field. The user picks
// enabled entries that are not separators only.

#define kADMListSuite "ADM List Suite"
#define kADMListSuiteVersion 1
typedef struct ADMListSuite {
  // Replaces the entries by those of the plug-in's menu resource menuID: UTF-8 text, one line
  // each; the first line is the menu's title and not an entry; a line "-" is a separator with
  // id 0; the entry on line k (k = 1, 2, ... after the title) has id k. The plug-in's menu files
  // (resources/menus) are read the same way, with what they add: "#" comment lines and blank
  // lines are skipped, a first line "title TEXT" names the title, and an entry line "ID TEXT"
  // gives its id. kNameNotFoundErr for a missing resource (the list is left as it was).
  ASErr (*SetMenuID)(ADMListRef list, int32_t menuID);
  // 0 until SetMenuID.
  ASErr (*GetMenuID)(ADMListRef list, int32_t* menuID);
  // *count: the entries of the list.
  ASErr (*NumberOfEntries)(ADMListRef list, int32_t* count);
  // Entry at a 0-based position.
  ASErr (*IndexEntry)(ADMListRef list, int32_t index, ADMEntryRef* entry);
  // First entry with that id; kNameNotFoundErr and null when none.
  ASErr (*GetEntry)(ADMListRef list, int32_t entryID, ADMEntryRef* entry);
  // First entry with that text; kNameNotFoundErr and null when none.
  ASErr (*FindEntry)(ADMListRef list, const char* text, ADMEntryRef* entry);
  // A new entry (id 0, empty text) at index 0..count, or at the end for -1.
  ASErr (*InsertEntry)(ADMListRef list, int32_t index, ADMEntryRef* entry);
  // The entry at index goes; its handle is then dead.
  ASErr (*RemoveEntry)(ADMListRef list, int32_t index);
  // The active entry, or null (kNoErr) when none.
  ASErr (*GetActiveEntry)(ADMListRef list, ADMEntryRef* entry);
  // The selected entry, or null (kNoErr) when none.
  ASErr (*GetSelectedEntry)(ADMListRef list, ADMEntryRef* entry);
  // The item that holds the list.
  ASErr (*GetItem)(ADMListRef list, ADMItemRef* item);
} ADMListSuite;

#define kADMEntrySuite "ADM Entry Suite"
#define kADMEntrySuiteVersion 2
typedef struct ADMEntrySuite {
  // *list: the list that holds the entry.
  ASErr (*GetList)(ADMEntryRef entry, ADMListRef* list);
  // 0-based position in its list.
  ASErr (*GetIndex)(ADMEntryRef entry, int32_t* index);
  // The plug-in's id of the entry; any value.
  ASErr (*SetID)(ADMEntryRef entry, int32_t entryID);
  // *entryID: the entry's id (0 until set).
  ASErr (*GetID)(ADMEntryRef entry, int32_t* entryID);
  // The entry's text, copied.
  ASErr (*SetText)(ADMEntryRef entry, const char* text);
  // Copies the entry's text into a buffer of size bytes (cut and terminated).
  ASErr (*GetText)(ADMEntryRef entry, char* text, int32_t size);
  // Characters, the terminator not counted.
  ASErr (*GetTextLength)(ADMEntryRef entry, int32_t* length);
  // Selecting makes the entry the selected and active one of its list.
  ASErr (*Select)(ADMEntryRef entry, ASBoolean select);
  // *selected: whether the entry is the list's chosen one.
  ASErr (*IsSelected)(ADMEntryRef entry, ASBoolean* selected);
  // Same as Select in this toolkit's lists.
  ASErr (*Activate)(ADMEntryRef entry, ASBoolean activate);
  // *active: same as IsSelected.
  ASErr (*IsActive)(ADMEntryRef entry, ASBoolean* active);
  // A disabled entry cannot be picked and is drawn greyed.
  ASErr (*Enable)(ADMEntryRef entry, ASBoolean enable);
  // *enabled: whether the entry can be picked.
  ASErr (*IsEnabled)(ADMEntryRef entry, ASBoolean* enabled);
  // A tick mark before the text.
  ASErr (*Check)(ADMEntryRef entry, ASBoolean check);
  // *checked: whether the entry shows a check mark.
  ASErr (*IsChecked)(ADMEntryRef entry, ASBoolean* checked);
  // Turns the entry into a separator line (or back); a separator cannot be picked.
  ASErr (*MakeSeparator)(ADMEntryRef entry, ASBoolean separator);
  // *separator: whether the entry is a separator line.
  ASErr (*IsSeparator)(ADMEntryRef entry, ASBoolean* separator);
  // Stores one pointer for the plug-in; the toolkit never reads or frees it.
  ASErr (*SetUserData)(ADMEntryRef entry, ADMUserData data);
  // *data: what SetUserData stored (null until then).
  ASErr (*GetUserData)(ADMEntryRef entry, ADMUserData* data);
} ADMEntrySuite;

// -----------------------------------------------------------------------------
// [SECTION] ADM Drawer Suite
//
// A drawer records what is drawn on an item or a dialog, in its pixels. Its state starts as:
// colour kADMBlackColor, font the item's (the dialog font for a dialog). Rectangles are
// (left, top, right, bottom) with right and bottom outside the area, as pixels go.

#define kADMDrawerSuite "ADM Drawer Suite"
#define kADMDrawerSuiteVersion 7
typedef struct ADMDrawerSuite {
  // The area drawn: (0, 0, width, height).
  ASErr (*GetBoundsRect)(ADMDrawerRef drawer, ADMRect* bounds);
  // Fills the whole area, or a rectangle, with the background colour (kADMBackgroundColor).
  ASErr (*Clear)(ADMDrawerRef drawer);
  // Paints the rectangle with the background colour.
  ASErr (*ClearRect)(ADMDrawerRef drawer, const ADMRect* rect);
  // The colour of what follows: a toolkit colour (kADM...Color) or an RGB colour.
  ASErr (*SetADMColor)(ADMDrawerRef drawer, int32_t color);
  // The colour of what is drawn next.
  ASErr (*SetRGBColor)(ADMDrawerRef drawer, const ADMRGBColor* color);
  // *color: the colour of what is drawn next.
  ASErr (*GetRGBColor)(ADMDrawerRef drawer, ADMRGBColor* color);
  // The font code of the text drawn next.
  ASErr (*SetFont)(ADMDrawerRef drawer, int32_t font);
  // *font: the font of the text drawn next.
  ASErr (*GetFont)(ADMDrawerRef drawer, int32_t* font);
  // A one-pixel line from start to end, both ends drawn.
  ASErr (*DrawLine)(ADMDrawerRef drawer, const ADMPoint* start, const ADMPoint* end);
  // Framed, filled, sunken (shadow top and left, light bottom and right) and raised (the reverse)
  // rectangles; a rectangle with right < left or bottom < top gives kBadParameterErr.
  ASErr (*DrawRect)(ADMDrawerRef drawer, const ADMRect* rect);
  // Fills the rectangle with the current colour.
  ASErr (*FillRect)(ADMDrawerRef drawer, const ADMRect* rect);
  // A bevelled frame that looks pressed in.
  ASErr (*DrawSunkenRect)(ADMDrawerRef drawer, const ADMRect* rect);
  // A bevelled frame that looks raised.
  ASErr (*DrawRaisedRect)(ADMDrawerRef drawer, const ADMRect* rect);
  // The oval inscribed in rect, framed or filled.
  ASErr (*DrawOval)(ADMDrawerRef drawer, const ADMRect* rect);
  // Fills the oval inside the rectangle with the current colour.
  ASErr (*FillOval)(ADMDrawerRef drawer, const ADMRect* rect);
  // A closed polygon of 1..4096 points, framed or filled.
  ASErr (*DrawPolygon)(ADMDrawerRef drawer, const ADMPoint* points, int32_t count);
  // Fills the closed polygon through the count points with the current colour.
  ASErr (*FillPolygon)(ADMDrawerRef drawer, const ADMPoint* points, int32_t count);
  // Text starting at point, point.v its baseline.
  ASErr (*DrawText)(ADMDrawerRef drawer, const char* text, const ADMPoint* point);
  // One line of text in rect, justified, centred vertically.
  ASErr (*DrawTextLeft)(ADMDrawerRef drawer, const char* text, const ADMRect* rect);
  // The text in the current font and colour, centred in the rectangle both ways.
  ASErr (*DrawTextCentered)(ADMDrawerRef drawer, const char* text, const ADMRect* rect);
  // The text in the current font and colour, right-aligned in the rectangle, centred vertically.
  ASErr (*DrawTextRight)(ADMDrawerRef drawer, const char* text, const ADMRect* rect);
  // Text wrapped at word breaks to the width of rect, from its top-left corner, cut at its bottom.
  ASErr (*DrawTextInABox)(ADMDrawerRef drawer, const ADMRect* rect, const char* text);
  // An icon of the Icon suite with its top-left corner at point.
  ASErr (*DrawIcon)(ADMDrawerRef drawer, ADMIconRef icon, const ADMPoint* point);
  // The plug-in's picture resource pictureID with its top-left corner at point;
  // kNameNotFoundErr for a picture the plug-in does not have.
  ASErr (*DrawResPicture)(ADMDrawerRef drawer, SPPluginRef self, int32_t pictureID, const ADMPoint* point);
  // Width in pixels of text in the current font.
  ASErr (*GetTextWidth)(ADMDrawerRef drawer, const char* text, int32_t* width);
  // *info: the metrics of the current font, in pixels.
  ASErr (*GetFontInfo)(ADMDrawerRef drawer, ADMFontInfo* info);
} ADMDrawerSuite;

// -----------------------------------------------------------------------------
// [SECTION] ADM Icon Suite

#define kADMIconSuite "ADM Icon Suite"
#define kADMIconSuiteVersion1 1
#define kADMIconSuiteVersion2 2
typedef struct ADMIconSuite {
  // Loads the plug-in's picture resource iconID + iconIndex (an icon group g keeps its member k,
  // k >= 1, as picture g + k; index 0 is the picture iconID itself). A missing resource gives an
  // icon of type kADMUnknownIconType; a negative index gives kBadParameterErr.
  ASErr (*GetFromResource)(SPPluginRef self, int32_t iconID, int32_t iconIndex, ADMIconRef* icon);
  // *type: the icon's kind of picture.
  ASErr (*GetType)(ADMIconRef icon, int32_t* type);
  // *width, *height: the icon's size in pixels.
  ASErr (*GetSize)(ADMIconRef icon, int32_t* width, int32_t* height);
  // Frees an icon the plug-in made; its handle is dead after.
  ASErr (*Destroy)(ADMIconRef icon);
} ADMIconSuite;

// -----------------------------------------------------------------------------
// [SECTION] ADM Tracker Suite

#define kADMTrackerSuite "ADM Tracker Suite"
#define kADMTrackerSuiteVersion 2
typedef struct ADMTrackerSuite {
  // The pointer in the item's pixels (it may lie outside the item during a drag).
  ASErr (*GetPoint)(ADMTrackerRef tracker, ADMPoint* point);
  // kADM...Action.
  ASErr (*GetAction)(ADMTrackerRef tracker, int32_t* action);
  // *isAction: whether the event is the given action.
  ASErr (*TestAction)(ADMTrackerRef tracker, int32_t action, ASBoolean* isAction);
  // The kADM...KeyFlag bits held.
  ASErr (*GetModifiers)(ADMTrackerRef tracker, int32_t* modifiers);
  // Whether every bit of modifier is held.
  ASErr (*TestModifier)(ADMTrackerRef tracker, int32_t modifier, ASBoolean* isHeld);
  // Ends the gesture for the item: no further event of it (not even its button-up) reaches it.
  ASErr (*Abort)(ADMTrackerRef tracker);
} ADMTrackerSuite;

// -----------------------------------------------------------------------------
// [SECTION] ADM Notifier Suite

#define kADMNotifierSuite "ADM Notifier Suite"
#define kADMNotifierSuiteVersion 2
typedef struct ADMNotifierSuite {
  // The item notified, or null for a dialog's notification.
  ASErr (*GetItem)(ADMNotifierRef notifier, ADMItemRef* item);
  // The dialog notified, or the item's dialog.
  ASErr (*GetDialog)(ADMNotifierRef notifier, ADMDialogRef* dialog);
  // Whether the notification is of type (kADM...Notifier).
  ASErr (*IsNotifierType)(ADMNotifierRef notifier, const char* type, ASBoolean* isType);
  // Copies the notification's type name into a buffer of size bytes (cut and terminated).
  ASErr (*GetNotifierType)(ADMNotifierRef notifier, char* type, int32_t size);
} ADMNotifierSuite;

// -----------------------------------------------------------------------------
// [SECTION] ADM Dialog Group Suite

#define kADMDialogGroupSuite "ADM Dialog Group Suite"
#define kADMDialogGroupSuiteVersion 1
typedef struct ADMDialogGroupSuite {
  // The dock group a floating dialog is in (empty: none) and its position code (0 when none
  // was set). A non-modal dialog only.
  ASErr (*GetDialogGroupInfo)(ADMDialogRef dialog, char* groupName, int32_t size, int32_t* positionCode);
  // Docks the dialog in a group by name (at most 255 characters; empty undocks it) at a
  // position code (>= 0), which the host keeps as given.
  ASErr (*SetDialogGroupInfo)(ADMDialogRef dialog, const char* groupName, int32_t positionCode);
  // Shows or hides every floating dialog.
  ASErr (*ShowAllFloatingDialogs)(ASBoolean show);
  // Hides every floating dialog when one is shown, else shows the ones hidden that way.
  ASErr (*ToggleAllFloatingDialogs)(void);
} ADMDialogGroupSuite;
