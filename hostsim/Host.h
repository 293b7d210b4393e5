// The simulated host: loads the plug-in, offers it every suite it acquires,
// owns the document, the preference store, the menus, tools, notifiers,
// dialogs, keyboard and the log of what the user would see, and sends the
// plug-in its messages as the real host would. One Host exists at a time;
// the suites' C callbacks reach it through CurrentHost().
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "host/AIMessages.h"
#include "host/AISuites.h"
#include "host/ADMSuites.h"
#include "hostsim/EventLog.h"
#include "hostsim/FontList.h"
#include "hostsim/FrontEnd.h"
#include "hostsim/History.h"
#include "hostsim/Icons.h"
#include "hostsim/Keyboard.h"
#include "hostsim/MenuModel.h"
#include "hostsim/NotifierModel.h"
#include "hostsim/PreferenceStore.h"
#include "hostsim/SuiteRegistry.h"
#include "hostsim/ToolModel.h"
#include "hostsim/document/DocumentApi.h"
#include "hostsim/suites/FaultInjector.h"
#include "hostsim/toolkit/Toolkit.h"

namespace hostsim {

class PluginLibrary;
using Dialog = toolkit::Dialog;

struct HostOptions {
  std::filesystem::path prefsFile;   // empty: PreferenceStore::DefaultFile()
  std::filesystem::path pluginFile;  // the plug-in library
  bool readPrefs = true;             // false: start with an empty store, file untouched until saved
  bool quickPng = false;             // pictures of dialogs written with the quickest PNG compression
};

class Host {
 public:
  // Reads the font list and the preference file; loads nothing yet.
  explicit Host(HostOptions options);
  ~Host();
  Host(const Host&) = delete;
  Host& operator=(const Host&) = delete;

  // -- Life of the plug-in ---------------------------------------------------
  // Loads the library if needed, sends "SP Interface"/"Startup", then fires
  // "AI Application Started Notifier". Returns the start-up code (a load
  // failure gives kNameNotFoundErr and a message).
  ASErr Launch();
  // "SP Interface"/"Shutdown", saves the preference file, unloads the library
  // and drops the plug-in's menus, tools, notifiers and dialogs.
  ASErr Quit();
  // "SP Access"/"Unload", then the library is closed; the globals slot keeps
  // what the plug-in parked there.
  ASErr Unload();
  // Opens the library again and sends "SP Access"/"Reload" with the parked globals.
  ASErr Reload();

  // -- Messages ---------------------------------------------------------------
  // These send one message each, as the host decides to; what a person does
  // (the pointer, keys, menus by their place, tools, items, artwork) is in
  // hostsim/UserActions.h, which front ends use instead.
  // Every sender returns the plug-in's code, or kCantHappenErr when no plug-in
  // is launched. A message to an unloaded plug-in reloads it first.
  ASErr SendInterface(const char* selector);
  ASErr SendMenu(AIMenuItemHandle item, const char* selector = kSelectorAIGoMenuItem);
  // An "AI Tool" message to the plug-in's tool at a document point.
  ASErr SendTool(const char* selector, AIRealPoint cursor = {0, 0});
  // Makes the plug-in's tool current ("AI Select") or the host's selection tool
  // current ("AI Deselect" to the plug-in when its tool was current).
  ASErr SelectTool(bool select);
  // Double-click on the plug-in's tool: "AI Edit Options".
  ASErr ToolOptions();
  // "AI Notify" to every notifier of that type.
  ASErr Notify(const char* type);
  // Any caller and selector with a record the test built; the host fills its
  // SPMessageData head (check word, plug-in ref, globals, basic suite).
  ASErr SendRaw(const char* caller, const char* selector, void* message);

  // -- State ------------------------------------------------------------------
  const HostOptions& options() const { return options_; }
  bool loaded() const { return library_ != nullptr; }
  bool launched() const { return launched_; }
  // True while a message is being answered (inside PluginMain): Quit, Unload
  // and Reload are refused then, since the library is running.
  bool busy() const { return sendDepth_ > 0; }
  SPPluginRef pluginRef() const;
  bool IsPluginRef(SPPluginRef ref) const { return ref != nullptr && ref == pluginRef(); }
  // What the plug-in parked in its globals slot.
  void* globals() const { return globals_; }
  // The basic suite handed to the plug-in.
  SPBasicSuite* basicSuite() const;
  // The plug-in's resource, while the library is loaded.
  std::optional<std::string_view> PluginResource(int32_t type, int32_t id) const;
  // Code of the last message sent.
  ASErr lastResult() const { return lastResult_; }

