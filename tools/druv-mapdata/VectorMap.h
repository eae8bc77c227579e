#pragma once
// Plate carree maps drawn from TopoJSON boundaries (unprojected longitude and latitude), so that a
// map is georeferenced by its four edges alone: x = (lon - west) * k, y = (north - lat) * k.
#include <QImage>
#include <QPainterPath>
#include <string>
#include <vector>

namespace druv {

struct TAreaRec {
  std::string Id, Name;
  QPainterPath Outline;       // in degrees, longitude as x and latitude as y
  std::vector<int> Arcs;      // arcs the outline uses, for finding neighbours
};

// The areas of one object ("states", "countries") of a TopoJSON file. Throws druv::Error.
std::vector<TAreaRec> ReadTopoJsonAreas(const std::string& path, const std::string& object);

struct TMapBoxRec {
  double West = 0, East = 0, South = 0, North = 0;  // degrees, East positive
  int PixelsPerDegree = 0;
};

// Ocean, countries, the US states in colours that differ between neighbours, their borders, a one
// degree graticule with labels, and the names of the states in view.
QImage DrawVectorMap(const TMapBoxRec& box, const std::vector<TAreaRec>& countries, const std::vector<TAreaRec>& states);

}  // namespace druv
