// Loads the built plug-in as the host does and reads its resources through the
// exported lookup: what the host asks for must be there, byte for byte.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "host/PluginExports.h"

// The plug-in calls these two; a host provides them (exported from this executable).
extern "C" short GetAsyncKeyState(int) { return 0; }
extern "C" int Beep(unsigned long, unsigned long) { return 1; }

namespace {

using Bytes = std::vector<uint8_t>;

struct Served {
  ASErr err;
  Bytes bytes;
};

class PluginResources : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    library_ = dlopen(KPX_PLUGIN_PATH, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library_, nullptr) << dlerror();
    lookup_ = reinterpret_cast<PluginResourceProc>(dlsym(library_, kPluginResourceLookupName));
  }
  static void TearDownTestSuite() {
    if (library_ != nullptr) dlclose(library_);
    library_ = nullptr;
    lookup_ = nullptr;
  }
  void SetUp() override { ASSERT_NE(lookup_, nullptr) << "the plug-in does not export " kPluginResourceLookupName; }

  static Served Fetch(int32_t type, int32_t id) {
    const void* data = reinterpret_cast<const void*>(1);  // must be overwritten either way
    uint32_t size = 12345;
    ASErr err = lookup_(type, id, &data, &size);
    if (err != kNoErr) {
      EXPECT_EQ(data, nullptr) << "a refused lookup leaves a stale pointer";
      EXPECT_EQ(size, 0u);
      return {err, {}};
    }
    const auto* p = static_cast<const uint8_t*>(data);
    return {err, Bytes(p, p + size)};
  }

  static inline void* library_ = nullptr;
  static inline PluginResourceProc lookup_ = nullptr;
};

uint32_t BigEndian32(const Bytes& b, size_t at) {
  return (uint32_t{b[at]} << 24) | (uint32_t{b[at + 1]} << 16) | (uint32_t{b[at + 2]} << 8) | b[at + 3];
}
uint32_t LittleEndian32(const Bytes& b, size_t at) {
  return b[at] | (uint32_t{b[at + 1]} << 8) | (uint32_t{b[at + 2]} << 16) | (uint32_t{b[at + 3]} << 24);
}

struct PngHeader {
  uint32_t width = 0, height = 0;
  uint8_t colorType = 0;
};

// Checks the signature and the IHDR chunk that must open every PNG.
testing::AssertionResult ReadPngHeader(const Bytes& b, PngHeader& header) {
  static const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
  if (b.size() < 33) return testing::AssertionFailure() << "only " << b.size() << " bytes";
  if (std::memcmp(b.data(), kSignature, 8) != 0) return testing::AssertionFailure() << "no PNG signature";
  if (BigEndian32(b, 8) != 13 || std::memcmp(&b[12], "IHDR", 4) != 0)
    return testing::AssertionFailure() << "first chunk is not IHDR";
  header = {BigEndian32(b, 16), BigEndian32(b, 20), b[25]};
  return testing::AssertionSuccess();
}

