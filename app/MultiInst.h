#pragma once

#include "ui/CoreWindow.h"

namespace dorvex {

// The notice a second instance shows before it ends.
class MultiInst : public CoreWindow {
public:
    explicit MultiInst(Program& program);

    Control& Logo;
    Control& ErrorMess;
    Control& Exit;

protected:
    void Form_Load() override;
    void Form_Activate() override;
    void Form_QueryClose() override;
};

} // namespace dorvex
