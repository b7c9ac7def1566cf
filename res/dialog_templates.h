// Dialog templates 136 (configuration) and 100 (About).
#pragma once

#include "platform/afx/dialog_template.h"

extern const DLGTEMPLATEDATA kConfigDialogTemplate;
extern const DLGTEMPLATEDATA kAboutDialogTemplate;
