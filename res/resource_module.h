// The program's resources, handed to the framework at start-up.
#pragma once

#include "platform/afx/resources.h"

const AfxResourceModule& QuorvelResources();
