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
// "/", "\", an overlay digit or letter: the symbol table of an uncompressed or Mic-E position.
bool IsSymbolTable(char c);
// Hundredths of a minute (0 to 5999) whose last `blanks` digits were blanked for position
// ambiguity: the centre of the range they leave open (mm.h5, mm.50, m5.00, 30.00).
int CentreOfAmbiguity(int hundredths, int blanks);
// Latitude within 90 and longitude within 180 degrees either side.
bool IsOnEarth(const TPositionRec& pos);
// A position off the earth is not valid, and one that is not valid keeps no coordinates, course,
// speed, altitude or ambiguity, so no consumer can store or draw it.
void SettlePosition(TAprsPacket& packet);

// Mic-E.
void DecodeMicE(std::string_view info, TAprsPacket& packet);

// Raw GPS data: NMEA RMC, GGA and GLL sentences.
void DecodeRawGPS(std::string_view info, TAprsPacket& packet);

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
