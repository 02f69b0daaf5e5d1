#include <QFile>

#include "ui_test_support.h"

namespace corvale::test {

void TuneFolder::write(const QString& name, const std::string& text) const {
  QFile file(folder_.filePath(name));
  if (!file.open(QIODevice::WriteOnly)) throw std::runtime_error("cannot write a test file");
  file.write(text.data(), static_cast<qint64>(text.size()));
}

}  // namespace corvale::test
