// The drawing host's suites: plug-in, memory, math, art and paths, styles,
// menus, tools, notifiers, preferences, layers, tags, hit testing, documents,
// text frames and fonts. Tables only ever grow at the end.
// Every operation returns kNoErr or a non-zero host error code; a dead or
// foreign handle gives kBadParameterErr. Strings are in the platform
// encoding (Windows-1252) unless an operation says otherwise.
//
// [SECTION] index: the suites the plug-in holds but does not call, then
//   AI Real Math Suite
//   AI Real Bezier Suite
//   AI Art Suite
//   AI Path Suite
//   AI Tag Suite
//   AI Layer Suite
//   AI Hit Test Suite
//   AI Document Suite
//   AI Text Frame Suite
//   AI Menu Suite
//   AI Tool Suite
//   AI Preference Suite
#pragma once

#include "AITypes.h"

typedef struct _t_ATETextRange* ATETextRangeRef;
typedef struct _t_ATEFont* ATEFontRef;
typedef struct _t_ATEApplicationPaint* ATEApplicationPaintRef;

// Suites the plug-in holds but does not call.
typedef struct AIUnusedSuite { void* reserved; } AIUnusedSuite;

#define kAIPluginSuite "AI Plugin Suite"
#define kAIPluginSuiteVersion 3
typedef AIUnusedSuite AIPluginSuite;
#define kAIMdMemorySuite "AI MdMemory Suite"
#define kAIMdMemorySuiteVersion 1
typedef AIUnusedSuite AIMdMemorySuite;
#define kAIUserSuite "AI User Suite"
#define kAIUserSuiteVersion 6
typedef AIUnusedSuite AIUserSuite;
#define kAIUndoSuite "AI Undo Suite"
#define kAIUndoSuiteVersion 4
typedef AIUnusedSuite AIUndoSuite;
#define kAIAnnotatorSuite "AI Annotator Suite"
#define kAIAnnotatorSuiteVersion 4
typedef AIUnusedSuite AIAnnotatorSuite;
#define kAIUnicodeStringSuite "AI Unicode String Suite"
#define kAIUnicodeStringSuiteVersion 6
typedef AIUnusedSuite AIUnicodeStringSuite;
#define kAIContextSuite "AI Context Suite"
#define kAIContextSuiteVersion 4
typedef AIUnusedSuite AIContextSuite;
#define kAICursorSnapSuite "AI Cursor Snap Suite"
#define kAICursorSnapSuiteVersion 3
typedef AIUnusedSuite AICursorSnapSuite;
#define kAIRuntimeSuite "AI Runtime Suite"
#define kAIRuntimeSuiteVersion 10
typedef AIUnusedSuite AIRuntimeSuite;
#define kAIURLSuite "AI URL Suite"
#define kAIURLSuiteVersion 1
typedef AIUnusedSuite AIURLSuite;

// ---------------------------------------------------------------------------
// [SECTION] AI Real Math Suite
// Real math. Angles in radians, 0 to the right, counter-clockwise positive.
// Non-finite inputs, and results too large for an AIReal, give kBadParameterErr
// and leave the result untouched.
#define kAIRealMathSuite "AI Real Math Suite"
#define kAIRealMathSuiteVersion 1
typedef struct AIRealMathSuite {
  // *result: the sine of a radians.
  AIErr (*AIRealSin)(AIReal a, AIReal* result);
  // *result: the cosine of a radians.
  AIErr (*AIRealCos)(AIReal a, AIReal* result);
  // Angle of the vector (x, y), in (-pi, pi].
  AIErr (*AIRealATan)(AIReal y, AIReal x, AIReal* result);
  // *result: degree * pi / 180.
  AIErr (*AIDegreeToRadian)(AIReal degree, AIReal* result);
  // *result: radian * 180 / pi.
  AIErr (*AIRadianToDegree)(AIReal radian, AIReal* result);
  // The multiple of `multiple` nearest below (ceiling false) or above (ceiling true) `value`.
  AIErr (*AIRealMultiple)(AIReal value, AIReal multiple, ASBoolean ceiling, AIReal* result);
  // Angle of the vector from p1 to p2; 0 for equal points.
  AIErr (*AIRealPointAngle)(const AIRealPoint* p1, const AIRealPoint* p2, AIReal* result);
  // *result: the distance from p1 to p2.
  AIErr (*AIRealPointLength)(const AIRealPoint* p1, const AIRealPoint* p2, AIReal* result);
  // True when p1 and p2 are within tolerance of each other on both axes.
  AIErr (*AIRealPointClose)(const AIRealPoint* p1, const AIRealPoint* p2, AIReal tolerance, ASBoolean* result);
  // The vector length * (cos angle, sin angle).
  AIErr (*AIRealPointPolar)(AIReal length, AIReal angle, AIRealPoint* result);
  // Makes m the identity.
  AIErr (*AIRealMatrixSetIdentity)(AIRealMatrix* m);
  // Makes m the translation by (tx, ty).
  AIErr (*AIRealMatrixSetTranslate)(AIRealMatrix* m, AIReal tx, AIReal ty);
  // Follows m with a rotation by angle radians about the origin.
  AIErr (*AIRealMatrixConcatRotate)(AIRealMatrix* m, AIReal angle);
  // Follows m with a translation by (tx, ty).
  AIErr (*AIRealMatrixConcatTranslate)(AIRealMatrix* m, AIReal tx, AIReal ty);
  // *out: the point in transformed by m.
  AIErr (*AIRealMatrixXformPoint)(const AIRealMatrix* m, const AIRealPoint* in, AIRealPoint* out);
} AIRealMathSuite;

