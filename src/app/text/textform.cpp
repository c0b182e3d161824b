#include "app/text/textform.h"

#include <QAbstractTextDocumentLayout>
#include <QPushButton>
#include <QTextCursor>
#include <QTextEdit>
#include <algorithm>
#include <cmath>

#include "app/text/notesform.h"
#include "app/text/texteditors.h"
#include "document/modeldocument.h"
#include "document/textdefaults.h"
#include "geometry/geometry.h"
#include "interaction/modelpaintbox.h"
#include "model/arrow.h"
#include "model/cluster.h"
#include "model/shapes/label.h"
#include "platform/text/rtfreader.h"
#include "platform/text/rtfwriter.h"

TTextForm::TTextForm(TTextEditors& editors, QWidget* surface)
    : TEditorFrame(surface, Qt::white), editors_(editors), notesButton_(new QPushButton(this))
{
  setObjectName(QStringLiteral("TextForm"));
  notesButton_->setText(QStringLiteral("Notes"));
  notesButton_->setFocusPolicy(Qt::NoFocus);
  connect(notesButton_, &QPushButton::clicked, this, [this] {
    TTextEditors::NotesWithText = !TTextEditors::NotesWithText;
    if (!object_) return;
    if (TTextEditors::NotesWithText) {
      editors_.OpenNotes(object_);
    } else {
      if (editors_.NotesForm().CloseNotesEditor(true)) editors_.NoteChange();
      editors_.EditorMoved(false);
    }
  });
  connect(&Box(), &QTextEdit::textChanged, this, &TTextForm::TextChanged);
  connect(this, &TEditorFrame::FrameResized, this, &TTextForm::GripResized);
  connect(this, &TEditorFrame::FrameMoved, this, [this] { editors_.EditorMoved(false); });
}

void TTextForm::PlaceButtons()
{
  const int w = 40;
  const int h = 12;
  notesButton_->setGeometry(width() - w - kFrame, height() - h, w, h);
  notesButton_->raise();
}

void TTextForm::OpenTextEditor(CGPObject* object)
{
  if (!object) return;
  if (object_ == object) {
    // Already shown: reloading would lose what was typed.
    Box().setFocus();
    return;
  }
  if (object_ && CloseTextEditor(true)) editors_.NoteChange();
  TModelDocument& document = editors_.Document();
  object_ = object;
  original_ = object->Text;
  loading_ = true;
  TRtfReader::Read(object->Text, *Box().document());
  if (Box().document()->isEmpty()) {
    if (const TTextDefaults* defaults = editors_.NewTextDefaults()) {
      QTextCursor(Box().document()).setBlockFormat(defaults->Paragraph);
      Box().setCurrentCharFormat(defaults->Characters);
    }
    Box().setTextColor(ToQColor(document.TextColor));
  }
  // Giving an empty text its defaults is no typing the user could undo.
  Box().document()->clearUndoRedoStacks();
  loading_ = false;
  Place();
  show();
  raise();
  Box().document()->setModified(false);
  if (TTextEditors::NotesWithText && editors_.NotesForm().Object() != object)
    editors_.OpenNotes(object);
  Box().setFocus();
}

