// labels-studio [--prefs FILE] [--plugin FILE] [DRAWING.svg]: the desktop
// front end. The preference file is the runner's, chosen the same way.
#include <iostream>

#include <QApplication>
#include <QCommandLineParser>

#include "apps/labels-studio/MainWindow.h"
#include "apps/labels-studio/PanelWindow.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("labels-studio");
  QCommandLineParser parser;
  parser.setApplicationDescription("Draws labels with the labels plug-in in the simulated host.");
  parser.addHelpOption();
  const QCommandLineOption prefs("prefs", "Preference file (default: the XDG config folder).", "FILE");
  const QCommandLineOption plugin("plugin", "Plug-in library to load.", "FILE", KPX_DEFAULT_PLUGIN);
  parser.addOption(prefs);
  parser.addOption(plugin);
  parser.addPositionalArgument("drawing", "An SVG drawing to open.", "[DRAWING.svg]");
  parser.process(app);
  if (parser.positionalArguments().size() > 1) {
    std::cerr << "labels-studio: one drawing at most\n";
    return 2;
  }

  studio::StudioOptions options;
  options.prefsFile = parser.value(prefs).toStdString();
  options.pluginFile = parser.value(plugin).toStdString();
  if (!parser.positionalArguments().isEmpty()) options.openFile = parser.positionalArguments().front().toStdString();

  try {
    studio::MainWindow window(options);
    std::string problem;
    if (!window.Launch(&problem)) {
      std::cerr << "labels-studio: " << problem << "\n";
      return 1;
    }
    window.show();
    if (window.panel() != nullptr) window.panel()->raise();
    return app.exec();
  } catch (const std::exception& e) {
    std::cerr << "labels-studio: the host cannot start: " << e.what() << "\n";
    return 2;
  }
}
