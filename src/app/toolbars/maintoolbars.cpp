#include "app/toolbars/maintoolbars.h"

#include <QComboBox>
#include <QFontComboBox>
#include <QMainWindow>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>

#include "app/actionregistry.h"
#include "app/toolbars/dropdownmenus.h"
#include "app/toolbars/quickzoombutton.h"

namespace {

const QString kSeparator = QStringLiteral("-");

QStringList Ids(std::initializer_list<const char*> ids)
{
  QStringList list;
  for (const char* id : ids)
    list << QString::fromLatin1(id);
  return list;
}

}  // namespace

QStringList TMainToolbars::Names()
{
  return Ids(
      {"Modify", "Navigation", "Palettes", "Quick", "Special", "Standard", "TextProperties"});
}

TMainToolbars::TMainToolbars(QMainWindow& window, TActionRegistry& actions,
                             const TDropDownMenus& menus, QMenu* recentFiles)
    : QObject(&window), window_(window), actions_(actions)
{
  QToolBar* standard = AddBar(QStringLiteral("Standard"), QStringLiteral("Standard"));
  window.addToolBar(Qt::TopToolBarArea, standard);
  Fill(standard, Ids({"NewModel", "OpenModel", "SaveModel", "-", "FileSaveAll", "SendByEmail",
                      "SaveAsHtml", "-", "PrintView", "-", "EditCut", "EditCopy", "EditPaste", "-",
                      "EditUndo", "EditRedo", "-", "HelpButton"}));
  // Open Model drops down the recent files beside its button.
  if (auto* open = qobject_cast<QToolButton*>(
          standard->widgetForAction(actions.Action(QStringLiteral("OpenModel"))))) {
    open->setMenu(recentFiles);
    open->setPopupMode(QToolButton::MenuButtonPopup);
  }

  QToolBar* text = AddBar(QStringLiteral("TextProperties"), QStringLiteral("Text Properties"));
  window.addToolBar(Qt::TopToolBarArea, text);
  fontName_ = new QFontComboBox(text);
  fontName_->setObjectName(QStringLiteral("FontName"));
  fontName_->setAccessibleName(QStringLiteral("Font Name"));
  fontName_->setToolTip(TActionRegistry::ShortHint(actions.Hint(QStringLiteral("FontName"))));
  fontName_->setStatusTip(TActionRegistry::LongHint(actions.Hint(QStringLiteral("FontName"))));
  fontName_->setEnabled(false);
  text->addWidget(fontName_);
  fontSize_ = new QComboBox(text);
  fontSize_->setObjectName(QStringLiteral("FontSize"));
  fontSize_->setAccessibleName(QStringLiteral("Font Size"));
  fontSize_->setEditable(true);
  for (const char* size : {"6",  "7",  "8",  "9",  "10", "11", "12", "14", "16", "18", "20",
                           "22", "24", "26", "28", "36", "48", "60", "72", "84", "96"})
    fontSize_->addItem(QString::fromLatin1(size));
  fontSize_->setToolTip(TActionRegistry::ShortHint(actions.Hint(QStringLiteral("FontSize"))));
  fontSize_->setStatusTip(TActionRegistry::LongHint(actions.Hint(QStringLiteral("FontSize"))));
  fontSize_->setEnabled(false);
  text->addWidget(fontSize_);
  Fill(text, Ids({"TextBold", "TextItalic", "TextUnderline", "TextLeft", "TextCentre", "TextRight",
                  "TextIndentLeft", "TextIndentRight", "TextBullets"}));

  window.addToolBarBreak(Qt::TopToolBarArea);
  QToolBar* palettes = AddBar(QStringLiteral("Palettes"), QStringLiteral("Palettes"));
  window.addToolBar(Qt::TopToolBarArea, palettes);
  Fill(palettes, Ids({"ToggleQuick", "ToggleModify", "ToggleSpecial"}));

  QToolBar* navigation = AddBar(QStringLiteral("Navigation"), QStringLiteral("Navigation"));
  window.addToolBar(Qt::TopToolBarArea, navigation);
  Fill(navigation, Ids({"ControlModel", "ToLastModel", "-", "ToMainView", "SetMainView", "-",
                        "WholeModel", "ZoomIn", "ZoomBack"}));
  AddDropDown(navigation, QStringLiteral("SetZoom"), menus.ZoomMenu());
  quickZoom_ = new TQuickZoomButton(navigation);
  const QString quickHint = actions.Hint(QStringLiteral("QuickZoom"));
  quickZoom_->setToolTip(TActionRegistry::ShortHint(quickHint));
  quickZoom_->setStatusTip(TActionRegistry::LongHint(quickHint));
  navigation->addWidget(quickZoom_);
  Fill(navigation, Ids({"-", "PanView", "MagnifierButton"}));

  QToolBar* modify = AddBar(QStringLiteral("Modify"), QStringLiteral("Modify"));
  window.addToolBar(Qt::TopToolBarArea, modify);
  AddDropDown(modify, QStringLiteral("ChangeSize"), menus.SizeMenu());
  AddDropDown(modify, QStringLiteral("ChangeFill"), menus.FillMenu());
  Fill(modify, Ids({"ShowLine"}));
  AddDropDown(modify, QStringLiteral("LineThickness"), menus.LineMenu());
  Fill(modify,
       Ids({"Shadow", "Style3D", "SendToBack", "BringToFront", "RotateRight", "FreeRotate"}));

  QToolBar* quick = AddBar(QStringLiteral("Quick"), QStringLiteral("Quick"));
  window.addToolBar(Qt::LeftToolBarArea, quick);
  Fill(quick, Ids({"EndOperation", "-", "CreateCogis", "BrainstormButton", "CreateClusters",
                   "EditText", "CreateLabel", "DrawArrowPlain", "DrawLine", "DrawArrowDefault",
                   "Freeform", "LinkCogi", "Standardise", "StingCogis"}));
  QToolBar* special = AddBar(QStringLiteral("Special"), QStringLiteral("Special"));
  window.addToolBar(Qt::LeftToolBarArea, special);
  Fill(special, Ids({"InsertClipart", "ObliqueThought", "ThoughtCogi", "LinkToWeb"}));

  paletteBar_ = new QToolBar(QStringLiteral("Color Palette"), &window);
  paletteBar_->setObjectName(QStringLiteral("ColorPaletteBar"));
  paletteBar_->setMovable(false);
  paletteBar_->setFloatable(false);
  paletteBar_->setAllowedAreas(Qt::BottomToolBarArea);
  window.addToolBar(Qt::BottomToolBarArea, paletteBar_);
}

