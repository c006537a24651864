// How the benchmarks write numbers and times into their Markdown tables.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace zestovar::bench {

// 16049 as "16,049".
inline std::string grouped(std::uint64_t n) {
  const std::string digits = std::to_string(n);
  std::string out;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  return out;
}

// Three significant digits or so, in µs, ms or s.
inline std::string formatTime(double seconds) {
  char text[32];
  if (seconds < 1e-3)
    std::snprintf(text, sizeof text, "%.0f µs", seconds * 1e6);
  else if (seconds < 0.01)
    std::snprintf(text, sizeof text, "%.2f ms", seconds * 1e3);
  else if (seconds < 1)
    std::snprintf(text, sizeof text, "%.1f ms", seconds * 1e3);
  else
    std::snprintf(text, sizeof text, "%.2f s", seconds);
  return text;
}

}  // namespace zestovar::bench
