// A drop-down list without typing.
#pragma once

#include "platform/gtk/gtk_controls.h"

class ComboControl : public GtkControl {
public:
    ComboControl(const DLGITEMDATA& item, DialogEvents& events);
    LRESULT Message(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    int m_count = 0;
};
