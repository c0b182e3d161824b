// The print dialog: what to print (view, whole model, pages, selection), the run's options,
// header and footer, orientation and margins. Orientation, colour and the printer change the
// printer at once; the model's print settings are stored only on OK or Close.
#pragma once

#include <QDialog>

#include "io/publishing/printjob.h"

class QAbstractButton;
class QCheckBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class TModelDocument;
class TSystemPrinter;

class TMyPrintDialog : public QDialog {
  Q_OBJECT

 public:
  // The Close button's result: settings are kept, nothing is printed.
  static constexpr int kClosed = 2;

  TMyPrintDialog(TSystemPrinter& printer, QWidget* parent = nullptr);

  // Preset from the model and the options remembered from the last run.
  void Preset(const TModelDocument& document, const TPrintOptions& remembered);
  // The options chosen for the run.
  TPrintOptions Options() const;
  // Copies the dialog's model settings into the document; true when any of them changed.
  bool StoreInto(TModelDocument& document) const;
  // Re-reads the printer into the caption, the colour box and the orientation buttons.
  void ReadPrinter();
  // Cancel, Escape and the window's close box: Close once the printer was changed.
  void reject() override;

  // ---- Controls, for the tests that drive the dialog
  QRadioButton* CurrentViewButton;
  QRadioButton* WholeModelButton;
  QRadioButton* PagesButton;
  QRadioButton* SelectedButton;
  QLineEdit* FromEdit;
  QLineEdit* ToEdit;
  QCheckBox* FitBox;
  QCheckBox* BlankPagesBox;
  QSpinBox* CopiesSpin;
  QCheckBox* FramesBox;
  QCheckBox* ReverseBox;
  QCheckBox* GrayscaleBox;
  QCheckBox* HeaderBox;
  QCheckBox* FooterBox;
  QLineEdit* CommentsEdit;
  QRadioButton* PortraitButton;
  QRadioButton* LandscapeButton;
  QDoubleSpinBox* LeftSpin;
  QDoubleSpinBox* RightSpin;
  QDoubleSpinBox* TopSpin;
  QDoubleSpinBox* BottomSpin;
  QPushButton* OkButton;
  QPushButton* CancelButton;
  QPushButton* PrinterButton;

 private:
  void Build();
  // Orientation, colour, printer or copies changed: Cancel becomes Close.
  void PrinterChanged();
  void OrientationClicked();
  void GrayscaleClicked();
  void PrinterClicked();
  void ShowOrientationPicture();

  TSystemPrinter& printer_;
  QLabel* pagePicture_ = nullptr;
  bool changed_ = false;
  bool presetting_ = false;
};