QToolBar* TMainToolbars::AddBar(const QString& name, const QString& caption)
{
  auto* bar = new QToolBar(caption, &window_);
  bar->setObjectName(name);
  bar->setIconSize(QSize(20, 20));
  bars_ << bar;
  return bar;
}

void TMainToolbars::Fill(QToolBar* bar, const QStringList& ids)
{
  for (const QString& id : ids)
    if (id == kSeparator)
      bar->addSeparator();
    else
      actions_.Place(bar, id);
}

void TMainToolbars::AddDropDown(QToolBar* bar, const QString& id, QMenu* menu)
{
  QToolButton* button = actions_.Place(bar, id);
  if (!button) return;
  button->setMenu(menu);
  button->setPopupMode(QToolButton::InstantPopup);
}

QToolBar* TMainToolbars::Bar(const QString& name) const
{
  for (QToolBar* bar : bars_)
    if (bar->objectName() == name) return bar;
  return nullptr;
}

void TMainToolbars::SetVisible(const QString& name, bool visible)
{
  QToolBar* bar = Bar(name);
  if (!bar || bar->isVisibleTo(&window_) == visible) return;
  if (visible && !bar->isFloating() && window_.isVisible()) {
    // A docked bar whose place lies outside the window would come back where nobody sees it.
    const QRect place(bar->mapTo(&window_, QPoint(0, 0)), bar->size());
    if (!window_.rect().intersects(place)) {
      window_.addToolBarBreak(Qt::LeftToolBarArea);
      window_.addToolBar(Qt::LeftToolBarArea, bar);
    }
  }
  bar->setVisible(visible);
}

void TMainToolbars::Toggle(const QString& name)
{
  if (QToolBar* bar = Bar(name)) SetVisible(name, !bar->isVisibleTo(&window_));
}
