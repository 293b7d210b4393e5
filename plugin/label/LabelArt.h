// The label's host edge: turning anchors into path segments and writing
// them, styles, tags and names, always on art that is still alive.
#pragma once

#include <vector>

#include "host/AITypes.h"
#include "geometry/Anchor.h"

inline Point ToPoint(AIRealPoint p) { return {p.h, p.v}; }
inline AIRealPoint ToAIPoint(Point p) { return {p.x, p.y}; }
// A sharp path anchor (both handles on the point), corner flag set.
AIPathSegment SharpSegment(Point p);
Anchor ToAnchor(const AIPathSegment& segment);

// True while the handle names art in the document.
bool ArtAlive(AIArtHandle art);

// Gives the path exactly these anchors, closed or open, in one piece. A dead
// handle is left alone (kBadParameterErr).
ASErr WritePath(AIArtHandle path, const std::vector<Anchor>& anchors, bool closed);
ASErr WriteSegments(AIArtHandle path, const std::vector<AIPathSegment>& segments, bool closed);
// Reads every anchor of a path into `out` (cleared first).
ASErr ReadPath(AIArtHandle path, std::vector<AIPathSegment>& out);

// A new path or group placed by paintOrder relative to prep; null on failure.
ASErr NewArt(int16_t type, int16_t paintOrder, AIArtHandle prep, AIArtHandle* art);
// A new path with `anchors` anchors (all at the origin until written).
ASErr NewPath(int16_t paintOrder, AIArtHandle prep, int16_t anchors, AIArtHandle* path);
// Moves art by a vector.
ASErr MoveArt(AIArtHandle art, AIRealPoint by);
// Deletes art that is still alive and clears the handle.
void DisposeArt(AIArtHandle& art);

// Sets a tag of type "string" with the value "jj".
ASErr SetLabelTag(AIArtHandle art, const char* name);
bool HasTag(AIArtHandle art, const char* name);

int16_t ArtType(AIArtHandle art);
// Children of a group, top first.
std::vector<AIArtHandle> ChildrenOf(AIArtHandle group);
