#pragma once
// The program's name and version as it shows them and sends them to peers; the number comes from
// the build (the project version).
#ifndef DRUV_VERSION
#error "DRUV_VERSION is set by the build"
#endif

namespace druv {

inline constexpr const char* VersionNumber = DRUV_VERSION;
inline constexpr const char* ProductVersionText = "DRUVaprs " DRUV_VERSION;  // "DRUVaprs 0.97"

}  // namespace druv
