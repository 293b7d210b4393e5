// Drives the real labels-run binary with the fixture plug-in.
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>

#include <nlohmann/json.hpp>

#include "TestSupport.h"

namespace {

using hostsim_test::ReadFile;
using hostsim_test::ScratchDir;
using hostsim_test::WriteFile;
using nlohmann::json;

struct Result {
  int exitCode = -1;
  std::string err;
};

class Runner : public ::testing::Test {
 protected:
  ScratchDir dir;

  Result Run(const std::string& script, const std::string& extra = "",
             const std::string& plugin = KPX_FIXTURE_PLUGIN) {
    WriteFile(dir / "script.session", script);
    const std::string command = "cd '" + dir.path().string() + "' && '" KPX_LABELS_RUN "' --prefs prefs.json --plugin '" +
                                plugin + "' script.session " + extra + " 2> stderr.txt > stdout.txt";
    const int status = std::system(command.c_str());
    Result r;
    r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.err = ReadFile(dir / "stderr.txt");
    EXPECT_EQ(ReadFile(dir / "stdout.txt"), "") << "stdout stays quiet";
    return r;
  }
};

TEST_F(Runner, ASessionDrivesThePlugInAndWritesItsOutputs) {
  const Result r = Run(
      "# a whole session\n"
      "launch\n"
      "tool select\n"
      "press shift alt\n"
      "release alt\n"
      "click 10 20\n"
      "release all\n"
      "move 1.5 -2\n"
      "dump middle.json\n"
      "menu about\n"
      "tool options\n"
      "quit\n",
      "--dump end.json --svg end.svg");
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.err, "");
  const json middle = json::parse(ReadFile(dir / "middle.json"));
  EXPECT_EQ(middle["prefs"]["Fixture"]["ShiftAtDown"], true);
  EXPECT_EQ(middle["prefs"]["Fixture"]["AltAtDown"], false);
  EXPECT_EQ(middle["prefs"]["Fixture"]["DownX"], 10.0);
  // The pointer reaches the click's point first (cursor and Info text), then the button goes down.
  ASSERT_GE(middle["events"].size(), 3u);
  EXPECT_EQ(middle["events"][0]["type"], "cursor");
  EXPECT_EQ(middle["events"][1]["type"], "info");
  EXPECT_EQ(middle["events"][2], json::parse(R"({"type":"beep","hz":880,"ms":30})"));
  const json end = json::parse(ReadFile(dir / "end.json"));
  EXPECT_EQ(end["prefs"]["Fixture"]["AboutHit"], 2);
  EXPECT_EQ(end["events"].back()["type"], "alert");
  EXPECT_TRUE(end["menus"].empty());  // the plug-in is gone after quit
  EXPECT_NE(ReadFile(dir / "end.svg").find("<svg"), std::string::npos);
  EXPECT_TRUE(std::filesystem::exists(dir / "prefs.json"));
}

TEST_F(Runner, MouseMessagesWaitForTheToolToBeCurrent) {
  const Result r = Run("launch\nclick 10 20\ndump d.json\n");
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.err.find("script.session:2: note:"), std::string::npos) << r.err;
  EXPECT_FALSE(json::parse(ReadFile(dir / "d.json"))["prefs"].contains("Fixture") &&
               json::parse(ReadFile(dir / "d.json"))["prefs"]["Fixture"].contains("DownX"));
}

TEST_F(Runner, ABadLineStopsTheRunWithItsPlaceAndWritesNothingMore) {
  const std::pair<std::string, std::string> cases[] = {
      {"frobnicate", "unknown command \"frobnicate\""},
      {"move 1", "usage: move X Y"},
      {"move one 2", "\"one\" is not a number"},
      {"down nan 2", "\"nan\" is not a number"},
      {"drag 1 inf", "\"inf\" is not a number"},
      {"click 1e40 5", "\"1e40\" is out of range"},
      {"up 1 2 3", "usage: up X Y"},
      {"press capslock", "unknown key \"capslock\""},
      {"release", "usage:"},
      {"tool jump", "usage: tool select|deselect|options"},
      {"menu window", "usage: menu panel|about"},
      {"item 1", "usage: item ID click"},
      {"item one click", "\"one\" is not a whole number"},
      {"item 1 click alt", "unknown modifier \"alt\""},
      {"item 1 track spin 1 2", "unknown tracking action \"spin\""},
      {"item 1 track down 1.5 2", "\"1.5\" is not a whole number"},
      {"item 1 pick -1", "\"-1\" is out of range"},
      {"item 999 click cmd opt shift", "no such item (item 999)"},
      {"item 999 value 2.5", "no such item (item 999)"},
      {"item 1 value", "usage: item ID click"},
      {"item 999 text \"a b\"", "no such item (item 999)"},
      {"item 999 pick 0", "no such item (item 999)"},
      {"item 999 track hover 3 4 shift", "no such item (item 999)"},
      {"flyout 99", "a value the host does not take (flyout 99)"},
      {"flyout", "usage: flyout P"},
      {"closebox now", "usage: closebox"},
      {"dump", "usage: dump FILE"},
      {"launch", "already launched"},
      {"reload", "use unload first"},
      {"click \"1 2", "quoted word is not closed"},
  };
  for (const auto& [line, message] : cases) {
    std::filesystem::remove(dir / "early.json");
    std::filesystem::remove(dir / "end.json");
    const Result r = Run("launch\n# comment\n\ndump early.json\n" + line + "\ndump late.json\n", "--dump end.json");
    EXPECT_NE(r.exitCode, 0) << line;
    EXPECT_EQ(r.err.rfind("script.session:5: ", 0), 0u) << line << " -> " << r.err;
    EXPECT_NE(r.err.find(message), std::string::npos) << line << " -> " << r.err;
    EXPECT_TRUE(std::filesystem::exists(dir / "early.json")) << line;
    EXPECT_FALSE(std::filesystem::exists(dir / "late.json")) << line;
    EXPECT_FALSE(std::filesystem::exists(dir / "end.json")) << line;
  }
}

