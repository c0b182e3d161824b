#include "app/options/optionsdialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/dialogs/dialogservice.h"
#include "app/options/optionspreview.h"
#include "app/settings/settingsstore.h"
#include "model/layers/filled.h"
#include "model/layers/lined.h"

namespace {

// The line widths of the Line Thickness menu, in quarters of a point.
// A control captioned by a setting's own name or another.
struct TChoice {
  const char* Caption;
  TSettingId Id;
};

struct TThickness {
  const char* Caption;
  int Quarters;
};
constexpr TThickness kThicknesses[] = {
    {"Hairline", 0}, {"\u00bc pt", 1}, {"\u00bd pt", 2}, {"\u00be pt", 3},
    {"1 pt", 4},     {"2 pt", 8},      {"3 pt", 12},     {"4 pt", 16},
    {"5 pt", 20},    {"6 pt", 24},     {"8 pt", 32},     {"10 pt", 40},
};

constexpr int kOtherPage = 4;

QIcon Swatch(TColorRef colour)
{
  QPixmap pixmap(24, 16);
  pixmap.fill(ToQColor(colour));
  QPainter painter(&pixmap);
  painter.setPen(Qt::black);
  painter.drawRect(pixmap.rect().adjusted(0, 0, -1, -1));
  return QIcon(pixmap);
}

// "Fg|Foreground Color": the hint a control carries.
void SetHint(QWidget* widget, const QString& hint)
{
  widget->setToolTip(hint);
  widget->setStatusTip(hint);
}

}  // namespace

TOptionsDialog::TOptionsDialog(TPreferences& preferences, TSettingsStore& store,
                               IDialogService& dialogs, const TOptionsHooks& hooks, QWidget* parent)
    : QDialog(parent),
      preferences_(preferences),
      edited_(preferences),
      store_(store),
      dialogs_(dialogs),
      hooks_(hooks)
{
  setObjectName(QStringLiteral("OptionsDialog"));
  setWindowTitle(QStringLiteral("Options"));
  BuildFillMenu();
  BuildLineMenu();
  pages_ = new QTabWidget(this);
  pages_->setObjectName(QStringLiteral("Pages"));
  pages_->addTab(BuildModelPage(), QStringLiteral("Model"));
  pages_->addTab(BuildCogiPage(), QStringLiteral("Cogis"));
  pages_->addTab(BuildClusterPage(), QStringLiteral("Clusters"));
  pages_->addTab(BuildStandardisePage(), QStringLiteral("Standardise"));
  pages_->addTab(BuildOtherPage(), QStringLiteral("Other"));
  pages_->setCurrentIndex(kOtherPage);

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
  ok->setObjectName(QStringLiteral("OK"));
  ok->setDefault(true);
  SetHint(ok, QStringLiteral("Save Options and apply to current model"));
  QPushButton* cancel = buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
  cancel->setObjectName(QStringLiteral("Cancel"));
  QPushButton* apply = buttons->addButton(QStringLiteral("&Apply"), QDialogButtonBox::ApplyRole);
  apply->setObjectName(QStringLiteral("Apply"));
  SetHint(apply, QStringLiteral("Save options and apply to all open models."));
  connect(ok, &QPushButton::clicked, this, &TOptionsDialog::OkClick);
  connect(apply, &QPushButton::clicked, this, &TOptionsDialog::ApplyClick);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(pages_);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  LoadControls();
}

TOptionsResult TOptionsDialog::Run(QWidget* parent, TPreferences& preferences,
                                   TSettingsStore& store, IDialogService& dialogs,
                                   const TOptionsHooks& hooks)
{
  TOptionsDialog dialog(preferences, store, dialogs, hooks, parent);
  dialog.exec();
  return dialog.Result();
}

// ---- Pages ---------------------------------------------------------------------------------

