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

#include <nlohmann/json.hpp>

#include "host/PluginExports.h"
#include "panel/HelpPages.h"
#include "panel/MenuResource.h"

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

const int32_t kCursorIds[] = {310,   311,   1850,  1851,  1852,  17001, 17002, 17003, 17004, 17005, 17006,
                              17007, 17008, 17009, 17011, 17012, 19000, 19001, 20007, 20008, 20009};

// Picture k of an icon group is the picture resource group + k.
constexpr int32_t IconOfGroup(int32_t group, int32_t index) { return group + index; }
constexpr int32_t kPanelIcons = 17000;

// Pictures drawn on buttons have the button's size.
struct PictureRange {
  int32_t first, last;
  uint32_t width, height;
  const char* what;
};
const PictureRange kButtonPictures[] = {
    {128, 129, 20, 20, "KPX button, normal and pressed"},
    {130, 134, 16, 14, "arrowhead shapes"},
    {169, 176, 22, 18, "label shapes"},
    {180, 182, 22, 18, "rectangle shapes, selected"},
    {230, 233, 16, 14, "point shapes"},
    {400, 403, 13, 11, "next and previous buttons, normal and pressed"},
    {404, 404, 18, 18, "angle dial"},
    {600, 601, 9, 13, "disclosure marks"},
    {17200, 17201, 18, 18, "equal sides toggle"},
    {25000, 25007, 19, 19, "arrows editor toggles"},
    {26004, 26005, 19, 19, "shape editor symmetry toggle"},
    {28000, 28007, 19, 19, "edit modes and predefined arrowheads"},
    {29002, 29007, 19, 19, "predefined corners"},
};

// Icons painted beside a field: each must stay left of the field and above the
// bottom of its click area, so it never covers a value.
struct PaintedIcon {
  int32_t index;
  int32_t x, y;          // where the drawing procedure paints it
  int32_t right, bottom;  // the field's left edge, the click area's bottom
  const char* where;
};
const PaintedIcon kPaintedIcons[] = {
    {1, 5, 60, 25, 74, "panel: arrows"},
    {9, 5, 60, 25, 74, "panel: points"},
    {3, 6, 104, 28, 119, "panel: tie line"},
    {5, 110, 104, 128, 121, "panel: line length"},
    {6, 113, 124, 128, 142, "panel: vertical text gap"},
    {7, 109, 149, 128, 163, "panel: horizontal text gap"},
    {8, 111, 166, 128, 183, "panel: text size"},
    {1, 8, 8, 30, 27, "preferences: arrows"},
    {9, 8, 8, 30, 27, "preferences: points"},
    {3, 8, 67, 30, 81, "preferences: tie line"},
    {161, 8, 90, 30, 108, "preferences: corner radius"},
    {6, 14, 117, 30, 135, "preferences: vertical text gap"},
    {7, 178, 121, 201, 135, "preferences: horizontal text gap"},
    {13, 179, 144, 201, 161, "preferences: magnetism distance"},
};

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

TEST_F(PluginResources, ButtonPicturesHaveTheirButtonsSize) {
  for (const PictureRange& range : kButtonPictures) {
    for (int32_t id = range.first; id <= range.last; ++id) {
      SCOPED_TRACE(testing::Message() << range.what << ", picture " << id);
      Served picture = Fetch(kPictureResource, id);
      ASSERT_EQ(picture.err, kNoErr) << "picture missing";
      PngHeader png;
      ASSERT_TRUE(ReadPngHeader(picture.bytes, png));
      EXPECT_EQ(png.width, range.width);
      EXPECT_EQ(png.height, range.height);
      EXPECT_TRUE(png.colorType == 2 || png.colorType == 6) << "colour type " << int{png.colorType};
    }
  }
}

TEST_F(PluginResources, PaintedIconsStayClearOfTheirFields) {
  for (const PaintedIcon& icon : kPaintedIcons) {
    SCOPED_TRACE(icon.where);
    Served picture = Fetch(kPictureResource, IconOfGroup(kPanelIcons, icon.index));
    ASSERT_EQ(picture.err, kNoErr) << "icon " << icon.index << " of group " << kPanelIcons << " missing";
    PngHeader png;
    ASSERT_TRUE(ReadPngHeader(picture.bytes, png));
    EXPECT_LE(icon.x + static_cast<int32_t>(png.width), icon.right);
    EXPECT_LE(icon.y + static_cast<int32_t>(png.height), icon.bottom);
    EXPECT_EQ(png.colorType, 6) << "icons are painted over the dialog's background";
  }
}

