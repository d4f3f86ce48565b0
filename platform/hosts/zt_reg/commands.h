#pragma once
// Carrying out a parsed zt-reg command against the registry of the current device root.
#include <iosfwd>

#include "platform/hosts/zt_reg/command_line.h"

namespace zt::platform::zt_reg {

struct Streams {
    std::ostream& out;
    std::ostream& err;
    std::istream& in;  // import from "-"
};

// The exit status: kExitOk, kExitNotFound or kExitFailure. Messages go to err.
int run_command(const Command& command, Streams io);

}  // namespace zt::platform::zt_reg
