#pragma once

#include <string_view>

namespace quorell::gui {

// Whether the text is a well-formed http or https address that may be handed to the shell to open: the
// shell would run a program or open a file for anything else, so nothing else is opened.
bool IsWebAddress(std::string_view address);

}  // namespace quorell::gui
