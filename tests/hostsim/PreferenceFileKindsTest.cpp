// The preference file when the name is not what it seems: a FIFO, a device, a
// folder, a symbolic link, a read-only file, a file far too large, and the
// temporary files of a save that was killed half-way.
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>

#include "TestSupport.h"
#include "hostsim/PreferenceStore.h"
#include "hostsim/SafeFile.h"

namespace {

namespace fs = std::filesystem;
using hostsim::PreferenceStore;
using hostsim_test::ReadFile;
using hostsim_test::ScratchDir;
using hostsim_test::WriteFile;

const std::string kGoodFile =
    R"({"format": 1, "sections": {"KPXEtiquette": {"Taille": {"real": 12.5}, "Son": {"boolean": true}}}})";

// A test that would hang on a blocking read is stopped by the alarm instead.
class PreferenceFileKinds : public ::testing::Test {
 protected:
  void SetUp() override { ::alarm(60); }
  void TearDown() override { ::alarm(0); }
  ScratchDir dir;

  static PreferenceStore StoreWithOneValue() {
    PreferenceStore store;
    store.Put("KPXEtiquette", "Taille", 30.25);
    return store;
  }
  // Names in the folder other than the ones given.
  std::vector<std::string> OtherNames(std::initializer_list<std::string> expected) const {
    std::vector<std::string> others;
    for (const auto& entry : fs::directory_iterator(dir.path())) {
      const std::string name = entry.path().filename().string();
      if (std::find(expected.begin(), expected.end(), name) == expected.end()) others.push_back(name);
    }
    return others;
  }
};

TEST_F(PreferenceFileKinds, AFifoIsNeitherReadNorReplacedAndNothingWaits) {
  const auto file = dir / "preferences.json";
  ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0);
  PreferenceStore store;
  const auto start = std::chrono::steady_clock::now();
  const auto message = store.Load(file);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  ASSERT_TRUE(message);
  EXPECT_NE(message->find("is a FIFO, not a regular file"), std::string::npos) << *message;
  EXPECT_TRUE(store.empty());

  store.Put("KPXEtiquette", "Taille", 30.25);
  EXPECT_TRUE(store.Save(file));
  EXPECT_TRUE(fs::is_fifo(file));
  EXPECT_EQ(OtherNames({"preferences.json"}), std::vector<std::string>{});
}

TEST_F(PreferenceFileKinds, ALinkToADeviceIsNotReadAndTheLinkStays) {
  for (const char* device : {"/dev/zero", "/dev/full", "/dev/null"}) {
    const auto file = dir / "preferences.json";
    fs::remove(file);
    fs::create_symlink(device, file);
    PreferenceStore store;
    const auto message = store.Load(file);
    ASSERT_TRUE(message) << device;
    EXPECT_NE(message->find("is a character device"), std::string::npos) << *message;

    auto saver = StoreWithOneValue();
    EXPECT_TRUE(saver.Save(file)) << device << ": a device is never replaced, even by a store that did not read it";
    EXPECT_TRUE(fs::is_symlink(file));
    EXPECT_EQ(fs::read_symlink(file), device);
    EXPECT_EQ(OtherNames({"preferences.json"}), std::vector<std::string>{});
  }
}

TEST_F(PreferenceFileKinds, AFolderIsReportedAsOneAndIsNotMovedAside) {
  const auto file = dir / "preferences.json";
  fs::create_directory(file);
  WriteFile(file / "inside.txt", "kept");
  PreferenceStore store;
  const auto message = store.Load(file);
  ASSERT_TRUE(message);
  EXPECT_NE(message->find("is a folder"), std::string::npos) << *message;
  EXPECT_EQ(message->find("JSON"), std::string::npos) << *message;
  EXPECT_TRUE(fs::is_directory(file));
  EXPECT_FALSE(fs::exists(dir / "preferences.json.corrupt-1"));
  EXPECT_TRUE(store.Save(file));
  EXPECT_EQ(ReadFile(file / "inside.txt"), "kept");
}

