#include "tests/studio/StudioTestKit.h"

#include <QApplication>
#include <QDialog>
#include <QAbstractButton>
#include <QMessageBox>
#include <QMouseEvent>
#include <QSet>
#include <QtTest>

#include <fstream>
#include <sstream>

#include "apps/labels-studio/MainWindow.h"

namespace studiotest {

std::unique_ptr<studio::MainWindow> OpenStudio(const std::filesystem::path& prefsFile,
                                               const std::shared_ptr<Answers>& answers) {
  studio::StudioOptions options;
  options.prefsFile = prefsFile;
  options.pluginFile = KPX_PLUGIN_FILE;
  auto window = std::make_unique<studio::MainWindow>(options);
  window->SetQuestion([answers](const QString& text, const QStringList&) {
    answers->asked << text;
    if (answers->next.empty()) return answers->otherwise;
    const int answer = answers->next.front();
    answers->next.pop_front();
    return answer;
  });
  std::string problem;
  if (!window->Launch(&problem)) qFatal("the plug-in did not start: %s", problem.c_str());
  window->show();
  if (!QTest::qWaitForWindowExposed(window.get())) qFatal("the window is not shown");
  return window;
}

void UseStateFolder(const std::filesystem::path& folder) { qputenv("XDG_STATE_HOME", folder.string().c_str()); }

std::string ReadText(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteText(const std::filesystem::path& file, const std::string& text) {
  std::ofstream(file, std::ios::binary) << text;
}

void Mouse(QWidget* widget, QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::MouseButtons held,
           Qt::KeyboardModifiers modifiers) {
  QMouseEvent event(type, at, widget->mapToGlobal(at), button, held, modifiers);
  QApplication::sendEvent(widget, &event);
}

void DragOn(QWidget* widget, QPointF from, QPointF to, int steps) {
  Mouse(widget, QEvent::MouseMove, from, Qt::NoButton, Qt::NoButton);
  Mouse(widget, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
  for (int i = 1; i <= steps; ++i) {
    const QPointF at = from + (to - from) * (static_cast<double>(i) / steps);
    Mouse(widget, QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton);
  }
  Mouse(widget, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
}

void ClickOn(QWidget* widget, QPointF at) {
  Mouse(widget, QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton);
  Mouse(widget, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
  Mouse(widget, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
}

namespace {
void CollectLabels(const nlohmann::json& art, std::vector<nlohmann::json>& out) {
  if (art.value("type", "") != "group") return;
  if (art.value("name", "").rfind("Label", 0) == 0) {
    out.push_back(art);
    return;
  }
  for (const auto& child : art["children"]) CollectLabels(child, out);
}
}  // namespace

std::vector<nlohmann::json> Labels(const nlohmann::json& layers) {
  std::vector<nlohmann::json> out;
  for (const auto& layer : layers) {
    for (const auto& art : layer["art"]) CollectLabels(art, out);
  }
  return out;
}

const nlohmann::json* Child(const nlohmann::json& label, const std::string& name) {
  for (const auto& child : label["children"]) {
    if (child.value("name", "") == name) return &child;
  }
  return nullptr;
}

std::vector<double> AnchorBounds(const nlohmann::json& path) {
  std::vector<double> b{1e9, 1e9, -1e9, -1e9};
  for (const auto& a : path["anchors"]) {
    const double x = a[0].get<double>(), y = a[1].get<double>();
    b[0] = std::min(b[0], x);
    b[1] = std::min(b[1], y);
    b[2] = std::max(b[2], x);
    b[3] = std::max(b[3], y);
  }
  return b;
}

const nlohmann::json* Shape(const nlohmann::json& label) {
  const auto& children = label["children"];
  if (children.empty() || children.back().value("type", "") != "path") return nullptr;
  return &children.back();
}

int DistinctColours(const QImage& image, int enough) {
  QSet<QRgb> seen;
  for (int y = 0; y < image.height(); y += 2) {
    for (int x = 0; x < image.width(); x += 2) {
      seen.insert(image.pixel(x, y));
      if (seen.size() >= enough) return enough;
    }
  }
  return static_cast<int>(seen.size());
}

std::filesystem::path SaveShot(const QImage& image, const std::string& name) {
  const std::filesystem::path dir = KPX_STUDIO_SHOTS_DIR;
  std::filesystem::create_directories(dir);
  const std::filesystem::path file = dir / (name + ".png");
  image.save(QString::fromStdString(file.string()));
  return file;
}

AlertAnswerer::AlertAnswerer() {
  timer_.setInterval(20);
  QObject::connect(&timer_, &QTimer::timeout, [this] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      texts_ << box->text();
      if (!box->buttons().isEmpty()) box->buttons().front()->click();
    }
  });
  timer_.start();
}

void WhenModalOpens(const std::function<void()>& inside) {
  auto* poll = new QTimer();
  poll->setInterval(10);
  QObject::connect(poll, &QTimer::timeout, [poll, inside] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr || qobject_cast<QMessageBox*>(dialog) != nullptr || !dialog->isVisible()) return;
    poll->stop();
    poll->deleteLater();
    inside();
  });
  poll->start();
}

}  // namespace studiotest
