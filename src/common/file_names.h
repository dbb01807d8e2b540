#pragma once
// File names cross between Qt's text (what a window shows, what a dialog returns) and the
// file system here, and nowhere else, in the system's file-name encoding
// (QFile::encodeName / decodeName). Everywhere else a file name is the file system's
// bytes in a std::string.
#include <QString>
#include <string>
#include <string_view>

namespace gravmark {

// The file system's bytes of a name typed or picked in a window.
std::string fileSystemName(const QString& name);

// The name as a window shows it. Bytes that are not valid in the file-name encoding (a
// name an earlier release stored as Latin-1) are read as Latin-1.
QString shownFileName(std::string_view bytes);

// A stored file name as the file system's bytes: valid names as they are, names stored
// as Latin-1 converted, so that settings written by an earlier release keep working.
std::string storedFileName(std::string_view bytes);

}  // namespace gravmark
