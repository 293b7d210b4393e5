// labels-run [--prefs FILE] [--plugin FILE] SCRIPT [--svg OUT.svg] [--dump OUT.json]
#include <iostream>

#include <CLI/CLI.hpp>

#include "apps/labels-run/Runner.h"

int main(int argc, char** argv) {
  CLI::App app{"Runs a labels session script against the simulated host."};
  labelsrun::RunOptions options;
  std::string script, prefs, plugin = KPX_DEFAULT_PLUGIN, svg, dump;
  app.add_option("script", script, "session script, one command a line")->required();
  app.add_option("--prefs", prefs, "preference file (default: the XDG config folder)");
  app.add_option("--plugin", plugin, "plug-in library to load")->capture_default_str();
  app.add_option("--svg", svg, "write the document as SVG at the end");
  app.add_option("--dump", dump, "write the observation dump as JSON at the end");
  app.add_flag("--verbose", options.verbose, "note non-zero plug-in codes on stderr");
  CLI11_PARSE(app, argc, argv);

  options.script = script;
  options.prefsFile = prefs;
  options.pluginFile = plugin;
  if (!svg.empty()) options.svgOut = svg;
  if (!dump.empty()) options.dumpOut = dump;
  return labelsrun::RunScript(options, std::cerr);
}
