// libFuzzer target for the settings file: any bytes through the reader and the settings check.
// Besides "no crash, no hang, no sanitizer report", it checks what must hold for every input:
// a refused file says why and leaves the built-in values whole; a taken one holds settings the
// check takes.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "app/settings_file.h"
#include "core/trade_settings.h"

namespace {

void check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "property failed: %s\n", what);
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArray contents(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const app::Parsed parsed = app::parse(contents);
  if (parsed.fault) {
    check(!parsed.fault->reason.empty(), "a fault says why");
    check(parsed.settings == core::builtInSettings(), "a refused file is not a mix");
  } else {
    check(!core::checkSettings(parsed.settings).has_value(), "taken settings pass the check");
  }
  return 0;
}
