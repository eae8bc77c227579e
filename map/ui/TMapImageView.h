#pragma once
// The picture control of the map window: shows the map picture pixel for pixel, sizes itself to
// it, and reports the pointer in picture pixels.
#include <QWidget>
#include <functional>

namespace druv {

class TQImageMapPicture;

class TMapImageView : public QWidget {
  Q_OBJECT
 public:
  TMapImageView(const TQImageMapPicture& picture, QWidget* parent = nullptr);
  // After the picture was replaced: take its size.
  void PictureChanged();
  QSize sizeHint() const override;

  std::function<void(QPoint pixel, Qt::MouseButtons held)> OnPointerMove;
  std::function<void(QPoint pixel, Qt::MouseButton button)> OnPress;
  std::function<void()> OnLeave;

 protected:
  void paintEvent(QPaintEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void leaveEvent(QEvent* e) override;

 private:
  const TQImageMapPicture& Picture_;
};

}  // namespace druv
