// The Fill Properties dialog: a pattern from the 49 or a gradient from the 16, each shown as
// a sample drawn by the model's own fill painter in the object's colours.
#pragma once

#include <QDialog>
#include <optional>

#include "platform/color.h"
#include "platform/pictures/picture.h"

class QTabWidget;
class TModelDocument;

// A grid of fill samples of one style; a click picks one.
class TFillSampleGrid : public QWidget {
  Q_OBJECT

 public:
  TFillSampleGrid(int fillStyle, int count, int columns, QSize cell, QWidget* parent);
  void SetColors(TColorRef face, TColorRef back);
  void SetCurrent(int index);
  int Current() const { return current_; }
  // The cell of a sample in the grid's pixels.
  QRect CellRect(int index) const;
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  int style_;
  int count_;
  int columns_;
  QSize cell_;
  TColorRef face_ = colors::White;
  TColorRef back_ = colors::Black;
  int current_ = 0;
};

class TFillPropertiesForm : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kPatterns = 49;
  static constexpr int kGradients = 16;

  explicit TFillPropertiesForm(QWidget* parent = nullptr);

  void SetValues(TColorRef face, TColorRef back, int pattern, int gradient, int fillStyle,
                 const std::optional<TPicture>& picture, bool pictureCentred);
  // 4 while the Gradient page shows, else 2.
  int FillStyle() const;
  int PatternIndex() const;
  int GradientIndex() const;
  const std::optional<TPicture>& Picture() const { return picture_; }
  bool PictureCentred() const { return pictureCentred_; }

  QTabWidget& Pages() const { return *pages_; }
  TFillSampleGrid& PatternGrid() const { return *patterns_; }
  TFillSampleGrid& GradientGrid() const { return *gradients_; }

 private:
  QTabWidget* pages_;
  TFillSampleGrid* gradients_;
  TFillSampleGrid* patterns_;
  std::optional<TPicture> picture_;
  bool pictureCentred_ = false;
};

// Fill Properties...: preset from the first selected filled object or the model's defaults;
// on OK the fill goes to every selected filled object, or into the defaults, and "Fill
// Properties" is recorded. False when cancelled.
bool RunFillProperties(QWidget* parent, TModelDocument& document);
