// The rules of <style> elements (CSS): selectors of a type, classes and an
// id, joined into one compound selector ("path.outline", "#logo", ".a.b",
// "*"), in comma lists. Rules with other selectors (combinators, pseudo
// classes, attribute tests) and at-rules are skipped: they match nothing.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace hostsim::svg {

class StyleSheet {
 public:
  // Adds the rules of one style sheet, after those added before.
  void Add(std::string_view css);
  bool empty() const { return rules_.empty(); }

  using Declaration = std::pair<std::string, std::string>;  // property, value
  // The declarations of the rules that match an element, lowest priority
  // first: by specificity, then by order in the sheets.
  std::vector<const Declaration*> Matching(std::string_view type, std::string_view id, std::string_view classes) const;

 private:
  struct Selector {
    std::string type;  // empty: any
    std::string id;
    std::vector<std::string> classes;
    int specificity = 0;
  };
  struct Rule {
    Selector selector;
    std::size_t order = 0;
    std::vector<Declaration> declarations;
  };
  std::vector<Rule> rules_;
};

// Splits "a: b; c: d" into trimmed property and value pairs ("!important" dropped).
std::vector<std::pair<std::string_view, std::string_view>> Declarations(std::string_view text);

}  // namespace hostsim::svg
