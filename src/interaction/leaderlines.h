// The dotted lines that join an object being edited to the corners of its text editor.
#pragma once

#include <QLine>
#include <QRect>
#include <vector>

class CGPObject;
class TModelDocument;

// The four lines from the object's corners (an arrow's ends, else its turned text box) to
// the editor's corners, in the surface's pixels at the document's view; a label's text box
// outline follows them as four more lines.
std::vector<QLine> LeaderLines(const TModelDocument& document, const CGPObject& object,
                               QRect editor);