// ---------------------------------------------------------------------------
// [SECTION] AI Real Bezier Suite
#define kAIRealBezierSuite "AI Real Bezier Suite"
#define kAIRealBezierSuiteVersion 2
typedef struct AIRealBezierSuite {
  // The point of the cubic at t in [0, 1]; t outside is clamped.
  AIErr (*Evaluate)(const AIRealBezier* b, AIReal t, AIRealPoint* p);
  // Splits the cubic at t into its two parts (de Casteljau).
  AIErr (*Divide)(const AIRealBezier* b, AIReal t, AIRealBezier* b1, AIRealBezier* b2);
} AIRealBezierSuite;

// ---------------------------------------------------------------------------
// [SECTION] AI Art Suite
#define kAIArtSuite "AI Art Suite"
#define kAIArtSuiteVersion 10
typedef struct AIArtSuite {
  // Creates art of type kGroupArt or kPathArt placed by paintOrder relative to prep
  // (a group for the "inside" orders). Returns kBadParameterErr for a dead prep.
  AIErr (*NewArt)(int16_t type, int16_t paintOrder, AIArtHandle prep, AIArtHandle* newArt);
  // Disposes of the art and everything inside it; its handle (and its children's) are dead after.
  AIErr (*DisposeArt)(AIArtHandle art);
  // Moves the art to the place paintOrder names relative to prep, as NewArt places new art.
  AIErr (*ReorderArt)(AIArtHandle art, int16_t paintOrder, AIArtHandle prep);
  // *parent is null for a layer's top group.
  AIErr (*GetArtParent)(AIArtHandle art, AIArtHandle* parent);
  // Children are in paint order, top first; *child is null when there is none.
  AIErr (*GetArtFirstChild)(AIArtHandle art, AIArtHandle* child);
  // *sibling: the next art below in paint order, null after the last.
  AIErr (*GetArtSibling)(AIArtHandle art, AIArtHandle* sibling);
  // *sibling: the art above in paint order, null before the first.
  AIErr (*GetArtPriorSibling)(AIArtHandle art, AIArtHandle* sibling);
  // *type: the art's kind (kGroupArt, kPathArt, kTextFrameArt, or another the host keeps).
  AIErr (*GetArtType)(AIArtHandle art, int16_t* type);
  // *attr receives (art's attributes & whichAttr).
  AIErr (*GetArtUserAttr)(AIArtHandle art, int32_t whichAttr, int32_t* attr);
  // Sets the bits of whichAttr to those of attr.
  AIErr (*SetArtUserAttr)(AIArtHandle art, int32_t whichAttr, int32_t attr);
  // Copies the name, truncated and terminated, into a buffer of size bytes.
  AIErr (*GetArtName)(AIArtHandle art, char* name, int32_t size, ASBoolean* isDefaultName);
  // The art's name, copied.
  AIErr (*SetArtName)(AIArtHandle art, const char* name);
  // True while the handle names art in the document. Never fails.
  ASBoolean (*ValidArt)(AIArtHandle art);
  // Geometric bounds (anchors and handles for paths, ink box for text).
  AIErr (*GetArtBounds)(AIArtHandle art, AIRealRect* bounds);
  // *group: the layer's top group, which holds its art.
  AIErr (*GetFirstArtOfLayer)(AILayerHandle layer, AIArtHandle* group);
  // *layer: the layer the art is in.
  AIErr (*GetLayerOfArt)(AIArtHandle art, AILayerHandle* layer);
} AIArtSuite;

