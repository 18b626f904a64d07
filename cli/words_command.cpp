// quillon-cli words FILE.ovm [PREFIX]
#include "cli/commands.h"
#include "platform/os/ansi_codepage.h"

namespace quillon::cli {

int RunWords(ArgumentList args) {
    std::vector<std::string> rest = args.Rest();
    if (rest.empty() || rest.size() > 2) throw ECliError("words wants a dictionary and an optional prefix");
    auto dictionaries = OpenMainDictionaries({rest[0]});
    const std::string prefix = rest.size() == 2 ? os::Utf8ToCp1252(rest[1]) : std::string();
    Output out;
    dictionaries.front()->WalkPrefix(prefix, [&out](std::string_view word) {
        out.Line(os::Cp1252ToUtf8(word));
        return false;
    });
    return kExitOk;
}

}  // namespace quillon::cli
