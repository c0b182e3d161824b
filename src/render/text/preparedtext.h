// A short single-line text (an object's number) shaped once and drawn many times: painting a
// large model would otherwise shape every number twice on every paint.
#pragma once

#include <QFont>
#include <QStaticText>
#include <QString>
#include <optional>

class QPaintDevice;
class QPainter;

class TPreparedText {
 public:
  // Shapes text in font for device unless it is already prepared for exactly these.
  void Prepare(const QString& text, const QFont& font, const QPaintDevice* device);
  int Width() const { return width_; }
  int Height() const { return height_; }
  int Ascent() const { return ascent_; }
  // Draws with the painter's pen; left is the start of the text, top the top of its line.
  void Draw(QPainter& painter, int left, int top) const;

 private:
  QString text_;
  QFont font_;
  int dpiX_ = 0;
  int dpiY_ = 0;
  bool prepared_ = false;
  int width_ = 0;
  int height_ = 0;
  int ascent_ = 0;
  // Made when first prepared: every object has a number, most never show it.
  std::optional<QStaticText> staticText_;
};
