#pragma once

#include "harness/program_settings.h"

extern const ProgramSettings screens_settings;
