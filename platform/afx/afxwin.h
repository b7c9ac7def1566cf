// The framework in one include, as the system's classes use it.
#pragma once

#include "platform/afx/app.h"
#include "platform/afx/messages.h"
#include "platform/afx/msgqueue.h"
#include "platform/afx/object.h"
#include "platform/afx/oblist.h"
#include "platform/afx/resources.h"
#include "platform/afx/sync.h"
#include "platform/afx/thread.h"
#include "platform/afx/wnd.h"
