// svg-corpus-check FILE...: opens and saves each file and says which do not
// come back as they were read. Exit status 1 when any does not.
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "SvgRoundTrip.h"

int main(int argc, char** argv) {
  const auto work = std::filesystem::temp_directory_path() / ("svg-corpus-" + std::to_string(::getpid()));
  int failed = 0, refused = 0, unrendered = 0;
  for (int i = 1; i < argc; ++i) {
    const roundtrip::Result r = roundtrip::Check(argv[i], work);
    if (r.refused) ++refused;
    if (!r.rendered) ++unrendered;
    if (!r.problem.empty()) {
      ++failed;
      std::printf("%s: %s\n", argv[i], r.problem.c_str());
    }
  }
  std::filesystem::remove_all(work);
  std::printf("%d files, %d held, %d failed (%d refused), %d not drawn by rsvg-convert itself\n", argc - 1,
              argc - 1 - failed, failed, refused, unrendered);
  return failed ? 1 : 0;
}