TEST_F(PluginResources, PanelIconIsASmallSquarePng) {
  Served icon = Fetch(kPictureResource, 160);
  ASSERT_EQ(icon.err, kNoErr);
  PngHeader png;
  ASSERT_TRUE(ReadPngHeader(icon.bytes, png));
  EXPECT_EQ(png.width, png.height);
  EXPECT_LE(png.width, 24u);
  EXPECT_EQ(png.colorType, 6);
}

TEST_F(PluginResources, FlyoutMenuListsTheDialogsInOrder) {
  Served bytes = Fetch(kMenuResource, 128);
  ASSERT_EQ(bytes.err, kNoErr);
  MenuResource menu;
  ASSERT_TRUE(ParseMenuResource(bytes.bytes.data(), bytes.bytes.size(), &menu));
  EXPECT_STREQ(menu.Title, "Dialog List");
  const struct {
    int32_t id;
    const char* text;
  } expected[] = {{1, "Show text options"}, {2, "Arrows/Points"},   {0, nullptr},        {4, "Colors..."},
                  {5, "Arrows editor..."},  {6, "Shape editor..."}, {0, nullptr},        {8, "Preferences..."},
                  {0, nullptr},             {10, "Show help"}};
  ASSERT_EQ(menu.Count, static_cast<int32_t>(std::size(expected)));
  for (int32_t i = 0; i < menu.Count; ++i) {
    SCOPED_TRACE(testing::Message() << "position " << i);
    EXPECT_EQ(menu.Entries[i].Id, expected[i].id);
    EXPECT_EQ(menu.Entries[i].Separator, expected[i].text == nullptr);
    EXPECT_STREQ(menu.Entries[i].Text, expected[i].text != nullptr ? expected[i].text : "");
  }
}

TEST_F(PluginResources, EveryDialogHasADefinitionWithItsSize) {
  const struct {
    int32_t id, width, height;
  } dialogs[] = {{16400, 206, 116}, {16600, 284, 277}, {19210, 230, 230}, {22000, 230, 230},
                 {27000, 500, 410}, {27200, 260, 220}, {28000, 500, 600}, {30000, 0, 0}};
  for (const auto& d : dialogs) {
    SCOPED_TRACE(d.id);
    Served served = Fetch(kDialogResource, d.id);
    ASSERT_EQ(served.err, kNoErr) << "dialog missing";
    auto json = nlohmann::json::parse(served.bytes.begin(), served.bytes.end(), nullptr, false);
    ASSERT_TRUE(json.is_object());
    ASSERT_TRUE(json.contains("name") && json["name"].is_string());
    EXPECT_FALSE(json["name"].get<std::string>().empty());
    ASSERT_TRUE(json.contains("width") && json["width"].is_number_integer());
    ASSERT_TRUE(json.contains("height") && json["height"].is_number_integer());
    if (d.width != 0) {
      EXPECT_EQ(json["width"], d.width);
      EXPECT_EQ(json["height"], d.height);
    }
  }
}

// The About box is shown from its resource alone; its text is the plug-in's.
TEST_F(PluginResources, AboutBoxShowsTheProductText) {
  Served served = Fetch(kDialogResource, 30000);
  ASSERT_EQ(served.err, kNoErr);
  auto json = nlohmann::json::parse(served.bytes.begin(), served.bytes.end(), nullptr, false);
  ASSERT_TRUE(json.is_object() && json.contains("text"));
  std::string utf8;
  for (unsigned char c : std::string(AboutText())) {
    ASSERT_TRUE(c < 0x80 || c == 0x95) << "only the bullet is expected outside ASCII";
    utf8 += c == 0x95 ? "\xE2\x80\xA2" : std::string(1, static_cast<char>(c));
  }
  EXPECT_EQ(json["text"].get<std::string>(), utf8);
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
  EXPECT_GE(checked, 2 + 67 + 21 + 8 + 1 + 1);
}

}  // namespace
