// How a desktop entry's Exec line carries one argument, whatever characters it holds: the
// entry format's quoting, then the escapes of the string value that holds the line.
#pragma once

#include <string>
#include <string_view>

namespace tavimore {

// One argument of an Exec line: always in double quotes, with `"`, `` ` ``, `$` and `\`
// escaped inside them, then every backslash doubled (the value is a string, whose own
// escape is the backslash) and `%` doubled (not a field code).
std::string DesktopExecArgument(std::string_view argument);

}  // namespace tavimore
