// Fills in the picture, icon and cursor entries of the resource module.
#pragma once

#include "platform/afx/resources.h"

void AddImageResources(AfxResourceModule& module);
