// The Edit Text command of the model menu: the text editor opens on the object under the
// menu and the window edits text until the mode ends.
#pragma once

class TModelForm;

// False (with a beep) when there is no object under the menu.
bool EditContextText(TModelForm& form);

// The edit commands while an editor is open act on its text, not on the model.
enum class TTextCommand { Undo, Cut, Copy, Paste, SelectAll };

// Applies a command to the open text editor (or the notes editor when only that one shows)
// and gives it the keyboard focus back; false when no editor is open, so the command acts on
// the model instead.
bool ApplyToTextEditor(TModelForm& form, TTextCommand command);