QWidget* TOptionsDialog::BuildModelPage()
{
  auto* page = new QWidget;
  auto* grid = new QGridLayout(page);
  auto* zoom = new QPushButton(QStringLiteral("Zoom Speed"), page);
  zoom->setObjectName(QStringLiteral("ZoomSpeed"));
  connect(zoom, &QPushButton::clicked, this, &TOptionsDialog::ZoomSpeedClick);
  grid->addWidget(zoom, 0, 0);
  grid->addWidget(new QLabel(QStringLiteral("Color"), page), 1, 0);
  grid->addWidget(
      ColourBox("Model Color", QStringLiteral("Model Color"), QStringLiteral("Model Color")), 1, 1);
  QToolButton* gridLines = Toggle(QStringLiteral("Grid Lines"), QStringLiteral("Grid Lines"));
  Bind(gridLines, "Show Grid Lines");
  QToolButton* snapGrid = Toggle(QStringLiteral("Snap To Grid"), QStringLiteral("Snap To Grid"));
  Bind(snapGrid, "Snap To Grid");
  QToolButton* snapShape = Toggle(QStringLiteral("Snap To Shape"), QStringLiteral("Snap To Shape"));
  Bind(snapShape, "Snap To Shape");
  grid->addWidget(gridLines, 2, 0);
  grid->addWidget(snapGrid, 3, 0);
  grid->addWidget(snapShape, 4, 0);
  auto* size = new QPushButton(QStringLiteral("Size && Orientation"), page);
  size->setObjectName(QStringLiteral("SizeOrientation"));
  SetHint(size, QStringLiteral("Page Size && Orientation"));
  size->setEnabled(static_cast<bool>(hooks_.PageSetup));
  connect(size, &QPushButton::clicked, this, &TOptionsDialog::SizeOrientationClick);
  grid->addWidget(size, 5, 0);
  auto* preview = new TOptionsPreview(TOptionsPreview::TKind::Model, edited_, page);
  preview->setObjectName(QStringLiteral("ModelPreview"));
  previews_.push_back(preview);
  grid->addWidget(preview, 0, 2, 7, 1);
  grid->setRowStretch(6, 1);
  return page;
}

QWidget* TOptionsDialog::BuildCogiPage()
{
  auto* page = new QWidget;
  auto* grid = new QGridLayout(page);

  auto* colours = new QGroupBox(QStringLiteral("Color:"), page);
  auto* colourRow = new QHBoxLayout(colours);
  colourRow->addWidget(
      ColourBox("Cogi FG Color", QStringLiteral("Fg"), QStringLiteral("Foreground Color")));
  colourRow->addWidget(
      ColourBox("Cogi BG Color", QStringLiteral("Bg"), QStringLiteral("Background Color")));
  colourRow->addWidget(
      ColourBox("Cogi T Color", QStringLiteral("Tx"), QStringLiteral("Text Color")));
  colourRow->addWidget(
      ColourBox("Cogi L Color", QStringLiteral("Ln"), QStringLiteral("Line Color")));
  grid->addWidget(colours, 0, 0);

  auto* sizes = new QGroupBox(QStringLiteral("Size:"), page);
  auto* sizeRow = new QHBoxLayout(sizes);
  auto* sizeGroup = new QButtonGroup(this);
  const QString sizeNames[] = {QStringLiteral("Small"), QStringLiteral("Medium"),
                               QStringLiteral("Large")};
  for (int code = 0; code < 3; ++code) {
    QToolButton* button = Toggle(sizeNames[code], sizeNames[code]);
    sizeGroup->addButton(button, code);
    sizeRow->addWidget(button);
    sizeButtons_.push_back(button);
  }
  connect(sizeGroup, &QButtonGroup::idClicked, this, [this](int code) {
    edited_.Set("Cogi Size", code);
    Changed();
  });
  grid->addWidget(sizes, 1, 0);

  auto* fillLine = new QGroupBox(QStringLiteral("Fill && Line:"), page);
  auto* fillRow = new QHBoxLayout(fillLine);
  auto* fill = new QToolButton(fillLine);
  fill->setObjectName(QStringLiteral("FillStyle"));
  fill->setText(QStringLiteral("Fill"));
  SetHint(fill, QStringLiteral("Fill Style"));
  fill->setMenu(fillMenu_);
  fill->setPopupMode(QToolButton::InstantPopup);
  // Room for the drop-down mark beside the caption rather than over it.
  fill->setMinimumWidth(fill->sizeHint().width() + 14);
  fillRow->addWidget(fill);
  lineStyle_ = Toggle(QStringLiteral("Line"), QStringLiteral("Line Style"));
  connect(lineStyle_, &QAbstractButton::clicked, this, [this](bool down) {
    edited_.Set("Cogi Line Style", down ? 0 : kLineNone);
    Changed();
  });
  fillRow->addWidget(lineStyle_);
  auto* thickness = new QToolButton(fillLine);
  thickness->setObjectName(QStringLiteral("LineThickness"));
  thickness->setText(QStringLiteral("Thickness"));
  SetHint(thickness, QStringLiteral("Line Thickness"));
  thickness->setMenu(lineMenu_);
  thickness->setPopupMode(QToolButton::InstantPopup);
  thickness->setMinimumWidth(thickness->sizeHint().width() + 14);
  fillRow->addWidget(thickness);
  shadowed_ = Toggle(QStringLiteral("Shadowed"), QStringLiteral("Shadowed"));
  connect(shadowed_, &QAbstractButton::clicked, this, [this](bool down) {
    edited_.Set("Cogi Shadow Style", down ? 1 : 0);
    Changed();
  });
  fillRow->addWidget(shadowed_);
  style3D_ = Toggle(QStringLiteral("3D"), QStringLiteral("3D"));
  connect(style3D_, &QAbstractButton::clicked, this, [this](bool down) {
    edited_.Set("Cogi 3D Style", down ? 1 : 0);
    Changed();
  });
  fillRow->addWidget(style3D_);
  grid->addWidget(fillLine, 2, 0);

  auto* numbering = new QGroupBox(QStringLiteral("Numbering:"), page);
  auto* numberRow = new QHBoxLayout(numbering);
  QToolButton* showNumber = Toggle(QStringLiteral("Show Number"), QStringLiteral("Show Number"));
  Bind(showNumber, "Show Number");
  numberRow->addWidget(showNumber);
  grid->addWidget(numbering, 3, 0);

  auto* beep = new QCheckBox(QStringLiteral("Warning beep on Text Editing"), page);
  Bind(beep, "Text Beep");
  grid->addWidget(beep, 4, 0);

  auto* preview = new TOptionsPreview(TOptionsPreview::TKind::Cogi, edited_, page);
  preview->setObjectName(QStringLiteral("CogiPreview"));
  previews_.push_back(preview);
  grid->addWidget(preview, 0, 1, 5, 1);
  return page;
}

