#include "hostsim/render/DialogPng.h"

#include <algorithm>
#include <vector>

#include "host/PluginExports.h"
#include "hostsim/Host.h"

namespace hostsim::render {
namespace {

constexpr int32_t kLineGap = 1;  // pixels between the lines of a wrapped text

Rgba Toolkit(int32_t color) { return FromChannels(toolkit::ColorOf(color)); }

void Bevel(Canvas& c, const ADMRect& r, bool sunken) {
  if (r.right <= r.left || r.bottom <= r.top) return;
  const Rgba topLeft = Toolkit(sunken ? kADMShadowColor : kADMLightColor);
  const Rgba bottomRight = Toolkit(sunken ? kADMLightColor : kADMShadowColor);
  c.Line({r.left, r.top}, {r.right - 1, r.top}, topLeft);
  c.Line({r.left, r.top}, {r.left, r.bottom - 1}, topLeft);
  c.Line({r.left, r.bottom - 1}, {r.right - 1, r.bottom - 1}, bottomRight);
  c.Line({r.right - 1, r.top}, {r.right - 1, r.bottom - 1}, bottomRight);
}

// One line of text in a rectangle, justified and centred vertically.
void TextInRect(Canvas& c, const toolkit::DrawRecord& r, const TextFace& face, Rgba color) {
  int32_t ascent = 0, descent = 0;
  Canvas::FaceMetrics(face, &ascent, &descent);
  const int32_t width = Canvas::TextWidth(r.text, face);
  int32_t x = r.rect.left;
  if (r.justify == kADMCenterJustify) x = (r.rect.left + r.rect.right - width) / 2;
  if (r.justify == kADMRightJustify) x = r.rect.right - width;
  const int32_t baseline = r.rect.top + (r.rect.bottom - r.rect.top - ascent - descent) / 2 + ascent;
  c.DrawText(r.text, {x, baseline}, face, color);
}

// Words wrapped to the rectangle's width, lines breaking at CR LF too, from
// its top; lines below its bottom are left out.
void TextInBox(Canvas& c, const toolkit::DrawRecord& r, const TextFace& face, Rgba color) {
  int32_t ascent = 0, descent = 0;
  Canvas::FaceMetrics(face, &ascent, &descent);
  int32_t baseline = r.rect.top + ascent;
  for (const std::string& line : WrapText(r.text, r.rect.right - r.rect.left, face)) {
    if (baseline + descent > r.rect.bottom) break;
    int32_t x = r.rect.left;
    const int32_t w = Canvas::TextWidth(line, face);
    if (r.justify == kADMCenterJustify) x = (r.rect.left + r.rect.right - w) / 2;
    if (r.justify == kADMRightJustify) x = r.rect.right - w;
    c.DrawText(line, {x, baseline}, face, color);
    baseline += ascent + descent + kLineGap;
  }
}

void Draw(Canvas& c, const toolkit::DisplayList& list, const PictureSources& sources) {
  for (const toolkit::DrawRecord& r : list.records) {
    const Rgba color = FromChannels(r.color);
    switch (r.op) {
      case toolkit::DrawOp::Clear: c.FillRect(r.rect, Toolkit(kADMBackgroundColor)); break;
      case toolkit::DrawOp::Line:
        if (r.points.size() == 2) c.Line(r.points[0], r.points[1], color);
        break;
      case toolkit::DrawOp::FrameRect: c.FrameRect(r.rect, color); break;
      case toolkit::DrawOp::FillRect: c.FillRect(r.rect, color); break;
      case toolkit::DrawOp::SunkenRect: Bevel(c, r.rect, true); break;
      case toolkit::DrawOp::RaisedRect: Bevel(c, r.rect, false); break;
      case toolkit::DrawOp::FrameOval: c.FrameOval(r.rect, color); break;
      case toolkit::DrawOp::FillOval: c.FillOval(r.rect, color); break;
      case toolkit::DrawOp::FramePolygon: c.FramePolygon(r.points, color); break;
      case toolkit::DrawOp::FillPolygon: c.FillPolygon(r.points, color); break;
      case toolkit::DrawOp::Text:
        if (!r.points.empty()) c.DrawText(r.text, r.points[0], sources.face(r.font), color);
        break;
      case toolkit::DrawOp::TextInRect: TextInRect(c, r, sources.face(r.font), color); break;
      case toolkit::DrawOp::TextInBox: TextInBox(c, r, sources.face(r.font), color); break;
      case toolkit::DrawOp::Picture:
        if (auto png = sources.picture(r.picture); png && !r.points.empty()) c.DrawPng(*png, r.points[0]);
        break;
    }
  }
}

bool Save(Host& host, ADMDialogRef dialog, const char* what, const std::filesystem::path& file, int32_t scale,
          std::string* problem) {
  const toolkit::DialogPicture* picture = dialog != nullptr ? host.dialogs().Paint(dialog) : nullptr;
  if (picture == nullptr) {
    *problem = std::string("there is no ") + what;
    return false;
  }
  if (picture->width <= 0 || picture->height <= 0 || picture->width > 8192 || picture->height > 8192) {
    *problem = std::string("the ") + what + " has no size to draw";
    return false;
  }
  Canvas canvas = RenderDialog(*picture, SourcesOf(host));
  if (scale > 1) canvas = canvas.Scaled(scale);
  const auto compression = host.options().quickPng ? Canvas::PngCompression::kFastest : Canvas::PngCompression::kSmallest;
  if (auto failed = canvas.WritePng(file, compression)) {
    *problem = "cannot write " + file.string() + ": " + *failed;
    return false;
  }
  return true;
}

}  // namespace

std::vector<std::string> WrapText(std::string_view text, int32_t width, const TextFace& face) {
  std::vector<std::string> lines;
  auto wrap = [&](const std::string& paragraph) {
    std::string line;
    std::size_t at = 0;
    while (at <= paragraph.size()) {
      const std::size_t end = std::min(paragraph.find(' ', at), paragraph.size());
      const std::string word = paragraph.substr(at, end - at);
      const std::string tried = line.empty() ? word : line + " " + word;
      if (!line.empty() && Canvas::TextWidth(tried, face) > width) {
        lines.push_back(line);
        line = word;
      } else {
        line = tried;
      }
      at = end + 1;
    }
    lines.push_back(line);
  };
  std::size_t at = 0;
  while (at <= text.size()) {
    std::size_t end = text.find('\n', at);
    if (end == std::string_view::npos) end = text.size();
    std::string part(text.substr(at, end - at));
    if (!part.empty() && part.back() == '\r') part.pop_back();
    wrap(part);
    at = end + 1;
  }
  return lines;
}

int32_t WrappedTextHeight(std::string_view text, int32_t width, const TextFace& face) {
  int32_t ascent = 0, descent = 0;
  Canvas::FaceMetrics(face, &ascent, &descent);
  const auto lines = static_cast<int32_t>(WrapText(text, width, face).size());
  return lines * (ascent + descent) + (lines - 1) * kLineGap;
}

PictureSources SourcesOf(Host& host) {
  PictureSources sources;
  sources.picture = [&host](int32_t id) { return host.PluginResource(kPictureResource, id); };
  sources.face = [&host](int32_t font) {
    const toolkit::ToolkitFont wanted = toolkit::FontOf(font);
    std::string name = wanted.family;
    if (wanted.bold) name += " Bold";
    if (wanted.italic) name += " Oblique";
    auto index = host.fonts().FindByFullName(name);
    if (!index) index = host.fonts().FindByFullName(wanted.family);
    TextFace face;
    face.pixels = wanted.pixels;
    if (index) {
      face.file = host.fonts().at(*index).file;
      face.faceIndex = host.fonts().at(*index).faceIndex;
    } else if (host.fonts().size() > 0) {
      face.file = host.fonts().at(0).file;
      face.faceIndex = host.fonts().at(0).faceIndex;
    }
    return face;
  };
  return sources;
}

Canvas RenderDialog(const toolkit::DialogPicture& picture, const PictureSources& sources) {
  Canvas canvas(picture.width, picture.height, Toolkit(kADMBackgroundColor));
  Draw(canvas, picture.background, sources);
  for (const toolkit::ItemPicture& item : picture.items) {
    canvas.SetFrame({item.bounds.left, item.bounds.top}, item.bounds);
    Draw(canvas, item.list, sources);
  }
  canvas.ResetFrame();
  return canvas;
}

bool SavePanelPng(Host& host, const std::filesystem::path& file, int32_t scale, std::string* problem) {
  return Save(host, host.dialogs().Panel(), "panel", file, scale, problem);
}

bool SaveDialogPng(Host& host, const std::filesystem::path& file, int32_t scale, std::string* problem) {
  return Save(host, host.dialogs().FrontModal(), "open dialog", file, scale, problem);
}

}  // namespace hostsim::render
