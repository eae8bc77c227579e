#include "tools/druv-mapdata/VectorMap.h"

#include <QFile>
#include <QFont>
#include <QFontMetrics>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <cmath>
#include <set>

#include "common/Error.h"

namespace druv {

namespace {

QJsonObject ReadJson(const std::string& path) {
  QFile f(QString::fromStdString(path));
  if (!f.open(QIODevice::ReadOnly)) throw Error("Cannot read " + path);
  QJsonParseError err{};
  QJsonDocument doc = QJsonDocument::fromJson(f.readAll(), &err);
  if (doc.isNull()) throw Error(path + ": " + err.errorString().toStdString());
  return doc.object();
}

// Arcs are delta-encoded quantized positions.
std::vector<std::vector<QPointF>> DecodeArcs(const QJsonObject& topo) {
  const QJsonObject t = topo["transform"].toObject();
  const double sx = t["scale"].toArray()[0].toDouble(), sy = t["scale"].toArray()[1].toDouble();
  const double tx = t["translate"].toArray()[0].toDouble(), ty = t["translate"].toArray()[1].toDouble();
  std::vector<std::vector<QPointF>> arcs;
  for (const QJsonValue& a : topo["arcs"].toArray()) {
    std::vector<QPointF> points;
    long long x = 0, y = 0;
    for (const QJsonValue& p : a.toArray()) {
      x += p.toArray()[0].toInteger();
      y += p.toArray()[1].toInteger();
      points.emplace_back(x * sx + tx, y * sy + ty);
    }
    arcs.push_back(std::move(points));
  }
  return arcs;
}

void AddRing(const QJsonArray& ring, const std::vector<std::vector<QPointF>>& arcs, TAreaRec& area) {
  std::vector<QPointF> points;
  for (const QJsonValue& v : ring) {
    const int a = v.toInt();
    const int index = a >= 0 ? a : ~a;
    area.Arcs.push_back(index);
    std::vector<QPointF> arc = arcs.at(static_cast<size_t>(index));
    if (a < 0) std::reverse(arc.begin(), arc.end());
    points.insert(points.end(), arc.begin() + (points.empty() ? 0 : 1), arc.end());
  }
  if (points.empty()) return;
  area.Outline.moveTo(points[0]);
  for (size_t i = 1; i < points.size(); ++i) area.Outline.lineTo(points[i]);
  area.Outline.closeSubpath();
}

QColor Hex(const char* rgb) { return QColor(QString::fromLatin1(rgb)); }

// The widest stretch of the area along its middle latitude in view, in degrees; nothing when the
// area does not cross that latitude.
std::optional<std::pair<QPointF, double>> LabelPlace(const QPainterPath& visible) {
  const QRectF r = visible.boundingRect();
  const double y = r.center().y();
  constexpr int steps = 400;
  double bestStart = 0, bestWidth = 0, runStart = 0;
  bool inRun = false;
  for (int i = 0; i <= steps; ++i) {
    const double x = r.left() + r.width() * i / steps;
    const bool inside = i < steps && visible.contains(QPointF(x, y));
    if (inside && !inRun) runStart = x;
    if (!inside && inRun && x - runStart > bestWidth) {
      bestWidth = x - runStart;
      bestStart = runStart;
    }
    inRun = inside;
  }
  if (bestWidth <= 0) return std::nullopt;
  return std::make_pair(QPointF(bestStart + bestWidth / 2, y), bestWidth);
}

}  // namespace

std::vector<TAreaRec> ReadTopoJsonAreas(const std::string& path, const std::string& object) {
  const QJsonObject topo = ReadJson(path);
  const auto arcs = DecodeArcs(topo);
  const QJsonObject obj = topo["objects"].toObject()[QString::fromStdString(object)].toObject();
  if (obj.isEmpty()) throw Error(path + ": no object " + object);
  std::vector<TAreaRec> areas;
  for (const QJsonValue& g : obj["geometries"].toArray()) {
    const QJsonObject geo = g.toObject();
    TAreaRec area;
    area.Id = geo["id"].isString() ? geo["id"].toString().toStdString() : std::to_string(geo["id"].toInt());
    area.Name = geo["properties"].toObject()["name"].toString().toStdString();
    const QString type = geo["type"].toString();
    if (type == "Polygon") {
      for (const QJsonValue& ring : geo["arcs"].toArray()) AddRing(ring.toArray(), arcs, area);
    } else if (type == "MultiPolygon") {
      for (const QJsonValue& polygon : geo["arcs"].toArray())
        for (const QJsonValue& ring : polygon.toArray()) AddRing(ring.toArray(), arcs, area);
    }
    if (!area.Outline.isEmpty()) areas.push_back(std::move(area));
  }
  return areas;
}

QImage DrawVectorMap(const TMapBoxRec& box, const std::vector<TAreaRec>& countries, const std::vector<TAreaRec>& states) {
  const int k = box.PixelsPerDegree;
  const int width = static_cast<int>(std::lround((box.East - box.West) * k));
  const int height = static_cast<int>(std::lround((box.North - box.South) * k));
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(Hex("#aacbe2"));  // ocean
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const QTransform degreesToPixels(k, 0, 0, -k, -box.West * k, box.North * k);
  const QRectF view(box.West, box.South, box.East - box.West, box.North - box.South);
  auto inView = [&](const TAreaRec& a) { return a.Outline.boundingRect().intersects(view); };
  auto outline = [&](const TAreaRec& a, const QColor& colour, double widthPx) {
    p.setBrush(Qt::NoBrush);
    QPen pen(colour, widthPx);
    pen.setCosmetic(true);
    pen.setJoinStyle(Qt::RoundJoin);
    p.setPen(pen);
    p.drawPath(a.Outline);
  };

  p.setTransform(degreesToPixels);
  p.setPen(Qt::NoPen);
  for (const TAreaRec& c : countries) {
    if (!inView(c)) continue;
    p.setPen(Qt::NoPen);
    p.setBrush(Hex("#ece6d6"));
    p.drawPath(c.Outline);
  }
  // Neighbouring states (sharing an arc) never share a colour.
  const QColor fills[] = {Hex("#f3e2bf"), Hex("#d8eac4"), Hex("#f4d6cf"), Hex("#d6e2f0"), Hex("#eadcf0"), Hex("#f6efbf")};
  std::vector<int> colourOf(states.size(), 0);
  for (size_t i = 0; i < states.size(); ++i) {
    const std::set<int> mine(states[i].Arcs.begin(), states[i].Arcs.end());
    std::set<int> taken;
    for (size_t j = 0; j < i; ++j)
      for (int a : states[j].Arcs)
        if (mine.count(a)) {
          taken.insert(colourOf[j]);
          break;
        }
    while (taken.count(colourOf[i])) ++colourOf[i];
  }
  for (size_t i = 0; i < states.size(); ++i) {
    if (!inView(states[i])) continue;
    p.setPen(Qt::NoPen);
    p.setBrush(fills[colourOf[i] % 6]);
    p.drawPath(states[i].Outline);
  }
  for (const TAreaRec& s : states)
    if (inView(s)) outline(s, Hex("#8c8c8c"), 1.2);
  for (const TAreaRec& c : countries)
    if (inView(c)) outline(c, Hex("#5a5a5a"), 1.4);

  // Graticule in pixels, one line a degree.
  p.resetTransform();
  p.setRenderHint(QPainter::Antialiasing, false);
  QPen grid(QColor(90, 100, 115, 110), 1, Qt::DashLine);
  p.setPen(grid);
  QFont small(QStringLiteral("DejaVu Sans"));
  small.setPixelSize(11);
  p.setFont(small);
  const QFontMetrics sm(small);
  for (int lon = static_cast<int>(std::ceil(box.West)); lon <= static_cast<int>(std::floor(box.East)); ++lon) {
    const int x = static_cast<int>(std::lround((lon - box.West) * k));
    if (x <= 0 || x >= width) continue;
    p.setPen(grid);
    p.drawLine(x, 0, x, height);
    const QString text = QString::number(std::abs(lon)) + QChar(0xB0) + (lon < 0 ? "W" : lon > 0 ? "E" : "");
    p.setPen(QColor(60, 66, 76));
    p.drawText(x + 3, height - 4, text);
  }
  for (int lat = static_cast<int>(std::ceil(box.South)); lat <= static_cast<int>(std::floor(box.North)); ++lat) {
    const int y = static_cast<int>(std::lround((box.North - lat) * k));
    if (y <= 0 || y >= height) continue;
    p.setPen(grid);
    p.drawLine(0, y, width, y);
    const QString text = QString::number(std::abs(lat)) + QChar(0xB0) + (lat < 0 ? "S" : lat > 0 ? "N" : "");
    p.setPen(QColor(60, 66, 76));
    p.drawText(4, y - 4, text);
  }

  // State names where they fit.
  p.setRenderHint(QPainter::Antialiasing);
  QFont big(QStringLiteral("DejaVu Sans"));
  big.setPixelSize(15);
  big.setBold(true);
  big.setLetterSpacing(QFont::AbsoluteSpacing, 2);
  p.setFont(big);
  const QFontMetrics bm(big);
  p.setPen(QColor(110, 110, 110));
  for (const TAreaRec& s : states) {
    if (!inView(s) || s.Name.empty()) continue;
    QPainterPath viewPath;
    viewPath.addRect(view);
    const QPainterPath visible = s.Outline.intersected(viewPath);
    auto place = LabelPlace(visible);
    if (!place) continue;
    const QString name = QString::fromStdString(s.Name).toUpper();
    const int textWidth = bm.horizontalAdvance(name);
    if (textWidth + 20 > place->second * k) continue;
    const QPointF at = degreesToPixels.map(place->first);
    p.drawText(QPointF(at.x() - textWidth / 2.0, at.y() + bm.ascent() / 2.0), name);
  }
  return image;
}

}  // namespace druv
