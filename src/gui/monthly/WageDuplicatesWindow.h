#pragma once

#include "monthly/WageSheetWindow.h"

namespace vel::gui {

// Every wage row of the month whose number a person (number and name) holds twice, edited or
// deleted by their ids.
class WageDuplicatesWindow : public WageSheetWindow {
    Q_OBJECT
public:
    WageDuplicatesWindow(const WindowContext& context, int month, QWidget* parent = nullptr);

    // "修改" wrote something since the window opened: the wage window stores the month again.
    bool modified() const { return modified_; }

    // "修改".
    void saveEdits();
    // Pop-up "删除": the stored row of the first selected sheet row, at once.
    void deleteSelected();

private:
    bool modified_ = false;
};

}  // namespace vel::gui
