#pragma once
// Times of day in the user's long time format, for the caption clock and the station table.
#include <QString>
#include <string>

#include "common/DateTime.h"

namespace druv {

// The user's long time format without its time-zone part, which a bare time of day cannot show.
QString LongTimeFormat();
// The time of day of t in that format.
QString FormatLongTime(TDateTime t);

}  // namespace druv
