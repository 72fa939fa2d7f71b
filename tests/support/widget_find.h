// Finding a window's control by its objectName in the widget tests; a missing
// control fails the test at once instead of crashing it later.
// Header only: the support library itself is built without Qt.
#pragma once
#include <gtest/gtest.h>

#include <QString>
#include <QWidget>

namespace vft::test {

template <typename T>
T* child(QWidget& w, const QString& name) {
  T* c = w.findChild<T*>(name);
  EXPECT_NE(c, nullptr) << name.toStdString();
  return c;
}
template <typename T>
T* child(QWidget& w, const char* name) {
  return child<T>(w, QString::fromLatin1(name));
}

}  // namespace vft::test
