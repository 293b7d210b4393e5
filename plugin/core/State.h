// The plug-in's one state block: the settings, the registrations, the label
// being drawn with the values in force, and the panel's and dialogs' fields.
// Allocated from the host at start-up, cleared, reached through gState, and
// parked in the host between an unload and a reload. Plain data only, so
// that it can live in a block of the host's memory.
//
// [SECTION] Settings (stored under their keys, see Settings.h)
// [SECTION] Registrations
// [SECTION] Pending label
// [SECTION] Panel and dialogs
// [SECTION] Tool
// [SECTION] Dialogs
// [SECTION] Editors
#pragma once

#include <cstdint>
#include <type_traits>

#include "core/Ids.h"
#include "geometry/HeadOutline.h"
#include "geometry/PointList.h"
#include "host/ADMSuites.h"
#include "host/AITypes.h"

struct State {
  //-----------------------------------------------------------------------------
  // [SECTION] Settings
  //-----------------------------------------------------------------------------
  int32_t         Etiquette;                                // default label shape, 0..3 (as ShapeKind)
  int32_t         Fleche;                                   // default arrowhead kind, 1..4 (as ArrowKind)
  ASBoolean       RVBC;                                     // outline colour is RGB (else grey)
  float           RougeGrisC;                               // outline red 0..255, or grey 0..100
  float           VertC;                                    // outline green 0..255
  float           BleuC;                                    // outline blue 0..255
  ASBoolean       RVBF;                                     // background colour is RGB (else grey)
  ASBoolean       Fond;                                     // the label shape is filled
  float           RougeGrisF;                               // background red 0..255, or grey 0..100
  float           VertF;                                    // background green 0..255
  float           BleuF;                                    // background blue 0..255
  ASBoolean       OutilsGroupe;                             // tool grouped with the pen tool; read at start-up only
  ASBoolean       InterieurObjet;                           // a click inside a filled object may start a label
  ASBoolean       Calque;                                   // labels go on a layer of their own
  ASBoolean       ClicDansVide;                             // a click outside every object may start a label
  ASBoolean       Son;                                      // sounds on
  ASBoolean       Magnetisme;                               // clicks snap to nearby paths
  ASBoolean       FouP;                                     // arrowheads (true) or points (false)
  int8_t          NbPtsFlEdit;                              // points of the custom arrowhead, 2..20
  BezierPointList PtFlEdit;                                 // custom arrowhead: anchors and tangent points
  ASBoolean       FouOEdit;                                 // custom arrowhead closed
  ASBoolean       CouPEdit;                                 // custom arrowhead hollow
  ASBoolean       FlecheCreuse;                             // triangular arrowhead (kind 3) hollow
  float           DebEditSegX;                              // custom arrowhead: where the leader line begins, x
  float           DebEditSegY;                              // custom arrowhead: where the leader line begins, y
  ASBoolean       SymetriEdit;                              // symmetric tangents in both editors (keys SymetriEdit, SymetrieArrondiEdit)
  int8_t          NbPtsArrondiEdit;                         // points of the custom corner, 2..20
  BezierPointList PtArEdit;                                 // custom corner: anchors and tangent points
  ASBoolean       CoinHG;                                   // custom corner at the top left
  ASBoolean       CoinHD;                                   // custom corner at the top right
  ASBoolean       CoinBG;                                   // custom corner at the bottom left
  ASBoolean       CoinBD;                                   // custom corner at the bottom right
  char            TexteLibre[kFreeTexts][kFreeTextSize];    // preferred free texts (keys TexteLibre1..5)
  float           RayonArrondi;                             // corner radius: > 0 convex, < 0 concave
  float           Pointes;                                  // arrowhead size, percent; 0 none
  float           Epaisseur;                                // line thickness, points
  float           Attaches;                                 // landing length, points, signed
  float           DecalageVerti;                            // vertical text offset, points
  float           DecalageHoriz;                            // horizontal text offset, points
  float           AnglePointe1;                             // open V half-opening, degrees
  float           AnglePointe2;                             // triangle half-opening, degrees
  int32_t         DecalageHorizTexte;                       // horizontal gap text to outline, points
  float           DecalageVertiTexte;                       // vertical gap text to outline, points
  int16_t         Tolerance;                                // magnetism distance, points
  char            Police[kFontNameSize];                    // font of the label text
  float           Corps;                                    // font size, points
  int32_t         VariablePolice;                           // offset added to the matching font's list position, 0..255

  //-----------------------------------------------------------------------------
  // [SECTION] Registrations
  //-----------------------------------------------------------------------------
  AIMenuItemHandle PanelMenuItem;                           // "Show/Hide KPX•Labels"
  AIMenuItemHandle AboutMenuItem;                           // "KPX•Labels…" in the About-plug-ins group
  ADMDialogRef     PanelRef;                                // the panel; null until the host has started
  AIToolHandle     LabelsTool;                              // the tool
  AINotifierHandle StartedNotifier;                         // "AI Application Started Notifier"
  ASBoolean        AlertShowing;                            // a message alert of the tool is on screen
  ASBoolean        ArrowEditorOpen;                         // the arrows editor is open

