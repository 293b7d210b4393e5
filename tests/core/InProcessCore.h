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

  // Compares the settings field by field, strings up to their ends, so that
  // padding and the bytes after a string do not count.
  static void ExpectSameSettingValues(const State& actual, const State& expected) {
#define KPX_EXPECT_SAME_FIELD(field) \
  EXPECT_EQ(std::memcmp(&actual.field, &expected.field, sizeof actual.field), 0) << #field;
    KPX_EXPECT_SAME_FIELD(Etiquette) KPX_EXPECT_SAME_FIELD(Fleche) KPX_EXPECT_SAME_FIELD(RVBC)
    KPX_EXPECT_SAME_FIELD(RougeGrisC) KPX_EXPECT_SAME_FIELD(VertC) KPX_EXPECT_SAME_FIELD(BleuC)
    KPX_EXPECT_SAME_FIELD(RVBF) KPX_EXPECT_SAME_FIELD(Fond) KPX_EXPECT_SAME_FIELD(RougeGrisF)
    KPX_EXPECT_SAME_FIELD(VertF) KPX_EXPECT_SAME_FIELD(BleuF) KPX_EXPECT_SAME_FIELD(OutilsGroupe)
    KPX_EXPECT_SAME_FIELD(InterieurObjet) KPX_EXPECT_SAME_FIELD(Calque) KPX_EXPECT_SAME_FIELD(ClicDansVide)
    KPX_EXPECT_SAME_FIELD(Son) KPX_EXPECT_SAME_FIELD(Magnetisme) KPX_EXPECT_SAME_FIELD(FouP)
    KPX_EXPECT_SAME_FIELD(NbPtsFlEdit) KPX_EXPECT_SAME_FIELD(PtFlEdit) KPX_EXPECT_SAME_FIELD(FouOEdit)
    KPX_EXPECT_SAME_FIELD(CouPEdit) KPX_EXPECT_SAME_FIELD(FlecheCreuse) KPX_EXPECT_SAME_FIELD(DebEditSegX)
    KPX_EXPECT_SAME_FIELD(DebEditSegY) KPX_EXPECT_SAME_FIELD(SymetriEdit) KPX_EXPECT_SAME_FIELD(NbPtsArrondiEdit)
    KPX_EXPECT_SAME_FIELD(PtArEdit) KPX_EXPECT_SAME_FIELD(CoinHG) KPX_EXPECT_SAME_FIELD(CoinHD)
    KPX_EXPECT_SAME_FIELD(CoinBG) KPX_EXPECT_SAME_FIELD(CoinBD) KPX_EXPECT_SAME_FIELD(RayonArrondi)
    KPX_EXPECT_SAME_FIELD(Pointes) KPX_EXPECT_SAME_FIELD(Epaisseur) KPX_EXPECT_SAME_FIELD(Attaches)
    KPX_EXPECT_SAME_FIELD(DecalageVerti) KPX_EXPECT_SAME_FIELD(DecalageHoriz) KPX_EXPECT_SAME_FIELD(AnglePointe1)
    KPX_EXPECT_SAME_FIELD(AnglePointe2) KPX_EXPECT_SAME_FIELD(DecalageHorizTexte)
    KPX_EXPECT_SAME_FIELD(DecalageVertiTexte) KPX_EXPECT_SAME_FIELD(Tolerance) KPX_EXPECT_SAME_FIELD(Corps)
    KPX_EXPECT_SAME_FIELD(VariablePolice)
#undef KPX_EXPECT_SAME_FIELD
    for (int i = 0; i < kFreeTexts; ++i) EXPECT_STREQ(actual.TexteLibre[i], expected.TexteLibre[i]);
    EXPECT_STREQ(actual.Police, expected.Police);
  }

  // The settings as a first start leaves them, set here field by field from
  // the table of defaults; the font is the first of the host's list.
  State DefaultState() const {
    State s{};
    s.Etiquette = 1;
    s.Fleche = 1;
    s.RougeGrisC = 100;
    s.RougeGrisF = 100;
    s.InterieurObjet = 1;
    s.ClicDansVide = 1;
    s.Son = 1;
    s.Magnetisme = 1;
    s.FouP = 1;
    // Custom arrowhead: X, Y, IX, IY, OX, OY of its six points.
    const float arrow[6][6] = {{0, 0, 0, 0, 0, 0},
                               {11, -4.5f, 14.6f, -5.8f, 11, -4.5f},
                               {13, -2, 10.7f, -1.4f, 15.25f, -2.55f},
                               {2, 0, 2, 0, 2, 0},
                               {13, 2, 15.25f, 2.55f, 10.7f, 1.4f},
                               {11, 4.5f, 11, 4.5f, 14.6f, 5.8f}};
    s.NbPtsFlEdit = 6;
    for (int i = 0; i < 6; ++i) {
      s.PtFlEdit.X[i] = arrow[i][0];
      s.PtFlEdit.Y[i] = arrow[i][1];
      s.PtFlEdit.IX[i] = arrow[i][2];
      s.PtFlEdit.IY[i] = arrow[i][3];
      s.PtFlEdit.OX[i] = arrow[i][4];
      s.PtFlEdit.OY[i] = arrow[i][5];
    }
    s.FouOEdit = 1;
    s.FlecheCreuse = 1;
    s.DebEditSegX = 2;
    // Custom corner: a chamfer from (12, 0) to (0, 12), handles on the points.
    s.NbPtsArrondiEdit = 2;
    s.PtArEdit.X[0] = s.PtArEdit.IX[0] = s.PtArEdit.OX[0] = 12;
    s.PtArEdit.Y[1] = s.PtArEdit.IY[1] = s.PtArEdit.OY[1] = 12;
    s.CoinHG = s.CoinHD = s.CoinBG = s.CoinBD = 1;
    const char* texts[kFreeTexts] = {"Face", "Profil", "Dessus", "Dessous", "Avant"};
    for (int i = 0; i < kFreeTexts; ++i) std::strcpy(s.TexteLibre[i], texts[i]);
    s.Pointes = 100;
    s.Epaisseur = 0.24f;
    s.Attaches = 17.007874f;
    s.AnglePointe1 = 17;
    s.AnglePointe2 = 17;
    s.DecalageHorizTexte = 8;
    s.DecalageVertiTexte = 8;
    s.Tolerance = 8;
    std::strncpy(s.Police, host_->fonts().at(0).fullName.c_str(), sizeof s.Police - 1);
    s.Corps = 12;
    return s;
  }

 private:
  std::filesystem::path dir_;
  std::unique_ptr<hostsim::Host> host_;
};
