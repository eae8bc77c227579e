#pragma once
// Driving a modal dialog from a Qt test: the dialog's exec() blocks, so the test acts on it from
// the event loop once it is up.
#include <QApplication>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace druv {

// Runs f on the modal dialog as soon as it is up.
inline void WhenDialogShows(std::function<void(QWidget*)> f) {
  QTimer::singleShot(0, [f] {
    if (QWidget* w = QApplication::activeModalWidget())
      f(w);
    else
      WhenDialogShows(f);
  });
}

// The child of that type with that accessible name, or nullptr.
template <class T>
T* Named(QWidget* dialog, const QString& accessibleName) {
  for (T* w : dialog->findChildren<T*>())
    if (w->accessibleName() == accessibleName) return w;
  return nullptr;
}

}  // namespace druv
