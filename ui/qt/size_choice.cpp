// The size choice and what screen readers are told of it. Qt's own
// accessible drop-down list gives the entry shown as its name on Linux, so a
// reader would announce "1/1" and never the label; this one takes the
// accessible name (the label) as its name and the entry as its value, and
// keeps the list of entries and the actions that open it.
#include "ui/qt/size_choice.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStylePainter>

namespace tessaro::qt {
namespace {

class SizeChoiceAccessible : public QAccessibleWidget {
 public:
  explicit SizeChoiceAccessible(SizeChoice* choice)
      : QAccessibleWidget(choice, QAccessible::ComboBox) {}

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Value) return Choice()->currentText();
    return QAccessibleWidget::text(t);  // the name: the accessible name set
  }
  // The list of entries, as the drop-down list's own interface gives it.
  int childCount() const override { return Choice()->view() != nullptr ? 1 : 0; }
  QAccessibleInterface* child(int index) const override {
    return index == 0 && Choice()->view() != nullptr
               ? QAccessible::queryAccessibleInterface(Choice()->view())
               : nullptr;
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    return child != nullptr && Choice()->view() != nullptr && child->object() == Choice()->view()
               ? 0
               : -1;
  }
  QStringList actionNames() const override {
    return QStringList{showMenuAction(), pressAction()} + QAccessibleWidget::actionNames();
  }
  void doAction(const QString& action) override {
    if (action == showMenuAction() || action == pressAction()) {
      Choice()->showPopup();
    } else {
      QAccessibleWidget::doAction(action);
    }
  }

 private:
  SizeChoice* Choice() const { return static_cast<SizeChoice*>(widget()); }
};

// Asked first for every object (factories installed last are asked first).
QAccessibleInterface* SizeChoiceFactory(const QString& className, QObject* object) {
  if (className != QLatin1String("QComboBox")) return nullptr;
  auto* choice = dynamic_cast<SizeChoice*>(object);
  return choice != nullptr ? new SizeChoiceAccessible(choice) : nullptr;
}

}  // namespace

SizeChoice::SizeChoice(QWidget* parent) : QComboBox(parent) {
  static const bool installed = [] {
    QAccessible::installFactory(SizeChoiceFactory);
    return true;
  }();
  (void)installed;
}

// At 44 pixels wide the styles' own label margins would cut "1/1" short:
// the frame and the arrow from the style, the text drawn here.
void SizeChoice::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionComboBox option;
  initStyleOption(&option);
  option.currentText.clear();
  painter.drawComplexControl(QStyle::CC_ComboBox, option);
  const QRect arrow =
      style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, this);
  QRect text = rect().adjusted(4, 0, 0, 0);
  text.setRight(arrow.left() - 1);
  painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                 QPalette::ButtonText));
  painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter, currentText());
}

}  // namespace tessaro::qt