  //-----------------------------------------------------------------------------
  // [SECTION] Pending label
  //-----------------------------------------------------------------------------
  int32_t         ShapeKind;                                // 0 none, 1 rectangle, 2 ellipse, 3 triangle, 4 custom
  int32_t         ArrowKind;                                // arrowhead or point kind in use, 1..4
  ASBoolean       Dragged;                                  // a drag followed the last click
  int8_t          ArrowCount;                               // leader lines of the pending label, 0..29
  ASBoolean       EqualSides;                               // width and height made equal
  AIArtHandle     LabelGroup;                               // the label's group
  AIArtHandle     LinesGroup;                               // its "Lines" group
  AIArtHandle     ArrowsGroup;                              // its "Arrows" group
  AIPathStyle     LineStyle;                                // leader lines and hollow arrowheads
  AIPathStyle     ShapeStyle;                               // the label shape
  AIPathStyle     SolidHeadStyle;                           // solid arrowheads and points
  ASBoolean       LabelBuilt;                               // rebuilt at least once since the click
  ASBoolean       ClickAccepted;                            // the last click was allowed; the rebuild needs it
  ASBoolean       NumberOn;                                 // the text is the automatic number
  ASBoolean       LetterOn;                                 // the text is the automatic letter
  ASBoolean       ShapeOn;                                  // a shape is drawn (ShapeKind != 0)
  ASBoolean       LastFlipSide;                             // the previous label was flipped
  ASBoolean       FlipSide;                                 // the label sits on the other side of its line
  ASBoolean       KeepIndexOnce;                            // the next label keeps the current number or letter
  ASBoolean       TextOn;                                   // the label has a text
  ASBoolean       FreeTextOn;                               // the text is CurrentFreeText
  ASBoolean       ArrowsOn;                                 // arrowheads (true) or points (false)
  ASBoolean       ArrowheadsOn;                             // arrowhead paths are drawn
  ASBoolean       MoveMode;                                 // Space held during the drag
  ASBoolean       LeftSide;                                 // the main leader line points left
  ASBoolean       ClickInside;                              // the click was inside an object
  ASBoolean       SnapAnchor;                               // the click snapped to an anchor
  ASBoolean       SnapStraight;                             // ... to a straight segment
  ASBoolean       SnapCurve;                                // ... to a curved segment
  ASBoolean       OverLabelLine;                            // the cursor is over a label's leader line
  AIRealPoint     LastCursor;                               // cursor of the previous drag message
  HeadOutline     HeadPoints;                               // arrowhead or point outline in force
  int32_t         FreeTextLength;                           // length of CurrentFreeText
  char            CurrentFreeText[kFreeTextSize];           // the free text in use
  int32_t         LabelNumber;                              // automatic number, 1..32767
  char            LabelLetter;                              // automatic letter, A..Z or a..z
  AIArtHandle     ArrowPaths[kLeaderLineSlots];             // arrowhead path of each leader line
  AIArtHandle     LinePaths[kLeaderLineSlots];              // path of each leader line
  AIArtHandle     ShapePath;                                // the label shape
  AIArtHandle     TextFrame;                                // the point text
  AIPathSegment   Tips[kLeaderLineSlots];                   // 0: main tip; 1..29: tips of the clicks
  AIRealPoint     DownPoint;                                // tip of the last click
  AIPathSegment   LineStart;                                // start of a leader line
  AIPathSegment   AttachPoint;                              // where the main leader line ends
  AIPathSegment   LandingEnd;                               // end of the landing
  AIPathSegment   SnapSegA;                                 // snapping data
  AIPathSegment   SnapSegB;
  AIPathSegment   MagnetSegA;
  AIPathSegment   MagnetSegB;
  float           ArrowSizeInForce;                         // arrowhead size, percent
  float           LineWidthInForce;                         // line width, points
  float           LandingLength;                            // landing length, signed
  float           TextOffsetH;                              // from DecalageHoriz
  float           TextOffsetV;                              // from DecalageVerti
  float           LeaderAngle;                              // main leader line direction, radians, 0 right
  float           LeaderLength;                             // main leader line length
  int32_t         TextGapH;                                 // from DecalageHorizTexte
  float           TextGapV;                                 // from DecalageVertiTexte
  AIRealPoint     TextAnchor;                               // where the text's anchor stands
  float           LabelCenterX;                             // x of the label box centre (y: LandingEnd)
  int32_t         FontListIndex;                            // position of the font in the panel's list

