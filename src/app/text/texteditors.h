// A model window's text and notes editors, as one editing period sees them: which object
// they show, whether any text or notes changed since the period began, and the run-wide
// choice of opening the notes with the text.
#pragma once

#include <QObject>

#include "interaction/textediting.h"

class QTextEdit;
class TModelDocument;
class TModelPaintBox;
class TNotesForm;
class TTextDefaults;
class TTextForm;

class TTextEditors : public QObject, public ITextEditing {
  Q_OBJECT

 public:
  explicit TTextEditors(TModelPaintBox& surface);
  ~TTextEditors() override;

  TModelDocument& Document() const;
  TModelPaintBox& Surface() const { return surface_; }
  TTextForm& TextForm() const { return *text_; }
  TNotesForm& NotesForm() const { return *notes_; }
  // The box the edit commands and the text attributes act on: of the open editors the one the
  // user typed in last (the text editor's until the notes editor had the focus); none when
  // neither is open.
  QTextEdit* ActiveBox() const;
  // The attributes an empty text starts with (the Text Properties defaults); none keeps the
  // editor's own.
  void SetNewTextDefaults(const TTextDefaults* defaults) { newText_ = defaults; }
  const TTextDefaults* NewTextDefaults() const { return newText_; }
  // The "Text Beep" preference.
  void SetTextBeep(bool on) { textBeep_ = on; }
  bool TextBeep() const { return textBeep_; }

  // Opening the text editor also opens the notes editor (one choice for the whole run).
  static bool NotesWithText;

  // The editors open each other; one of them opening the other must not come back.
  void OpenNotes(CGPObject* object);
  void OpenText(CGPObject* object);
  // A write-back changed text or notes in this period.
  void NoteChange() { changed_ = true; }
  // The editor moved or changed size, or the object changed: redraw model and leader lines.
  void EditorMoved(bool modelChanged);

  // ---- ITextEditing
  void Open(CGPObject* object) override;
  bool Close(bool writeBack) override;
  CGPObject* EditedObject() const override;
  void Focus() override;
  std::optional<QRect> EditorFrame() const override;
  void ObjectDestroyed(const CGPObject* object) override;

 Q_SIGNALS:
  // An editor opened or closed: the text toolbar shows its attributes.
  void EditorChanged();
  // An open editor's selection, cursor, text, typing attributes or undo changed: the edit
  // commands and the text toolbar follow it.
  void EditorStateChanged();

 private:
  void Follow(QTextEdit& box);

  TModelPaintBox& surface_;
  TTextForm* text_;
  TNotesForm* notes_;
  bool changed_ = false;
  bool notesFocused_ = false;  // the notes editor had the focus after the text editor
  bool openingText_ = false;
  bool openingNotes_ = false;
  bool textBeep_ = true;
  const TTextDefaults* newText_ = nullptr;
};
