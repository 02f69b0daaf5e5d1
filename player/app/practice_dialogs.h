#pragma once

#include <QString>
#include <functional>
#include <vector>

class QWidget;

namespace corvale {

// One number a practice dialog asks for, with the range a spin box allows.
struct NumberField {
  QString label;
  int minimum = 0;
  int maximum = 0;
  int value = 0;
  QString suffix;
};

using NumbersCheck = std::function<QString(const std::vector<int>& values)>;
using NumbersTaken = std::function<void(const std::vector<int>& values)>;

// A small dialog of numbers (Bars…, Start From Bar…, Speed Up Each Pass…), opened
// window-modal without a nested event loop, so a tune plays on meanwhile. `check`
// says in words what is wrong with the numbers ("" when nothing is), shown under
// them with OK held back; `taken` gets them on OK.
void askNumbers(QWidget& parent, const QString& title, const QString& intro, const std::vector<NumberField>& fields,
                const NumbersCheck& check, const NumbersTaken& taken);

}  // namespace corvale