  //-----------------------------------------------------------------------------
  // [SECTION] Panel and dialogs
  //-----------------------------------------------------------------------------
  float           ArrowSizeShown;                           // the panel's arrowhead size
  float           LineWidthShown;                           // the panel's line width
  float           LandingLengthShown;                       // the panel's landing length
  SPAccessRef     PanelAccess;                              // the panel's hold on its own plug-in while it exists
  ASBoolean       CloseArmed;                               // the next close-box notification comes from the user
  int16_t         HelpPage;                                 // help page shown, 1..HelpPageCount
  int16_t         HelpPageCount;                            // 11
  char            FreeTextHead[2];                          // start of the free text while the letter borrows it
  ASBoolean       ColorsOpen;                               // the colours and options dialog is open
  ASBoolean       PrefsOpen;                                // the preferences dialog is open
  ASBoolean       ShapeEditorOpen;                          // the shape editor is open
  ASBoolean       FreeTextDlgOpen;                          // the preferred free text dialog is open
  ADMRect         PrefsDialogRect;                          // where each dialog opens: screen pixels,
  ADMRect         ColorsDialogRect;                         //   left and top set when the panel is built,
  ADMRect         FreeTextDialogRect;                       //   then kept where the user leaves the dialog
  ADMRect         ArrowsEditorRect;
  ADMRect         ShapeEditorRect;

  //-----------------------------------------------------------------------------
  // [SECTION] Tool
  //-----------------------------------------------------------------------------
  ASBoolean       TakenUp;                                  // the pending label is a finished one taken up again

  //-----------------------------------------------------------------------------
  // [SECTION] Dialogs
  //-----------------------------------------------------------------------------
  ADMDialogRef    PrefsDialog;                              // the open Preferences dialog, or null
  ADMItemRef      PrefsSizeArea;                            // its click area beside the size field (id 3, as Default), or null
  ADMDialogRef    ColorsDialog;                             // the open Colors and options dialog, or null
  // Preferences: working copies of the settings it edits
  float           PrefsPointes;                             // Pointes
  float           PrefsEpaisseur;                           // Epaisseur
  float           PrefsAttaches;                            // Attaches
  float           PrefsRayonArrondi;                        // RayonArrondi
  float           PrefsDecalageVerti;                       // DecalageVerti
  float           PrefsDecalageHoriz;                       // DecalageHoriz
  int32_t         PrefsFleche;                              // Fleche
  int32_t         PrefsEtiquette;                           // Etiquette
  ASBoolean       PrefsFouP;                                // FouP
  ASBoolean       PrefsSon;                                 // Son
  ASBoolean       PrefsClicDansVide;                        // ClicDansVide
  ASBoolean       PrefsMagnetisme;                          // Magnetisme
  ASBoolean       PrefsCalque;                              // Calque
  ASBoolean       PrefsOutilsGroupe;                        // OutilsGroupe
  float           PrefsInterieurObjet;                      // InterieurObjet, 0.0 or 1.0
  int16_t         PrefsTolerance;                           // Tolerance
  // Colors and options: working copies; a colour is its RGB flag and three
  // components (grey level in percent first, or red, green, blue 0..255)
  ASBoolean       ColorsRgbOutline;                         // RVBC
  float           ColorsOutline[3];                         // RougeGrisC, VertC, BleuC
  ASBoolean       ColorsRgbBackground;                      // RVBF
  float           ColorsBackground[3];                      // RougeGrisF, VertF, BleuF
  float           ColorsAngle1;                             // AnglePointe1, degrees
  float           ColorsAngle2;                             // AnglePointe2, degrees
  ASBoolean       ColorsHollow;                             // FlecheCreuse
  int32_t         ColorsGapH;                               // TextGapH
  float           ColorsGapV;                               // TextGapV
  ASBoolean       EditingOutline;                           // the colour controls edit the outline (else the background)
  int32_t         AngleDragX;                               // x of the last event of an angle drag

  //-----------------------------------------------------------------------------
  // [SECTION] Editors (one is open at a time: the working copy and the canvas state)
  //-----------------------------------------------------------------------------
  int8_t          EditCount;                                // points of the working outline, 2..20
  BezierPointList EditPoints;                               // the working outline (all 20 entries)
  ASBoolean       EditClosed;                               // arrowhead: closed outline
  ASBoolean       EditHollow;                               // arrowhead: stroked rather than filled
  ASBoolean       EditSymmetric;                            // edits move points in mirror pairs
  float           EditLineStartX;                           // arrowhead: where the leader line begins
  float           EditLineStartY;
  ASBoolean       EditCorners[4];                           // corner used at top-left, top-right, bottom-left, bottom-right
  int16_t         EditSelection;                            // 0..19 anchor, 200+i in, 400+i out, 110 line start, 100 nothing
  int32_t         EditMode;                                 // 0 move points, 1 add or delete points
  int8_t          GridSpacing;                              // 4, 10, 20, 50 or 100 canvas pixels
  ASBoolean       GridShown;
  ASBoolean       GridMagnetism;                            // drags snap to the grid
  ASBoolean       AngleFlag;                                // arrowhead: the selected point is an angle point
  ASBoolean       PickArmed;                                // the next drag event first looks for a mark under the pointer
  ADMRGBColor     GridColor;                                // the host's light grid colour
  ADMRGBColor     MarkColor;                                // handles and marks
  ADMRGBColor     EditOutlineColor;                         // the label outline colour
};

static_assert(std::is_trivially_copyable_v<State> && std::is_standard_layout_v<State>,
              "the state block is plain memory from the host's allocator");

extern State* gState;

// Allocates the block through the basic suite and clears it. Returns the
// allocator's code; gState is set only on success.
ASErr AllocateState();
// Frees the block through the basic suite and clears gState.
void FreeState();
