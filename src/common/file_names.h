#pragma once
// File names cross between Qt's text (what a window shows, what a dialog returns, what
// Qt's file classes open) and the program's file-name bytes here, and nowhere else.
// Everywhere else a file name is those bytes in a std::string: UTF-8, as Linux takes them
// and as platform/ turns them into Windows' UTF-16. Qt's own file-name encoding is not
// used, because on Windows it is the system's ANSI code page, which cannot spell every
// name and would read the UTF-8 bytes as other letters.
#include <QString>
#include <string>
#include <string_view>

namespace gravmark {

// The file system's bytes of a name typed or picked in a window.
std::string fileSystemName(const QString& name);

// The name as a window shows it. Bytes that are not valid in the file-name encoding (a
// name an earlier release stored as Latin-1) are read as Latin-1.
QString shownFileName(std::string_view bytes);

// The name as Qt's file classes take it (QFile, QSaveFile, QLockFile, QFileInfo).
QString qtFileName(std::string_view bytes);

// A stored file name as the file system's bytes: valid names as they are, names stored
// as Latin-1 converted, so that settings written by an earlier release keep working.
std::string storedFileName(std::string_view bytes);

}  // namespace gravmark
