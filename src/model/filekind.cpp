#include "model/filekind.h"

#include <algorithm>

int FileKindOf(const QString& path)
{
  // The extension starts at the last dot after the last folder separator.
  const qsizetype separator =
      std::max(path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf(QLatin1Char('/')));
  const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
  if (dot < 0 || dot < separator) return kFileOther;
  const QString extension = path.mid(dot).toUpper();
  if (extension == QLatin1String(".BMP")) return kFileBmp;
  if (extension == QLatin1String(".JPG") || extension == QLatin1String(".JPEG")) return kFileJpeg;
  if (extension == QLatin1String(".MDL")) return kFileModel;
  if (extension == QLatin1String(".TXT")) return kFileText;
  if (extension == QLatin1String(".RTF")) return kFileRtf;
  if (extension == QLatin1String(".WMF") || extension == QLatin1String(".EMF"))
    return kFileMetafile;
  if (extension == QLatin1String(".ICO")) return kFileIcon;
  if (extension == QLatin1String(".HTML") || extension == QLatin1String(".HTM")) return kFileHtml;
  return kFileOther;
}
