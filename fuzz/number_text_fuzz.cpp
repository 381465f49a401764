// libFuzzer target for the number-text conversions: any text to read, any bits to write.
// Besides "no crash, no sanitizer report", it checks what must hold for every input:
// readings are finite, written texts are never "inf", "nan" or "-0", and they read back as the
// value they stand for.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "core/decimal.h"
#include "core/number_text.h"

namespace {

void check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "property failed: %s\n", what);
    std::abort();
  }
}

bool cleanText(const std::string& t) {
  return t.find("inf") == std::string::npos && t.find("nan") == std::string::npos &&
         t.find("INF") == std::string::npos && t.find("NAN") == std::string::npos && t != "-0" &&
         t != "-0.00" && t != "-\\0" && !t.empty();
}

// Half away from zero, the way the patterns round.
double roundHalfAway(double v) { return std::round(v); }

void checkPatterns(double v) {
  const std::string grouped = core::formatGrouped(v);
  check(cleanText(grouped), "#,##0 text");
  check(cleanText(core::format0_00(v)), "0.00 text");
  // Near the top of the double range the 15-digit rounding goes past the largest double, so the
  // texts no longer read back.
  if (!(std::fabs(v) < 1e308)) return;
  const auto back = core::readStrict(grouped);
  check(back.has_value(), "#,##0 reads back");
  // The pattern rounds the 15-digit text of v, which lies within 5e-15 relative of v.
  const double tolerance = 0.5 + std::fabs(v) * 1e-14;
  check(std::fabs(*back - v) <= tolerance, "#,##0 is the rounded value");
  if (std::fabs(v) < 1e15) check(*back == roundHalfAway(*back), "#,##0 is whole");

  // Read exactly, the whole number gives the same money text, behind the yen mark.
  if (std::fabs(v) < 1e39) {
    const auto exactBack = core::readExact(grouped);
    check(exactBack.has_value(), "#,##0 reads back exactly");
    const std::string expectedYen = grouped[0] == '-' ? "-\\" + grouped.substr(1) : "\\" + grouped;
    check(core::yenText(*exactBack) == expectedYen, "\\#,##0 is #,##0 behind a backslash");
  }

  const std::string fixed = core::format0_00(v);
  check(cleanText(fixed), "0.00 text");
  const auto dot = fixed.find('.');
  check(dot != std::string::npos && dot > 0 && fixed.size() - dot == 3, "0.00 shape");
  const auto fixedBack = core::readStrict(fixed);
  check(fixedBack.has_value(), "0.00 reads back");
  check(std::fabs(*fixedBack - v) <= 0.005 + std::fabs(v) * 1e-14, "0.00 is the rounded value");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  if (const auto strict = core::readStrict(text)) {
    check(std::isfinite(*strict), "strict reading is finite");
    checkPatterns(*strict);
    // What reads strictly also reads leniently, to the same value, unless it has digit groups
    // (ASCII or full-width commas), where the lenient reading stops.
    const bool grouped = text.find(',') != std::string_view::npos ||
                         text.find("\xEF\xBC\x8C") != std::string_view::npos;
    check(grouped || core::readLenient(text) == *strict,
          "lenient agrees with strict on plain numbers");
  }
  // Grouping: in a plain ASCII text that reads strictly, every comma has exactly three digits
  // after it ("35,5" must never read as 355).
  if (core::readStrict(text) &&
      std::all_of(text.begin(), text.end(), [](char c) { return (c & 0x80) == 0; })) {
    for (std::size_t i = text.find(','); i != std::string_view::npos; i = text.find(',', i + 1)) {
      const auto digitAt = [&](std::size_t j) {
        return j < text.size() && text[j] >= '0' && text[j] <= '9';
      };
      check(digitAt(i + 1) && digitAt(i + 2) && digitAt(i + 3) && !digitAt(i + 4),
            "a group has three digits");
    }
  }
  // The exact reading takes a subset of what the strict reading takes (it bounds the magnitude).
  if (core::readExact(text)) check(core::readStrict(text).has_value(), "exact reads strictly");
  if (const auto f = core::readStrictFloat(text)) check(std::isfinite(*f), "float is finite");
  check(std::isfinite(core::readLenient(text)), "lenient reading is finite");

  if (size >= sizeof(double)) {
    double d;
    std::memcpy(&d, data, sizeof d);
    const std::string plain = core::plainDouble(d);
    check(cleanText(plain), "plain double text");
    // Near the top of the double range 15 digits round up past the largest double.
    const auto back = core::readStrict(plain);
    check(back.has_value() || !(std::fabs(d) < 1e308), "plain double reads back");
    if (back && std::isfinite(d)) {
      check(std::fabs(*back - d) <= std::fabs(d) * 1e-14 || d == 0 || std::fabs(d) < 1e-300,
            "plain double keeps 15 digits");
    }
    checkPatterns(d);
  }
  if (size >= sizeof(float)) {
    float f;
    std::memcpy(&f, data, sizeof f);
    const std::string plain = core::plainFloat(f);
    check(cleanText(plain), "plain float text");
    const auto back = core::readStrictFloat(plain);
    check(back.has_value(), "plain float reads back as a float");
    if (std::isfinite(f) && std::fabs(f) > 1e-30f) {
      check(std::fabs(*back - f) <= std::fabs(f) * 1e-6f, "plain float keeps 7 digits");
    }
  }
  return 0;
}
