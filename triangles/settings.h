#pragma once

#include "harness/program_settings.h"

extern const ProgramSettings triangles_settings;
