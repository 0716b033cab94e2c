#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <filesystem>

namespace vor {

// File names as the system has them. A POSIX system's names are bytes, and nothing makes them
// UTF-8: Qt's own conversion puts U+FFFD in place of every byte that is not, so that such a name
// can no longer be found and two of them may come out as one. The programs therefore carry a
// name's bytes in its QString: what is UTF-8 as its characters, every other byte B as the lone
// surrogate U+DC00 + B (which no UTF-8 text decodes to), and NativePath gives the bytes back
// exactly. Windows names are UTF-16 already and are carried as they are.

// The program's arguments as it was given them, each keeping its bytes as above. On Windows, where
// `argv` is not the command line's own text, the application object's arguments (it must exist).
QStringList ProgramArguments(int argc, char* argv[]);

// The system's name for `path`: a name as ProgramArguments, a file dialog or the program itself
// gives it.
std::filesystem::path NativePath(const QString& path);

// The codec of the POSIX side, on every system so that it can be tested everywhere: `bytes` as a
// name (UTF-8, every other byte escaped), and a name back as its bytes. BytesOfName of
// NameFromBytes gives back every byte string.
QString NameFromBytes(QByteArrayView bytes);
QByteArray BytesOfName(const QString& name);

}  // namespace vor
