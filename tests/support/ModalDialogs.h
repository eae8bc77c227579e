#pragma once
// Driving a modal dialog from a Qt test: the test's code runs once the dialog is up.
#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace druv {

// Runs f on the modal dialog as soon as it is up.
inline void WhenDialogShows(std::function<void(QWidget*)> f) {
  QTimer::singleShot(0, [f] {
    if (QWidget* w = QApplication::activeModalWidget()) {
      f(w);
    } else {
      WhenDialogShows(f);
    }
  });
}

template <class T>
T* Named(QWidget* dialog, const QString& accessibleName) {
  for (T* w : dialog->findChildren<T*>())
    if (w->accessibleName() == accessibleName) return w;
  return nullptr;
}

}  // namespace druv
