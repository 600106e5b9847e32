#include "CheckBoxes.h"

#include "Prompter.h"

namespace vel::gui {

bool passChecks(QWidget* parent, const CheckOutcome& outcome,
                const std::function<void(const CheckOutcome&)>& takeOffer)
{
    for (const QString& message : outcome.messages) {
        if (outcome.shownAs == MessageKind::Error)
            prompt().error(parent, message);
        else if (outcome.shownAs == MessageKind::Confirm)
            prompt().confirm(parent, message);
        else
            prompt().info(parent, message);
    }
    if (outcome.passed)
        return outcome.question.isEmpty() || prompt().ask(parent, outcome.question);
    bool offered = outcome.offer != CheckOffer::None;
    if (!outcome.question.isEmpty())
        offered = prompt().confirm(parent, outcome.question) && offered;
    if (offered && takeOffer)
        takeOffer(outcome);
    return false;
}

}  // namespace vel::gui
