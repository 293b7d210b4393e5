#include "apps/labels-studio/ItemWidgets.h"

// [SECTION] index
//   What every item widget shares
//   Buttons, check boxes, radio buttons, static texts, text edits
//   Popups, spin edits, sliders, frames
//   Painted items
//   The factory and modifier flags

#include <algorithm>
#include <cmath>

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QStandardItemModel>

#include "apps/labels-studio/DialogView.h"
#include "hostsim/toolkit/Units.h"

namespace studio {
namespace {

using hostsim::toolkit::Item;
using hostsim::toolkit::ItemKind;

QString Utf8(const std::string& text) { return QString::fromStdString(text); }

// -----------------------------------------------------------------------------
// [SECTION] What every item widget shares

// What every widget shows alike: place, visibility, enabling, tooltip.
void SyncCommon(QWidget* w, const Item& item) {
  const QRect place(item.bounds.left, item.bounds.top, std::max(0, item.bounds.right - item.bounds.left),
                    std::max(0, item.bounds.bottom - item.bounds.top));
  if (w->geometry() != place) w->setGeometry(place);
  if (w->isVisibleTo(w->parentWidget()) != item.visible) w->setVisible(item.visible);
  if (w->isEnabled() != item.enabled) w->setEnabled(item.enabled);
  if (w->toolTip() != Utf8(item.tooltip)) w->setToolTip(Utf8(item.tooltip));
  // The toolkit's small faces: texts fit the rectangles the plug-in laid out for them.
  const QFont font = QtFont(item.font);
  if (w->font() != font) w->setFont(font);
  w->setObjectName(QString("item%1").arg(item.id));
  w->setProperty("admKind", QString::fromUtf8(item.info().shortName));
}

// The shown value, range and step of a numeric item, in the units it shows.
struct ShownNumber {
  double value, min, max, step;
  int decimals;
};
ShownNumber Shown(const Item& item) {
  using hostsim::toolkit::ToShown;
  ShownNumber n{};
  n.value = ToShown(hostsim::toolkit::CurrentValue(item), item.units);
  n.min = item.min ? ToShown(*item.min, item.units) : -1e7;
  n.max = item.max ? ToShown(*item.max, item.units) : 1e7;
  if (n.min > n.max) std::swap(n.min, n.max);
  n.step = std::max(1e-6, std::fabs(ToShown(item.smallStep, item.units)));
  n.decimals = std::clamp(item.precision, 0, 6);
  return n;
}

// A widget that is both a Qt widget and an item's view.
template <class Base>
class Bound : public Base, public ItemWidget {
 public:
  Bound(DialogView& view, const Item& item) : Base(&view), view_(view), id_(item.id) {}
  QWidget* widget() override { return this; }

 protected:
  DialogView& view_;
  int32_t id_;
};

// -----------------------------------------------------------------------------
// [SECTION] Buttons, check boxes, radio buttons, static texts, text edits

class PushButton : public Bound<QPushButton> {
 public:
  PushButton(DialogView& view, const Item& item) : Bound(view, item) {
    setAutoDefault(false);
    connect(this, &QPushButton::clicked, this, [this] {
      const auto modifiers = ItemModifiersOf(QGuiApplication::keyboardModifiers());
      view_.Act([this, modifiers] { return view_.studio().user.ItemClick(id_, modifiers); });
    });
  }
  void Sync(const Item& item) override {
    SyncCommon(this, item);
    setText(Utf8(item.text));
    const hostsim::toolkit::Dialog* d = view_.studio().host.dialogs().Find(view_.dialog());
    setDefault(d != nullptr && d->modal && d->defaultItemId == item.id);
  }
};

template <class Base>
class Toggle : public Bound<Base> {
 public:
  Toggle(DialogView& view, const Item& item) : Bound<Base>(view, item) {
    if constexpr (std::is_same_v<Base, QRadioButton>) this->setAutoExclusive(false);  // the model runs the group
    QObject::connect(this, &Base::clicked, this, [this] {
      const auto modifiers = ItemModifiersOf(QGuiApplication::keyboardModifiers());
      this->view_.Act([this, modifiers] { return this->view_.studio().user.ItemClick(this->id_, modifiers); });
    });
  }
  void Sync(const Item& item) override {
    const QSignalBlocker block(this);
    SyncCommon(this, item);
    this->setText(Utf8(item.text));
    this->setChecked(item.value != 0);
  }
};

class StaticText : public Bound<QLabel> {
 public:
  StaticText(DialogView& view, const Item& item) : Bound(view, item) {
    setWordWrap(item.kind == ItemKind::TextStaticMultiLine);
    setTextFormat(Qt::PlainText);
  }
  void Sync(const Item& item) override {
    SyncCommon(this, item);
    setText(Utf8(hostsim::toolkit::ShownText(item)));
    const Qt::Alignment h = item.justify == kADMCenterJustify  ? Qt::AlignHCenter
                            : item.justify == kADMRightJustify ? Qt::AlignRight
                                                               : Qt::AlignLeft;
    setAlignment(h | (wordWrap() ? Qt::AlignTop : Qt::AlignVCenter));
  }
};

class TextEdit : public Bound<QLineEdit> {
 public:
  TextEdit(DialogView& view, const Item& item) : Bound(view, item) {
    // Typing is sent once it is done (Enter, or the focus leaves), and only when it changed the text.
    connect(this, &QLineEdit::editingFinished, this, [this] {
      const std::string typed = text().toStdString();
      if (typed == shown_) return;
      shown_ = typed;
      view_.Act([this, typed] { return view_.studio().user.ItemText(id_, typed); });
    });
  }
  void Sync(const Item& item) override {
    const QSignalBlocker block(this);
    SyncCommon(this, item);
    setMaxLength(std::max(1, item.maxTextLength));
    shown_ = hostsim::toolkit::ShownText(item);
    if (text().toStdString() != shown_) setText(Utf8(shown_));
  }

