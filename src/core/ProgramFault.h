#pragma once

#include <QString>

#include <exception>

namespace vel {

// A failure that is no Error: a programming fault, or a library's own exception that no layer
// turned into one. The clerk is told in Chinese that the command stopped; the exception's own
// (English) text goes to the fault log for whoever maintains the program.
QString programFault(const std::exception& e);

// Where programFault writes: faults.log in the user's cache folder for this program.
QString faultLogPath();

}  // namespace vel