void TTextForm::Place()
{
  TModelDocument& document = editors_.Document();
  const double dpi = document.ScreenDpiX;
  const QSize client = parentWidget() ? parentWidget()->size() : QSize(640, 480);
  QRect r;
  if (auto* arrow = dynamic_cast<TArrow*>(object_)) {
    SetGrips(true);
    beep_ = false;
    // A short arrow still gets a box one can type into.
    const int w = std::max(kMinimumArrowWidth,
                           static_cast<int>(std::lround((arrow->ArrowLength() - 0.5) * dpi)));
    const int h =
        std::max(kMinimumArrowWidth / 2, static_cast<int>(std::lround(dpi * arrow->TextHeight)));
    r = QRect(0, 0, w, h);
    r.moveCenter(QRect(QPoint(0, 0), client).center());
    r.translate(-100, -100);
  } else {
    const bool label = dynamic_cast<TLabel*>(object_) != nullptr;
    SetGrips(label || dynamic_cast<TCluster*>(object_) != nullptr);
    beep_ = !label;
    const double bw = object_->Width * object_->TextWidth;
    const double bh = object_->Height * object_->TextHeight;
    const TModelPoint t =
        RotateOffset(object_->Centre(), object_->TextOffsetX * object_->Width,
                     object_->TextOffsetY * object_->Height, object_->ObjectAngle());
    const double scale = document.ScreenDpiX * document.Zoom / 100.0;
    const QPoint corner(
        static_cast<int>(std::lround((t.X - bw / 2 - document.ViewOrigin.X) * scale)),
        static_cast<int>(std::lround((t.Y - bh / 2 - document.ViewOrigin.Y) * scale)));
    r = QRect(corner - QPoint(104, 104),
              QSize(static_cast<int>(std::lround(bw * dpi)) + 2 * kFrame,
                    static_cast<int>(std::lround(bh * document.ScreenDpiY)) + 2 * kFrame));
  }
  Box().setHorizontalScrollBarPolicy(Grips() ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
  Box().setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setGeometry(r);
  KeepInside();
}

bool TTextForm::CloseTextEditor(bool writeBack)
{
  CGPObject* object = object_;
  object_ = nullptr;
  hide();
  bool wrote = false;
  TModelDocument& document = editors_.Document();
  if (object && writeBack && Box().document()->isModified()) {
    object->Text = TRtfWriter::Write(*Box().document());
    wrote = true;
    if (dynamic_cast<TLabel*>(object) && Box().document()->isEmpty())
      document.RemoveObject(object);
    else
      object->Recalculate(&document.Objects, true);
  } else if (object && object->Text != original_) {
    // Discarded: the object shows its own text again.
    object->Text = original_;
    object->Recalculate(&document.Objects, true);
    document.NotifyRepaint();
  }
  original_.clear();
  loading_ = true;
  Box().clear();
  Box().document()->setModified(false);
  loading_ = false;
  return wrote;
}

void TTextForm::Forget()
{
  object_ = nullptr;
  original_.clear();
  hide();
  loading_ = true;
  Box().clear();
  Box().document()->setModified(false);
  loading_ = false;
}

void TTextForm::GripResized()
{
  if (!object_) return;
  TModelDocument& document = editors_.Document();
  const double boxWidth = (width() - 2 * kFrame) / document.ScreenDpiX;
  const double boxHeight = (height() - 2 * kFrame) / document.ScreenDpiY;
  if (dynamic_cast<TLabel*>(object_)) {
    // Ratios read from a file or left by a cluster's grips may be anything: never divide by
    // less than the smallest ratio a grip leaves.
    object_->TextWidth = std::max(object_->TextWidth, kMinimumRatio);
    object_->TextHeight = std::max(object_->TextHeight, kMinimumRatio);
    object_->Width = boxWidth / object_->TextWidth;
    object_->Height = boxHeight / object_->TextHeight;
  } else if (dynamic_cast<TCluster*>(object_)) {
    object_->TextWidth = std::max(kMinimumRatio, boxWidth / object_->Width);
    object_->TextHeight = std::max(kMinimumRatio, boxHeight / object_->Height);
  } else {
    editors_.EditorMoved(false);
    return;
  }
  object_->Recalculate(&document.Objects, true);
  editors_.NoteChange();
  editors_.EditorMoved(true);
}

bool TTextForm::Overflowing() const
{
  const QSizeF size = Box().document()->documentLayout()->documentSize();
  return size.height() > Box().viewport()->height() + 0.5 ||
         size.width() > Box().viewport()->width() + 0.5;
}

void TTextForm::TextChanged()
{
  if (loading_ || !object_) return;
  // The object shows the text as it is typed, laid out as it will be drawn.
  TModelDocument& document = editors_.Document();
  object_->Text = TRtfWriter::Write(*Box().document());
  object_->Recalculate(&document.Objects, true);
  editors_.EditorMoved(true);
  if (beep_ && editors_.TextBeep() && Overflowing()) document.Beep();
}
