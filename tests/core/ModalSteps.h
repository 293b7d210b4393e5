// Tests that open the plug-in's modal dialogs: a screen of the test's own
// runs each modal loop, working the items as a person would, and the dialogs
// and pictures come from the library's resources.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "InProcessCore.h"
#include "hostsim/FrontEnd.h"

// The n-th dialog opened runs the n-th step (later ones are left to be cancelled).
class StepsScreen : public hostsim::NullFrontEnd {
 public:
  using Step = std::function<void(ADMDialogRef)>;
  void RunModal(hostsim::Host&, ADMDialogRef dialog) override {
    if (next_ < steps_.size()) steps_[next_++](dialog);
  }
  std::size_t opened() const { return next_; }
  void Reset(std::vector<Step> steps) {
    steps_ = std::move(steps);
    next_ = 0;
  }

 private:
  std::vector<Step> steps_;
  std::size_t next_ = 0;
};

class ModalDialogTest : public InProcessCoreTest {
 protected:
  std::filesystem::path ResourceLibrary() const override { return KPX_PLUGIN_FILE; }

  void SetUp() override {
    InProcessCoreTest::SetUp();
    ASSERT_EQ(WriteDefaultSettings(), kNoErr);
    auto screen = std::make_unique<StepsScreen>();
    screen_ = screen.get();
    host().SetFrontEnd(std::move(screen));
  }

  hostsim::toolkit::Toolkit& kit() { return host().dialogs(); }

  StepsScreen* screen_ = nullptr;
};
