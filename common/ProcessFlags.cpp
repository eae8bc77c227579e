#include "common/ProcessFlags.h"

namespace druv {

std::atomic<unsigned char> WorkerStopFlag{0};

}  // namespace druv
