#include "ui/TextCodec.h"

#include <QByteArray>

#include "store/Cp1252.h"

namespace zestovar::ui {

std::string toCp1252(const QString& text) {
  const QByteArray utf8 = text.toUtf8();
  return store::utf8ToCp1252(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

QString fromCp1252(std::string_view cp1252) { return fromUtf8(store::cp1252ToUtf8(cp1252)); }

QString fromUtf8(std::string_view utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }

}  // namespace zestovar::ui
