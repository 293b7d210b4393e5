// Reading CSS style sheets into rules, and matching them to elements.
#include "hostsim/document/SvgStyleSheet.h"

#include <algorithm>
#include <cctype>
#include <optional>

#include "hostsim/document/SvgValues.h"

namespace hostsim::svg {
namespace {

std::string WithoutComments(std::string_view css) {
  std::string out;
  for (std::size_t i = 0; i < css.size(); ++i) {
    if (css[i] == '/' && i + 1 < css.size() && css[i + 1] == '*') {
      const std::size_t end = css.find("*/", i + 2);
      if (end == std::string_view::npos) break;
      i = end + 1;
      out.push_back(' ');
      continue;
    }
    out.push_back(css[i]);
  }
  return out;
}

bool NameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_' || static_cast<unsigned char>(c) >= 0x80; }

// One compound selector, or nothing when it has parts this reader does not match.
template <class Selector>
std::optional<Selector> ParseSelector(std::string_view text) {
  text = Trim(text);
  if (text.empty()) return std::nullopt;
  Selector s;
  std::size_t i = 0;
  auto name = [&]() {
    const std::size_t start = i;
    while (i < text.size() && NameChar(text[i])) ++i;
    return std::string(text.substr(start, i - start));
  };
  if (text[0] == '*') {
    ++i;
  } else if (NameChar(text[0])) {
    s.type = name();
    s.specificity += 1;
  }
  while (i < text.size()) {
    const char kind = text[i++];
    const std::string part = name();
    if (part.empty()) return std::nullopt;
    if (kind == '.') {
      s.classes.push_back(part);
      s.specificity += 100;
    } else if (kind == '#') {
      if (!s.id.empty()) return std::nullopt;
      s.id = part;
      s.specificity += 10000;
    } else {
      return std::nullopt;  // a combinator, pseudo class or attribute test
    }
  }
  return s;
}

bool HasClass(std::string_view classes, std::string_view wanted) {
  while (!classes.empty()) {
    std::size_t start = 0;
    while (start < classes.size() && IsSpace(classes[start])) ++start;
    std::size_t end = start;
    while (end < classes.size() && !IsSpace(classes[end])) ++end;
    if (end > start && classes.substr(start, end - start) == wanted) return true;
    classes.remove_prefix(end);
  }
  return false;
}

}  // namespace

std::vector<std::pair<std::string_view, std::string_view>> Declarations(std::string_view text) {
  std::vector<std::pair<std::string_view, std::string_view>> out;
  while (!text.empty()) {
    const std::size_t end = std::min(text.find(';'), text.size());
    const std::string_view declaration = text.substr(0, end);
    text.remove_prefix(std::min(end + 1, text.size()));
    const std::size_t colon = declaration.find(':');
    if (colon == std::string_view::npos) continue;
    std::string_view value = Trim(declaration.substr(colon + 1));
    if (const std::size_t bang = value.find("!important"); bang != std::string_view::npos) value = Trim(value.substr(0, bang));
    const std::string_view property = Trim(declaration.substr(0, colon));
    if (!property.empty()) out.emplace_back(property, value);
  }
  return out;
}

void StyleSheet::Add(std::string_view raw) {
  const std::string css = WithoutComments(raw);
  std::size_t i = 0;
  while (i < css.size()) {
    const std::size_t open = css.find('{', i);
    if (open == std::string::npos) break;
    std::string_view prelude = Trim(std::string_view(css).substr(i, open - i));
    // The block ends at its matching brace (at-rules hold nested blocks).
    int depth = 0;
    std::size_t close = open;
    for (; close < css.size(); ++close) {
      if (css[close] == '{') ++depth;
      if (css[close] == '}' && --depth == 0) break;
    }
    const std::string_view body = std::string_view(css).substr(open + 1, std::min(close, css.size()) - open - 1);
    i = close + 1;
    if (!prelude.empty() && prelude.front() == '@') continue;  // @media, @font-face, @import...: not applied
    std::vector<Declaration> declarations;
    for (const auto& [property, value] : Declarations(body)) declarations.emplace_back(Lower(property), std::string(value));
    while (!prelude.empty()) {
      const std::size_t comma = std::min(prelude.find(','), prelude.size());
      if (const auto selector = ParseSelector<Selector>(prelude.substr(0, comma))) {
        rules_.push_back({*selector, rules_.size(), declarations});
      }
      prelude.remove_prefix(std::min(comma + 1, prelude.size()));
    }
  }
}

std::vector<const StyleSheet::Declaration*> StyleSheet::Matching(std::string_view type, std::string_view id,
                                                                  std::string_view classes) const {
  std::vector<const Rule*> matched;
  for (const Rule& rule : rules_) {
    const Selector& s = rule.selector;
    if (!s.type.empty() && s.type != type) continue;
    if (!s.id.empty() && s.id != id) continue;
    if (!std::all_of(s.classes.begin(), s.classes.end(), [&](const std::string& c) { return HasClass(classes, c); })) continue;
    matched.push_back(&rule);
  }
  std::stable_sort(matched.begin(), matched.end(), [](const Rule* a, const Rule* b) {
    return a->selector.specificity < b->selector.specificity;
  });
  std::vector<const Declaration*> out;
  for (const Rule* rule : matched) {
    for (const Declaration& d : rule->declarations) out.push_back(&d);
  }
  return out;
}

}  // namespace hostsim::svg
