#pragma once

#include "components/OptionsSettings.h"

// The shell reads the user settings the options dialog keeps.
using TShellSettings = TOptionsSettings;
