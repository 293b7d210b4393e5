// Shared by the document's C suite tables: handles as ids, and the guard every
// operation runs in (no document, injected failure, no exception escapes).
#pragma once

#include <cmath>
#include <cstdint>

#include "host/AISuites.h"
#include "hostsim/document/Document.h"
#include "hostsim/suites/Guard.h"

namespace hostsim::suites {

inline ObjectId IdOf(const void* handle) { return static_cast<ObjectId>(reinterpret_cast<std::uintptr_t>(handle)); }

template <class Handle>
Handle HandleOf(ObjectId id) {
  return reinterpret_cast<Handle>(static_cast<std::uintptr_t>(id));
}

inline bool Finite(double v) { return std::isfinite(v); }

// Runs body(document) for the operation suite/op of the active document.
template <class Body>
AIErr Run(const char* suite, const char* op, Body&& body) noexcept {
  return GuardedWithoutHost(suite, op, [&]() -> AIErr {
    Document* doc = ActiveDocument();
    if (!doc) return kCantHappenErr;
    return body(*doc);
  });
}

// The art of a handle, optionally of one kind; null when dead or of another kind.
inline Art* FindArt(Document& doc, AIArtHandle handle) { return handle ? doc.FindArt(IdOf(handle)) : nullptr; }
inline Art* FindArt(Document& doc, AIArtHandle handle, ArtKind kind) {
  Art* art = FindArt(doc, handle);
  return art && art->kind == kind ? art : nullptr;
}

// The art a changing operation acts on; a handle that names none is counted
// in doc.deadHandleWrites.
inline Art* ArtToChange(Document& doc, AIArtHandle handle) {
  Art* art = FindArt(doc, handle);
  if (!art) {
    ++doc.deadHandleWrites;
  } else if (art->kind != ArtKind::Group) {
    // A path's anchors or a text may change. A group changes its paths' bounds
    // only when transformed, which tells the document itself.
    doc.ArtChanged(art->id);
  }
  return art;
}
inline Art* ArtToChange(Document& doc, AIArtHandle handle, ArtKind kind) {
  Art* art = ArtToChange(doc, handle);
  return art && art->kind == kind ? art : nullptr;
}

inline int16_t ArtTypeCode(ArtKind kind) {
  switch (kind) {
    case ArtKind::Group: return kGroupArt;
    case ArtKind::Path: return kPathArt;
    case ArtKind::Text: return kTextFrameArt;
    case ArtKind::Kept: return kUnknownArt;  // content the host keeps but no plug-in edits
  }
  return kUnknownArt;
}

bool ValidColor(const AIColor& c);

}  // namespace hostsim::suites
