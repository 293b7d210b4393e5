// The plug-in's core compiled into the test and run over the simulated
// host's own suites, so that the state block can be read directly.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstddef>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "core/Settings.h"
#include "core/State.h"
#include "core/Suites.h"
#include "hostsim/Host.h"

class InProcessCoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = std::filesystem::path(::testing::TempDir()) /
           ("kpx-core-state-" + std::to_string(getpid()) + "-" + info->test_suite_name() + "-" + info->name());
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
    StartHost(false);
  }

  void TearDown() override {
    StopHost();
    std::filesystem::remove_all(dir_);
  }

  // A library whose resources (string lists, pictures) the host should serve;
  // none by default.
  virtual std::filesystem::path ResourceLibrary() const { return {}; }

  // A host over the test's preference file, every suite acquired, a cleared state block.
  void StartHost(bool readPrefs) {
    StopHost();
    host_ = std::make_unique<hostsim::Host>(
        hostsim::HostOptions{dir_ / "preferences.json", ResourceLibrary(), readPrefs});
    // The host reads resources from the library it has launched.
    if (!ResourceLibrary().empty()) {
      ASSERT_EQ(host_->Launch(), kNoErr);
    }
    sSPBasic = host_->basicSuite();
    gPluginRef = host_->pluginRef();
    ResetSuiteCounter();
    ASSERT_EQ(AcquireSuites(), kNoErr);
    ASSERT_EQ(AllocateState(), kNoErr);
  }

  // Saves the preference file; a new host reads it, with a new state block.
  void Restart() {
    ASSERT_TRUE(host_->SavePrefs());
    StartHost(true);
  }

  void StopHost() {
    if (host_ == nullptr) return;
    FreeState();
    ResetSuiteCounter();
    host_.reset();
  }

  hostsim::Host& host() { return *host_; }
  hostsim::PreferenceStore& prefs() { return host_->prefs(); }
  State& g() { return *gState; }

  void Put(const std::string& key, hostsim::PrefValue value) {
    ASSERT_EQ(prefs().Put(kSettingsSection, key, std::move(value)), kNoErr) << key;
  }
  bool Stored(const std::string& key) const { return host_->prefs().Find(kSettingsSection, key) != nullptr; }

  // The settings part of a state block, as bytes.
  static const unsigned char* SettingsBytes(const State& s) {
    return reinterpret_cast<const unsigned char*>(&s) + offsetof(State, Etiquette);
  }
  static constexpr std::size_t kSettingsSize = offsetof(State, PanelMenuItem) - offsetof(State, Etiquette);
  static bool SameSettings(const State& a, const State& b) {
    return std::memcmp(SettingsBytes(a), SettingsBytes(b), kSettingsSize) == 0;
  }

  // The settings as a first start leaves them, made without the host's store.
  static State DefaultState() {
    State s{};
    SetDefaultSettings(s);
    DefaultFontName(s.Police);
    return s;
  }

 private:
  std::filesystem::path dir_;
  std::unique_ptr<hostsim::Host> host_;
};
