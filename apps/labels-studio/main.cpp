// labels-studio [--prefs FILE] [--plugin FILE] [DRAWING.svg]: the desktop
// front end. The preference file is the runner's, chosen the same way.
#include <iostream>

#include <QApplication>
#include <QCommandLineParser>
#include <QScreen>
#include <QTimer>

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
  const QCommandLineOption screenshot("screenshot", "Save a picture of the screen once the window is up, then quit.",
                                      "FILE.png");
  parser.addOption(prefs);
  parser.addOption(plugin);
  const QCommandLineOption labelsTool("labels-tool", "Start with the plug-in's tool selected.");
  parser.addOption(screenshot);
  parser.addOption(labelsTool);
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
    window.OfferRecoveryCopies();
    if (parser.isSet(labelsTool) && window.pluginToolAction()->isEnabled()) window.pluginToolAction()->trigger();
    if (window.panel() != nullptr) window.panel()->raise();
    if (parser.isSet(screenshot)) {
      const QString file = parser.value(screenshot);
      QTimer::singleShot(800, &window, [&window, file] {
        const QPixmap picture = QGuiApplication::primaryScreen()->grabWindow(0);
        if (picture.isNull() || !picture.save(file, "PNG")) {
          std::cerr << "labels-studio: cannot write " << file.toStdString() << "\n";
          QCoreApplication::exit(1);
          return;
        }
        window.close();
      });
    }
    return app.exec();
  } catch (const std::exception& e) {
    std::cerr << "labels-studio: the host cannot start: " << e.what() << "\n";
    return 2;
  }
}
