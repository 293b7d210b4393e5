// [SECTION] Making the host
// [SECTION] Life of the plug-in
// [SECTION] Messages
// [SECTION] The screen

#include "hostsim/Host.h"

#include <cmath>
#include <cstdlib>
#include <stdexcept>

#include "hostsim/FontRefs.h"
#include "hostsim/HostSuites.h"
#include "hostsim/PluginLoader.h"
#include "hostsim/document/TextEngine.h"
#include "hostsim/suites/ToolkitSuites.h"

namespace hostsim {
namespace {

Host* gCurrentHost = nullptr;

constexpr int32_t kCheckWord = KPX_FOURCC('S', 'P', 'C', 'k');
constexpr std::uintptr_t kAccessBase = 0x1A8000;

//-----------------------------------------------------------------------------
// [SECTION] Making the host
//-----------------------------------------------------------------------------

// The font list does not change while the process runs; reading it once, and
// sharing it, keeps hosts made one after another (tests, fuzzing) quick.
const std::shared_ptr<const FontList>& SystemFonts() {
  static const std::shared_ptr<const FontList> fonts = std::make_shared<const FontList>(FontList::FromFontconfig());
  return fonts;
}

// What the dialog toolkit asks of the host: the front end's modal loop and
// redraws, the plug-in's resources, and text measured with the host's fonts.
class HostToolkitServices final : public toolkit::ToolkitServices {
 public:
  explicit HostToolkitServices(Host& host) : host_(host) {}
  void RunModal(ADMDialogRef dialog) override { host_.RunModal(dialog); }
  void Redraw(ADMDialogRef dialog, ADMItemRef item) override { host_.Redraw(dialog, item); }
  std::optional<std::string_view> Resource(int32_t type, int32_t id) const override {
    return host_.PluginResource(type, id);
  }
  int32_t TextWidth(int32_t font, std::string_view utf8) const override {
    const toolkit::ToolkitFont request = toolkit::FontOf(font);
    std::string name = request.family;
    if (request.bold) name += " Bold";
    if (request.italic) name += " Oblique";
    auto index = host_.fonts().FindByFullName(name);
    if (!index) index = host_.fonts().FindByFullName(request.family);
    if (!index) return ToolkitServices::TextWidth(font, utf8);
    const TextMetrics m = TextEngine(host_.fonts()).Measure(*index, utf8, request.pixels);
    return static_cast<int32_t>(std::lround(m.width));
  }

