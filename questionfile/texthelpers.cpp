#include "texthelpers.h"

std::string ZeroPadStr(int width, std::int32_t n)
{
    const std::string digits = std::to_string(n);
    const auto w = static_cast<std::size_t>(width < 0 ? 0 : width);
    if (digits.size() >= w)
        return digits.substr(digits.size() - w);
    return std::string(w - digits.size(), '0') + digits;
}

std::string StripFirstChar(std::string_view text)
{
    text = text.substr(0, 255);
    if (text.size() < 2)
        return {};
    return std::string(text.substr(1));
}
