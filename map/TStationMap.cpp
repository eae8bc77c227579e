#include "map/TStationMap.h"

#include <exception>

#include "common/Text.h"
#include "map/LocatorFile.h"
#include "map/MapPicture.h"
#include "map/SymbolIndex.h"
#include "parser/APRSParser.h"
#include "stations/TStationTable.h"

namespace druv {

namespace {

std::string CharText(char c) { return c ? std::string(1, c) : std::string(); }

// Lat 0 and lon 0 together is what a station that never sent a position holds.
bool HasPosition(double lat, double lon) { return lat != 0 || lon != 0; }

struct TPacketStationRec {
  double Lat = 0, Lon = 0;
  std::string Call, Table, Code, Comment;
};

std::optional<TPacketStationRec> PacketStation(const std::string& line) {
  std::unique_ptr<TAprsPacket> p = ParsePacket(line, 0);
  if (!p || !p->Position.Valid) return std::nullopt;
  TPacketStationRec s;
  s.Lat = p->Position.Latitude.Value;
  s.Lon = p->Position.Longitude.Value;
  if (!HasPosition(s.Lat, s.Lon)) return std::nullopt;
  s.Call = p->SourceCallSign.StationCall;
  s.Table = CharText(p->SymbolTableIdentifier);
  s.Code = CharText(p->SymbolCode);
  s.Comment = std::move(p->Comment);
  return s;
}

// Ends the picture's drawing pass however the plot leaves.
struct TDrawingPass {
  IMapPicture& Picture;
  ~TDrawingPass() { Picture.EndDrawing(); }
};

}  // namespace

bool IsPacketLine(std::string_view line) {
  return Contains(line, ">") && !StartsWith(line, "cmd") && !StartsWith(line, "TC");
}

TStationMap::TStationMap(IMapPicture& picture, TSymbolSheet& symbols, std::string mapsFolder)
    : Picture_(picture), Symbols_(symbols), MapsFolder_(std::move(mapsFolder)) {
  Path_ = MapsFolder_ + Name_;
  Folder_ = MapsFolder_;
}

void TStationMap::LoadStartupMap() { SelectBuiltInMap("map"); }

void TStationMap::SelectBuiltInMap(const std::string& base) {
  const std::string image = MapsFolder_ + base + ".jpg";
  Picture_.Load(image);
  ReadLocatorFile(MapsFolder_ + base + ".txt", MapFrame, Picture_.Width(), Picture_.Height());
  Path_ = image;
  Name_ = base + ".jpg";
  Folder_ = MapsFolder_;
}

std::string TStationMap::OpenOtherMap(const std::string& path) {
  Picture_.Load(path);
  Path_ = path;
  return ReadLocatorFile(LocatorPathFor(path), MapFrame, Picture_.Width(), Picture_.Height());
}

void TStationMap::TakeOtherMapName() {
  Name_ = FileNamePart(Path_);
  Folder_ = FolderPart(Path_);
}

void TStationMap::ReloadCurrentMap() {
  const std::string image = Folder_ + Name_;
  Picture_.Load(image);
  ReadLocatorFile(LocatorPathFor(image), MapFrame, Picture_.Width(), Picture_.Height());
}

void TStationMap::DrawStation(double lat, double lonEast, const std::string& label) {
  const int32_t x = LonToX(MapFrame, -lonEast);
  const int32_t y = LatToY(MapFrame, lat);
  if (Options.StrategicCall) Picture_.DrawLabel(x + 10, y, label, Options.OtherStyle);
  Picture_.DrawSymbol(x - 10, y - 10, Symbols_.Image());
}

void TStationMap::RefreshMap(const TStationTable& stations) {
  ReloadCurrentMap();
  TDrawingPass pass{Picture_};
  stations.ForEachInOrder([this](TStationTable::TRecordId, const TStationRec& r) {
    if (!HasPosition(r.LAT, r.LON)) return;
    try {
      Symbols_.SelectSymbol(!IsAlternateTable(r.TABLEID), SymbolIndexFor(r.TABLEID, r.Symbol, r.COMMENT));
      DrawStation(r.LAT, r.LON, r.STN);
    } catch (const std::exception&) {
      // A record that cannot be drawn is left out.
    }
  });
}

void TStationMap::RefreshTrails(const std::vector<std::string>& rawLines) {
  ReloadCurrentMap();
  TDrawingPass pass{Picture_};
  for (const std::string& line : rawLines) {
    if (!IsPacketLine(line)) continue;
    try {
      std::optional<TPacketStationRec> s = PacketStation(line);
      if (!s) continue;
      Symbols_.SelectSymbol(!IsAlternateTable(s->Table), SymbolIndexFor(s->Table, s->Code, s->Comment));
      DrawStation(s->Lat, s->Lon, s->Call);
    } catch (const std::exception&) {
      // A line that cannot be drawn is left out.
    }
  }
}

void TStationMap::PlotWeatherOnly(const std::vector<std::string>& rawLines) {
  // The picture only: the frame keeps its degrees and takes the picture's size.
  Picture_.Load(Folder_ + Name_);
  MapFrame.Left = 0;
  MapFrame.Right = Picture_.Width();
  MapFrame.Top = 0;
  MapFrame.Bottom = Picture_.Height();
  TDrawingPass pass{Picture_};
  int index = 0;  // the last weather symbol seen in the primary table
  for (const std::string& line : rawLines) {
    if (!IsPacketLine(line)) continue;
    try {
      std::optional<TPacketStationRec> s = PacketStation(line);
      if (!s) continue;
      if (s->Table == "/") {
        if (s->Code == "_") index = 83;
        if (s->Code == "W") index = 75;
      }
      Symbols_.SelectSymbol(!IsAlternateTable(s->Table), index);
      if (Options.StrategicCall && (s->Code == "_" || s->Code == "W")) DrawStation(s->Lat, s->Lon, s->Call);
    } catch (const std::exception&) {
      // A line that cannot be drawn is left out.
    }
  }
}

}  // namespace druv
