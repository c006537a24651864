// Web addresses: a reference on a page made absolute against the page's address, as RFC 3986 says
// (section 5.2).
#pragma once

#include <string>
#include <string_view>

namespace zestovar::exchange {

// The reference resolved against an absolute base address. A reference with a scheme stands as it
// is (its dot segments removed); without an absolute base a relative reference gives nothing.
// Blanks at both ends of either are ignored; blanks within and bytes beyond ASCII come out
// percent-encoded.
std::string resolveAddress(std::string_view base, std::string_view reference);

// Whether the address is one the web client fetches: http or https, with a host.
bool isWebAddress(std::string_view address);

}  // namespace zestovar::exchange