QWidget* TOptionsDialog::BuildClusterPage()
{
  auto* page = new QWidget;
  auto* grid = new QGridLayout(page);
  auto* colours = new QGroupBox(QStringLiteral("Color:"), page);
  auto* row = new QHBoxLayout(colours);
  row->addWidget(
      ColourBox("Cluster Color", QStringLiteral("Fg"), QStringLiteral("Foreground Color")));
  grid->addWidget(colours, 0, 0, Qt::AlignTop);
  auto* preview = new TOptionsPreview(TOptionsPreview::TKind::Cluster, edited_, page);
  preview->setObjectName(QStringLiteral("ClusterPreview"));
  previews_.push_back(preview);
  grid->addWidget(preview, 0, 1);
  return page;
}

QWidget* TOptionsDialog::BuildStandardisePage()
{
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  auto* text = new QLabel(
      QStringLiteral("Select which properties of an object will be applied when format painting."),
      page);
  text->setWordWrap(true);
  layout->addWidget(text);
  const TChoice choices[] = {
      {"Shape", "Format Shape"},   {"Size", "Format Size"}, {"Fill", "Format Fill"},
      {"Line", "Format Line"},     {"Font", "Format Font"}, {"3D", "Format 3D"},
      {"Shadow", "Format Shadow"},
  };
  for (const auto& [caption, id] : choices) {
    auto* box = new QCheckBox(QString::fromUtf8(caption), page);
    Bind(box, id);
    layout->addWidget(box);
  }
  layout->addStretch();
  return page;
}

