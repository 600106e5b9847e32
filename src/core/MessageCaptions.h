#pragma once

#include <QString>

namespace vel {

// The caption of the box that shows `message`, where the program has one of its own for it
// ("消息" for a missing wage month and a failed export, "警告" for a missing spreadsheet
// program); empty for every other message, whose box carries the program's title.
QString messageCaption(const QString& message);

}  // namespace vel