TEST_F(Runner, MenuCommandsAreChosenByTheirPlaceInTheHostsMenus) {
  const Result r = Run(
      "launch\n"
      "menu Window \"Tool Palettes\" 1 1\n"
      "dump shown.json\n"
      "menu panel\n"
      "dump hidden.json\n"
      "menu Window \"Tool Palettes\" 1\n"
      "menu Help About 1 2\n");
  ASSERT_EQ(r.exitCode, 0) << r.err;
  auto panelText = [&](const char* file) {
    const json dump = json::parse(ReadFile(dir / file));
    for (const json& item : dump["menus"]) {
      if (item["group"] == "KPXOutils") return item["text"].get<std::string>();
    }
    return std::string("<none>");
  };
  EXPECT_EQ(panelText("shown.json"), "Hide Fixture");
  EXPECT_EQ(panelText("hidden.json"), "Show Fixture");
  EXPECT_NE(r.err.find("script.session:6: note: the menu entry at that place opens a sub-menu "
                       "(menu Window > Tool Palettes > 1); nothing sent"),
            std::string::npos)
      << r.err;
  EXPECT_NE(r.err.find("script.session:7: note: there is no menu entry at that place"), std::string::npos) << r.err;
}

TEST_F(Runner, ALineAModalDialogTakesIsReportedWithItsOwnNumber) {
  // The About box is modal: the lines after "menu about" go to it until one is not for a dialog.
  const Result r = Run("launch\nmenu about\n\ndump inside.json\nitem 3 click\n");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err.rfind("script.session:5: no such item (item 3)", 0), 0u) << r.err;
  EXPECT_FALSE(json::parse(ReadFile(dir / "inside.json"))["dialog"].is_null());
}

TEST_F(Runner, ThousandsOfMovesKeepTheFirstEventsAndCountTheRest) {
  constexpr int kMoves = 10100;
  std::string script = "launch\ntool select\n";
  for (int i = 0; i < kMoves; ++i) script += "move " + std::to_string(i) + " 1\n";
  const Result r = Run(script + "move 0 1\nmove 0 1\n", "--dump end.json");
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const json dump = json::parse(ReadFile(dir / "end.json"));
  // Each move gives the fixture's cursor and an Info value at the point: none equal to the one before.
  ASSERT_EQ(dump["events"].size(), 10000u);
  EXPECT_EQ(dump["eventsDropped"], 2 * (kMoves + 2) - 10000);
  EXPECT_EQ(dump["events"][9999]["x"], 4999.0);
}

TEST_F(Runner, AScriptThatIsAFolderCannotBeRead) {
  std::filesystem::create_directory(dir / "folder.session");
  const std::string command = "cd '" + dir.path().string() + "' && '" KPX_LABELS_RUN "' --plugin '" KPX_FIXTURE_PLUGIN
                              "' folder.session 2>stderr.txt";
  const int status = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 2);
  EXPECT_NE(ReadFile(dir / "stderr.txt").find("cannot read script"), std::string::npos);
}

TEST_F(Runner, APlugInThatCannotLoadFailsTheLaunchLine) {
  const Result r = Run("\nlaunch\n", "", (dir / "nothing.so").string());
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err.rfind("script.session:2: ", 0), 0u) << r.err;
  EXPECT_NE(r.err.find("nothing.so"), std::string::npos) << r.err;
}

TEST_F(Runner, ABadPreferenceFileIsReportedOnOneLineAndTheRunGoesOn) {
  WriteFile(dir / "prefs.json", "{ broken");
  const Result r = Run("launch\nquit\n");
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
  EXPECT_NE(r.err.find("moved aside"), std::string::npos) << r.err;
  EXPECT_EQ(ReadFile(dir / "prefs.json.corrupt-1"), "{ broken");
  EXPECT_NO_THROW(json::parse(ReadFile(dir / "prefs.json")));
}

TEST_F(Runner, AMissingScriptIsAnError) {
  const std::string command = "'" KPX_LABELS_RUN "' '" + (dir / "none.session").string() + "' 2>/dev/null";
  const int status = std::system(command.c_str());
  EXPECT_TRUE(WIFEXITED(status));
  EXPECT_NE(WEXITSTATUS(status), 0);
}

}  // namespace
