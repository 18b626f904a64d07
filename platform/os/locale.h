// The user's number format.
#pragma once

namespace quillon::os {

// The decimal separator of the user's locale ('.' when it cannot be told). On Linux the
// locale comes from LC_ALL, LC_NUMERIC and LANG, as for any program.
char DecimalSeparator();

}  // namespace quillon::os
