// The kind of a file by its extension (any case), shared by links and the shell.
#pragma once

#include <QString>

inline constexpr int kFileBmp = 0;
inline constexpr int kFileJpeg = 1;
inline constexpr int kFileModel = 2;
inline constexpr int kFileText = 3;
inline constexpr int kFileRtf = 4;
inline constexpr int kFileMetafile = 5;
inline constexpr int kFileIcon = 6;
inline constexpr int kFileHtml = 7;
inline constexpr int kFileOther = 8;

int FileKindOf(const QString& path);
