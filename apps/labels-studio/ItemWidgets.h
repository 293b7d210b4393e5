// One Qt widget per toolkit item, at the item's rectangle: buttons, check
// boxes, radio buttons, texts, spin edits, popups and sliders as Qt's own
// widgets; pictures and items the plug-in draws itself painted from the
// display list its drawer recorded. Each widget turns what the person does
// into one of the host's item actions; Sync shows the model's state.
#pragma once

#include <cstdint>
#include <functional>

#include <QWidget>

#include "hostsim/toolkit/Item.h"

namespace studio {

class DialogView;

class ItemWidget {
 public:
  virtual ~ItemWidget() = default;
  virtual QWidget* widget() = 0;
  // Shows the item's state: place, visibility, enabling, tooltip, value,
  // text and entries. Signals are blocked meanwhile: only the person acts.
  virtual void Sync(const hostsim::toolkit::Item& item) = 0;
};

// Items the plug-in paints (pictures, user items, anything with a draw
// procedure) come from the display list; the others are Qt's widgets.
bool PaintedFromDisplayList(const hostsim::toolkit::Item& item);

// The widget for the item, a child of the view; owned by Qt's parent.
ItemWidget* MakeItemWidget(DialogView& view, const hostsim::toolkit::Item& item);

}  // namespace studio