// ---------------------------------------------------------------------------
// [SECTION] AI Path Suite
#define kAIPathSuite "AI Path Suite"
#define kAIPathSuiteVersion 8
typedef struct AIPathSuite {
  // *count: the path's segments (anchors).
  AIErr (*GetPathSegmentCount)(AIArtHandle path, int16_t* count);
  // Grows with copies of the last anchor (or zeros) or cuts; count 0 to 32000.
  AIErr (*SetPathSegmentCount)(AIArtHandle path, int16_t count);
  // Reads or writes count anchors starting at segNumber; out of range gives kBadParameterErr.
  AIErr (*GetPathSegments)(AIArtHandle path, int16_t segNumber, int16_t count, AIPathSegment* segments);
  // Replaces count segments from segNumber on (0-based); they must exist already.
  AIErr (*SetPathSegments)(AIArtHandle path, int16_t segNumber, int16_t count, const AIPathSegment* segments);
  // *closed: whether the path is closed.
  AIErr (*GetPathClosed)(AIArtHandle path, ASBoolean* closed);
  // Closes or opens the path.
  AIErr (*SetPathClosed)(AIArtHandle path, ASBoolean closed);
  // *isGuide: whether the path is a guide.
  AIErr (*GetPathGuide)(AIArtHandle path, ASBoolean* isGuide);
} AIPathSuite;

#define kAIPathStyleSuite "AI Path Style Suite"
#define kAIPathStyleSuiteVersion 10
typedef struct AIPathStyleSuite {
  // *style: the path's fill and stroke.
  AIErr (*GetPathStyle)(AIArtHandle path, AIPathStyle* style);
  // Non-finite widths or colour values give kBadParameterErr and change nothing.
  AIErr (*SetPathStyle)(AIArtHandle path, const AIPathStyle* style);
} AIPathStyleSuite;

// ---------------------------------------------------------------------------
// [SECTION] AI Tag Suite
#define kAITagSuite "AI Tag Suite"
#define kAITagSuiteVersion 2
typedef struct AITagSuite {
  // Sets (or replaces) the tag name of the given type ("string") to value.
  AIErr (*SetTag)(AIArtHandle art, const char* name, const char* type, const char* value);
  // Copies the tag's value into a buffer of size bytes; kNoSuchTagErr when absent.
  AIErr (*GetTag)(AIArtHandle art, const char* name, const char* type, char* value, int32_t size);
  // Removing an absent tag is not an error.
  AIErr (*RemoveTag)(AIArtHandle art, const char* name);
  // *has: whether the art carries a tag of that name.
  AIErr (*HasTag)(AIArtHandle art, const char* name, ASBoolean* has);
} AITagSuite;

// ---------------------------------------------------------------------------
// [SECTION] AI Layer Suite
#define kAILayerSuite "AI Layer Suite"
#define kAILayerSuiteVersion 9
typedef struct AILayerSuite {
  // *count: the document's layers.
  AIErr (*CountLayers)(int32_t* count);
  // Layer 0 is the top layer.
  AIErr (*GetNthLayer)(int32_t n, AILayerHandle* layer);
  // *layer: the layer new art goes to.
  AIErr (*GetCurrentLayer)(AILayerHandle* layer);
  // Makes the layer the one new art goes to.
  AIErr (*SetCurrentLayer)(AILayerHandle layer);
  // Inserts a new visible, editable layer relative to `layer` (kPlaceAbove, kPlaceBelow)
  // or of all layers (kPlaceAboveAll, kPlaceBelowAll; `layer` may be null).
  AIErr (*InsertLayer)(AILayerHandle layer, int16_t paintOrder, AILayerHandle* newLayer);
  // Copies the title into a buffer of size bytes (cut and terminated).
  AIErr (*GetLayerTitle)(AILayerHandle layer, char* title, int32_t size);
  // The layer's title, copied.
  AIErr (*SetLayerTitle)(AILayerHandle layer, const char* title);
  // *visible: whether the layer is shown.
  AIErr (*GetLayerVisible)(AILayerHandle layer, ASBoolean* visible);
  // Shows or hides the layer.
  AIErr (*SetLayerVisible)(AILayerHandle layer, ASBoolean visible);
  // *editable: whether the layer's art may be changed (not locked).
  AIErr (*GetLayerEditable)(AILayerHandle layer, ASBoolean* editable);
  // Unlocks (true) or locks the layer.
  AIErr (*SetLayerEditable)(AILayerHandle layer, ASBoolean editable);
  // The layer's colour (the one its selections are shown in), each component 0..1;
  // kBadParameterErr for a dead handle or a null color.
  AIErr (*GetLayerColor)(AILayerHandle layer, AIThreeColorStyle* color);
} AILayerSuite;

