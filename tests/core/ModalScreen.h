// A screen of the test's own for the real library: each modal dialog the
// plug-in opens runs `onModal`, then is left to be cancelled as Escape would.
#pragma once

#include <functional>

#include "hostsim/FrontEnd.h"

class ModalScreen : public hostsim::NullFrontEnd {
 public:
  std::function<void(hostsim::Host&, ADMDialogRef)> onModal;
  void RunModal(hostsim::Host& host, ADMDialogRef dialog) override {
    if (onModal) onModal(host, dialog);
  }
};
