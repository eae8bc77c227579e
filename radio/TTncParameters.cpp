#include "radio/TTncParameters.h"

#include "common/Text.h"

namespace druv {

bool HasReservedCallSign(const std::string& myCallText) {
  return Contains(myCallText, "ZZ9ZZZ") || Contains(myCallText, "Y0URCALL");
}

}  // namespace druv
