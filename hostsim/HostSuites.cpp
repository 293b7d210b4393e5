// [SECTION] index
//   Guard and helpers
//   Placeholder tables
//   Basic, Blocks, Access
//   Menu
//   Tool
//   Notifier
//   Preference
//   Font (AI and text engine)
//   Registration
#include "hostsim/HostSuites.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>

#include "host/ADMSuites.h"
#include "host/AISuites.h"
#include "host/ATESuites.h"
#include "host/PluginExports.h"
#include "hostsim/Blocks.h"
#include "hostsim/Encoding.h"
#include "hostsim/FontRefs.h"
#include "hostsim/Host.h"

namespace hostsim {
namespace {

// ---------------------------------------------------------------------------
// [SECTION] Guard and helpers

// Runs an operation against the live host; no exception leaves a suite call.
template <class Body>
ASErr Run(Body&& body) noexcept {
  try {
    Host* host = CurrentHostOrNull();
    if (host == nullptr) return kCantHappenErr;
    return body(*host);
  } catch (const std::bad_alloc&) {
    return kSPOutOfMemoryError;
  } catch (...) {
    return kCantHappenErr;
  }
}

std::string Utf8(const char* platformText) { return Cp1252ToUtf8(platformText == nullptr ? "" : platformText); }

// ---------------------------------------------------------------------------
// [SECTION] Placeholder tables

// Large enough that a table read past its documented end reads nulls, not other data.
struct EmptySuite {
  void* reserved[64];
};
const EmptySuite kEmptySuite{};

struct SuiteName {
  const char* name;
  int32_t version;
};

const SuiteName kHostSuiteNames[] = {
    {kSPBlocksSuite, kSPBlocksSuiteVersion},
    {kSPAccessSuite, kSPAccessSuiteVersion},
    {kAIPluginSuite, kAIPluginSuiteVersion},
    {kAIMdMemorySuite, kAIMdMemorySuiteVersion},
    {kAIRealMathSuite, kAIRealMathSuiteVersion},
    {kAIArtSuite, kAIArtSuiteVersion},
    {kAIUserSuite, kAIUserSuiteVersion},
    {kAIPathSuite, kAIPathSuiteVersion},
    {kAIPathStyleSuite, kAIPathStyleSuiteVersion},
    {kAIUndoSuite, kAIUndoSuiteVersion},
    {kAIAnnotatorSuite, kAIAnnotatorSuiteVersion},
    {kAIMenuSuite, kAIMenuSuiteVersion},
    {kAIToolSuite, kAIToolSuiteVersion},
    {kAINotifierSuite, kAINotifierSuiteVersion},
    {kAIUnicodeStringSuite, kAIUnicodeStringSuiteVersion},
    {kAIPreferenceSuite, kAIPreferenceSuiteVersion},
    {kAIContextSuite, kAIContextSuiteVersion},
    {kAICursorSnapSuite, kAICursorSnapSuiteVersion},
    {kAIDocumentViewSuite, kAIDocumentViewSuiteVersion},
    {kAIDocumentSuite, kAIDocumentSuiteVersion},
    {kAIMatchingArtSuite, kAIMatchingArtSuiteVersion},
    {kAITagSuite, kAITagSuiteVersion},
    {kAILayerSuite, kAILayerSuiteVersion},
    {kAIRealBezierSuite, kAIRealBezierSuiteVersion},
    {kAIHitTestSuite, kAIHitTestSuiteVersion},
    {kAITransformArtSuite, kAITransformArtSuiteVersion},
    {kAITextFrameSuite, kAITextFrameSuiteVersion},
    {kAIRuntimeSuite, kAIRuntimeSuiteVersion},
    {kAIFontSuite, kAIFontSuiteVersion},
    {kAIATEPaintSuite, kAIATEPaintSuiteVersion},
    {kAIURLSuite, kAIURLSuiteVersion},
#define KPX_ATE_NAME(object, version) {"ATE " #object " Suite", version},
    KPX_ATE_SUITES(KPX_ATE_NAME)
#undef KPX_ATE_NAME
};

// ---------------------------------------------------------------------------
// [SECTION] Basic, Blocks, Access

ASErr BasicAcquireSuite(const char* name, int32_t version, const void** suite) {
  return Run([&](Host& h) { return h.suites().Acquire(name, version, suite); });
}

ASErr BasicReleaseSuite(const char* name, int32_t version) {
  return Run([&](Host& h) { return h.suites().Release(name, version); });
}

ASBoolean BasicIsEqual(const char* a, const char* b) {
  return a != nullptr && b != nullptr && std::strcmp(a, b) == 0;
}

ASErr BasicAllocateBlock(size_t size, void** block) {
  if (block == nullptr) return kSPBadParameterError;
  *block = AllocateBlock(size);
  return *block == nullptr ? kSPOutOfMemoryError : kNoErr;
}

ASErr BasicFreeBlock(void* block) { return FreeBlock(block) ? kNoErr : kSPBadParameterError; }

ASErr BasicReallocateBlock(void* block, size_t newSize, void** newBlock) {
  if (newBlock == nullptr) return kSPBadParameterError;
  *newBlock = nullptr;
  if (block != nullptr && !IsBlock(block)) return kSPBadParameterError;
  return ReallocateBlock(block, newSize, newBlock) ? kNoErr : kSPOutOfMemoryError;
}

ASErr BasicUndefined() { return kSPUnimplementedError; }

SPBasicSuite gBasicSuite = {BasicAcquireSuite, BasicReleaseSuite,    BasicIsEqual,    BasicAllocateBlock,
                            BasicFreeBlock,    BasicReallocateBlock, BasicUndefined};

ASErr BlocksAllocate(size_t size, const char*, void** block) { return BasicAllocateBlock(size, block); }
ASErr BlocksReallocate(void* block, size_t newSize, const char*, void** newBlock) {
  return BasicReallocateBlock(block, newSize, newBlock);
}
const SPBlocksSuite kBlocksSuite = {BlocksAllocate, BasicFreeBlock, BlocksReallocate};

ASErr AccessGetPluginName(SPPluginRef plugin, char* name, int32_t size) {
  return Run([&](Host& h) -> ASErr {
    if (!h.IsPluginRef(plugin) || name == nullptr || size < 1) return kBadParameterErr;
    CopyTruncated(h.options().pluginFile.filename().string(), name, size);
    return kNoErr;
  });
}
ASErr AccessAcquirePlugin(SPPluginRef plugin, SPAccessRef* access) {
  return Run([&](Host& h) -> ASErr {
    if (access == nullptr) return kBadParameterErr;
    *access = nullptr;
    if (!h.IsPluginRef(plugin)) return kBadParameterErr;
    *access = h.AcquireAccess();
    return kNoErr;
  });
}
ASErr AccessReleasePlugin(SPAccessRef access) {
  return Run([&](Host& h) { return h.ReleaseAccess(access) ? kNoErr : kBadParameterErr; });
}
const SPAccessSuite kAccessSuite = {AccessGetPluginName, AccessAcquirePlugin, AccessReleasePlugin};

// ---------------------------------------------------------------------------
// [SECTION] Menu

// GetMenuGroupName hands out host storage valid until the next menu call.
std::string gMenuGroupName;

AIErr MenuAddMenuItem(SPPluginRef self, const char* name, const char* groupName, const char* text, int32_t options,
                      AIMenuItemHandle* item) {
  return Run([&](Host& h) -> ASErr {
    if (item != nullptr) *item = nullptr;
    if (!h.IsPluginRef(self) || name == nullptr || groupName == nullptr || text == nullptr || item == nullptr) {
      return kBadParameterErr;
    }
    return h.menus().AddItem(Utf8(name), Utf8(groupName), Utf8(text), options, item);
  });
}

AIErr MenuAddMenuGroupAsSubMenu(const char* name, int32_t options, AIMenuItemHandle item, AIMenuGroup* group) {
  return Run([&](Host& h) -> ASErr {
    if (name == nullptr) return kBadParameterErr;
    return h.menus().AddSubMenuGroup(Utf8(name), options, item, group);
  });
}

AIErr MenuCountMenuGroups(int32_t* count) {
  return Run([&](Host& h) -> ASErr {
    if (count == nullptr) return kBadParameterErr;
    *count = static_cast<int32_t>(h.menus().groups().size());
    return kNoErr;
  });
}

AIErr MenuGetNthMenuGroup(int32_t n, AIMenuGroup* group) {
  return Run([&](Host& h) -> ASErr {
    if (group == nullptr) return kBadParameterErr;
    *group = nullptr;
    const auto& groups = h.menus().groups();
    if (n < 0 || static_cast<std::size_t>(n) >= groups.size()) return kBadParameterErr;
    *group = h.menus().HandleOf(groups[static_cast<std::size_t>(n)]);
    return kNoErr;
  });
}

AIErr MenuGetMenuGroupName(AIMenuGroup group, const char** name) {
  return Run([&](Host& h) -> ASErr {
    if (name == nullptr) return kBadParameterErr;
    *name = nullptr;
    const MenuGroup* g = h.menus().Find(group);
    if (g == nullptr) return kBadParameterErr;
    gMenuGroupName = Utf8ToCp1252(g->name);
    *name = gMenuGroupName.c_str();
    return kNoErr;
  });
}

AIErr MenuSetItemText(AIMenuItemHandle item, const char* text) {
  return Run([&](Host& h) -> ASErr {
    MenuItem* m = h.menus().Find(item);
    if (m == nullptr || text == nullptr) return kBadParameterErr;
    m->text = Utf8(text);
    return kNoErr;
  });
}

AIErr MenuGetItemText(AIMenuItemHandle item, char* text, int32_t size) {
  return Run([&](Host& h) -> ASErr {
    MenuItem* m = h.menus().Find(item);
    if (m == nullptr || text == nullptr || size < 1) return kBadParameterErr;
    CopyTruncated(Utf8ToCp1252(m->text), text, size);
    return kNoErr;
  });
}

AIErr MenuSetEnabled(AIMenuItemHandle item, bool enabled) {
  return Run([&](Host& h) -> ASErr {
    MenuItem* m = h.menus().Find(item);
    if (m == nullptr) return kBadParameterErr;
    m->enabled = enabled;
    return kNoErr;
  });
}
AIErr MenuEnableItem(AIMenuItemHandle item) { return MenuSetEnabled(item, true); }
AIErr MenuDisableItem(AIMenuItemHandle item) { return MenuSetEnabled(item, false); }

const AIMenuSuite kMenuSuite = {MenuAddMenuItem, MenuAddMenuGroupAsSubMenu, MenuCountMenuGroups,
                                MenuGetNthMenuGroup, MenuGetMenuGroupName, MenuSetItemText,
                                MenuGetItemText, MenuEnableItem, MenuDisableItem};

// ---------------------------------------------------------------------------
// [SECTION] Tool

AIErr ToolAddTool(SPPluginRef self, const char* name, const AIAddToolData* data, int32_t options, AIToolHandle* tool) {
  return Run([&](Host& h) -> ASErr {
    if (tool != nullptr) *tool = nullptr;
    if (!h.IsPluginRef(self) || name == nullptr || data == nullptr || tool == nullptr) return kBadParameterErr;
    if (data->icon != nullptr && h.icons().Find(data->icon) == nullptr) return kBadParameterErr;
    return h.tools().Add(Utf8(name), Utf8(data->title), Utf8(data->tooltip), data->icon, data->sameGroupAs,
                         data->sameToolsetAs, options, tool);
  });
}

AIErr ToolGetToolNumberFromName(const char* name, int32_t* number) {
  return Run([&](Host& h) -> ASErr {
    if (name == nullptr || number == nullptr) return kBadParameterErr;
    auto found = h.tools().NumberFromName(Utf8(name));
    if (!found) return kNameNotFoundErr;
    *number = *found;
    return kNoErr;
  });
}

AIErr ToolSetSelectedTool(AIToolHandle tool) {
  return Run([&](Host& h) -> ASErr {
    const AIToolHandle previous = h.tools().selected();
    const ASErr err = h.tools().Select(tool);
    if (err == kNoErr && previous != tool) h.NoteToolChange(previous);
    return err;
  });
}

AIErr ToolGetSelectedTool(AIToolHandle* tool) {
  return Run([&](Host& h) -> ASErr {
    if (tool == nullptr) return kBadParameterErr;
    *tool = h.tools().selected();
    return kNoErr;
  });
}

AIErr ToolSetToolInfoVarValues(const int32_t* vars, void** values) {
  return Run([&](Host& h) -> ASErr {
    if (vars == nullptr || values == nullptr) return kBadParameterErr;
    InfoValues info;
    for (int i = 0; vars[i] != kInfoEndOfList; ++i) {
      if (i > 64) return kBadParameterErr;  // an unterminated list
      void* value = values[i];
      if (value == nullptr) continue;
      switch (vars[i]) {
        case kInfoPageVar1:
        case kInfoPageVar2: {
          const AIReal v = *static_cast<const AIReal*>(value);
          if (std::isfinite(v)) (vars[i] == kInfoPageVar1 ? info.x : info.y) = v;
          break;
        }
        case kInfoTextVar:
          info.text = Utf8(static_cast<const char*>(value));
          break;
        default:
          return kBadParameterErr;
      }
    }
    h.ShowInfo(info);
    return kNoErr;
  });
}

AIErr ToolSetToolRolloverIcon(AIToolHandle tool, ADMIconRef icon) {
  return Run([&](Host& h) -> ASErr {
    Tool* t = h.tools().Find(tool);
    if (t == nullptr || (icon != nullptr && h.icons().Find(icon) == nullptr)) return kBadParameterErr;
    t->rolloverIcon = icon;
    return kNoErr;
  });
}

const AIToolSuite kToolSuite = {ToolAddTool,         ToolGetToolNumberFromName, ToolSetSelectedTool,
                                ToolGetSelectedTool, ToolSetToolInfoVarValues,  ToolSetToolRolloverIcon};

// ---------------------------------------------------------------------------
// [SECTION] Notifier

AIErr NotifierAddNotifier(SPPluginRef self, const char* name, const char* type, AINotifierHandle* notifier) {
  return Run([&](Host& h) -> ASErr {
    if (notifier != nullptr) *notifier = nullptr;
    if (!h.IsPluginRef(self) || name == nullptr || type == nullptr || notifier == nullptr) return kBadParameterErr;
    *notifier = h.notifiers().Add(Utf8(name), Utf8(type));
    return kNoErr;
  });
}

const AINotifierSuite kNotifierSuite = {NotifierAddNotifier};

// ---------------------------------------------------------------------------
// [SECTION] Preference

// A null prefix names the host's own section, whose keys fall back to these values.
const char* const kHostSection = "";
struct HostDefault {
  const char* key;
  double value;
};
constexpr HostDefault kHostRealDefaults[] = {
    {"Grid/Color/Lite/r", 0.8},
    {"Grid/Color/Lite/g", 0.8},
    {"Grid/Color/Lite/b", 0.8},
};

std::string Section(const char* prefix) { return prefix == nullptr ? kHostSection : Utf8(prefix); }

template <class T, class Out, class Convert>
AIErr GetPref(const char* prefix, const char* suffix, Out* value, Convert convert) {
  return Run([&](Host& h) -> ASErr {
    if (suffix == nullptr || value == nullptr) return kBadParameterErr;
    const PrefValue* stored = h.prefs().Find(Section(prefix), Utf8(suffix));
    const T* typed = stored == nullptr ? nullptr : std::get_if<T>(stored);
    if (typed == nullptr) return kNoSuchKeyErr;
    *value = convert(*typed);
    return kNoErr;
  });
}

AIErr PutPref(const char* prefix, const char* suffix, PrefValue value) {
  return Run([&](Host& h) -> ASErr {
    if (suffix == nullptr) return kBadParameterErr;
    return h.prefs().Put(Section(prefix), Utf8(suffix), std::move(value));
  });
}

AIErr PrefGetBoolean(const char* prefix, const char* suffix, ASBoolean* value) {
  return GetPref<bool>(prefix, suffix, value, [](bool v) { return v ? 1 : 0; });
}
AIErr PrefPutBoolean(const char* prefix, const char* suffix, ASBoolean value) {
  return PutPref(prefix, suffix, PrefValue{value != 0});
}
AIErr PrefGetInteger(const char* prefix, const char* suffix, int32_t* value) {
  return GetPref<int32_t>(prefix, suffix, value, [](int32_t v) { return v; });
}
AIErr PrefPutInteger(const char* prefix, const char* suffix, int32_t value) {
  return PutPref(prefix, suffix, PrefValue{value});
}
AIErr PrefGetReal(const char* prefix, const char* suffix, double* value) {
  const AIErr err = GetPref<double>(prefix, suffix, value, [](double v) { return v; });
  if (err == kNoSuchKeyErr && prefix == nullptr && suffix != nullptr && value != nullptr) {
    for (const HostDefault& d : kHostRealDefaults) {
      if (std::strcmp(d.key, suffix) == 0) {
        *value = d.value;
        return kNoErr;
      }
    }
  }
  return err;
}
AIErr PrefPutReal(const char* prefix, const char* suffix, double value) {
  return PutPref(prefix, suffix, PrefValue{value});
}
AIErr PrefGetString(const char* prefix, const char* suffix, char* value, int32_t size) {
  return Run([&](Host& h) -> ASErr {
    if (suffix == nullptr || value == nullptr || size < 1) return kBadParameterErr;
    auto stored = h.prefs().GetString(Section(prefix), Utf8(suffix));
    if (!stored) return kNoSuchKeyErr;
    CopyTruncated(Utf8ToCp1252(*stored), value, size);
    return kNoErr;
  });
}
AIErr PrefPutString(const char* prefix, const char* suffix, const char* value) {
  if (value == nullptr) return kBadParameterErr;
  return PutPref(prefix, suffix, PrefValue{Utf8(value)});
}
AIErr PrefGetPoint(const char* prefix, const char* suffix, AIPoint* value) {
  return GetPref<PrefPoint>(prefix, suffix, value, [](PrefPoint p) { return AIPoint{p.h, p.v}; });
}
AIErr PrefPutPoint(const char* prefix, const char* suffix, const AIPoint* value) {
  if (value == nullptr) return kBadParameterErr;
  return PutPref(prefix, suffix, PrefValue{PrefPoint{value->h, value->v}});
}

const AIPreferenceSuite kPreferenceSuite = {PrefGetBoolean, PrefPutBoolean, PrefGetInteger, PrefPutInteger,
                                            PrefGetReal,    PrefPutReal,    PrefGetString,  PrefPutString,
                                            PrefGetPoint,   PrefPutPoint};

// ---------------------------------------------------------------------------
// [SECTION] Font (AI and text engine)

// Font keys are the list index plus one, so a null key is never valid.
const FontFace* FaceOfKey(Host& h, AIFontKey key, std::size_t* index) {
  const auto raw = reinterpret_cast<std::uintptr_t>(key);
  if (raw == 0 || raw > h.fonts().size()) return nullptr;
  if (index != nullptr) *index = raw - 1;
  return &h.fonts().at(raw - 1);
}

AIErr FontCountFonts(int32_t* count) {
  return Run([&](Host& h) -> ASErr {
    if (count == nullptr) return kBadParameterErr;
    *count = static_cast<int32_t>(h.fonts().size());
    return kNoErr;
  });
}

AIErr FontIndexFontList(int32_t index, AIFontKey* key) {
  return Run([&](Host& h) -> ASErr {
    if (key == nullptr) return kBadParameterErr;
    *key = nullptr;
    if (index < 0 || static_cast<std::size_t>(index) >= h.fonts().size()) return kBadParameterErr;
    *key = reinterpret_cast<AIFontKey>(static_cast<std::uintptr_t>(index) + 1);
    return kNoErr;
  });
}

AIErr FontGetFullFontName(AIFontKey key, char* name, int16_t maxName) {
  return Run([&](Host& h) -> ASErr {
    const FontFace* face = FaceOfKey(h, key, nullptr);
    if (face == nullptr || name == nullptr || maxName < 1) return kBadParameterErr;
    CopyTruncated(Utf8ToCp1252(face->fullName), name, maxName);
    return kNoErr;
  });
}

AIErr FontFontFromFontKey(AIFontKey key, ATEFontRef* font) {
  return Run([&](Host& h) -> ASErr {
    if (font == nullptr) return kBadParameterErr;
    *font = nullptr;
    std::size_t index = 0;
    if (FaceOfKey(h, key, &index) == nullptr) return kBadParameterErr;
    *font = MakeFontRef(index);
    return kNoErr;
  });
}

const AIFontSuite kFontSuite = {FontCountFonts, FontIndexFontList, FontGetFullFontName, FontFontFromFontKey};

AIErr AteFontRelease(ATEFontRef font) {
  return Run([&](Host&) { return ReleaseFontRef(font) ? kNoErr : kBadParameterErr; });
}
const ATEFontSuite kAteFontSuite = {AteFontRelease};

}  // namespace

// ---------------------------------------------------------------------------
// [SECTION] Registration

void RegisterPlaceholderSuites(SuiteRegistry& registry) {
  for (const SuiteName& s : kHostSuiteNames) registry.Add(s.name, s.version, &kEmptySuite);
}

void RegisterHostSuites(SuiteRegistry& registry) {
  registry.Add(kSPBlocksSuite, kSPBlocksSuiteVersion, &kBlocksSuite);
  registry.Add(kSPAccessSuite, kSPAccessSuiteVersion, &kAccessSuite);
  registry.Add(kAIMenuSuite, kAIMenuSuiteVersion, &kMenuSuite);
  registry.Add(kAIToolSuite, kAIToolSuiteVersion, &kToolSuite);
  registry.Add(kAINotifierSuite, kAINotifierSuiteVersion, &kNotifierSuite);
  registry.Add(kAIPreferenceSuite, kAIPreferenceSuiteVersion, &kPreferenceSuite);
  registry.Add(kAIFontSuite, kAIFontSuiteVersion, &kFontSuite);
  registry.Add(kATEFontSuite, 1, &kAteFontSuite);
}

SPBasicSuite* HostBasicSuite() { return &gBasicSuite; }

}  // namespace hostsim