#define kAIMatchingArtSuite "AI Matching Art Suite"
#define kAIMatchingArtSuiteVersion 5
typedef struct AIMatchingArtSpec {
  int16_t type;      // art type to match
  int32_t whichAttr; // user attribute bits to compare ...
  int32_t attr;      // ... with these values
} AIMatchingArtSpec;
typedef struct AIMatchingArtSuite {
  // Every art of the document matching one of the specs, in document order, into a block
  // allocated through the basic suite (the caller frees it with FreeBlock; null when none).
  AIErr (*GetMatchingArt)(const AIMatchingArtSpec* specs, int16_t numSpecs, AIArtHandle** matches, int32_t* numMatches);
} AIMatchingArtSuite;

// ---------------------------------------------------------------------------
// [SECTION] AI Hit Test Suite
#define kAIHitTestSuite "AI Hit Test Suite"
#define kAIHitTestSuiteVersion 3
enum {
  kAnchorHitType = 0,   // an anchor point of a path
  kSegmentHitType = 3,  // a segment of a path
  kFillHitType = 5,     // inside a filled object
  kTextHitType = 6,     // a text frame
};
typedef struct AIToolHitData {
  ASBoolean hit;
  AIArtHandle object;
  int32_t type;
  int16_t segment;   // for kSegmentHitType the anchor that ends the hit segment; for kAnchorHitType the anchor
  AIReal t;          // parameter on the segment
  AIRealPoint point; // the hit point (on the path for segments and anchors, the click otherwise)
} AIToolHitData;
typedef struct AIHitTestSuite {
  // Hit-tests the document (art null) or one art at point within tolerance (document units).
  // Guides, hidden and locked art and art on hidden or locked layers are not hit.
  // The caller releases the ref.
  AIErr (*HitTestEx)(AIArtHandle art, const AIRealPoint* point, AIReal tolerance, int32_t option, AIHitRef* hit);
  // False for a miss or a bad ref.
  ASBoolean (*IsHit)(AIHitRef hit);
  // The hit's type; -1 for a miss or a bad ref.
  int32_t (*GetType)(AIHitRef hit);
  // *data: what the hit found (art, part, point); data->hit is false for a miss.
  AIErr (*GetHitData)(AIHitRef hit, AIToolHitData* data);
  // Frees the hit; its handle is dead after.
  AIErr (*Release)(AIHitRef hit);
} AIHitTestSuite;

// ---------------------------------------------------------------------------
// [SECTION] AI Document Suite
#define kAIDocumentSuite "AI Document Suite"
#define kAIDocumentSuiteVersion 11
typedef struct AIDocumentSuite {
  // Redraws the document's view now.
  AIErr (*RedrawDocument)(void);
  // The document's file name (UTF-8) into a buffer of size bytes.
  AIErr (*GetDocumentFileName)(char* name, int32_t size);
} AIDocumentSuite;

#define kAIDocumentViewSuite "AI Document View Suite"
#define kAIDocumentViewSuiteVersion 10
typedef struct AIDocumentViewSuite {
  // view null: the current view.
  AIErr (*GetDocumentViewZoom)(AIDocumentViewHandle view, AIReal* zoom);
  // The view's zoom factor (1 shows points as pixels).
  AIErr (*SetDocumentViewZoom)(AIDocumentViewHandle view, AIReal zoom);
} AIDocumentViewSuite;