 private:
  std::string shown_;
};

// -----------------------------------------------------------------------------
// [SECTION] Popups, spin edits, sliders, frames

// Fills a combo box with the list's entries, separators and disabled ones
// where they stand, so that a position in the box is the same in the list.
void SyncEntries(QComboBox* box, const Item& item) {
  const QSignalBlocker block(box);
  QStringList texts;
  if (item.list) {
    for (const auto& e : item.list->entries()) texts << (e.separator ? QString("-") : Utf8(e.text));
  }
  QStringList current;
  for (int i = 0; i < box->count(); ++i) current << (box->itemData(i).toBool() ? QString("-") : box->itemText(i));
  if (current != texts) {
    box->clear();
    if (item.list) {
      for (const auto& e : item.list->entries()) {
        if (e.separator) {
          box->insertSeparator(box->count());
          box->setItemData(box->count() - 1, true);
        } else {
          box->addItem(Utf8(e.text));
        }
      }
    }
  }
  if (auto* model = qobject_cast<QStandardItemModel*>(box->model()); model != nullptr && item.list) {
    for (std::size_t i = 0; i < item.list->size() && static_cast<int>(i) < model->rowCount(); ++i) {
      if (QStandardItem* row = model->item(static_cast<int>(i)); row != nullptr && !item.list->at(i).separator) {
        row->setEnabled(item.list->at(i).enabled);
      }
    }
  }
  const auto selected = item.list ? item.list->SelectedIndex() : std::nullopt;
  if (!box->isEditable()) box->setCurrentIndex(selected ? static_cast<int>(*selected) : -1);
}

class Popup : public Bound<QComboBox> {
 public:
  Popup(DialogView& view, const Item& item) : Bound(view, item) {
    const bool editable = item.info().textEdit;
    setEditable(editable);
    connect(this, &QComboBox::activated, this, [this](int position) {
      view_.Act([this, position] { return view_.studio().user.ItemPick(id_, position); });
    });
    if (editable) {
      connect(lineEdit(), &QLineEdit::editingFinished, this, [this] {
        const std::string typed = lineEdit()->text().toStdString();
        if (typed == shown_) return;
        shown_ = typed;
        view_.Act([this, typed] { return view_.studio().user.ItemText(id_, typed); });
      });
    }
  }
  void Sync(const Item& item) override {
    const QSignalBlocker block(this);
    SyncCommon(this, item);
    SyncEntries(this, item);
    if (isEditable()) {
      shown_ = hostsim::toolkit::ShownText(item);
      if (lineEdit()->text().toStdString() != shown_) lineEdit()->setText(Utf8(shown_));
    }
  }

 private:
  std::string shown_;
};

// A number field with arrows, in the item's units, range, steps and decimals.
// A spin edit with a popup gets the list beside it.
class SpinEdit : public Bound<QWidget> {
 public:
  SpinEdit(DialogView& view, const Item& item) : Bound(view, item) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    spin_ = new QDoubleSpinBox(this);
    spin_->setKeyboardTracking(false);  // a value reaches the host when typed out or stepped
    spin_->setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    layout->addWidget(spin_, 1);
    connect(spin_, &QDoubleSpinBox::valueChanged, this, [this](double shown) {
      view_.Act([this, shown] { return view_.studio().user.ItemValue(id_, shown); });
    });
    if (item.info().hasList) {
      list_ = new QComboBox(this);
      list_->setFixedWidth(18);
      layout->addWidget(list_);
      connect(list_, &QComboBox::activated, this, [this](int position) {
        view_.Act([this, position] { return view_.studio().user.ItemPick(id_, position); });
      });
    }
  }
  void Sync(const Item& item) override {
    const QSignalBlocker block(spin_);
    SyncCommon(this, item);
    const ShownNumber n = Shown(item);
    spin_->setDecimals(n.decimals);
    spin_->setRange(n.min, n.max);
    spin_->setSingleStep(n.step);
    spin_->setSuffix(item.showUnits ? Utf8(std::string(hostsim::toolkit::UnitSuffix(item.units))) : QString());
    spin_->setValue(n.value);
    spin_->setToolTip(Utf8(item.tooltip));
    if (list_ != nullptr) SyncEntries(list_, item);
  }
  QDoubleSpinBox* spin() { return spin_; }

