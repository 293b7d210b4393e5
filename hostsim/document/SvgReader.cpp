// SVG in: pugixml parses, a walk over the element tree builds a new
// document, and only a walk that finished replaces the open drawing. The
// reader itself is declared in SvgReaderImpl.h and defined in SvgReader*.cpp.
#include "hostsim/document/SvgReader.h"

#include <algorithm>
#include <fstream>
#include <new>
#include <sstream>
#include <string>
#include <system_error>
#include <utility>

#include <pugixml.hpp>

#include "hostsim/Encoding.h"
#include "hostsim/document/Document.h"
#include "hostsim/document/SvgReaderImpl.h"

namespace hostsim {
namespace {

std::string SizeText(std::uintmax_t bytes) {
  return bytes % (1u << 20) == 0 ? std::to_string(bytes >> 20) + " MiB" : std::to_string(bytes) + " bytes";
}

std::size_t LineAt(std::string_view text, std::ptrdiff_t offset) {
  const auto end = text.begin() + std::clamp<std::ptrdiff_t>(offset, 0, static_cast<std::ptrdiff_t>(text.size()));
  return 1 + static_cast<std::size_t>(std::count(text.begin(), end, '\n'));
}

}  // namespace

SvgReadResult ReadSvg(std::string_view text, Document& doc, const SvgLimits& limits) {
  SvgReadResult result;
  if (text.size() > limits.maxFileBytes) {
    result.error = "the file is larger than " + SizeText(limits.maxFileBytes);
    return result;
  }
  pugi::xml_document xml;
  pugi::xml_parse_result parsed = xml.load_buffer(text.data(), text.size(), pugi::parse_default);
  std::string converted;
  if (parsed && parsed.encoding != pugi::encoding_utf8) {
    // What is kept of the file is kept in UTF-8: read the file again as such.
    std::ostringstream out;
    xml.save(out, "", pugi::format_raw, pugi::encoding_utf8);
    converted = out.str();
    text = converted;
    parsed = xml.load_buffer(text.data(), text.size(), pugi::parse_default, pugi::encoding_utf8);
  }
  if (!parsed) {
    if (parsed.status == pugi::status_no_document_element) {
      result.error = "not an SVG file: it holds no element";
    } else {
      result.error = "not well-formed XML at line " + std::to_string(LineAt(text, parsed.offset)) + ": " +
                     parsed.description();
    }
    return result;
  }
  Document fresh(doc.fonts());
  fresh.fileName = doc.fileName;
  try {
    svgread::Reader reader(text, xml, fresh, limits);
    reader.Read();
    fresh.source = reader.TakeDrawing();
    result.warnings = reader.WarningLines();
  } catch (const svgread::ReadError& e) {
    result.error = SanitizeUtf8(e.what());
    return result;
  } catch (const std::bad_alloc&) {
    result.error = "the drawing is too large for the memory available";
    return result;
  }
  doc.ReplaceDrawing(std::move(fresh));
  result.ok = true;
  return result;
}

SvgReadResult OpenSvg(const std::filesystem::path& file, Document& doc, const SvgLimits& limits) {
  SvgReadResult result;
  std::error_code ec;
  const std::uintmax_t size = std::filesystem::file_size(file, ec);
  if (ec) {
    result.error = "cannot be read (" + ec.message() + ")";
    return result;
  }
  if (size > limits.maxFileBytes) {
    result.error = "the file is larger than " + SizeText(limits.maxFileBytes);
    return result;
  }
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    result.error = "cannot be opened";
    return result;
  }
  std::string text(static_cast<std::size_t>(size), '\0');
  in.read(text.data(), static_cast<std::streamsize>(text.size()));
  if (in.gcount() != static_cast<std::streamsize>(text.size())) {
    result.error = "cannot be read";
    return result;
  }
  const std::string previousName = doc.fileName;
  doc.fileName = file.filename().string();
  result = ReadSvg(text, doc, limits);
  if (!result.ok) doc.fileName = previousName;
  return result;
}

}  // namespace hostsim
