// The colour palette strip along the bottom of the main window: four target buttons (face,
// back, text and line colour) with a preview of the four colours, the grid of named colours,
// a well showing the spectrum colour under the pointer, and the spectrum. Every pick stores
// the colour in the current target and is reported once through Change.
#pragma once

#include <QColor>
#include <QWidget>
#include <array>

#include "platform/color.h"

class QAbstractButton;
class QButtonGroup;
class TCGPColorGrid;
class TColorPreviewBox;
class TColorWell;
class TSpectrum;

enum TPaletteTarget : int { ptForeground = 0, ptBackground = 1, ptText = 2, ptLine = 3 };

class TCGPColorPanel : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kHeight = 30;
  static constexpr int kTargetBlockWidth = 61;
  static constexpr int kSpacerWidth = 10;
  static constexpr int kWellWidth = 15;
  // The system colour of window text, the text target's first colour.
  static constexpr TColorRef kWindowText = 0x80000008u;

  explicit TCGPColorPanel(QWidget* parent = nullptr);

  // ---- The four working colours
  TColorRef ForeGroundColor() const { return colors_[ptForeground]; }
  TColorRef BackGroundColor() const { return colors_[ptBackground]; }
  TColorRef TextColor() const { return colors_[ptText]; }
  TColorRef LineColor() const { return colors_[ptLine]; }
  void SetForeGroundColor(TColorRef color) { SetTargetColor(ptForeground, color); }
  void SetBackGroundColor(TColorRef color) { SetTargetColor(ptBackground, color); }
  void SetTextColor(TColorRef color) { SetTargetColor(ptText, color); }
  void SetLineColor(TColorRef color) { SetTargetColor(ptLine, color); }
  TColorRef TargetColor(int target) const;
  // Stores the colour; when the target is the current one the grid marks its swatch.
  void SetTargetColor(int target, TColorRef color);

  // ---- The current target
  int Target() const { return target_; }
  // Presses the target's button and marks its colour in the grid.
  void SelectTarget(int target);

  // The colour to paint a stored colour with. Displays are true-colour, so this only
  // resolves system colours; every solid colour of the program's painting goes through it.
  static QColor DisplayColor(TColorRef color);

  // ---- Parts, for the main window's layout and for tests
  TCGPColorGrid& Grid() const { return *grid_; }
  TSpectrum& Spectrum() const { return *spectrum_; }
  TColorPreviewBox& PreviewBox() const { return *preview_; }
  TColorWell& Well() const { return *well_; }
  QAbstractButton* TargetButton(int target) const;

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 Q_SIGNALS:
  // After every pick from the grid or the spectrum: the current target and the colour.
  void Change(int target, TColorRef color);
  // A hint for the status bar: "|" followed by the text.
  void HintChanged(const QString& hint);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Pick(TColorRef color);
  void ShowHint(const QString& hint);
  void LayOut();

  std::array<TColorRef, 4> colors_;
  int target_ = ptForeground;
  QButtonGroup* targets_;
  TColorPreviewBox* preview_;
  TCGPColorGrid* grid_;
  TColorWell* well_;
  TSpectrum* spectrum_;
};
