// What a person does, offered by the host to every front end (the session
// runner, the desktop studio, tests): the pointer and its button over the
// document, keys, menu commands chosen by their place, tools, dialog items,
// the view's zoom, and artwork and layers built by hand.
//
// The meaning of an action lives here, not in a front end: the pointer arrives
// at a point before the button goes down there; a click is a press and a
// release at one point with no drag between; mouse messages reach the
// plug-in's tool only while it is the current tool. An action reports
// whether it was carried out and what the plug-in answered to each message.
#pragma once

#include <filesystem>

#include "hostsim/document/SvgReader.h"

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "host/ADMSuites.h"
#include "host/AITypes.h"
#include "hostsim/MenuPlaces.h"

namespace hostsim {

class Host;

enum class ActionStatus {
  Done,            // carried out; the messages sent are in ActionResult::sent
  NotLaunched,     // no plug-in is running
  NoTool,          // the plug-in has no tool
  ToolNotCurrent,  // the plug-in's tool is not the current tool: no mouse message
  NoMenuEntry,     // nothing at that place in the menus
  SubMenu,         // the entry at that place opens a sub-menu: no command
  MenuDisabled,    // the item (or one on the way to it) is disabled: no command
  NoDialog,        // no modal dialog is open and there is no panel
  NoItem,          // the dialog has no such item, flyout entry or close box
  Ignored,         // the item is hidden or disabled: nothing happened
  CannotTakeArt,   // the document refused the new art
  BadValue,        // a number that is not finite or out of range, an empty name
  NothingToUndo,   // no step to undo or redo, or an action or gesture is under way
};

// Plain words for a status, for a front end's messages.
const char* Describe(ActionStatus status);

struct SentMessage {
  const char* selector = "";  // e.g. "AI Mouse Down"
  ASErr code = kNoErr;        // the plug-in's answer
};

struct ActionResult {
  ActionStatus status = ActionStatus::Done;
  std::vector<SentMessage> sent;  // in the order sent
  bool done() const { return status == ActionStatus::Done; }
  // The first non-zero answer, or kNoErr.
  ASErr code() const;
};

// Modifier keys held during a click or a tracked movement on a dialog item.
struct ItemModifiers {
  bool command = false;
  bool option = false;
  bool shift = false;
};

enum class TrackAction { Down, Drag, Up, Hover };

// An item's own pixels, from its top left corner.
struct ItemPoint {
  int32_t h = 0;
  int32_t v = 0;
};

// The person at the host. Holds nothing of its own: any number may be made
// over one host and used in turn.
class UserActions {
 public:
  explicit UserActions(Host& host) : host_(host) {}

  // -- The pointer over the document (document points, y up) ---------------
  // "AI Track Cursor" at p.
  ActionResult PointerMove(AIRealPoint p);
  // The pointer arrives at p ("AI Track Cursor"), then "AI Mouse Down".
  ActionResult MouseDown(AIRealPoint p);
  // "AI Mouse Drag" at p.
  ActionResult Drag(AIRealPoint p);
  // "AI Mouse Up" at p.
  ActionResult MouseUp(AIRealPoint p);
  // MouseDown then MouseUp at p, with no drag between.
  ActionResult Click(AIRealPoint p);

  // -- Keys, read by the plug-in when a message arrives ----------------------
  void PressKey(int virtualKey);
  void ReleaseKey(int virtualKey);
  void ReleaseAllKeys();

  // -- Menus -------------------------------------------------------------------
  // Chooses the item at a place in the host's menus: "AI Go" to the plug-in.
  ActionResult ChooseMenu(const MenuPath& place);

  // -- Tools -------------------------------------------------------------------
  // The plug-in's tool becomes current ("AI Select"; nothing when it already is).
  ActionResult SelectTool();
  // The host's selection tool becomes current ("AI Deselect" when the
  // plug-in's tool was current).
  ActionResult DeselectTool();
  // Double-click on the plug-in's tool: "AI Edit Options".
  ActionResult ToolOptions();

