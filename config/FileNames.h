#pragma once

// File names as the system has them: bytes, which need not be UTF-8 (a GBK name from a Chinese
// Windows archive is not). QString cannot hold such bytes as characters, so each byte that is not
// part of valid UTF-8 is kept as the lone surrogate U+DC80..U+DCFF, and turned back into the same
// byte where the name is used to open or save a file. Names that are UTF-8 are ordinary QStrings.

#include <QByteArray>
#include <QString>

#include <filesystem>

// The file name of raw bytes (a command-line argument), without losing any byte.
QString FileNameFromBytes(const QByteArray& bytes);
// The bytes a file name stands for: UTF-8, with escaped bytes restored.
QByteArray FileNameBytes(const QString& name);
// The path to hand to the standard library's file functions.
std::filesystem::path FileSystemPath(const QString& name);
// The name for messages: escaped bytes shown as U+FFFD.
QString DisplayFileName(const QString& name);
