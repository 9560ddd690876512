#pragma once

// The one crossing between the core's code-page bytes and Qt's Unicode.

#include <QString>
#include <string>
#include <string_view>

namespace kelmora::app {

QString fromCp(std::string_view cp1251);
// Characters the code page cannot hold become "?", so nothing else can reach a file.
std::string toCp(const QString& text);

}  // namespace kelmora::app