QWidget* TOptionsDialog::BuildOtherPage()
{
  auto* page = new QWidget;
  auto* grid = new QGridLayout(page);
  grid->addWidget(new QLabel(QStringLiteral("Control Model:"), page), 0, 0);
  controlModel_ = new QLineEdit(page);
  controlModel_->setObjectName(QStringLiteral("ControlModel"));
  controlModel_->setMinimumWidth(280);
  controlModel_->setMaxLength(TSettingDef::kPathLength);
  grid->addWidget(controlModel_, 0, 1);
  auto* browseModel = new QPushButton(QStringLiteral("..."), page);
  browseModel->setFixedWidth(32);
  browseModel->setObjectName(QStringLiteral("ControlModelBrowse"));
  connect(browseModel, &QPushButton::clicked, this, &TOptionsDialog::ControlModelBrowse);
  grid->addWidget(browseModel, 0, 2);

  grid->addWidget(new QLabel(QStringLiteral("Model Folder:"), page), 1, 0);
  modelFolder_ = new QLineEdit(page);
  modelFolder_->setObjectName(QStringLiteral("ModelFolder"));
  modelFolder_->setMaxLength(TSettingDef::kPathLength);
  grid->addWidget(modelFolder_, 1, 1);
  auto* browseFolder = new QPushButton(QStringLiteral("..."), page);
  browseFolder->setFixedWidth(32);
  browseFolder->setObjectName(QStringLiteral("ModelFolderBrowse"));
  connect(browseFolder, &QPushButton::clicked, this, &TOptionsDialog::ModelFolderBrowse);
  grid->addWidget(browseFolder, 1, 2);

  grid->addWidget(new QLabel(QStringLiteral("Maximum Open Models"), page), 2, 0);
  maxModels_ = new QSpinBox(page);
  maxModels_->setObjectName(QStringLiteral("MaxModels"));
  const TSettingDef& limit = TSettingId("Max Models").Def();
  maxModels_->setRange(static_cast<int>(limit.Min), static_cast<int>(limit.Max));
  grid->addWidget(maxModels_, 2, 1, Qt::AlignLeft);

  const TChoice checks[] = {
      {"Load Control Model on Startup", "Load Control Model"},
      {"Bee Cursors", "Bee Cursors"},
      {"Popup Menus", "Popup Menus"},
  };
  int row = 3;
  for (const auto& [caption, id] : checks) {
    auto* box = new QCheckBox(QString::fromUtf8(caption), page);
    Bind(box, id);
    grid->addWidget(box, row++, 0, 1, 2);
  }
  auto* restore = new QPushButton(QStringLiteral("Restore Default Preferences"), page);
  restore->setObjectName(QStringLiteral("RestoreDefaults"));
  connect(restore, &QPushButton::clicked, this, &TOptionsDialog::RestoreDefaultsClick);
  grid->addWidget(restore, row, 0, 1, 2, Qt::AlignLeft);
  grid->setRowStretch(row + 1, 1);
  return page;
}

void TOptionsDialog::BuildFillMenu()
{
  // The dialog's own menu: the main window's Fill menu keeps acting on models.
  fillMenu_ = new QMenu(QStringLiteral("Fill"), this);
  fillMenu_->setObjectName(QStringLiteral("OptionsFillMenu"));
  QAction* solid = fillMenu_->addAction(QStringLiteral("Solid"));
  QAction* clear = fillMenu_->addAction(QStringLiteral("Clear"));
  fillMenu_->addSeparator();
  QAction* properties = fillMenu_->addAction(QStringLiteral("Fill Properties..."));
  for (QAction* action : {solid, clear, properties})
    action->setCheckable(true);
  properties->setEnabled(static_cast<bool>(hooks_.FillProperties));
  connect(solid, &QAction::triggered, this, [this] { FillStyleChosen(kFillSolid); });
  connect(clear, &QAction::triggered, this, [this] { FillStyleChosen(kFillClear); });
  connect(properties, &QAction::triggered, this, &TOptionsDialog::FillPropertiesClick);
  fillActions_ = {solid, clear, properties};
}

void TOptionsDialog::BuildLineMenu()
{
  lineMenu_ = new QMenu(QStringLiteral("Line Thickness"), this);
  lineMenu_->setObjectName(QStringLiteral("OptionsLineThicknessMenu"));
  for (const TThickness& item : kThicknesses) {
    QAction* action = lineMenu_->addAction(QString::fromUtf8(item.Caption));
    action->setCheckable(true);
    const int quarters = item.Quarters;
    connect(action, &QAction::triggered, this, [this, quarters] { LineThicknessChosen(quarters); });
    lineActions_.emplace_back(action, quarters);
  }
  lineMenu_->addSeparator();
  lineOther_ = lineMenu_->addAction(QStringLiteral("Other..."));
  lineOther_->setCheckable(true);
  connect(lineOther_, &QAction::triggered, this, &TOptionsDialog::LineThicknessOtherClick);
}

