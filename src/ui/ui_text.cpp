#include "ui_text.h"

#include "text/cp1251.h"

namespace mirva {

QString ToQt(std::string_view cp1251) {
  std::string utf8 = Cp1251ToUtf8(cp1251);
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string FromQt(const QString& text) {
  return Utf8ToCp1251(text.toStdString());
}

}  // namespace mirva