TEST_F(PreferenceFileKinds, ALinkedFileIsReadAndReplacedWhereItLivesAndTheLinkKept) {
  // As a dotfile manager makes it: the real file in another folder, a relative link.
  fs::create_directories(dir / "dotfiles" / "kpx");
  fs::create_directories(dir / "config");
  const auto real = dir / "dotfiles" / "kpx" / "preferences.json";
  WriteFile(real, kGoodFile);
  ASSERT_EQ(::chmod(real.c_str(), 0640), 0);
  const auto link = dir / "config" / "preferences.json";
  fs::create_symlink("../dotfiles/kpx/preferences.json", link);

  PreferenceStore store;
  ASSERT_FALSE(store.Load(link));
  EXPECT_EQ(store.GetReal("KPXEtiquette", "Taille"), 12.5);
  store.Put("KPXEtiquette", "Taille", 30.25);
  ASSERT_FALSE(store.Save(link));
  // A second save reaches the same file: the link was not replaced by a copy.
  store.Put("KPXEtiquette", "Taille", 44.0);
  ASSERT_FALSE(store.Save(link));

  ASSERT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(fs::read_symlink(link), "../dotfiles/kpx/preferences.json");
  PreferenceStore reread;
  ASSERT_FALSE(reread.Load(real));
  EXPECT_EQ(reread.GetReal("KPXEtiquette", "Taille"), 44.0);
  EXPECT_EQ(reread.GetBoolean("KPXEtiquette", "Son"), true);
  EXPECT_EQ(fs::status(real).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  // No temporary file in either folder.
  EXPECT_EQ(std::distance(fs::directory_iterator(dir / "config"), fs::directory_iterator()), 1);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir / "dotfiles" / "kpx"), fs::directory_iterator()), 1);
}

TEST_F(PreferenceFileKinds, ALinkToAFileNotYetMadeCreatesTheFileAndABadOneIsMovedAsideBesideIt) {
  fs::create_directories(dir / "real");
  const auto link = dir / "preferences.json";
  fs::create_symlink(dir / "real" / "prefs.json", link);
  ASSERT_FALSE(StoreWithOneValue().Save(link));
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(dir / "real" / "prefs.json")));

  WriteFile(dir / "real" / "prefs.json", "{ broken");
  PreferenceStore store;
  const auto message = store.Load(link);
  ASSERT_TRUE(message);
  EXPECT_EQ(ReadFile(dir / "real" / "prefs.json.corrupt-1"), "{ broken");
  EXPECT_TRUE(fs::is_symlink(link)) << "the link is the user's, not the bad file";
}

TEST_F(PreferenceFileKinds, ALoopOfLinksIsReportedAndNotWrittenOver) {
  fs::create_symlink(dir / "b", dir / "a");
  fs::create_symlink(dir / "a", dir / "b");
  PreferenceStore store;
  const auto message = store.Load(dir / "a");
  ASSERT_TRUE(message);
  EXPECT_NE(message->find("loop"), std::string::npos) << *message;
  const auto saved = store.Save(dir / "a");
  ASSERT_TRUE(saved);
  EXPECT_NE(saved->find("could not be read and was kept"), std::string::npos) << *saved;
  EXPECT_TRUE(fs::is_symlink(dir / "a"));
}