#define kAITransformArtSuite "AI Transform Art Suite"
#define kAITransformArtSuiteVersion 1
typedef struct AITransformArtSuite {
  // Transforms every point and handle (paths), the anchor (texts) or everything inside (groups).
  // A matrix that is not finite, or that would move a point beyond the range of AIReal,
  // gives kBadParameterErr and changes nothing.
  AIErr (*TransformArt)(AIArtHandle art, const AIRealMatrix* matrix, AIReal lineScale, int32_t flags);
} AITransformArtSuite;

// ---------------------------------------------------------------------------
// [SECTION] AI Text Frame Suite
#define kAITextFrameSuite "AI Text Frame Suite"
#define kAITextFrameSuiteVersion 1
enum { kHorizontalTextOrientation = 0, kVerticalTextOrientation = 1 };
typedef struct AITextFrameSuite {
  // A new, empty point text whose baseline starts at anchor.
  AIErr (*NewPointText)(int16_t paintOrder, AIArtHandle prep, int32_t orientation, AIRealPoint anchor, AIArtHandle* newText);
  // The range of the frame's whole text; the caller releases it through the ATE TextRange suite.
  AIErr (*GetATETextRange)(AIArtHandle text, ATETextRangeRef* range);
  // *anchor: the point text's anchor (the start of its baseline).
  AIErr (*GetPointTextAnchor)(AIArtHandle text, AIRealPoint* anchor);
} AITextFrameSuite;

#define kAIFontSuite "AI Font Suite"
#define kAIFontSuiteVersion 3
typedef struct AIFontSuite {
  // *count: the fonts of the host's list.
  AIErr (*CountFonts)(int32_t* count);
  // Fonts in the host's list order (sorted by full name); out of range gives kBadParameterErr.
  AIErr (*IndexFontList)(int32_t index, AIFontKey* key);
  // The full font name into a buffer of maxName bytes, truncated and terminated.
  AIErr (*GetFullFontName)(AIFontKey key, char* name, int16_t maxName);
  // The text engine's font for the key; released through the ATE Font suite.
  AIErr (*FontFromFontKey)(AIFontKey key, ATEFontRef* font);
} AIFontSuite;

#define kAIATEPaintSuite "AIATE Paint Suite"
#define kAIATEPaintSuiteVersion 1
typedef struct AIATEPaintSuite {
  // A text-engine paint of the colour; released through the ATE ApplicationPaint suite.
  AIErr (*CreateATEApplicationPaint)(const AIColor* color, ATEApplicationPaintRef* paint);
} AIATEPaintSuite;

// ---------------------------------------------------------------------------
// [SECTION] AI Menu Suite
#define kAIMenuSuite "AI Menu Suite"
#define kAIMenuSuiteVersion 9
enum { kMenuGroupSortedAlphabeticallyOption = 1 };
typedef struct AIMenuSuite {
  // Adds an item named name (unique per plug-in) with the text to the group named groupName.
  // Returns kNameNotFoundErr for an unknown group.
  AIErr (*AddMenuItem)(SPPluginRef self, const char* name, const char* groupName, const char* text, int32_t options, AIMenuItemHandle* item);
  // Makes the item the head of a new sub-menu group named name.
  AIErr (*AddMenuGroupAsSubMenu)(const char* name, int32_t options, AIMenuItemHandle item, AIMenuGroup* group);
  // *count: the menu groups, the host's and the plug-ins'.
  AIErr (*CountMenuGroups)(int32_t* count);
  // *group: the group at place n, 0-based; outside gives kBadParameterErr.
  AIErr (*GetNthMenuGroup)(int32_t n, AIMenuGroup* group);
  // *name points to host storage valid until the next menu call.
  AIErr (*GetMenuGroupName)(AIMenuGroup group, const char** name);
  // The item's text, copied.
  AIErr (*SetItemText)(AIMenuItemHandle item, const char* text);
  // Copies the item's text into a buffer of size bytes (cut and terminated).
  AIErr (*GetItemText)(AIMenuItemHandle item, char* text, int32_t size);
  // Lets the item be chosen.
  AIErr (*EnableItem)(AIMenuItemHandle item);
  // Greys the item; it cannot be chosen.
  AIErr (*DisableItem)(AIMenuItemHandle item);
} AIMenuSuite;

