#pragma once
// The per-type decoders that DecodeInformation runs, and the coordinate and locator routines.
#include <string>
#include <string_view>

#include "parser/TAprsPacket.h"

namespace druv {

// Positions, timestamps and grid squares.
void DecodePosition(std::string& text, TAprsPacket& packet);  // removes the decoded position from text
void DecodePositionPacket(std::string_view info, TAprsPacket& packet);
void DecodePositionTime(std::string_view info, TAprsPacket& packet);
void DecodeTimeStamp(std::string_view stamp, TAprsPacket& packet);
double NmeaToDegrees(std::string_view text);
std::string FormatLatitude(double degrees);
std::string FormatLongitude(double degrees);
void GridToLatLon(std::string_view locator, double& latitude, double& longitude);
std::string LatLonToGrid(double longitude, double latitude);  // longitude first
bool IsMobileSymbol(char table, char code);
void RoundCoordinates(TAprsPacket& packet);

// Mic-E.
void DecodeMicE(std::string_view info, TAprsPacket& packet);

// Messages, objects, items, status, beacons, grid locators.
void DecodeMessage(std::string_view info, TAprsPacket& packet);
void DecodeObject(std::string_view info, TAprsPacket& packet);
void DecodeItem(std::string_view info, TAprsPacket& packet);
void DecodeStatus(std::string_view info, TAprsPacket& packet);
void DecodeBeacon(std::string_view info, TAprsPacket& packet);
void DecodeGridLocator(std::string_view info, TAprsPacket& packet);

// PHG, RNG and DFS extensions; they read packet.Comment.
extern bool RelaxedPHG;
void ParsePHG(TAprsPacket& packet);
void ParseDFS(TAprsPacket& packet);
float PHGRange(int power, int height, int gainFactor);

}  // namespace druv
