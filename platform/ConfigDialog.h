#pragma once

#include "platform/ConfigDialogModel.h"

// Shows the "Vortalis 2 Config" dialog in a window of its own and runs it
// until OK or Cancel; the choices are left in `model`.
ConfigDialogModel::Result runConfigDialog(ConfigDialogModel& model);
