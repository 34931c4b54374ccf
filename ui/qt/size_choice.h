#pragma once
// The size choice (1/1, 1/2): a drop-down list that draws its short entries
// itself and that screen readers name by its label, with the entry shown as
// its value.

#include <QComboBox>

namespace tessaro::qt {

class SizeChoice : public QComboBox {
 public:
  // Screen readers read the choice through SizeChoiceAccessible from then on.
  explicit SizeChoice(QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace tessaro::qt
