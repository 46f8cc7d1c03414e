#pragma once
// The page of the connection-lost window (300 x 56): the backdrop and two message lines; it binds no
// parameter and has no meters. GUI thread only.

#include "PAL/ViewLib/ControlPage.h"

class ConnectionLostPage : public ControlPage {
public:
    explicit ConnectionLostPage(ParameterSet* set);
};
