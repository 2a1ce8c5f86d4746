#include "print_error.h"

namespace korvane {

PrintError::PrintError(Reason reason, const std::string& what)
    : std::runtime_error(what), reason_(reason)
{
}

PrintError::Reason PrintError::reason() const
{
    return reason_;
}

} // namespace korvane
