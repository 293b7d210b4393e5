// ADM List Suite and ADM Entry Suite: the entries of popups, menus and the flyout.
#include "hostsim/suites/ToolkitSuites.h"
#include "hostsim/suites/ToolkitSupport.h"
#include "hostsim/toolkit/Units.h"

namespace hostsim::suites {
namespace {

using toolkit::Entry;
using toolkit::EntryList;
using toolkit::Item;
using toolkit::Toolkit;

template <class Body>
ASErr OnList(const char* op, ADMListRef ref, Body&& body) {
  return Guarded(kADMListSuite, op, [&](Host& h) -> ASErr {
    Item* item = h.dialogs().FindListItem(ref);
    if (item == nullptr) return kBadParameterErr;
    return body(h.dialogs(), *item, *item->list);
  });
}

template <class Body>
ASErr OnEntry(const char* op, ADMEntryRef ref, Body&& body) {
  return Guarded(kADMEntrySuite, op, [&](Host& h) -> ASErr {
    auto place = h.dialogs().FindEntry(ref);
    if (!place) return kBadParameterErr;
    return body(h.dialogs(), *place);
  });
}

void Changed(Toolkit& tk, const Item& item) {
  tk.Invalidate(reinterpret_cast<ADMDialogRef>(item.dialog), Toolkit::HandleOf(item));
}

// An entry found, or null and kNameNotFoundErr.
ASErr Found(EntryList& list, std::optional<std::size_t> index, ADMEntryRef* entry) {
  if (entry == nullptr) return kBadParameterErr;
  *entry = index ? Toolkit::HandleOf(list.at(*index)) : nullptr;
  return index ? kNoErr : kNameNotFoundErr;
}

// -----------------------------------------------------------------------------
// List

ASErr SetMenuID(ADMListRef ref, int32_t menuID) {
  return OnList("SetMenuID", ref, [&](Toolkit& tk, Item& item, EntryList& list) -> ASErr {
    if (!tk.LoadMenu(list, menuID)) return kNameNotFoundErr;
    Changed(tk, item);
    return kNoErr;
  });
}

ASErr GetMenuID(ADMListRef ref, int32_t* menuID) {
  return OnList("GetMenuID", ref, [&](Toolkit&, Item&, EntryList& list) { return Out(menuID, list.menuId()); });
}

ASErr NumberOfEntries(ADMListRef ref, int32_t* count) {
  return OnList("NumberOfEntries", ref, [&](Toolkit&, Item&, EntryList& list) { return Out(count, list.size()); });
}

ASErr IndexEntry(ADMListRef ref, int32_t index, ADMEntryRef* entry) {
  return OnList("IndexEntry", ref, [&](Toolkit&, Item&, EntryList& list) -> ASErr {
    if (entry == nullptr || index < 0 || static_cast<std::size_t>(index) >= list.size()) return kBadParameterErr;
    *entry = Toolkit::HandleOf(list.at(static_cast<std::size_t>(index)));
    return kNoErr;
  });
}

ASErr GetEntry(ADMListRef ref, int32_t entryID, ADMEntryRef* entry) {
  return OnList("GetEntry", ref,
                [&](Toolkit&, Item&, EntryList& list) { return Found(list, list.IndexOfId(entryID), entry); });
}

ASErr FindEntry(ADMListRef ref, const char* text, ADMEntryRef* entry) {
  return OnList("FindEntry", ref, [&](Toolkit&, Item&, EntryList& list) -> ASErr {
    if (text == nullptr) return kBadParameterErr;
    return Found(list, list.IndexOfText(FromPlatform(text)), entry);
  });
}

ASErr InsertEntry(ADMListRef ref, int32_t index, ADMEntryRef* entry) {
  return OnList("InsertEntry", ref, [&](Toolkit& tk, Item& item, EntryList& list) -> ASErr {
    if (entry == nullptr || index < -1 || (index >= 0 && static_cast<std::size_t>(index) > list.size())) {
      return kBadParameterErr;
    }
    const std::size_t at = index < 0 ? list.size() : static_cast<std::size_t>(index);
    *entry = Toolkit::HandleOf(tk.InsertEntry(list, at));
    Changed(tk, item);
    return kNoErr;
  });
}

ASErr RemoveEntry(ADMListRef ref, int32_t index) {
  return OnList("RemoveEntry", ref, [&](Toolkit& tk, Item& item, EntryList& list) -> ASErr {
    if (index < 0 || static_cast<std::size_t>(index) >= list.size()) return kBadParameterErr;
    tk.RemoveEntry(list, static_cast<std::size_t>(index));
    Changed(tk, item);
    return kNoErr;
  });
}

ASErr GetSelectedEntry(ADMListRef ref, ADMEntryRef* entry) {
  return OnList("GetSelectedEntry", ref, [&](Toolkit&, Item&, EntryList& list) -> ASErr {
    if (entry == nullptr) return kBadParameterErr;
    const auto index = list.SelectedIndex();
    *entry = index ? Toolkit::HandleOf(list.at(*index)) : nullptr;
    return kNoErr;
  });
}

ASErr GetActiveEntry(ADMListRef ref, ADMEntryRef* entry) { return GetSelectedEntry(ref, entry); }

ASErr GetItem(ADMListRef ref, ADMItemRef* item) {
  return OnList("GetItem", ref, [&](Toolkit&, Item& i, EntryList&) { return Out(item, Toolkit::HandleOf(i)); });
}

const ADMListSuite kListSuite = {SetMenuID,   GetMenuID,   NumberOfEntries, IndexEntry,     GetEntry,        FindEntry,
                                 InsertEntry, RemoveEntry, GetActiveEntry,  GetSelectedEntry, GetItem};

// -----------------------------------------------------------------------------
// Entry

using Place = Toolkit::EntryPlace;

// Getters of one field, setters of one field the screen shows.
#define KPX_ENTRY_GET(Name, Type, expr)                                                  \
  ASErr Name(ADMEntryRef ref, Type* out) {                                               \
    return OnEntry(#Name, ref, [&](Toolkit&, Place& p) { return Out(out, (expr)); });    \
  }
#define KPX_ENTRY_SET(Name, Type, check, assign)                                         \
  ASErr Name(ADMEntryRef ref, Type v) {                                                  \
    return OnEntry(#Name, ref, [&](Toolkit& tk, Place& p) -> ASErr {                     \
      if (!(check)) return kBadParameterErr;                                             \
      assign;                                                                            \
      Changed(tk, *p.item);                                                              \
      return kNoErr;                                                                     \
    });                                                                                  \
  }

KPX_ENTRY_GET(GetList, ADMListRef, Toolkit::HandleOf(*p.list))
KPX_ENTRY_GET(GetIndex, int32_t, p.index)
KPX_ENTRY_SET(SetID, int32_t, true, p.entry->id = v)
KPX_ENTRY_GET(GetID, int32_t, p.entry->id)
KPX_ENTRY_SET(SetText, const char*, v != nullptr, p.entry->text = FromPlatform(v))

ASErr GetText(ADMEntryRef ref, char* text, int32_t size) {
  return OnEntry("GetText", ref, [&](Toolkit&, Place& p) { return ToPlatform(p.entry->text, text, size); });
}

KPX_ENTRY_GET(GetTextLength, int32_t, toolkit::CharCount(p.entry->text))
// Selecting an entry of a text edit popup shows its text in the field.
void SelectEntry(Place& p, bool select) {
  p.list->Select(p.index, select);
  if (select && p.item->info().textEdit) toolkit::ApplyText(*p.item, std::string(p.entry->text));
}

KPX_ENTRY_SET(Select, ASBoolean, true, SelectEntry(p, v != 0))
KPX_ENTRY_GET(IsSelected, ASBoolean, p.entry->selected ? 1 : 0)
KPX_ENTRY_SET(Activate, ASBoolean, true, SelectEntry(p, v != 0))
KPX_ENTRY_GET(IsActive, ASBoolean, p.entry->selected ? 1 : 0)
KPX_ENTRY_SET(Enable, ASBoolean, true, p.entry->enabled = v != 0)
KPX_ENTRY_GET(IsEnabled, ASBoolean, p.entry->enabled ? 1 : 0)
KPX_ENTRY_SET(Check, ASBoolean, true, p.entry->checked = v != 0)
KPX_ENTRY_GET(IsChecked, ASBoolean, p.entry->checked ? 1 : 0)
KPX_ENTRY_SET(MakeSeparator, ASBoolean, true, p.entry->separator = v != 0)
KPX_ENTRY_GET(IsSeparator, ASBoolean, p.entry->separator ? 1 : 0)
KPX_ENTRY_SET(SetUserData, ADMUserData, true, p.entry->userData = v)
KPX_ENTRY_GET(GetUserData, ADMUserData, p.entry->userData)

#undef KPX_ENTRY_GET
#undef KPX_ENTRY_SET

const ADMEntrySuite kEntrySuite = {GetList,   GetIndex,      SetID,
                                   GetID,     SetText,       GetText,
                                   GetTextLength, Select,    IsSelected,
                                   Activate,  IsActive,      Enable,
                                   IsEnabled, Check,         IsChecked,
                                   MakeSeparator, IsSeparator, SetUserData,
                                   GetUserData};

}  // namespace

const ADMListSuite& AdmListSuite() { return kListSuite; }
const ADMEntrySuite& AdmEntrySuite() { return kEntrySuite; }

}  // namespace hostsim::suites
