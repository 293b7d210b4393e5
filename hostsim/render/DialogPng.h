// Pictures of the host's dialogs: the display lists the toolkit recorded
// when it last painted a dialog, rendered to a PNG as a screen would show
// them, so that a person can see the panel or a dialog a session left.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "hostsim/render/Canvas.h"
#include "hostsim/toolkit/DisplayList.h"

namespace hostsim {
class Host;
}

namespace hostsim::render {

// Where the renderer finds the plug-in's pictures and the toolkit's faces.
struct PictureSources {
  std::function<std::optional<std::string_view>(int32_t pictureId)> picture;
  std::function<TextFace(int32_t font)> face;
};

// The plug-in's pictures and the faces of the toolkit's fonts, from the host.
PictureSources SourcesOf(Host& host);

// A text wrapped at spaces to lines no wider than `width` where a word allows,
// breaking at LF (CR LF) too, as a text in a box is drawn; and the height
// those lines take, one pixel apart.
std::vector<std::string> WrapText(std::string_view text, int32_t width, const TextFace& face);
int32_t WrappedTextHeight(std::string_view text, int32_t width, const TextFace& face);

// The dialog's background, then each item's list at its place, cut to it.
Canvas RenderDialog(const toolkit::DialogPicture& picture, const PictureSources& sources);

// Paints the panel (or the open modal dialog) afresh and writes its PNG,
// each pixel `scale` pixels wide (1..8). False, with the reason in
// `problem`, when there is none or the file cannot be written.
bool SavePanelPng(Host& host, const std::filesystem::path& file, int32_t scale, std::string* problem);
bool SaveDialogPng(Host& host, const std::filesystem::path& file, int32_t scale, std::string* problem);

}  // namespace hostsim::render