void TOptionsDialog::Bind(QAbstractButton* button, TSettingId id)
{
  button->setObjectName(QString::fromUtf8(id.Def().Name.data(), id.Def().Name.size()));
  bound_.emplace_back(button, id);
  connect(button, &QAbstractButton::toggled, this, [this, id](bool on) {
    if (loading_) return;
    edited_.Set(id, on);
    Changed();
  });
}

QToolButton* TOptionsDialog::ColourBox(TSettingId id, const QString& caption, const QString& hint)
{
  auto* box = new QToolButton;
  box->setObjectName(QString::fromUtf8(id.Def().Name.data(), id.Def().Name.size()));
  box->setText(caption);
  box->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  SetHint(box, hint);
  colourBoxes_.emplace_back(box, id);
  connect(box, &QToolButton::clicked, this, [this, id, hint] { ChooseColour(id, hint); });
  return box;
}

QToolButton* TOptionsDialog::Toggle(const QString& caption, const QString& hint)
{
  auto* button = new QToolButton;
  button->setObjectName(hint);
  button->setText(caption);
  button->setCheckable(true);
  SetHint(button, hint);
  return button;
}

// ---- Controls and record -------------------------------------------------------------------

void TOptionsDialog::LoadControls()
{
  controlModel_->setText(edited_.Text("Control Model"));
  modelFolder_->setText(edited_.Text("Model Folder"));
  maxModels_->setValue(edited_.Integer("Max Models"));
  LoadButtons();
}

void TOptionsDialog::LoadButtons()
{
  loading_ = true;
  for (const auto& [button, id] : bound_)
    button->setChecked(edited_.Boolean(id));
  for (const auto& [box, id] : colourBoxes_)
    box->setIcon(Swatch(edited_.Colour(id)));
  const int size = edited_.Integer("Cogi Size");
  for (int code = 0; code < static_cast<int>(sizeButtons_.size()); ++code)
    sizeButtons_[code]->setChecked(code == size);
  lineStyle_->setChecked(edited_.Integer("Cogi Line Style") != kLineNone);
  shadowed_->setChecked(edited_.Integer("Cogi Shadow Style") != 0);
  style3D_->setChecked(edited_.Integer("Cogi 3D Style") != 0);
  const int fill = edited_.Integer("Cogi Fill Style");
  fillActions_[0]->setChecked(fill == kFillSolid);
  fillActions_[1]->setChecked(fill == kFillClear);
  fillActions_[2]->setChecked(fill != kFillSolid && fill != kFillClear);
  // The first item of exactly the width is checked, else Other...
  const double width = edited_.Float("Cogi Line Width");
  bool found = false;
  for (const auto& [action, quarters] : lineActions_) {
    const bool match = !found && static_cast<float>(quarters / 4.0) == static_cast<float>(width);
    action->setChecked(match);
    found = found || match;
  }
  lineOther_->setChecked(!found);
  loading_ = false;
  for (TOptionsPreview* preview : previews_)
    preview->update();
}

void TOptionsDialog::ReadTypedControls()
{
  edited_.Set("Control Model", controlModel_->text());
  edited_.Set("Model Folder", modelFolder_->text());
  edited_.Set("Max Models", maxModels_->value());
}

void TOptionsDialog::Changed()
{
  // The boxes typed into keep what was typed until OK or Apply reads them.
  LoadButtons();
}

void TOptionsDialog::Accept(TOptionsResult result)
{
  ReadTypedControls();
  preferences_ = edited_;
  preferences_.Save(store_);
  store_.Sync();
  result_ = result;
  done(result == TOptionsResult::Ok ? QDialog::Accepted : QDialog::Accepted + 1);
}

// ---- Commands ------------------------------------------------------------------------------

void TOptionsDialog::OkClick()
{
  Accept(TOptionsResult::Ok);
}

void TOptionsDialog::ApplyClick()
{
  Accept(TOptionsResult::Apply);
}

void TOptionsDialog::RestoreDefaultsClick()
{
  if (dialogs_.Ask(TBoxKind::Question, QStringLiteral("Confirm"), QStringLiteral("Are you sure?"),
                   TButtons::YesNo) != TAnswer::Yes)
    return;
  // Confirmed, so it holds whatever button closes the dialog: the store is emptied and the
  // record goes back to the defaults with it.
  store_.RemoveProgramKey();
  store_.Sync();
  preferences_.RestoreDefaults();
  edited_.RestoreDefaults();
  LoadControls();
}

