// The plug-in may use nothing but the C/C++ runtime and the two platform
// calls: every symbol it leaves undefined must come from those.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct UndefinedSymbol {
  std::string name;
  std::string version;  // empty when unversioned
};

// `nm -D --undefined-only` of the library; nothing when nm cannot be run.
bool UndefinedSymbols(const std::string& library, std::vector<UndefinedSymbol>& symbols) {
  const std::string command = "nm -D --undefined-only '" + library + "' 2>/dev/null";
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  if (pipe == nullptr) return false;
  char line[1024];
  bool any = false;
  while (std::fgets(line, sizeof line, pipe.get()) != nullptr) {
    std::istringstream words(line);
    std::string kind, symbol;
    if (!(words >> kind >> symbol)) continue;
    any = true;
    const auto at = symbol.find('@');
    symbols.push_back({symbol.substr(0, at), at == std::string::npos ? "" : symbol.substr(at)});
  }
  return any;
}

bool StartsWith(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }

bool FromTheRuntime(const UndefinedSymbol& s) {
  for (const char* v : {"@GLIBC_", "@@GLIBC_", "@GLIBCXX_", "@CXXABI_", "@GCC_"}) {
    if (StartsWith(s.version, v)) return true;
  }
  if (s.name == "__gmon_start__" || s.name == "_Jv_RegisterClasses" || StartsWith(s.name, "_ITM_") ||
      StartsWith(s.name, "__cxa_")) {
    return true;
  }
  return false;
}

}  // namespace

TEST(LibraryBoundary, ThePluginNeedsOnlyTheRuntimeAndThePlatformCalls) {
#ifdef KPX_SANITIZED_BUILD
  // The sanitizers' runtime takes over the C library's names, unversioned.
  GTEST_SKIP() << "checked in the build without sanitizers";
#endif
  std::vector<UndefinedSymbol> symbols;
  if (!UndefinedSymbols(KPX_PLUGIN_FILE, symbols)) GTEST_SKIP() << "nm is not available";
  for (const UndefinedSymbol& s : symbols) {
    if (s.name == "GetAsyncKeyState" || s.name == "Beep") continue;
    EXPECT_TRUE(FromTheRuntime(s)) << s.name << s.version << " comes from outside the runtime";
  }
}
