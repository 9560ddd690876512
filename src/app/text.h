#pragma once

// The one crossing between the core's code-page bytes and Qt's Unicode.

#include <QString>

class QLineEdit;
#include <string>
#include <string_view>

namespace kelmora::app {

QString fromCp(std::string_view cp1251);
// Characters the code page cannot hold become "?", so nothing else can reach a file.
std::string toCp(const QString& text);
// The characters of text the code page cannot hold, each once, in order; empty when it fits.
QString outsideCodePage(const QString& text);

// Keeps a one-line box on one line: a pasted line break becomes a blank and other control
// characters are dropped, so what the box holds is what reaches the log and the files.
void keepOnOneLine(QLineEdit* edit);
// The same for a text from anywhere else.
QString onOneLine(const QString& text);

}  // namespace kelmora::app
