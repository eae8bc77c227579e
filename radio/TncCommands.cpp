#include "radio/TncCommands.h"
