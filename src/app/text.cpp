#include "app/text.h"

#include "core/text/cp1251.h"

namespace kelmora::app {

QString fromCp(std::string_view cp1251) {
  const std::string utf8 = toUtf8(cp1251);
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string toCp(const QString& text) {
  const QByteArray utf8 = text.toUtf8();
  return toCp1251(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

}  // namespace kelmora::app