std::vector<std::string> Lines(const Bytes& b) {
  std::vector<std::string> lines;
  std::string line;
  for (uint8_t c : b) {
    if (c == '\n') {
      lines.push_back(line);
      line.clear();
    } else if (c != '\r') {
      line.push_back(static_cast<char>(c));
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

const int32_t kCursorIds[] = {1850,  1851,  1852,  17001, 17002, 17003, 17004, 17005, 17006, 17007,
                              17008, 17009, 17011, 17012, 19000, 19001, 20007, 20008, 20009};

TEST_F(PluginResources, StringListsHoldTheToolNamesAndTheMessages) {
  Served tool = Fetch(kStringListResource, 16100);
  ASSERT_EQ(tool.err, kNoErr);
  auto names = Lines(tool.bytes);
  ASSERT_GE(names.size(), 2u);
  EXPECT_EQ(names[0], "Labels Tool");
  EXPECT_EQ(names[1], "Labels Tool 4.5");

  Served messages = Fetch(kStringListResource, 19000);
  ASSERT_EQ(messages.err, kNoErr);
  EXPECT_FALSE(Lines(messages.bytes).empty());
}

TEST_F(PluginResources, ToolIconsAreSquarePngsOfToolboxSize) {
  for (int32_t id : {16051, 18001}) {
    SCOPED_TRACE(id);
    Served icon = Fetch(kPictureResource, id);
    ASSERT_EQ(icon.err, kNoErr);
    PngHeader png;
    ASSERT_TRUE(ReadPngHeader(icon.bytes, png));
    EXPECT_EQ(png.width, png.height);
    EXPECT_GE(png.width, 16u);
    EXPECT_LE(png.width, 32u);
    EXPECT_EQ(png.colorType, 6) << "icons need an alpha channel";
  }
}

TEST_F(PluginResources, EveryCursorIsA32PixelPngWithTransparency) {
  for (int32_t id : kCursorIds) {
    SCOPED_TRACE(id);
    Served cursor = Fetch(kCursorResource, id);
    ASSERT_EQ(cursor.err, kNoErr) << "cursor missing";
    PngHeader png;
    ASSERT_TRUE(ReadPngHeader(cursor.bytes, png));
    EXPECT_EQ(png.width, 32u);
    EXPECT_EQ(png.height, 32u);
    EXPECT_EQ(png.colorType, 6) << "cursors need an alpha channel";
  }
}

// Property list: a 16-bit word 1, a 32-bit version 0, a 32-bit count, then
// properties (vendor, key, id, length, data padded to 4), little-endian.
TEST_F(PluginResources, PropertyListDeclaresASuitePluginWithItsEntryPoint) {
  Served pipl = Fetch(kPropertyListResource, 16000);
  ASSERT_EQ(pipl.err, kNoErr);
  const Bytes& b = pipl.bytes;
  ASSERT_GE(b.size(), 10u);
  EXPECT_EQ(b[0] | (b[1] << 8), 1);
  EXPECT_EQ(LittleEndian32(b, 2), 0u);
  uint32_t count = LittleEndian32(b, 6);
  ASSERT_EQ(count, 4u);

  std::string kind, entry, name;
  int64_t interfaceVersion = -1;
  size_t at = 10;
  for (uint32_t i = 0; i < count; ++i) {
    ASSERT_LE(at + 16, b.size()) << "property " << i << " runs past the end";
    EXPECT_EQ(static_cast<int32_t>(LittleEndian32(b, at)), KPX_FOURCC('A', 'D', 'B', 'E'));
    int32_t key = static_cast<int32_t>(LittleEndian32(b, at + 4));
    uint32_t length = LittleEndian32(b, at + 12);
    ASSERT_EQ(length % 4, 0u) << "property data must stay 4-byte padded";
    ASSERT_LE(at + 16 + length, b.size());
    const uint8_t* data = &b[at + 16];
    auto text = [&] { return std::string(reinterpret_cast<const char*>(data), strnlen(reinterpret_cast<const char*>(data), length)); };
    if (key == KPX_FOURCC('k', 'i', 'n', 'd')) {
      ASSERT_EQ(length, 4u);
      uint32_t code = LittleEndian32(b, at + 16);
      kind = {char(code >> 24), char(code >> 16), char(code >> 8), char(code)};
    } else if (key == KPX_FOURCC('i', 'v', 'r', 's')) {
      ASSERT_EQ(length, 4u);
      interfaceVersion = LittleEndian32(b, at + 16);
    } else if (key == KPX_FOURCC('w', 'x', '8', '6')) {
      entry = text();
      EXPECT_LT(entry.size(), length) << "entry point name is not zero-terminated";
    } else if (key == KPX_FOURCC('p', 'i', 'n', 'm')) {
      name = text();
      EXPECT_LT(name.size(), length) << "plug-in name is not zero-terminated";
    }
    at += 16 + length;
  }
  EXPECT_EQ(at, b.size()) << "bytes left after the last property";
  EXPECT_EQ(kind, "SPEA");
  EXPECT_EQ(interfaceVersion, 2);
  EXPECT_EQ(entry, kPluginMainName);
  EXPECT_EQ(name, "Shell");
}

TEST_F(PluginResources, LookupRefusesWhatItDoesNotHold) {
  EXPECT_NE(Fetch(kCursorResource, 17010).err, kNoErr) << "unknown id";
  EXPECT_NE(Fetch(kPictureResource, 20007).err, kNoErr) << "known id under another type";
  EXPECT_NE(Fetch(KPX_FOURCC('X', 'X', 'X', 'X'), 16100).err, kNoErr) << "unknown type";
  const void* data = nullptr;
  uint32_t size = 0;
  EXPECT_NE(lookup_(kStringListResource, 16100, nullptr, &size), kNoErr);
  EXPECT_NE(lookup_(kStringListResource, 16100, &data, nullptr), kNoErr);
}

// Every file under the resource folders is served under its kind and number,
// byte for byte (drawing sources and notes excepted).
TEST_F(PluginResources, EveryResourceFileIsServedUnchanged) {
  namespace fs = std::filesystem;
  const std::pair<const char*, int32_t> kinds[] = {
      {"strings", kStringListResource}, {"pictures", kPictureResource}, {"cursors", kCursorResource},
      {"dialogs", kDialogResource},     {"menus", kMenuResource},       {"pipl", kPropertyListResource}};
  int checked = 0;
  for (const auto& [folder, type] : kinds) {
    fs::path dir = fs::path(KPX_RESOURCE_DIR) / folder;
    if (!fs::exists(dir)) continue;
    for (const auto& file : fs::directory_iterator(dir)) {
      std::string stem = file.path().stem().string();
      std::string ext = file.path().extension().string();
      if (ext == ".svg" || ext == ".md" || stem.empty() || stem.find_first_not_of("0123456789") == 0) continue;
      SCOPED_TRACE(file.path().string());
      std::ifstream in(file.path(), std::ios::binary);
      Bytes expected{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
      Served served = Fetch(type, std::stoi(stem));
      ASSERT_EQ(served.err, kNoErr);
      EXPECT_EQ(served.bytes, expected);
      ++checked;
    }
  }
  EXPECT_GE(checked, 2 + 2 + 19 + 1);
}

}  // namespace