// ---------------------------------------------------------------------------
// [SECTION] AI Tool Suite
#define kAIToolSuite "AI Tool Suite"
#define kAIToolSuiteVersion 10
typedef struct _t_ADMIcon* ADMIconRef;
enum { kNoTool = -2 };
enum {
  kInfoPageVar1 = 15,  // cursor x
  kInfoPageVar2 = 16,  // cursor y
  kInfoTextVar = 23,   // a text
  kInfoEndOfList = -1,
};
typedef struct AIAddToolData {
  const char* title;
  const char* tooltip;
  ADMIconRef icon;
  int32_t sameGroupAs;    // tool number, or kNoTool for a group of its own
  int32_t sameToolsetAs;  // tool number, or kNoTool for a tool set of its own
} AIAddToolData;
typedef struct AIToolSuite {
  // Adds the plug-in's tool to the tool palette as data places it; *tool names it in tool messages.
  AIErr (*AddTool)(SPPluginRef self, const char* name, const AIAddToolData* data, int32_t options, AIToolHandle* tool);
  // kNameNotFoundErr for a name the host does not know.
  AIErr (*GetToolNumberFromName)(const char* name, int32_t* number);
  // Makes the tool current.
  AIErr (*SetSelectedTool)(AIToolHandle tool);
  // *tool: the current tool (null when none).
  AIErr (*GetSelectedTool)(AIToolHandle* tool);
  // vars ends with kInfoEndOfList (at most 64 entries before it); values[i] points to an AIReal
  // for 15 and 16, to a string for 23.
  AIErr (*SetToolInfoVarValues)(const int32_t* vars, void** values);
  // The icon shown while the pointer is over the tool's button; the host keeps it.
  AIErr (*SetToolRolloverIcon)(AIToolHandle tool, ADMIconRef icon);
} AIToolSuite;

#define kAINotifierSuite "AI Notifier Suite"
#define kAINotifierSuiteVersion 2
typedef struct AINotifierSuite {
  // Asks for the notifications of type; *notifier names the registration in them.
  AIErr (*AddNotifier)(SPPluginRef self, const char* name, const char* type, AINotifierHandle* notifier);
} AINotifierSuite;

// ---------------------------------------------------------------------------
// [SECTION] AI Preference Suite
#define kAIPreferenceSuite "AI Preference Suite"
#define kAIPreferenceSuiteVersion 4
// prefix is the section, suffix the key. A get of a missing key, or of a key stored
// with another type, returns kNoSuchKeyErr and leaves the value untouched.
typedef struct AIPreferenceSuite {
  // *value: the stored boolean; a missing key or another type gives an error and leaves *value.
  AIErr (*GetBooleanPreference)(const char* prefix, const char* suffix, ASBoolean* value);
  // Stores a boolean under prefix/suffix, replacing any value.
  AIErr (*PutBooleanPreference)(const char* prefix, const char* suffix, ASBoolean value);
  // *value: the stored integer; a missing key or another type gives an error and leaves *value.
  AIErr (*GetIntegerPreference)(const char* prefix, const char* suffix, int32_t* value);
  // Stores an integer under prefix/suffix, replacing any value.
  AIErr (*PutIntegerPreference)(const char* prefix, const char* suffix, int32_t value);
  // *value: the stored real; a missing key or another type gives an error and leaves *value.
  AIErr (*GetRealPreference)(const char* prefix, const char* suffix, double* value);
  // A non-finite value gives kBadParameterErr and stores nothing.
  AIErr (*PutRealPreference)(const char* prefix, const char* suffix, double value);
  // Copies at most size - 1 characters and the terminator.
  AIErr (*GetStringPreference)(const char* prefix, const char* suffix, char* value, int32_t size);
  // Stores a string under prefix/suffix, replacing any value.
  AIErr (*PutStringPreference)(const char* prefix, const char* suffix, const char* value);
  // *value: the stored point; a missing key or another type gives an error and leaves *value.
  AIErr (*GetPointPreference)(const char* prefix, const char* suffix, AIPoint* value);
  // Stores a point under prefix/suffix, replacing any value.
  AIErr (*PutPointPreference)(const char* prefix, const char* suffix, const AIPoint* value);
} AIPreferenceSuite;