  // -- The view and artwork (no message to the plug-in) ----------------------
  // BadValue unless 0 < zoom and finite.
  ActionResult SetZoom(double zoom);
  // A layer on top of the others, made current. BadValue for an empty title.
  ActionResult AddLayer(const std::string& titleUtf8, bool locked, bool hidden);
  // Paths on top of the current layer (locked or hidden as it may be, so that
  // a drawing can be set up as a person left it), stroked black 1 pt, filled
  // 50% grey when asked. BadValue for a coordinate that is not finite.
  // A closed path through (x, y), (x+w, y), (x+w, y+h), (x, y+h).
  ActionResult AddRect(double x, double y, double w, double h, bool filled);
  // Four Bezier arcs, counter-clockwise from the rightmost point.
  ActionResult AddEllipse(double cx, double cy, double rx, double ry, bool filled);
  ActionResult AddLine(AIRealPoint from, AIRealPoint to);
  // Straight segments through the points, 2 to kMaxPathPoints of them.
  ActionResult AddPath(const std::vector<AIRealPoint>& points, bool closed);
  static constexpr std::size_t kMaxPathPoints = 32000;
  // The document as SVG; false when the stream fails.
  bool SaveSvg(std::ostream& out) const;
  // Replaces the drawing with the SVG file's; on any error the drawing stays as it was.
  SvgReadResult OpenSvg(const std::filesystem::path& file);
  // Replaces the drawing with a new one: one layer "Layer 1", the default page.
  void NewDrawing();

  // -- The host's selection tool (no message to the plug-in) -----------------
  // The artboard: left, top, right, bottom in document points.
  AIRealRect PageBounds() const;
  // Selects the outermost art of a layer under p (a whole label, say), within
  // tolerance points; NoItem, with nothing selected, when nothing is there.
  ActionResult SelectAt(AIRealPoint p, double tolerance);
  // Shift-click: the outermost art under p joins the selection, or leaves it
  // when it was selected; the rest stays. NoItem when nothing is there.
  ActionResult ToggleAt(AIRealPoint p, double tolerance);
  // Rubber band: the outermost art whose bounds meet the rectangle (left,
  // top, right, bottom, document points), on layers shown and unlocked, is
  // selected; the selection before is kept when extend, else replaced.
  ActionResult SelectInRect(AIRealRect rect, bool extend);
  // Every art of the layers shown and unlocked, unless hidden or locked itself.
  ActionResult SelectAll();
  void ClearSelection();
  // Bounds of the selected art; nothing when none is selected.
  std::optional<AIRealRect> SelectionBounds() const;
  // Moves the selected art by (dx, dy); BadValue for a move that is not finite.
  ActionResult MoveSelection(double dx, double dy);
  // Deletes the selected art; NoItem when none is selected.
  ActionResult DeleteSelection();

  // -- Undo and redo ------------------------------------------------------------
  // Every action here is one step of the host's history, and so is a gesture
  // from MouseDown to MouseUp; actions that change nothing but the selection
  // make none. Undo and redo put the drawing back exactly (art, names, tags,
  // layers) and then tell the plug-ins, as after any change made behind
  // their backs ("AI Art Selection Changed Notifier").
  ActionResult Undo();
  ActionResult Redo();
  bool CanUndo() const;
  bool CanRedo() const;
  // A gesture of the host's own tools (press, drags, release) as one step.
  void BeginGesture();
  void EndGesture();
  // Names the drawing's place in the history: equal values, the same drawing.
  // A front end keeps the value of the drawing it saved to know whether it
  // was changed since.
  std::uint64_t DrawingState() const;

  // -- Dialog items ------------------------------------------------------------
  // True while a modal dialog is open and has not ended: a front end's modal
  // loop runs until this turns false.
  bool ModalOpen(ADMDialogRef dialog) const;
  // Items of the front dialog: the open modal dialog, else the panel. Until
  // the host's dialog toolkit knows items, these answer NoDialog or NoItem.
  ActionResult ItemClick(int32_t item, ItemModifiers modifiers);
  // A number typed in the units the item shows.
  ActionResult ItemValue(int32_t item, double value);
  ActionResult ItemText(int32_t item, const std::string& textUtf8);
  // The entry at a position of a popup.
  ActionResult ItemPick(int32_t item, int32_t position);
  ActionResult ItemTrack(int32_t item, TrackAction action, ItemPoint point, ItemModifiers modifiers);
  // The entry at a position of the panel's flyout menu.
  ActionResult FlyoutPick(int32_t position);
  // The panel's close box.
  ActionResult CloseBox();
  // The person drags the panel to (left, top) on the screen: its bounds move,
  // its size stays, and the plug-in is notified. NoDialog without a panel.
  ActionResult MovePanel(int32_t left, int32_t top);

 private:
  ActionStatus ToolMessagesAllowed() const;
  ActionResult Tool(std::initializer_list<const char*> selectors, AIRealPoint p);
  ActionResult AddPathArt(std::vector<AIPathSegment> segments, bool closed, bool filled);
  template <class Action>
  ActionResult OnDialog(ADMDialogRef dialog, Action&& action);

  Host& host_;
};

}  // namespace hostsim
