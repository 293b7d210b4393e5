// Saving over a file that holds work: every way the save can fail leaves the
// old file byte for byte, and no temporary file beside it.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <sstream>

#include "TestSupport.h"
#include "apps/labels-run/Runner.h"
#include "hostsim/SafeFile.h"
#include "hostsim/render/Canvas.h"

namespace {

namespace fs = std::filesystem;
using hostsim::SaveStep;
using hostsim_test::ReadFile;
using hostsim_test::ScratchDir;
using hostsim_test::WriteFile;

class AtomicSave : public ::testing::Test {
 protected:
  void TearDown() override { hostsim::ClearSaveFault(); }
  ScratchDir dir;

  // Names in the folder, sorted.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir.path())) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
};

const std::string kOld = "<svg>the drawing a user made</svg>\n";
const std::string kNew(300000, 'n');  // larger than the old, as a grown drawing

TEST_F(AtomicSave, AFailureAtAnyStepLeavesTheOldFileAsItWas) {
  struct Case {
    const char* what;
    SaveStep step;
    int error;
    std::size_t bytesBefore;
  };
  const Case cases[] = {
      {"the first write", SaveStep::kWrite, EIO, 0},
      {"a disk full half-way", SaveStep::kWrite, ENOSPC, kNew.size() / 2},
      {"the sync", SaveStep::kSync, EIO, 0},
      {"the rename", SaveStep::kRename, EXDEV, 0},
  };
  const fs::path file = dir / "drawing.svg";
  for (const Case& c : cases) {
    WriteFile(file, kOld);
    hostsim::FailNextSave(c.step, c.error, c.bytesBefore);
    const auto problem = hostsim::SaveFile(file, kNew);
    ASSERT_TRUE(problem) << c.what << " was reported as a success";
    EXPECT_EQ(*problem, std::strerror(c.error)) << c.what;
    EXPECT_EQ(ReadFile(file), kOld) << c.what;
    EXPECT_EQ(Names(), std::vector<std::string>{"drawing.svg"}) << c.what << " left a temporary file";
  }
  // The fault was spent: the next save goes through.
  EXPECT_FALSE(hostsim::SaveFile(file, kNew));
  EXPECT_EQ(ReadFile(file), kNew);
}

TEST_F(AtomicSave, AReadOnlyFolderRefusesTheSaveAndKeepsTheFile) {
  if (::geteuid() == 0) GTEST_SKIP() << "root writes into a read-only folder";
  const fs::path folder = dir / "kept";
  fs::create_directory(folder);
  WriteFile(folder / "drawing.svg", kOld);
  ASSERT_EQ(::chmod(folder.c_str(), 0555), 0);
  const auto problem = hostsim::SaveFile(folder / "drawing.svg", kNew);
  ::chmod(folder.c_str(), 0755);
  ASSERT_TRUE(problem);
  EXPECT_EQ(ReadFile(folder / "drawing.svg"), kOld);
}

TEST_F(AtomicSave, DevicesAreWrittenInPlaceAndFoldersRefused) {
  EXPECT_FALSE(hostsim::SaveFile("/dev/null", kNew));
  const auto full = hostsim::SaveFile("/dev/full", kNew);
  ASSERT_TRUE(full);
  EXPECT_EQ(*full, std::strerror(ENOSPC));
  EXPECT_TRUE(hostsim::SaveFile(dir.path(), "x"));
  EXPECT_TRUE(fs::is_directory(dir.path()));
  // An output into a folder that does not exist is not made one.
  EXPECT_TRUE(hostsim::SaveFile(dir / "no-such-folder" / "out.svg", "x"));
  EXPECT_FALSE(fs::exists(dir / "no-such-folder"));
}

TEST_F(AtomicSave, APictureThatFailsToSaveKeepsTheOldOne) {
  hostsim::render::Canvas canvas(5, 4, {10, 20, 30, 255});
  const fs::path file = dir / "panel.png";
  WriteFile(file, kOld);
  hostsim::FailNextSave(SaveStep::kSync, EIO);
  EXPECT_TRUE(canvas.WritePng(file));
  EXPECT_EQ(ReadFile(file), kOld);
  EXPECT_FALSE(canvas.WritePng(file));
  EXPECT_EQ(ReadFile(file).substr(1, 3), "PNG");
}

TEST_F(AtomicSave, APictureLibpngRefusesIsAFailureWithNothingWritten) {
  // libpng rejects a picture without pixels from inside its own calls: the
  // path that jumps back out of the encoder.
  hostsim::render::Canvas empty(0, 0, {0, 0, 0, 255});
  std::string bytes = "stale";
  EXPECT_FALSE(empty.EncodePng(&bytes));
  EXPECT_EQ(bytes, "");
  const fs::path file = dir / "empty.png";
  WriteFile(file, kOld);
  EXPECT_TRUE(empty.WritePng(file));
  EXPECT_EQ(ReadFile(file), kOld);
}

TEST_F(AtomicSave, TheRunnersOutputsGoThroughTheWriter) {
  const fs::path svg = dir / "drawing.svg";
  const fs::path dump = dir / "dump.json";
  WriteFile(svg, kOld);
  WriteFile(dump, kOld);
  labelsrun::RunOptions options;
  options.script = dir / "s.session";
  options.prefsFile = dir / "prefs.json";
  options.pluginFile = KPX_FIXTURE_PLUGIN;
  options.dumpOut = dump;
  std::ostringstream err;
  {
    hostsim::FailNextSave(SaveStep::kWrite, ENOSPC, 10);
    std::istringstream script("rect 0 0 10 10\nsvg drawing.svg\n");
    EXPECT_EQ(labelsrun::RunSession(options, script, err), 1);
    EXPECT_NE(err.str().find(std::strerror(ENOSPC)), std::string::npos) << err.str();
    EXPECT_EQ(ReadFile(svg), kOld);
  }
  {
    hostsim::FailNextSave(SaveStep::kRename, EIO);
    std::istringstream script("rect 0 0 10 10\n");
    EXPECT_EQ(labelsrun::RunSession(options, script, err), 1);
    EXPECT_EQ(ReadFile(dump), kOld);
  }
  EXPECT_EQ(Names(), (std::vector<std::string>{"drawing.svg", "dump.json"}));
}

TEST_F(AtomicSave, APreferenceFileThatCannotBeSavedFailsTheRunWithAMessage) {
  const fs::path prefs = dir / "prefs.json";
  WriteFile(prefs, R"({"format": 1, "sections": {}})");
  labelsrun::RunOptions options;
  options.script = dir / "s.session";
  options.prefsFile = prefs;
  options.pluginFile = KPX_FIXTURE_PLUGIN;
  hostsim::FailNextSave(SaveStep::kWrite, ENOSPC, 4);
  std::istringstream script("launch\nquit\n");
  std::ostringstream err;
  EXPECT_EQ(labelsrun::RunSession(options, script, err), 1);
  EXPECT_NE(err.str().find("preference file " + prefs.string() + " was not saved: " + std::strerror(ENOSPC)),
            std::string::npos)
      << err.str();
  EXPECT_NE(err.str().find("s.session:2: the preference file was not saved"), std::string::npos) << err.str();
  EXPECT_EQ(ReadFile(prefs), R"({"format": 1, "sections": {}})");
}

}  // namespace
