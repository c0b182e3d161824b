#include "app/text/texteditors.h"

#include <QApplication>
#include <QTextEdit>

#include "app/text/notesform.h"
#include "app/text/textform.h"
#include "document/modeldocument.h"
#include "interaction/modelpaintbox.h"

bool TTextEditors::NotesWithText = false;

TTextEditors::TTextEditors(TModelPaintBox& surface)
    : surface_(surface),
      text_(new TTextForm(*this, &surface)),
      notes_(new TNotesForm(*this, &surface))
{
  Follow(text_->Box());
  Follow(notes_->Box());
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
    if (now != &text_->Box() && now != &notes_->Box()) return;
    const bool notes = now == &notes_->Box();
    if (notes == notesFocused_) return;
    notesFocused_ = notes;
    Q_EMIT EditorStateChanged();
  });
}

void TTextEditors::Follow(QTextEdit& box)
{
  for (auto signal :
       {&QTextEdit::selectionChanged, &QTextEdit::cursorPositionChanged, &QTextEdit::textChanged})
    connect(&box, signal, this, &TTextEditors::EditorStateChanged);
  connect(&box, &QTextEdit::currentCharFormatChanged, this, &TTextEditors::EditorStateChanged);
  connect(&box, &QTextEdit::undoAvailable, this, &TTextEditors::EditorStateChanged);
}

TTextEditors::~TTextEditors()
{
  // The forms are the surface's children; they go with it, knowing no object any more and
  // telling no one of their emptying or of the focus leaving them.
  blockSignals(true);
  disconnect(qApp, nullptr, this, nullptr);
  text_->Forget();
  notes_->Forget();
}

TModelDocument& TTextEditors::Document() const
{
  return surface_.Document();
}

QTextEdit* TTextEditors::ActiveBox() const
{
  if (notes_->Object() && (notesFocused_ || !text_->Object())) return &notes_->Box();
  if (text_->Object()) return &text_->Box();
  return nullptr;
}

void TTextEditors::OpenText(CGPObject* object)
{
  // Each editor may open the other; an editor reached again while it opens stays as it is.
  if (openingText_) return;
  openingText_ = true;
  text_->OpenTextEditor(object);
  openingText_ = false;
  EditorMoved(false);
  Q_EMIT EditorChanged();
}

void TTextEditors::OpenNotes(CGPObject* object)
{
  if (openingNotes_) return;
  openingNotes_ = true;
  notes_->OpenNotesEditor(object);
  openingNotes_ = false;
  Q_EMIT EditorChanged();
}

void TTextEditors::EditorMoved(bool modelChanged)
{
  if (modelChanged)
    surface_.Repaint();
  else
    surface_.RefreshLeaderLines();
}

void TTextEditors::Open(CGPObject* object)
{
  OpenText(object);
}

bool TTextEditors::Close(bool writeBack)
{
  if (text_->CloseTextEditor(writeBack)) changed_ = true;
  if (notes_->CloseNotesEditor(writeBack)) changed_ = true;
  const bool changed = changed_;
  changed_ = false;
  surface_.RefreshLeaderLines();
  Q_EMIT EditorChanged();
  return changed;
}

CGPObject* TTextEditors::EditedObject() const
{
  return text_->Object() ? text_->Object() : notes_->Object();
}

void TTextEditors::Focus()
{
  if (QTextEdit* box = ActiveBox()) box->setFocus();
}

std::optional<QRect> TTextEditors::EditorFrame() const
{
  if (!text_->Object() || text_->isHidden()) return std::nullopt;
  return text_->geometry();
}

void TTextEditors::ObjectDestroyed(const CGPObject* object)
{
  if (text_->Object() == object) text_->Forget();
  if (notes_->Object() == object) notes_->Forget();
}
