// The commands of quillon-cli; each takes the arguments after its command word and
// answers the exit status.
#pragma once

#include "cli/cli_support.h"

namespace quillon::cli {

int RunList(ArgumentList args);
int RunCompile(ArgumentList args);
int RunWords(ArgumentList args);
int RunDict(ArgumentList args);

}  // namespace quillon::cli
