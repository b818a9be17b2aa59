// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QPalette>
#include <QString>
#include <QWidget>

namespace kv {

// Controls are placed as the window designer placed them: in twips (1/1440
// inch, 15 to a pixel at 96 dpi).
inline constexpr int kTwipsPerPixel = 15;

template <typename T>
T* PlaceEmpty(QWidget* parent, int left, int top, int width, int height) {
  T* control = new T(parent);
  control->setGeometry(left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel,
                       height / kTwipsPerPixel);
  return control;
}

template <typename T>
T* Place(QWidget* parent, const QString& text, int left, int top, int width, int height) {
  T* control = new T(text, parent);
  control->setGeometry(left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel,
                       height / kTwipsPerPixel);
  return control;
}

// A window of fixed size on the program's pale blue-green background.
inline void DesignWindow(QWidget* window, const QString& title, int width, int height) {
  window->setWindowTitle(title);
  window->setFixedSize(width / kTwipsPerPixel, height / kTwipsPerPixel);
  QPalette background = window->palette();
  background.setColor(QPalette::Window, QColor(211, 233, 233));
  window->setPalette(background);
  window->setAutoFillBackground(true);
}

}  // namespace kv