void TOptionsDialog::ZoomSpeedClick()
{
  const std::optional<QString> typed = dialogs_.InputText(
      QStringLiteral("Set Model Zoom Speed"),
      QStringLiteral("Number of frames to draw during zooming (min 1):"), QStringLiteral("10"));
  if (!typed) return;
  bool number = false;
  const int frames = typed->trimmed().toInt(&number);
  if (!number || frames < 1) {
    dialogs_.ReportError(QStringLiteral("Invalid figure"));
    return;
  }
  edited_.Set("Animated Zoom Frames", frames);
  Changed();
}

void TOptionsDialog::SizeOrientationClick()
{
  if (!hooks_.PageSetup) return;
  const TPageChoice preset{edited_.Integer("Pages Across"), edited_.Integer("Pages Down"),
                           edited_.Integer("Orientation")};
  const std::optional<TPageChoice> chosen = hooks_.PageSetup(this, preset);
  if (!chosen) return;
  edited_.Set("Pages Across", chosen->PagesAcross);
  edited_.Set("Pages Down", chosen->PagesDown);
  edited_.Set("Orientation", chosen->Orientation);
  Changed();
}

void TOptionsDialog::FillStyleChosen(int style)
{
  edited_.Set("Cogi Fill Style", style);
  Changed();
}

void TOptionsDialog::FillPropertiesClick()
{
  if (!hooks_.FillProperties) return;
  const TFillChoice preset{
      edited_.Colour("Cogi FG Color"),
      edited_.Colour("Cogi BG Color"),
      static_cast<std::uint8_t>(edited_.Integer("Cogi Fill Style")),
      static_cast<std::uint8_t>(edited_.Integer("Cogi Pattern Style")),
      static_cast<std::uint8_t>(edited_.Integer("Cogi Gradient Style")),
  };
  const std::optional<TFillChoice> chosen = hooks_.FillProperties(this, preset);
  if (chosen) {
    edited_.Set("Cogi Fill Style", chosen->FillStyle);
    edited_.Set("Cogi Pattern Style", chosen->PatternIndex);
    // Kept too, so that new objects get the gradient that was chosen.
    edited_.Set("Cogi Gradient Style", chosen->GradientIndex);
  }
  Changed();
}

void TOptionsDialog::LineThicknessChosen(int quarters)
{
  edited_.Set("Cogi Line Width", quarters / 4.0);
  Changed();
}

void TOptionsDialog::LineThicknessOtherClick()
{
  const std::optional<QString> typed =
      dialogs_.InputText(QStringLiteral("Other Line Width"),
                         QStringLiteral("Enter a Line Width in pts"), QStringLiteral("20.0"));
  if (typed) {
    bool number = false;
    const double width = typed->trimmed().toDouble(&number);
    if (!number)
      dialogs_.ReportError(QStringLiteral("'%1' is not a valid floating point value").arg(*typed));
    else if (width >= 0)  // held to the setting's range
      edited_.Set("Cogi Line Width", width);
  }
  Changed();
}

void TOptionsDialog::ChooseColour(TSettingId id, const QString& title)
{
  const std::optional<TColorRef> colour = dialogs_.ChooseColour(title, edited_.Colour(id));
  if (!colour) return;
  edited_.Set(id, static_cast<int>(*colour & 0xFFFFFF));
  Changed();
}

void TOptionsDialog::ControlModelBrowse()
{
  TFileRequest request;
  request.Title = QStringLiteral("Select Control Model");
  request.Filter = QStringLiteral("CGP Model (*.mdl)|*.mdl");
  request.FileName = controlModel_->text();
  request.PreviewModels = true;
  const std::optional<TFileChoice> chosen = dialogs_.OpenFiles(request);
  if (chosen && !chosen->Files.isEmpty()) controlModel_->setText(chosen->Files.front());
}

void TOptionsDialog::ModelFolderBrowse()
{
  const std::optional<QString> folder = dialogs_.ChooseFolder(
      QStringLiteral("Choose a folder to act as your default model folder."), modelFolder_->text());
  if (!folder) return;
  QString path = *folder;
  while (path.size() > 1 && (path.endsWith(QLatin1Char('/')) || path.endsWith(QLatin1Char('\\'))))
    path.chop(1);
  modelFolder_->setText(path);
}
