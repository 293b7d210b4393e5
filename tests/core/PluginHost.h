// The real plug-in library, loaded by the simulated host over a preference
// file of the test's own.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

#include "hostsim/Host.h"

inline constexpr const char* kSection = "KPXEtiquette";

class PluginHostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = std::filesystem::path(::testing::TempDir()) /
           ("kpx-core-" + std::to_string(getpid()) + "-" + info->test_suite_name() + "-" + info->name());
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
  }

  void TearDown() override {
    CloseHost();
    std::filesystem::remove_all(dir_);
  }

  // A new host reading the test's preference file (quitting the previous one).
  hostsim::Host& OpenHost() {
    CloseHost();
    host_ = std::make_unique<hostsim::Host>(hostsim::HostOptions{PrefsFile(), KPX_PLUGIN_FILE});
    return *host_;
  }

  void CloseHost() {
    if (host_ != nullptr && host_->launched()) host_->Quit();
    host_.reset();
  }

  // Launches and quits once, leaving the first start's preference file.
  void FirstStart() {
    ASSERT_EQ(OpenHost().Launch(), kNoErr);
    CloseHost();
  }

  std::filesystem::path PrefsFile() const { return dir_ / "preferences.json"; }
  hostsim::Host& host() { return *host_; }
  hostsim::PreferenceStore& prefs() { return host_->prefs(); }

  const hostsim::PrefValue* Pref(const std::string& key) { return prefs().Find(kSection, key); }

 private:
  std::filesystem::path dir_;
  std::unique_ptr<hostsim::Host> host_;
};
