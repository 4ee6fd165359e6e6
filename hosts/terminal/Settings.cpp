#include "Settings.h"

#include "Registry.h"
#include "TextUtil.h"

namespace quintar::terminal {

std::string ApplySetting(TQuintar& Control, std::string_view Assignment) {
  const std::size_t Equals = Assignment.find('=');
  if (Equals == std::string_view::npos) return "expected Name=Value, not \"" + EchoUtf8(Assignment) + "\"";
  return vcl::SetPropertyText(Control, TQuintar::ClassInfo(), Trimmed(Assignment.substr(0, Equals)),
                              Assignment.substr(Equals + 1));
}

}  // namespace quintar::terminal
