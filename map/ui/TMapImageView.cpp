#include "map/ui/TMapImageView.h"

#include <QMouseEvent>
#include <QPainter>

#include "map/ui/TQImageMapPicture.h"

namespace druv {

TMapImageView::TMapImageView(const TQImageMapPicture& picture, QWidget* parent) : QWidget(parent), Picture_(picture) {
  setObjectName("Image1");
  setMouseTracking(true);
  setCursor(Qt::CrossCursor);
  setAttribute(Qt::WA_OpaquePaintEvent);
  PictureChanged();
}

void TMapImageView::PictureChanged() {
  resize(Picture_.Image().size());
  update();
}

QSize TMapImageView::sizeHint() const { return Picture_.Image().size(); }

void TMapImageView::paintEvent(QPaintEvent* e) {
  // Only the exposed part: a panned 5000 x 5000 picture repaints a view's worth of pixels.
  QPainter p(this);
  const QRect r = e->rect();
  p.drawImage(r.topLeft(), Picture_.Image(), r);
}

void TMapImageView::mouseMoveEvent(QMouseEvent* e) {
  if (OnPointerMove) OnPointerMove(e->position().toPoint(), e->buttons());
}

void TMapImageView::mousePressEvent(QMouseEvent* e) {
  if (OnPress) OnPress(e->position().toPoint(), e->button());
}

void TMapImageView::leaveEvent(QEvent* e) {
  QWidget::leaveEvent(e);
  if (OnLeave) OnLeave();
}

}  // namespace druv
