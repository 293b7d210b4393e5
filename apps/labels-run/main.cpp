// labels-run [--prefs FILE] [--plugin FILE] SCRIPT [--svg OUT.svg] [--dump OUT.json]
//            [--fail SUITE/OP/N[+]]... [--calls OUT.json]
#include <iostream>

#include <CLI/CLI.hpp>

#include "apps/labels-run/Echo.h"
#include "apps/labels-run/Runner.h"

int main(int argc, char** argv) {
  CLI::App app{"Runs a labels session script against the simulated host."};
  labelsrun::RunOptions options;
  std::string script, prefs, plugin = KPX_DEFAULT_PLUGIN, svg, dump, calls;
  std::vector<std::string> faults;
  app.add_option("script", script, "session script, one command a line")->required();
  app.add_option("--prefs", prefs, "preference file (default: the XDG config folder)");
  app.add_option("--plugin", plugin, "plug-in library to load")->capture_default_str();
  app.add_option("--svg", svg, "write the document as SVG at the end");
  app.add_option("--dump", dump, "write the observation dump as JSON at the end");
  app.add_flag("--verbose", options.verbose, "note non-zero plug-in codes on stderr");
  app.add_option("--fail", faults,
                 "fail the Nth call of a host operation, e.g. \"AI Art Suite/NewArt/3\"; N+ fails it and every later one");
  app.add_option("--calls", calls, "write the session's host calls per operation as JSON at the end");
  CLI11_PARSE(app, argc, argv);

  for (const std::string& text : faults) {
    auto rule = labelsrun::ParseFaultRule(text);
    if (!rule) {
      std::cerr << "labels-run: --fail takes SUITE/OP/N or SUITE/OP/N+, not " << labelsrun::Quoted(text) << "\n";
      return 2;
    }
    options.faults.push_back(*rule);
  }
  if (!calls.empty()) options.callsOut = calls;
  options.script = script;
  options.prefsFile = prefs;
  options.pluginFile = plugin;
  if (!svg.empty()) options.svgOut = svg;
  if (!dump.empty()) options.dumpOut = dump;
  return labelsrun::RunScript(options, std::cerr);
}
