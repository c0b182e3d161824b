// The question of an exported picture's size: five presets or a size of the user's own.
// Closing it without OK cancels the export.
#pragma once

#include <QDialog>
#include <QSize>

class QButtonGroup;
class QLineEdit;

class TImageSizeDialog : public QDialog {
  Q_OBJECT

 public:
  explicit TImageSizeDialog(QWidget* parent = nullptr);
  // The chosen preset, or the typed size (320 and 200 for boxes that hold no number),
  // within the export's bounds.
  QSize ChosenSize() const;

 private:
  QButtonGroup* choices_;
  QLineEdit* width_;
  QLineEdit* height_;
};
