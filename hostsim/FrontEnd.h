// What a screen does for the host. Each front end (the headless runner, the
// desktop studio, tests) implements it; the host calls it and never draws,
// waits or sounds anything itself. The host logs each alert, cursor, tone
// and Info value as an event before it reaches the front end, so the dump is
// the same whichever front end is installed.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>
#include <string>

#include "host/ADMSuites.h"

namespace hostsim {

class Host;

// An alert the plug-in asked for. Buttons are answered by their index, 0 for
// the first (the default button, "OK").
struct AlertRequest {
  std::string text;                                      // UTF-8
  std::vector<std::string> buttons = {std::string("OK")};  // left to right as the toolkit lays them out
};

// Values of the host's Info panel: the pointer's document position and a text.
struct InfoValues {
  std::optional<double> x;
  std::optional<double> y;
  std::optional<std::string> text;  // UTF-8
};

class FrontEnd {
 public:
  virtual ~FrontEnd() = default;
  // Runs the modal loop of an open modal dialog: returns once the dialog has
  // ended (the plug-in called EndModal, or a user action ended it) or when the
  // front end has nothing more to give it; the host cancels a dialog that has
  // not ended by then.
  virtual void RunModal(Host& host, ADMDialogRef dialog) = 0;
  // Shows an alert and returns the index of the button the person pressed.
  virtual int32_t ShowAlert(const AlertRequest& alert) = 0;
  // The pointer's shape: a cursor resource of the plug-in, by id.
  virtual void SetCursor(int32_t cursorId) = 0;
  // A tone from the platform speaker.
  virtual void Tone(uint32_t hz, uint32_t ms) = 0;
  // An item (or, for a null item, the whole dialog) must be painted again.
  virtual void Redraw(ADMDialogRef dialog, ADMItemRef item) = 0;
  // The Info panel shows new values.
  virtual void ShowInfo(const InfoValues& info) = 0;
};

// A front end with no screen: modal dialogs are left to be cancelled, every
// alert is answered with its first button, and nothing is shown.
class NullFrontEnd : public FrontEnd {
 public:
  void RunModal(Host&, ADMDialogRef) override {}
  int32_t ShowAlert(const AlertRequest&) override { return 0; }
  void SetCursor(int32_t) override {}
  void Tone(uint32_t, uint32_t) override {}
  void Redraw(ADMDialogRef, ADMItemRef) override {}
  void ShowInfo(const InfoValues&) override {}
};

}  // namespace hostsim
