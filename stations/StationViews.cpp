#include "stations/StationViews.h"

#include <array>
#include <utility>

#include "common/Numbers.h"
#include "common/Text.h"
#include "parser/APRSParser.h"
#include "parser/Decoders.h"
#include "stations/TStationTable.h"

namespace druv {

namespace {
const std::array<std::pair<char, std::string_view>, 33> SymbolNames = {{
    {'>', "CAR"},        {'j', "JEEP"},          {'k', "TRUCK"},          {'v', "VAN"},
    {'u', "18 Wheeler"}, {'_', "WX STN"},        {'!', "Police Station"}, {'o', "Emergency Cntr"},
    {'#', "Digi"},       {'-', "House QTH"},     {'R', "Rec Veh"},        {'S', "Shuttle"},
    {'W', "Natl WX Srvc"}, {'y', "Yagi"},        {'&', "HF Gateway"},     {'<', "Motorcycle"},
    {'p', "Rover"},      {'%', "DX Cluster"},    {'I', "Tcp_Ip"},         {',', "S. Plane"},
    {'\'', "S. Plane"},  {'`', "S. Plane"},      {'O', "Balloon"},        {'+', "Red Cross"},
    {'A', "Aid Stn"},    {'^', "L. Plane"},      {'/', "Red Dot"},        {'|', "TNC Stream"},
    {'U', "Bus"},        {'d', "Fire Stn"},      {'e', "Horse"},          {'[', "Jogger"},
    {'K', "School"},
}};
}  // namespace

std::string_view SymbolName(std::string_view symbol, std::string_view info) {
  if (symbol.size() != 1) return "--";
  for (const auto& [code, name] : SymbolNames) {
    if (code == '_' && (Contains(info, "_P") || Contains(info, "_p"))) continue;
    if (symbol[0] == code) return name;
  }
  return "--";
}

TStationLookupRec StationLookup(const TStationRec& r) {
  TStationLookupRec out;
  out.Station = r.STN;
  out.Grid = LatLonToGrid(r.LON, r.LAT);
  out.Comment = "Comment; " + r.COMMENT;
  out.Packet = r.PACKET + r.PACKET2;
  out.Memo = r.PACKET;
  const std::string_view name = SymbolName(r.Symbol, r.INFO);
  out.SymbolName = std::string(name);
  out.IsWeatherStation = name == "WX STN";
  return out;
}

std::optional<TRawLineDetailsRec> RawLineDetails(std::string_view line) {
  auto packet = ParsePacket(line, 0);
  if (!packet) return std::nullopt;
  TRawLineDetailsRec out;
  out.Verbose = packet->VerboseDisplayStr();
  out.Station = packet->SourceCallSign.StationCall;
  out.Grid = packet->Position.Gridsquare;
  out.Course = "Course: " + FormatInt(packet->Position.Course);
  out.Speed = "Speed: " + FormatInt(packet->Position.Speed);
  out.Comment = "Comment: " + packet->Comment;
  return out;
}

TNearestStationRec NearestStation(TStationTable& table, double latitude, double longitude) {
  TNearestStationRec out;
  out.Grid = LatLonToGrid(longitude, latitude);
  table.First();
  out.Found = table.Locate(sfGrid, out.Grid) && out.Grid != "JJ00AA";
  out.StatusText = out.Found ? "The nearest match to " + out.Grid + "    " + table.Current()->STN
                             : "Insufficient resolution. Shift mouse and try again.";
  if (const TStationRec* r = table.Current()) out.Packet = r->PACKET;
  return out;
}

}  // namespace druv