  // Access references the plug-in holds on itself (SP Access suite). While any
  // is held, or any of its dialogs exists, Unload parks the globals but keeps
  // the library in memory, so the procedures it gave the host stay valid.
  SPAccessRef AcquireAccess();
  bool ReleaseAccess(SPAccessRef access);
  std::size_t accessRefs() const { return accessRefs_.size(); }

  // The plug-in changed the selected tool during a message: once the message
  // has returned, "AI Deselect" / "AI Select" go to the plug-in's tool as the
  // selection left or reached it.
  void NoteToolChange(AIToolHandle previous);

  SuiteRegistry& suites() { return suites_; }
  // Fails or counts suite calls on request (tests); empty and not counting by default.
  FaultInjector& faults() { return faults_; }
  PreferenceStore& prefs() { return prefs_; }
  const std::filesystem::path& prefsFile() const { return prefsFile_; }
  // Saves the preference file now; false (and a message) on failure.
  bool SavePrefs();
  // False once a save of the preference file (at Quit too) has failed; the
  // reason is among the messages.
  bool prefsSaved() const { return prefsSaved_; }
  Keyboard& keyboard() { return keyboard_; }
  EventLog& events() { return events_; }
  MenuModel& menus() { return menus_; }
  ToolModel& tools() { return tools_; }
  NotifierModel& notifiers() { return notifiers_; }
  // The dialog toolkit: dialogs, items, user actions, painting, dump.
  toolkit::Toolkit& dialogs() { return dialogs_; }
  const toolkit::Toolkit& dialogs() const { return dialogs_; }
  IconTable& icons() { return icons_; }
  const FontList& fonts() const { return *fonts_; }
  Document& document() { return *document_; }
  const Document& document() const { return *document_; }
  // The drawing's history for undo and redo (hostsim/UserActions.h runs it).
  History& history() { return history_; }
  const History& history() const { return history_; }

  // -- The screen ---------------------------------------------------------------
  // The front end that shows what the host asks for; a NullFrontEnd until one
  // is installed. The host keeps ownership.
  void SetFrontEnd(std::unique_ptr<FrontEnd> frontEnd);
  FrontEnd& frontEnd() { return *frontEnd_; }
  // What the host asks of the screen; each is logged as an event, then passed
  // to the front end.
  int32_t ShowAlert(const AlertRequest& alert);
  void SetCursor(int32_t cursorId);
  void Tone(uint32_t hz, uint32_t ms);
  void ShowInfo(const InfoValues& info);
  void Redraw(ADMDialogRef dialog, ADMItemRef item);
  // Runs the front end's modal loop for an open modal dialog.
  void RunModal(ADMDialogRef dialog);

  // The observation dump: layers, prefs, menus, tools, panel, dialog, events
  // and how many events the full log left out.
  nlohmann::json Dump() const;

  // Messages for the user (a bad preference file, a plug-in that cannot be
  // loaded), oldest first; taking them empties the list.
  std::vector<std::string> TakeMessages();
  void AddMessage(std::string message) { messages_.push_back(std::move(message)); }

 private:
  ASErr EnsureLoaded();
  ASErr Send(const char* caller, const char* selector, void* message);
  void DropPluginRegistrations();
  void RegisterSuites();
  void SendPendingToolChange();

  HostOptions options_;
  std::filesystem::path prefsFile_;
  std::unique_ptr<PluginLibrary> library_;
  std::shared_ptr<const FontList> fonts_;  // the system's, shared by every host
  DocumentPtr document_;
  History history_;
  SuiteRegistry suites_;
  FaultInjector faults_;
  PreferenceStore prefs_;
  bool prefsSaved_ = true;
  Keyboard keyboard_;
  EventLog events_;
  MenuModel menus_;
  ToolModel tools_;
  NotifierModel notifiers_;
  std::unique_ptr<toolkit::ToolkitServices> toolkitServices_;  // before dialogs_, which uses it
  toolkit::Toolkit dialogs_;
  IconTable icons_;
  std::unique_ptr<FrontEnd> frontEnd_ = std::make_unique<NullFrontEnd>();
  std::vector<std::string> messages_;
  std::unique_ptr<PluginLibrary> parkedLibrary_;  // unloaded but kept in memory
  std::set<std::uintptr_t> accessRefs_;
  std::uintptr_t nextAccessRef_ = 1;
  std::optional<AIToolHandle> toolBeforeChange_;
  int sendDepth_ = 0;
  void* globals_ = nullptr;
  bool launched_ = false;
  bool unloaded_ = false;  // unloaded by Unload(), to be reloaded before the next message
  ASErr lastResult_ = kNoErr;
};

// The one live host; aborts when there is none (a suite called with no host).
Host& CurrentHost();
// Null when there is none.
Host* CurrentHostOrNull();

}  // namespace hostsim
