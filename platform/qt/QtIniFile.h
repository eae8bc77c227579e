#pragma once
// One section of an ini file, read and written through QSettings. Writing goes through a
// temporary file (QSaveFile) renamed over the old one, and keeps the file's other sections.
#include <string>

#include "platform/SerialSettings.h"

namespace druv {

// Throws druv::Error when the file exists but cannot be read; a missing file is an empty section.
TIniSection ReadIniSection(const std::string& path, const std::string& section);
// Replaces the section's keys. Throws druv::Error when the file cannot be written.
void WriteIniSection(const std::string& path, const std::string& section, const TIniSection& values);

}  // namespace druv