 private:
  QDoubleSpinBox* spin_ = nullptr;
  QComboBox* list_ = nullptr;
};

class Slider : public Bound<QSlider> {
 public:
  Slider(DialogView& view, const Item& item) : Bound(view, item) {
    setOrientation(Qt::Horizontal);
    setTracking(false);  // the value goes to the host when the knob is let go
    connect(this, &QSlider::valueChanged, this, [this](int shown) {
      view_.Act([this, shown] { return view_.studio().user.ItemValue(id_, shown); });
    });
  }
  void Sync(const Item& item) override {
    const QSignalBlocker block(this);
    SyncCommon(this, item);
    const ShownNumber n = Shown(item);
    setRange(static_cast<int>(std::lround(n.min)), static_cast<int>(std::lround(n.max)));
    setSingleStep(std::max(1, static_cast<int>(std::lround(n.step))));
    setValue(static_cast<int>(std::lround(n.value)));
  }
};

class Frame : public Bound<QFrame> {
 public:
  Frame(DialogView& view, const Item& item) : Bound(view, item) {
    setFrameStyle(QFrame::Box | QFrame::Sunken);
    setAttribute(Qt::WA_TransparentForMouseEvents);
  }
  void Sync(const Item& item) override {
    SyncCommon(this, item);
    lower();
  }
};

// -----------------------------------------------------------------------------
// [SECTION] Painted items

// Pictures and items the plug-in draws: painted from the display list, with
// every mouse event passed to the item's tracking (hover too).
class Painted : public Bound<QWidget> {
 public:
  Painted(DialogView& view, const Item& item) : Bound(view, item), handle_(item.handle) { setMouseTracking(true); }
  void Sync(const Item& item) override { SyncCommon(this, item); }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.setClipRect(rect());
    if (const hostsim::toolkit::DisplayList* list = view_.ListOf(handle_)) {
      PaintDisplayList(painter, *list, view_.pictures());
    }
  }
  void mousePressEvent(QMouseEvent* e) override {
    if (e->button() == Qt::LeftButton) Track(hostsim::TrackAction::Down, e);
  }
  void mouseMoveEvent(QMouseEvent* e) override {
    Track((e->buttons() & Qt::LeftButton) ? hostsim::TrackAction::Drag : hostsim::TrackAction::Hover, e);
  }
  void mouseReleaseEvent(QMouseEvent* e) override {
    if (e->button() == Qt::LeftButton) Track(hostsim::TrackAction::Up, e);
  }

 private:
  void Track(hostsim::TrackAction action, QMouseEvent* e) {
    const hostsim::ItemPoint at{static_cast<int32_t>(e->position().x()), static_cast<int32_t>(e->position().y())};
    const hostsim::ItemModifiers modifiers = ItemModifiersOf(e->modifiers());
    view_.Act([this, action, at, modifiers] { return view_.studio().user.ItemTrack(id_, action, at, modifiers); });
  }

  std::uintptr_t handle_;
};

}  // namespace

// -----------------------------------------------------------------------------
// [SECTION] The factory and modifier flags

bool PaintedFromDisplayList(const Item& item) {
  return item.drawProc != nullptr || item.info().picture || item.kind == ItemKind::User;
}

ItemWidget* MakeItemWidget(DialogView& view, const Item& item) {
  const hostsim::toolkit::KindInfo& k = item.info();
  if (PaintedFromDisplayList(item)) return new Painted(view, item);
  if (k.spinEdit) return new SpinEdit(view, item);
  if (k.hasList) return new Popup(view, item);
  if (k.pushButton) return new PushButton(view, item);
  if (k.checkBox) return new Toggle<QCheckBox>(view, item);
  if (k.radioButton) return new Toggle<QRadioButton>(view, item);
  if (k.textEdit) return new TextEdit(view, item);
  if (item.kind == ItemKind::Slider) return new Slider(view, item);
  if (item.kind == ItemKind::Frame) return new Frame(view, item);
  return new StaticText(view, item);
}

int32_t ModifierFlags(Qt::KeyboardModifiers modifiers) {
  int32_t flags = 0;
  if (modifiers & Qt::ControlModifier) flags |= kADMCommandKeyFlag;
  if (modifiers & Qt::AltModifier) flags |= kADMOptionKeyFlag;
  if (modifiers & Qt::ShiftModifier) flags |= kADMShiftKeyFlag;
  return flags;
}

hostsim::ItemModifiers ItemModifiersOf(Qt::KeyboardModifiers modifiers) {
  hostsim::ItemModifiers m;
  m.command = (modifiers & Qt::ControlModifier) != 0;
  m.option = (modifiers & Qt::AltModifier) != 0;
  m.shift = (modifiers & Qt::ShiftModifier) != 0;
  return m;
}

}  // namespace studio
