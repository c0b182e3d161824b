// The Page Setup dialog: a model's size in pages (a preset or a custom count across and
// down) and its orientation.
#pragma once

#include <QDialog>
#include <array>

class QLabel;
class QLineEdit;
class QRadioButton;
class TModelForm;

class TModelSizeForm : public QDialog {
  Q_OBJECT

 public:
  // The bounds of a custom page count, as the preferences keep them.
  static constexpr int kMinPages = 1;
  static constexpr int kMaxPages = 50;

  explicit TModelSizeForm(QWidget* parent = nullptr);

  // Shows a size: the preset of exactly that pair, otherwise Custom with the counts.
  void SetValues(int across, int down, int orientation);
  // The chosen values (custom boxes read as whole numbers within the bounds).
  int Across() const;
  int Down() const;
  int Orientation() const;
  // The index of the chosen entry: the seven presets, then Custom (7).
  int Choice() const;
  void Choose(int index);
  QLineEdit& AcrossBox() const { return *across_; }
  QLineEdit& DownBox() const { return *down_; }

 private:
  void ChoiceChanged();
  void ShowOrientation();

  std::array<QRadioButton*, 8> choices_{};
  QLineEdit* across_;
  QLineEdit* down_;
  QRadioButton* portrait_;
  QRadioButton* landscape_;
  QLabel* page_;
};

// Model Size & Orientation and Page Setup: asks for the window's model size and on OK
// resizes the model, records "Set Model Size" and shows the whole model. False when
// cancelled.
bool RunPageSetup(QWidget* parent, TModelForm& form);
