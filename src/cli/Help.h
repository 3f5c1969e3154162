#pragma once
// The help texts of vantrelctl.

#include <string>
#include <string_view>

namespace cli_help {

// The whole tool: commands, global options, exit codes.
std::string Overview();
// One command; empty for a command that does not exist.
std::string Command(std::string_view command);

}  // namespace cli_help
