// The Edit Text command of the model menu: the text editor opens on the object under the
// menu and the window edits text until the mode ends.
#pragma once

class TModelForm;

// False (with a beep) when there is no object under the menu.
bool EditContextText(TModelForm& form);
