// Helpers for driving the studio's real window with QTest: mouse events with
// explicit buttons, the label art in the host's dump, alerts answered as they
// come up, and pictures checked for being more than one colour.
#pragma once

#include <filesystem>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QEvent>
#include <QImage>
#include <QPointF>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <nlohmann/json.hpp>

namespace studio {
class MainWindow;
}

namespace studiotest {

// The studio's questions (save before closing?, recover?), answered from the
// front of `next`, then with `otherwise`; each question asked is kept.
struct Answers {
  std::deque<int> next;
  int otherwise = 1;  // Discard: a test that closes a changed drawing leaves nothing behind
  QStringList asked;
};

// The window on the preference file, launched and shown, its questions answered.
std::unique_ptr<studio::MainWindow> OpenStudio(const std::filesystem::path& prefsFile,
                                               const std::shared_ptr<Answers>& answers);
// The user's state folder of a test: XDG_STATE_HOME set to `folder`.
void UseStateFolder(const std::filesystem::path& folder);
std::string ReadText(const std::filesystem::path& file);
void WriteText(const std::filesystem::path& file, const std::string& text);

void Mouse(QWidget* widget, QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::MouseButtons held,
           Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// Press at `from`, move through `steps` points to `to`, release there.
void DragOn(QWidget* widget, QPointF from, QPointF to, int steps = 4);
void ClickOn(QWidget* widget, QPointF at);

// Label groups (art named "Label ...") anywhere in the dump's layers.
std::vector<nlohmann::json> Labels(const nlohmann::json& layers);
// The label's children by name: "Lines", "Arrows".
const nlohmann::json* Child(const nlohmann::json& label, const std::string& name);
// Bounds [left, bottom, right, top] of a path's anchors.
std::vector<double> AnchorBounds(const nlohmann::json& path);
// The label's shape: its last child when that is a path.
const nlohmann::json* Shape(const nlohmann::json& label);

// Distinct colours in the picture (counting stops at `enough`).
int DistinctColours(const QImage& image, int enough = 16);
// Saves the picture under the test's picture folder; returns its path.
std::filesystem::path SaveShot(const QImage& image, const std::string& name);

// Answers every alert that comes up with its first button, keeping its text.
class AlertAnswerer {
 public:
  AlertAnswerer();
  const QStringList& texts() const { return texts_; }

 private:
  QTimer timer_;
  QStringList texts_;
};

// Runs `inside` once the next modal dialog is open (polled), so that a test
// can act in the nested loop the dialog runs.
void WhenModalOpens(const std::function<void()>& inside);

}  // namespace studiotest