TEST_F(PreferenceFileKinds, AReadOnlyFileIsReadButNotReplacedAndTheSaveSaysSo) {
  const auto file = dir / "preferences.json";
  WriteFile(file, kGoodFile);
  ASSERT_EQ(::chmod(file.c_str(), 0444), 0);
  PreferenceStore store;
  ASSERT_FALSE(store.Load(file));
  EXPECT_EQ(store.GetReal("KPXEtiquette", "Taille"), 12.5);
  store.Put("KPXEtiquette", "Taille", 30.25);
  const auto message = store.Save(file);
  ASSERT_TRUE(message);
  EXPECT_NE(message->find("read-only"), std::string::npos) << *message;
  EXPECT_EQ(ReadFile(file), kGoodFile);
  EXPECT_EQ(fs::status(file).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  EXPECT_EQ(OtherNames({"preferences.json"}), std::vector<std::string>{});
}

TEST_F(PreferenceFileKinds, AFileFarTooLargeIsNotReadWholeAndIsMovedAside) {
  const auto file = dir / "preferences.json";
  {
    // Sparse: 64 MB of nothing costs no disk.
    std::ofstream out(file, std::ios::binary);
    out.seekp(64 * 1024 * 1024);
    out << '}';
  }
  PreferenceStore store;
  const auto message = store.Load(file);
  ASSERT_TRUE(message);
  EXPECT_NE(message->find("is larger than 4 MB"), std::string::npos) << *message;
  EXPECT_TRUE(fs::exists(dir / "preferences.json.corrupt-1"));
  EXPECT_FALSE(store.Save(file));
}

TEST_F(PreferenceFileKinds, AFileOfExactlyTheLimitIsReadAndOneByteMoreIsNot) {
  constexpr std::size_t kLimit = 4 * 1024 * 1024;
  const auto file = dir / "preferences.json";
  // Blanks after the JSON value are allowed, so padding sets the size.
  WriteFile(file, kGoodFile + std::string(kLimit - kGoodFile.size(), ' '));
  ASSERT_EQ(fs::file_size(file), kLimit);
  PreferenceStore store;
  const auto message = store.Load(file);
  EXPECT_FALSE(message) << *message;
  EXPECT_EQ(store.GetReal("KPXEtiquette", "Taille"), 12.5);

  WriteFile(file, kGoodFile + std::string(kLimit - kGoodFile.size() + 1, ' '));
  PreferenceStore refused;
  const auto tooLarge = refused.Load(file);
  ASSERT_TRUE(tooLarge);
  EXPECT_NE(tooLarge->find("is larger than 4 MB"), std::string::npos) << *tooLarge;
}

TEST_F(PreferenceFileKinds, ASaveKilledHalfWayLeavesAWholeFileAndItsTemporaryIsRemovedLater) {
  const auto file = dir / "preferences.json";
  PreferenceStore big;
  for (int i = 0; i < 20000; ++i) big.Put("KPXEtiquette", "Key" + std::to_string(i), i * 0.5);
  ASSERT_FALSE(big.Save(file));
  ::alarm(300);  // slow under the sanitizers: each round reads the whole file back
  // The text of a save, made once: the child spends its time writing it, so
  // most kills land while its temporary file is open.
  const std::string text = big.ToFileJson().dump(2) + "\n";
  ASSERT_LT(text.size(), 4u << 20);
  int kills = 0;
  int leftBehind = 0;
  for (; kills < 60 && leftBehind < 2; ++kills) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      for (;;) hostsim::ReplaceFileAtomically(file, text);
    }
    ::usleep(static_cast<useconds_t>(1000 + (kills * 7919) % 20000));
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    if (fs::exists(dir / ("preferences.json.tmp-" + std::to_string(child)))) ++leftBehind;
    PreferenceStore reader;
    ASSERT_FALSE(reader.Load(file)) << "a killed save tore the file";
    EXPECT_EQ(reader.KeyCount("KPXEtiquette"), 20000u);
    EXPECT_EQ(OtherNames({"preferences.json"}), std::vector<std::string>{}) << "a stale temporary file stays";
  }
  std::printf("%d of %d killed saves left a temporary file, each removed at the next start\n", leftBehind, kills);
  EXPECT_GE(leftBehind, 1) << "no kill caught a save half-way: the test proved nothing";
}

TEST_F(PreferenceFileKinds, TheTemporaryFileOfAProcessThatEndedIsRemovedByTheNextSave) {
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) ::_exit(0);
  ::waitpid(child, nullptr, 0);
  const auto file = dir / "preferences.json";
  const std::string stale = "preferences.json.tmp-" + std::to_string(child);
  WriteFile(dir / stale, "{ half a fi");
  EXPECT_FALSE(StoreWithOneValue().Save(file));
  EXPECT_EQ(OtherNames({"preferences.json"}), std::vector<std::string>{});
  // Also when the save is refused.
  WriteFile(dir / stale, "{ half a fi");
  ASSERT_EQ(::chmod(file.c_str(), 0444), 0);
  EXPECT_TRUE(StoreWithOneValue().Save(file));
  PreferenceStore reader;
  EXPECT_FALSE(reader.Load(file));
  EXPECT_EQ(OtherNames({"preferences.json"}), std::vector<std::string>{});
}

TEST_F(PreferenceFileKinds, TemporaryFilesOfRunningProcessesAndOtherNamesAreKept) {
  const auto file = dir / "preferences.json";
  const std::string running = "preferences.json.tmp-" + std::to_string(::getppid());
  WriteFile(dir / running, "being written");
  WriteFile(dir / "preferences.json.tmp-notanumber", "not ours");
  WriteFile(dir / "other.json.tmp-999999999", "another file's");
  PreferenceStore store;
  EXPECT_FALSE(store.Load(file));
  EXPECT_FALSE(StoreWithOneValue().Save(file));
  EXPECT_EQ(OtherNames({"preferences.json", running, "preferences.json.tmp-notanumber", "other.json.tmp-999999999"}),
            std::vector<std::string>{});
  EXPECT_EQ(OtherNames({"preferences.json"}).size(), 3u);
}

TEST(WholeFileWrites, AFullDiskIsAFailureNotASilentLoss) {
  const auto problem = hostsim::WriteWholeFile("/dev/full", std::string(100000, 'x'));
  ASSERT_TRUE(problem);
  EXPECT_NE(problem->find("No space"), std::string::npos) << *problem;
  EXPECT_FALSE(hostsim::WriteWholeFile("/dev/null", "fine"));
  EXPECT_TRUE(hostsim::WriteWholeFile("/nonexistent-folder/out.svg", "x"));
}

}  // namespace
