// The filter lists the file dialogs offer, as alternating descriptions and patterns.
#pragma once

#include <QString>

namespace filefilters {

inline const QString kModel = QStringLiteral("CGP Model (*.mdl)|*.mdl|All files (*.*)|*.*");
inline const QString kLong = QStringLiteral(
    "CGP Model (*.mdl)|*.mdl|HTML (*.html, *.htm)|*.html;*.htm|Text File (*.txt)|*.txt|"
    "JPEG (*.jpg, *.jpeg)|*.jpg;*.jpeg|Bitmap (*.bmp)|*.bmp|All files (*.*)|*.*");
inline const QString kHtml = QStringLiteral("HTML (*.html, *.htm)|*.html;*.htm");
inline const QString kImage = QStringLiteral("JPEG (*.jpg)|*.jpg|Bitmaps (*.bmp)|*.bmp");
inline const QString kProgram = QStringLiteral("Programs|*.bat;*.com;*.exe|All files (*.*)|*.*");

// Whether a name's extension makes Save As write something other than the model (a picture,
// a page, a report, or one of the kinds never written).
bool IsExportName(const QString& path);

}  // namespace filefilters