 private:
  Host& host_;
};

}  // namespace

Host& CurrentHost() {
  if (gCurrentHost == nullptr) std::abort();
  return *gCurrentHost;
}

Host* CurrentHostOrNull() { return gCurrentHost; }

Host::Host(HostOptions options)
    : options_(std::move(options)),
      toolkitServices_(std::make_unique<HostToolkitServices>(*this)),
      dialogs_(*toolkitServices_) {
  if (gCurrentHost != nullptr) throw std::logic_error("only one simulated host may exist at a time");
  gCurrentHost = this;
  ResetFontRefs();
  prefsFile_ = options_.prefsFile.empty() ? PreferenceStore::DefaultFile() : options_.prefsFile;
  if (options_.readPrefs) {
    if (auto problem = prefs_.Load(prefsFile_)) AddMessage(*problem);
  }
  fonts_ = SystemFonts();
  document_ = MakeDocument(*fonts_);
  RegisterSuites();
}

Host::~Host() {
  // The plug-in is not told: a host that goes away without Quit is a crash.
  library_.reset();
  parkedLibrary_.reset();
  document_.reset();
  ResetFontRefs();
  if (gCurrentHost == this) gCurrentHost = nullptr;
}

void Host::RegisterSuites() {
  RegisterPlaceholderSuites(suites_);
  RegisterDocumentSuites(suites_);
  RegisterHostSuites(suites_);
  RegisterToolkitSuites(suites_);
}

SPPluginRef Host::pluginRef() const { return reinterpret_cast<SPPluginRef>(const_cast<Host*>(this)); }

SPBasicSuite* Host::basicSuite() const { return HostBasicSuite(); }

std::optional<std::string_view> Host::PluginResource(int32_t type, int32_t id) const {
  if (library_ == nullptr) return std::nullopt;
  return library_->Resource(type, id);
}

//-----------------------------------------------------------------------------
// [SECTION] Life of the plug-in
//-----------------------------------------------------------------------------

ASErr Host::Launch() {
  if (launched_) return kNoErr;
  if (library_ == nullptr) {
    std::string error;
    library_ = PluginLibrary::Open(options_.pluginFile, &error);
    if (library_ == nullptr) {
      AddMessage(error);
      return kNameNotFoundErr;
    }
  }
  launched_ = true;
  unloaded_ = false;
  SPInterfaceMessage message{};
  const ASErr err = Send(kSPInterfaceCaller, kSPInterfaceStartupSelector, &message);
  Notify(kAIApplicationStartedNotifier);
  return err;
}

ASErr Host::Quit() {
  if (busy()) return kCantHappenErr;
  ASErr err = kNoErr;
  if (launched_) {
    SPInterfaceMessage message{};
    err = Send(kSPInterfaceCaller, kSPInterfaceShutdownSelector, &message);
  }
  SavePrefs();
  DropPluginRegistrations();
  library_.reset();
  parkedLibrary_.reset();
  globals_ = nullptr;
  launched_ = false;
  unloaded_ = false;
  return err;
}

ASErr Host::Unload() {
  if (!launched_ || library_ == nullptr || busy()) return kCantHappenErr;
  SPAccessMessage message{};
  const ASErr err = Send(kSPAccessCaller, kSPAccessUnloadSelector, &message);
  if (accessRefs_.empty() && dialogs_.size() == 0) {
    library_.reset();
  } else {
    parkedLibrary_ = std::move(library_);
  }
  unloaded_ = true;
  return err;
}

ASErr Host::Reload() {
  if (!launched_ || busy()) return kCantHappenErr;
  if (library_ != nullptr) return kNoErr;
  if (parkedLibrary_ != nullptr) {
    library_ = std::move(parkedLibrary_);
  } else {
    std::string error;
    library_ = PluginLibrary::Open(options_.pluginFile, &error);
    if (library_ == nullptr) {
      AddMessage(error);
      return kNameNotFoundErr;
    }
  }
  unloaded_ = false;
  SPAccessMessage message{};
  return Send(kSPAccessCaller, kSPAccessReloadSelector, &message);
}

void Host::DropPluginRegistrations() {
  menus_.DropPluginEntries();
  tools_.DropPluginEntries();
  notifiers_.Clear();
  dialogs_.Clear();
  icons_.Clear();
  accessRefs_.clear();
  toolBeforeChange_.reset();
}

bool Host::SavePrefs() {
  if (auto problem = prefs_.Save(prefsFile_)) {
    AddMessage(*problem);
    prefsSaved_ = false;
    return false;
  }
  prefsSaved_ = true;
  return true;
}

//-----------------------------------------------------------------------------
// [SECTION] Messages
//-----------------------------------------------------------------------------

ASErr Host::EnsureLoaded() {
  if (library_ != nullptr) return kNoErr;
  if (!launched_) return kCantHappenErr;
  // A message to an unloaded plug-in brings it back first, as the real host does.
  const ASErr err = Reload();
  return library_ != nullptr ? kNoErr : (err != kNoErr ? err : kCantHappenErr);
}

ASErr Host::Send(const char* caller, const char* selector, void* message) {
  if (!launched_) return kCantHappenErr;
  if (const ASErr err = EnsureLoaded(); err != kNoErr) return err;
  auto* head = static_cast<SPMessageData*>(message);
  head->SPCheck = kCheckWord;
  head->self = pluginRef();
  head->globals = globals_;
  head->basic = basicSuite();
  ++sendDepth_;
  const ASErr err = library_->CallMain(caller, selector, message);
  --sendDepth_;
  globals_ = head->globals;
  lastResult_ = err;
  if (sendDepth_ == 0) SendPendingToolChange();
  return err;
}

ASErr Host::SendRaw(const char* caller, const char* selector, void* message) {
  if (caller == nullptr || selector == nullptr || message == nullptr) return kBadParameterErr;
  return Send(caller, selector, message);
}

ASErr Host::SendInterface(const char* selector) {
  SPInterfaceMessage message{};
  return Send(kSPInterfaceCaller, selector, &message);
}

ASErr Host::SendMenu(AIMenuItemHandle item, const char* selector) {
  AIMenuMessage message{};
  message.menuItem = item;
  return Send(kCallerAIMenu, selector, &message);
}

ASErr Host::SendTool(const char* selector, AIRealPoint cursor) {
  const AIToolHandle tool = tools_.PluginTool();
  if (tool == nullptr) return kCantHappenErr;
  AIToolMessage message{};
  message.tool = tool;
  message.cursor = cursor;
  message.pressure = 1.0f;
  return Send(kCallerAITool, selector, &message);
}

ASErr Host::SelectTool(bool select) {
  const AIToolHandle tool = tools_.PluginTool();
  if (tool == nullptr) return kCantHappenErr;
  if (select) {
    if (tools_.selected() == tool) return kNoErr;
    tools_.Select(tool);
    return SendTool(kSelectorAISelectTool);
  }
  if (tools_.selected() != tool) return kNoErr;
  tools_.SelectHostTool();
  return SendTool(kSelectorAIDeselectTool);
}

ASErr Host::ToolOptions() { return SendTool(kSelectorAIEditToolOptions); }

ASErr Host::Notify(const char* type) {
  ASErr result = kNoErr;
  for (AINotifierHandle handle : notifiers_.OfType(type)) {
    AINotifierMessage message{};
    message.notifier = handle;
    message.type = type;
    const ASErr err = Send(kCallerAINotify, kSelectorAINotify, &message);
    if (err != kNoErr) result = err;
  }
  return result;
}

void Host::NoteToolChange(AIToolHandle previous) {
  if (!toolBeforeChange_) toolBeforeChange_ = previous;
}

void Host::SendPendingToolChange() {
  if (!toolBeforeChange_) return;
  const AIToolHandle before = *toolBeforeChange_;
  toolBeforeChange_.reset();
  const AIToolHandle now = tools_.selected();
  const AIToolHandle mine = tools_.PluginTool();
  if (before == now || mine == nullptr) return;
  if (before == mine) SendTool(kSelectorAIDeselectTool);
  if (now == mine) SendTool(kSelectorAISelectTool);
}

SPAccessRef Host::AcquireAccess() {
  const std::uintptr_t id = kAccessBase + nextAccessRef_++;
  accessRefs_.insert(id);
  return reinterpret_cast<SPAccessRef>(id);
}

bool Host::ReleaseAccess(SPAccessRef access) {
  return accessRefs_.erase(reinterpret_cast<std::uintptr_t>(access)) != 0;
}

//-----------------------------------------------------------------------------
// [SECTION] The screen
//-----------------------------------------------------------------------------

void Host::SetFrontEnd(std::unique_ptr<FrontEnd> frontEnd) {
  frontEnd_ = frontEnd ? std::move(frontEnd) : std::make_unique<NullFrontEnd>();
}

int32_t Host::ShowAlert(const AlertRequest& alert) {
  events_.Add(AlertEvent{alert.text});
  return frontEnd_->ShowAlert(alert);
}

void Host::SetCursor(int32_t cursorId) {
  events_.Add(CursorEvent{cursorId});
  frontEnd_->SetCursor(cursorId);
}

void Host::Tone(uint32_t hz, uint32_t ms) {
  events_.Add(BeepEvent{hz, ms});
  frontEnd_->Tone(hz, ms);
}

void Host::ShowInfo(const InfoValues& info) {
  events_.Add(InfoEvent{info.x, info.y, info.text});
  frontEnd_->ShowInfo(info);
}

void Host::Redraw(ADMDialogRef dialog, ADMItemRef item) { frontEnd_->Redraw(dialog, item); }

void Host::RunModal(ADMDialogRef dialog) { frontEnd_->RunModal(*this, dialog); }

nlohmann::json Host::Dump() const {
  return {{"layers", DumpLayers(*document_)},
          {"prefs", prefs_.Dump()},
          {"menus", menus_.Dump()},
          {"tools", tools_.Dump()},
          {"panel", dialogs_.DumpPanel()},
          {"dialog", dialogs_.DumpDialog()},
          {"events", events_.Json()},
          {"eventsDropped", events_.dropped()}};
}

std::vector<std::string> Host::TakeMessages() {
  std::vector<std::string> out;
  out.swap(messages_);
  return out;
}

}  // namespace hostsim
