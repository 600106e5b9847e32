#include "CheckOutcome.h"

namespace vel {

CheckOutcome CheckOutcome::refused(const QString& message, MessageKind shownAs)
{
    CheckOutcome out{false, {message}};
    out.shownAs = shownAs;
    return out;
}

}  // namespace vel
