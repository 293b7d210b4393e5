// The magnet test's map of the drawing: every path's anchors and segments
// filed by place, so that a cursor position finds the few that could snap
// without visiting the whole document.
//
// The map is a copy of what the host holds, kept up to date by what the
// plug-in sees: the art it makes, disposes and writes itself (art made on
// top of the top layer is appended, paths disposed of near the top taken
// out; anything else and the host's list of paths is compared with the
// map's), and the notifications
// and tool changes after which anything may have changed (the host's list
// is followed and every path read again; only changed paths are filed
// again). The host sends its selection notification after every change it
// makes to the document. The caller reads each candidate path afresh from
// the host before trusting it, so a copy that went stale before the host's
// word arrived is found and mended there.
#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "host/AITypes.h"

struct MagnetCandidate {
  AIArtHandle path;
  int32_t index;        // the anchor, or the anchor that starts the segment
  bool segment;         // false: the anchor itself
  uint64_t samples[2];  // for a segment, bit k: the sample at t = k / 100 may lie within reach
};

inline bool MaySampleNear(const MagnetCandidate& c, int k) { return (c.samples[k / 64] >> (k % 64)) & 1u; }

// The first sample from `from` (0..127) on that may come near, or 128 when none does.
inline int NextSampleMayBeNear(const MagnetCandidate& c, int from) {
  for (int word = from / 64; word < 2; ++word) {
    const int skip = std::max(from - word * 64, 0);
    const uint64_t bits = c.samples[word] >> skip << skip;
    if (bits != 0) return word * 64 + std::countr_zero(bits);
  }
  return 128;
}

enum class MagnetVisit { Next, Stop };

// Gives visit the anchors within anchorReach of the cursor on both axes and
// the segments with a sample that may come within segmentReach of it (both
// with a little more for rounding), one at a time in the order the
// whole-document walk meets them (path by path in the host's order, anchor j
// before segment j) until visit says Stop. False when the host's list of
// paths cannot be had (`listed` false) or when the map cannot answer for this
// cursor (`listed` true: walk the whole document instead). The map may be
// mended by visit only when it then says Stop.
bool FindMagnetCandidates(AIRealPoint cursor, double anchorReach, double segmentReach,
                          const std::function<MagnetVisit(const MagnetCandidate&)>& visit, bool& listed);

// Takes a path's anchors as just read from the host. True when they differ
// from the map's copy, which is then replaced (the candidates found with the
// old copy are not to be trusted).
bool MendMagnetPath(AIArtHandle path, const std::vector<AIPathSegment>& segments);

// Anything in the document may have changed: before its next use the map
// follows the host's list of paths and reads every path again.
void MagnetDocumentChanged();
// The plug-in has made this art (followed without listing the document when
// it lies on top of the top layer).
void MagnetArtMade(AIArtHandle art);
// The plug-in is about to dispose of this art.
void MagnetArtDisposing(AIArtHandle art);
// The host's list of paths may have changed in a way the map cannot follow.
void MagnetArtListChanged();
// The plug-in has changed this art (a path's anchors, or a move).
void MagnetArtEdited(AIArtHandle art);
// Drops the map and its memory (shut-down, a new state block).
void ForgetMagnetMap();

// What the map holds now, for tests: the items filed, those of
// them looked at for every cursor, and the cells' size.
struct MagnetMapSize {
  std::size_t items;
  std::size_t everywhere;
  double cell;
};
MagnetMapSize MeasureMagnetMap();
// For tests: the cells along a side of the grid's blocks, from the next
// sizing on (0: chosen for the drawing).
void SetMagnetBlockSide(int cells);
