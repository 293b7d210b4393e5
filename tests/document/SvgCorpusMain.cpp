// svg-corpus-check [--list FILE] [FILE...]: opens and saves each SVG file
// (those named, and those listed one a line) and says which do not come back
// as they were read. Exit status 1 when any does not.
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "SvgRoundTrip.h"

int main(int argc, char** argv) {
  std::vector<std::string> files;
  std::size_t listed = 0, absent = 0;
  for (int i = 1; i < argc; ++i) {
    if (std::string(argv[i]) == "--list" && i + 1 < argc) {
      std::ifstream list(argv[++i]);
      for (std::string line; std::getline(list, line);) {
        if (line.empty()) continue;
        ++listed;
        // A machine set up from another package version may lack a listed file.
        std::error_code ec;
        if (!std::filesystem::is_regular_file(line, ec)) {
          ++absent;
          continue;
        }
        files.push_back(line);
      }
    } else {
      files.push_back(argv[i]);
    }
  }
  const auto work = std::filesystem::temp_directory_path() / ("svg-corpus-" + std::to_string(::getpid()));
  int failed = 0, refused = 0, unrendered = 0;
  for (const std::string& file : files) {
    const roundtrip::Result r = roundtrip::Check(file, work);
    if (r.refused) ++refused;
    if (!r.rendered) ++unrendered;
    if (!r.problem.empty()) {
      ++failed;
      std::printf("%s: %s\n", file.c_str(), r.problem.c_str());
    }
  }
  std::filesystem::remove_all(work);
  std::printf("%zu files, %zu held, %d failed (%d refused), %d not drawn by rsvg-convert itself\n", files.size(),
              files.size() - static_cast<std::size_t>(failed), failed, refused, unrendered);
  if (absent > 0) std::printf("%zu of the %zu listed files are not on this machine\n", absent, listed);
  // Most of the sample missing means the set-up differs, not that the files came through.
  if (absent * 2 > listed) return 1;
  return failed ? 1 : 0;
}
