#pragma once
// Dialog-template units to pixels, from the dialog font the way Windows
// derives them: a quarter of the average character width across, an eighth
// of the character height down.

#include <QFont>
#include <QFontMetrics>
#include <QRect>

namespace tessaro::qt {

// The dialogs' font: the Windows face first, then Japanese faces commonly
// installed elsewhere, 9 points.
inline QFont DialogFont() {
  QFont font;
  font.setFamilies({"MS PGothic", "IPAPGothic", "IPAGothic", "Noto Sans CJK JP",
                    "Hiragino Sans", "Droid Sans Japanese"});
  font.setPointSize(9);
  return font;
}

class DialogUnits {
 public:
  explicit DialogUnits(const QFont& font) {
    QFontMetrics metrics(font);
    const int width =
        metrics.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    baseX_ = (width / 26 + 1) / 2;
    baseY_ = metrics.height();
  }
  int X(int units) const { return units * baseX_ / 4; }
  int Y(int units) const { return units * baseY_ / 8; }
  QRect Rect(int x, int y, int width, int height) const {
    return QRect(X(x), Y(y), X(width), Y(height));
  }

 private:
  int baseX_ = 6;
  int baseY_ = 12;
};

}  // namespace tessaro::qt
