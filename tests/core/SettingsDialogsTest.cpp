// The Preferences and preferred free text dialogs run in the test over the
// simulated host's dialog toolkit, opened as the panel opens them. A screen
// of the test's own runs each modal loop: it works the items as a person
// would, reads the dialog and its painted pictures, then closes it.
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "ModalSteps.h"
#include "dialogs/Dialogs.h"
#include "hostsim/FrontEnd.h"
#include "hostsim/suites/FaultInjector.h"

namespace {

using hostsim::toolkit::DrawOp;
using nlohmann::json;

class SettingsDialogs : public ModalDialogTest {
 protected:
  // Runs the dialog with one step per modal loop it opens; every step must run.
  void Run(ASErr (*open)(), std::vector<StepsScreen::Step> steps) {
    const std::size_t count = steps.size();
    screen_->Reset(std::move(steps));
    EXPECT_EQ(open(), kNoErr);
    EXPECT_EQ(screen_->opened(), count) << "dialogs opened";
  }

  hostsim::toolkit::Toolkit& kit() { return host().dialogs(); }

  void Click(ADMDialogRef d, int32_t id, int32_t modifiers = 0) {
    EXPECT_EQ(kit().Click(d, id, modifiers), hostsim::toolkit::ActionStatus::kDone) << "item " << id;
  }
  void Value(ADMDialogRef d, int32_t id, double value) {
    EXPECT_EQ(kit().SetValue(d, id, value), hostsim::toolkit::ActionStatus::kDone) << "item " << id;
  }
  void Text(ADMDialogRef d, int32_t id, const std::string& text) {
    EXPECT_EQ(kit().TypeText(d, id, text), hostsim::toolkit::ActionStatus::kDone) << "item " << id;
  }

  json Items() { return kit().DumpDialog()["items"]; }
  json ItemOf(int32_t id) { return Items()[std::to_string(id)]; }

  // The pictures an item painted, in order.
  std::vector<int32_t> PicturesOf(ADMDialogRef d, int32_t id) {
    std::vector<int32_t> pictures;
    const auto* painted = kit().Paint(d);
    if (painted == nullptr) return pictures;
    if (const auto* list = painted->ListOf(id)) {
      for (const auto& record : list->records)
        if (record.op == DrawOp::Picture) pictures.push_back(record.picture);
    }
    return pictures;
  }

  std::vector<std::string> TextsOf(ADMDialogRef d, int32_t id) {
    std::vector<std::string> texts;
    const auto* painted = kit().Paint(d);
    if (painted == nullptr) return texts;
    if (const auto* list = painted->ListOf(id)) {
      for (const auto& record : list->records)
        if (record.op == DrawOp::Text) texts.push_back(record.text);
    }
    return texts;
  }

  // A stored value of the section; the test fails on a missing key.
  hostsim::PrefValue Stored(const char* key) {
    const hostsim::PrefValue* value = prefs().Find(kSettingsSection, key);
    EXPECT_NE(value, nullptr) << key;
    return value != nullptr ? *value : hostsim::PrefValue{};
  }

  std::vector<std::string> Alerts() {
    std::vector<std::string> alerts;
    const json dump = host().Dump();
    for (const json& event : dump["events"])
      if (event["type"] == "alert") alerts.push_back(event["text"]);
    return alerts;
  }

