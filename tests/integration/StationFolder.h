#pragma once
// The application folder of a station under test: the settings files that come with the program,
// and a zelAPRS.ini that points the radio port at a pseudo-terminal.
#include <string>

#include "common/Files.h"

namespace druv {

inline void InstallStationFolder(const std::string& folder, const std::string& radioPort) {
  SetAppFolder(folder);
  for (const char* name : {"aprssettings.txt", "qth.cfg"})
    WriteFileAtomic(AppPath(name), *ReadFile(std::string(DRUV_SOURCE_DIR "/data/") + name));
  WriteFileAtomic(AppPath("zelAPRS.ini"), "[ComPort1]\r\nPort=" + radioPort +
                                              "\r\nBaudRate=57600\r\nStopBits=1\r\nDataBits=8\r\nParity=None\r\n"
                                              "FlowControl=Hardware\r\n");
}

}  // namespace druv
