// A screen of the test's own for the real library: each modal dialog the
// plug-in opens runs `onModal`, then is left to be cancelled as Escape would.
#pragma once

#include <functional>
#include <memory>

#include "PluginHost.h"
#include "hostsim/FrontEnd.h"
#include "hostsim/UserActions.h"

class ModalScreen : public hostsim::NullFrontEnd {
 public:
  std::function<void(hostsim::Host&, ADMDialogRef)> onModal;
  void RunModal(hostsim::Host& host, ADMDialogRef dialog) override {
    if (onModal) onModal(host, dialog);
  }
};

// The real library launched, with a ModalScreen as its screen.
class LaunchedWithScreenTest : public PluginHostTest {
 protected:
  void SetUp() override {
    PluginHostTest::SetUp();
    OpenHost();
    auto screen = std::make_unique<ModalScreen>();
    screen_ = screen.get();
    host().SetFrontEnd(std::move(screen));
    ASSERT_EQ(host().Launch(), kNoErr);
  }

  hostsim::UserActions User() { return hostsim::UserActions(host()); }

  ModalScreen* screen_ = nullptr;
};