  ADMRect Bounds(ADMDialogRef d) {
    ADMRect r{};
    sADMDialog->GetBoundsRect(d, &r);
    return r;
  }

};

constexpr int32_t kOk = 1, kCancel = 2, kDefault = 3;

//-----------------------------------------------------------------------------
// Preferences
//-----------------------------------------------------------------------------

TEST_F(SettingsDialogs, PreferencesCannotBeOpenedASecondTimeWhileOpen) {
  std::size_t modalsInside = 0;
  Run(RunPreferencesDialog, {[&](ADMDialogRef d) {
        EXPECT_TRUE(g().PrefsOpen);
        EXPECT_EQ(RunPreferencesDialog(), kNoErr);
        modalsInside = screen_->opened();
        Click(d, kCancel);
      }});
  EXPECT_EQ(modalsInside, 1u);
  EXPECT_FALSE(g().PrefsOpen);
  // Closed, it opens again.
  Run(RunPreferencesDialog, {[&](ADMDialogRef d) { Click(d, kCancel); }});
}

TEST_F(SettingsDialogs, ArrowsPointsToggleSwitchesPicturesAndTooltipsAndCancelKeepsFouP) {
  Run(RunPreferencesDialog, {[&](ADMDialogRef d) {
        EXPECT_EQ(PicturesOf(d, 30), std::vector<int32_t>{130});
        EXPECT_EQ(PicturesOf(d, 32), std::vector<int32_t>{134});  // triangles are hollow by default
        Click(d, 23);
        EXPECT_EQ(PicturesOf(d, 30), std::vector<int32_t>{230});
        EXPECT_EQ(PicturesOf(d, 31), std::vector<int32_t>{231});
        EXPECT_EQ(PicturesOf(d, 32), std::vector<int32_t>{232});
        EXPECT_EQ(PicturesOf(d, 33), std::vector<int32_t>{233});
        EXPECT_EQ(ItemOf(13)["tooltip"], "Points size by default (from 0%).");
        EXPECT_EQ(ItemOf(33)["tooltip"], "Shape of the points by default.");
        Click(d, 23);
        EXPECT_EQ(PicturesOf(d, 33), std::vector<int32_t>{133});
        EXPECT_EQ(ItemOf(13)["tooltip"], "Arrowheads size by default (from 0%).");
        EXPECT_EQ(ItemOf(30)["tooltip"], "Arrowhead shape by default.");
        Click(d, 23);
        Click(d, kCancel);
      }});
  EXPECT_TRUE(g().FouP);
  EXPECT_EQ(std::get<bool>(Stored("FouP")), true);
}

TEST_F(SettingsDialogs, ANegativeRadiusShowsTheConcaveRectangleAtOnce) {
  Run(RunPreferencesDialog, {[&](ADMDialogRef d) {
        // The rectangle is the default label: drawn with its selected picture.
        EXPECT_EQ(PicturesOf(d, 36), std::vector<int32_t>{180});
        Value(d, 16, -2);
        EXPECT_EQ(PicturesOf(d, 36), std::vector<int32_t>{182});
        Click(d, 35);
        EXPECT_EQ(PicturesOf(d, 36), std::vector<int32_t>{172});
        Value(d, 16, 3);
        EXPECT_EQ(PicturesOf(d, 36), std::vector<int32_t>{171});
        Click(d, kCancel);
      }});
  EXPECT_EQ(g().RayonArrondi, 0.0f);
  EXPECT_EQ(g().Etiquette, 1);
}

TEST_F(SettingsDialogs, GroupingWithThePenToolShowsTheNoteUntilUndone) {
  Run(RunPreferencesDialog, {[&](ADMDialogRef d) {
        EXPECT_TRUE(TextsOf(d, 27).empty());
        Value(d, 26, 1);
        EXPECT_EQ(TextsOf(d, 27), (std::vector<std::string>{"*", "* At the next launching of Illustrator."}));
        Value(d, 26, 0);
        EXPECT_TRUE(TextsOf(d, 27).empty());
        Click(d, kCancel);
      }});
}

TEST_F(SettingsDialogs, MagnetismOffDisablesItsDistanceAndDefaultBringsItBackWithEight) {
  Run(RunPreferencesDialog, {[&](ADMDialogRef d) {
        Value(d, 25, 20);
        Value(d, 24, 0);
        EXPECT_FALSE(ItemOf(25)["enabled"].get<bool>());
        EXPECT_EQ(ItemOf(14)["active"], true);  // the focus went to the thickness
        Click(d, kDefault);
        EXPECT_TRUE(ItemOf(25)["enabled"].get<bool>());
        EXPECT_EQ(ItemOf(25)["value"], 8);
        EXPECT_EQ(ItemOf(24)["value"], 1);
        EXPECT_EQ(ItemOf(13)["active"], true);
        Click(d, kCancel);
      }});
}

TEST_F(SettingsDialogs, DefaultThenCancelChangesNothingInMemoryOrInTheStore) {
  g().Pointes = 150;
  g().FouP = 0;
  g().Tolerance = 20;
  g().RayonArrondi = -4;
  g().VariablePolice = 3;
  ASSERT_EQ(StoreSettings({SettingId::Pointes, SettingId::FouP, SettingId::Tolerance, SettingId::RayonArrondi}),
            kNoErr);
  const State before = g();
  const json storedBefore = host().Dump()["prefs"];
  Run(RunPreferencesDialog, {[&](ADMDialogRef d) {
        EXPECT_EQ(ItemOf(13)["tooltip"], "Points size by default (from 0%).");
        Click(d, kDefault);
        EXPECT_EQ(ItemOf(13)["value"], 100);
        EXPECT_EQ(ItemOf(16)["value"], 0);
        EXPECT_EQ(ItemOf(52)["value"], 3);  // VariablePolice is not reset
        EXPECT_EQ(ItemOf(13)["tooltip"], "Arrowheads size by default (from 0%).");
        Click(d, kCancel);
      }});
  EXPECT_TRUE(SameSettings(g(), before));
  EXPECT_EQ(host().Dump()["prefs"], storedBefore);
}

TEST_F(SettingsDialogs, ExpandingMakesTheDialog327HighAndItReopensCollapsedInPlace) {
  g().PrefsDialogRect = {200, 150, 0, 0};
  Run(RunPreferencesDialog, {[&](ADMDialogRef d) {
                               const ADMRect r = Bounds(d);
                               EXPECT_EQ(r.left, 200);
                               EXPECT_EQ(r.top, 150);
                               EXPECT_EQ(r.right - r.left, 284);
                               EXPECT_EQ(r.bottom - r.top, 277);
                               Click(d, 51);
                               EXPECT_EQ(Bounds(d).bottom - Bounds(d).top, 327);
                               EXPECT_EQ(ItemOf(52)["active"], true);
                               Click(d, 51);
                               EXPECT_EQ(Bounds(d).bottom - Bounds(d).top, 277);
                               EXPECT_EQ(ItemOf(13)["active"], true);
                               Click(d, 51);
                               Click(d, kCancel);
                             }});
  Run(RunPreferencesDialog, {[&](ADMDialogRef d) {
                               const ADMRect r = Bounds(d);
                               EXPECT_EQ(r.left, 200);
                               EXPECT_EQ(r.top, 150);
                               EXPECT_EQ(r.bottom - r.top, 277);
                               Click(d, kCancel);
                             }});
}

TEST_F(SettingsDialogs, OkCommitsAndStoresWhatWasEdited) {
  Run(RunPreferencesDialog, {[&](ADMDialogRef d) {
        Value(d, 13, 150);
        Value(d, 14, 0.5);
        Value(d, 15, 10);  // millimetres
        Click(d, 33);
        Click(d, 38);
        Value(d, 17, -1.5);
        Value(d, 25, 12);
        Value(d, 21, 0);
        Value(d, 19, 1);
        Click(d, kOk);
      }});
  EXPECT_EQ(g().Pointes, 150.0f);
  EXPECT_EQ(g().Epaisseur, 0.5f);
  EXPECT_NEAR(g().Attaches, 28.346457, 1e-4);
  EXPECT_EQ(g().Fleche, 4);
  EXPECT_EQ(g().Etiquette, 3);
  EXPECT_EQ(g().DecalageVerti, -1.5f);
  EXPECT_EQ(g().Tolerance, 12);
  EXPECT_FALSE(g().InterieurObjet);
  EXPECT_TRUE(g().Calque);
  EXPECT_FALSE(g().PrefsOpen);
  // The panel's values in force are left alone.
  EXPECT_EQ(g().ArrowKind, 0);
  EXPECT_EQ(std::get<double>(Stored("Pointes")), 150);
  EXPECT_EQ(std::get<int32_t>(Stored("Fleche")), 4);
  EXPECT_EQ(std::get<int32_t>(Stored("Tolerance")), 12);
  EXPECT_EQ(std::get<bool>(Stored("InterieurObjet")), false);
  EXPECT_EQ(std::get<bool>(Stored("Calque")), true);
}

TEST_F(SettingsDialogs, TheColoursAreaOpensTheColoursDialogOverThePreferencesWhichKeepTheirCopies) {
  Run(RunPreferencesDialog, {[&](ADMDialogRef prefs) {
                               Value(prefs, 13, 175);
                               Click(prefs, 28);
                               EXPECT_FALSE(g().ColorsOpen);
                               EXPECT_EQ(kit().FrontModal(), prefs);
                               EXPECT_EQ(ItemOf(13)["value"], 175);
                               Click(prefs, kOk);
                             },
                             [&](ADMDialogRef colors) {
                               const json front = kit().DumpDialog();
                               EXPECT_EQ(front["name"], "\xC3\x89tiqBidon");
                               EXPECT_EQ(front["title"], "Colors (KPX\xE2\x80\xA2Labels).");
                               EXPECT_TRUE(g().ColorsOpen);
                               EXPECT_TRUE(g().PrefsOpen);
                               Value(colors, 127, 40);
                               Click(colors, kOk);
                             }});
  EXPECT_EQ(g().RougeGrisC, 40.0f);
  EXPECT_EQ(g().Pointes, 175.0f);
}

//-----------------------------------------------------------------------------
// Settings the store refuses
//-----------------------------------------------------------------------------

// Pointes, Epaisseur, Attaches and Tolerance edited; Epaisseur's store fails.
TEST_F(SettingsDialogs, PreferencesOkStopsAtAFailedStoreThatMattersAndTellsTheUser) {
  host().faults().Add(hostsim::FailedStore("Epaisseur"));
  Run(RunPreferencesDialog, {[&](ADMDialogRef d) {
        Value(d, 26, 1);
        Value(d, 13, 150);
        Value(d, 14, 0.5);
        Value(d, 15, 10);
        Value(d, 25, 12);
        Click(d, kOk);
      }});
  // Stored before the failure.
  EXPECT_TRUE(g().OutilsGroupe);
  EXPECT_EQ(std::get<bool>(Stored("OutilsGroupe")), true);
  EXPECT_EQ(g().Pointes, 150.0f);
  EXPECT_EQ(std::get<double>(Stored("Pointes")), 150);
  // The failed one and those after it keep their previous values, in memory and in the store.
  EXPECT_EQ(g().Epaisseur, 0.24f);
  EXPECT_NEAR(std::get<double>(Stored("Epaisseur")), 0.24, 1e-6);
  EXPECT_NEAR(g().Attaches, 17.007874, 1e-5);
  EXPECT_NEAR(std::get<double>(Stored("Attaches")), 17.007874, 1e-5);
  EXPECT_EQ(g().Tolerance, 8);
  EXPECT_EQ(std::get<int32_t>(Stored("Tolerance")), 8);
  EXPECT_EQ(Alerts(), std::vector<std::string>{"The preferences could not all be saved."});
  EXPECT_FALSE(g().PrefsOpen);
}

TEST_F(SettingsDialogs, PreferencesOkGoesOnPastAFailedStoreThatDoesNotMatterButStillTellsTheUser) {
  host().faults().Add(hostsim::FailedStore("Tolerance"));
  Run(RunPreferencesDialog, {[&](ADMDialogRef d) {
        Value(d, 25, 12);
        Value(d, 22, 0);
        Click(d, kOk);
      }});
  EXPECT_FALSE(g().ClicDansVide);  // after Tolerance in the commit
  EXPECT_EQ(std::get<bool>(Stored("ClicDansVide")), false);
  EXPECT_EQ(std::get<int32_t>(Stored("Tolerance")), 8);
  EXPECT_EQ(Alerts(), std::vector<std::string>{"The preferences could not all be saved."});
}

TEST_F(SettingsDialogs, ColoursOkAppliesEverythingStoresWhatItCanAndTellsTheUser) {
  host().faults().Add(hostsim::FailedStore("AnglePointe1"));
  screen_->Reset({[&](ADMDialogRef d) {
    Value(d, 108, 30);
    Value(d, 127, 40);
    Click(d, kOk);
  }});
  EXPECT_EQ(RunColorsDialog(kColorsDialog, "colours"), kNoErr);
  EXPECT_EQ(g().AnglePointe1, 30.0f);
  EXPECT_EQ(g().RougeGrisC, 40.0f);
  EXPECT_EQ(std::get<double>(Stored("RougeGrisC")), 40);
  EXPECT_EQ(std::get<double>(Stored("AnglePointe1")), 17);
  EXPECT_NEAR(g().LineStyle.stroke.color.c.g.gray, 0.4, 1e-6);
  EXPECT_EQ(Alerts(), std::vector<std::string>{"The colors and options could not all be saved."});
}

TEST_F(SettingsDialogs, FreeTextsOkStoresWhatItCanAndTellsTheUser) {
  host().faults().Add(hostsim::FailedStore("TexteLibre2"));
  Run(RunFreeTextDialog, {[&](ADMDialogRef d) {
        Text(d, 11, "Side");
        Text(d, 12, "Top");
        Click(d, kOk);
      }});
  EXPECT_EQ(std::get<std::string>(Stored("TexteLibre2")), "Profil");
  EXPECT_EQ(std::get<std::string>(Stored("TexteLibre3")), "Top");
  EXPECT_EQ(Alerts(), std::vector<std::string>{"The preferred free texts could not all be saved."});
}

TEST_F(SettingsDialogs, NothingIsReportedWhenEveryStoreSucceeds) {
  Run(RunPreferencesDialog, {[&](ADMDialogRef d) { Click(d, kOk); }});
  Run(RunFreeTextDialog, {[&](ADMDialogRef d) { Click(d, kOk); }});
  EXPECT_TRUE(Alerts().empty());
}

//-----------------------------------------------------------------------------
// Preferred free texts
//-----------------------------------------------------------------------------

TEST_F(SettingsDialogs, AFiftyCharacterTextIsStoredWholeAndALongerOneIsCut) {
  const std::string fifty(50, 'x');
  Run(RunFreeTextDialog, {[&](ADMDialogRef d) {
        Text(d, 12, fifty);
        Text(d, 13, fifty + "yz");
        EXPECT_EQ(std::string(g().TexteLibre[2]), fifty);  // copied as typed
        Click(d, kOk);
      }});
  EXPECT_EQ(std::get<std::string>(Stored("TexteLibre3")), fifty);
  EXPECT_EQ(std::get<std::string>(Stored("TexteLibre4")), fifty);
  EXPECT_FALSE(g().FreeTextDlgOpen);
}

TEST_F(SettingsDialogs, DefaultThenCancelStoresNothingButTheDialogShowsTheDefaultsAgain) {
  std::strcpy(g().TexteLibre[0], "Top");
  ASSERT_EQ(StoreSetting(SettingId::TexteLibre1), kNoErr);
  Run(RunFreeTextDialog, {[&](ADMDialogRef d) {
        EXPECT_EQ(ItemOf(10)["text"], "Top");
        Click(d, kDefault);
        Click(d, kCancel);
      }});
  EXPECT_EQ(std::get<std::string>(Stored("TexteLibre1")), "Top");
  Run(RunFreeTextDialog, {[&](ADMDialogRef d) {
        EXPECT_EQ(ItemOf(10)["text"], "Face");
        EXPECT_EQ(ItemOf(14)["text"], "Avant");
        Click(d, kCancel);
      }});
}

TEST_F(SettingsDialogs, AnEmptyTextIsStoredEmptyAndReadsBackAsItsDefault) {
  Run(RunFreeTextDialog, {[&](ADMDialogRef d) {
        Text(d, 10, "");
        Click(d, kOk);
      }});
  EXPECT_EQ(std::get<std::string>(Stored("TexteLibre1")), "");
  Restart();
  ReadAllSettings();
  EXPECT_STREQ(g().TexteLibre[0], "Face");
}

TEST_F(SettingsDialogs, FreeTextsCannotBeOpenedASecondTimeWhileOpen) {
  Run(RunFreeTextDialog, {[&](ADMDialogRef d) {
        EXPECT_EQ(RunFreeTextDialog(), kNoErr);
        EXPECT_EQ(screen_->opened(), 1u);
        Click(d, kCancel);
      }});
  EXPECT_FALSE(g().FreeTextDlgOpen);
}

}  // namespace
