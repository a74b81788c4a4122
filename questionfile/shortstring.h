#pragma once
// A text of fixed capacity as the game's files store it: a length byte and room for
// N bytes. Bytes beyond the length carry no meaning but are kept, because clearing a
// field only resets its length.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

template <std::size_t N>
struct TShortString {
    static_assert(N >= 1 && N <= 255, "a short string holds at most 255 bytes");
    static constexpr std::size_t Capacity = N;

    std::uint8_t Length = 0;
    std::array<char, N> Bytes{};

    TShortString() = default;
    TShortString(std::string_view text) { assign(text); }  // NOLINT: keeps records readable

    // Keeps the first N bytes of a longer text.
    void assign(std::string_view text)
    {
        Length = static_cast<std::uint8_t>(std::min(text.size(), N));
        std::copy_n(text.data(), Length, Bytes.data());
    }
    TShortString &operator=(std::string_view text)
    {
        assign(text);
        return *this;
    }
    void clear() { Length = 0; }

    std::string_view view() const { return {Bytes.data(), Length}; }
    std::string str() const { return std::string(view()); }
    bool empty() const { return Length == 0; }

    friend bool operator==(const TShortString &a, const TShortString &b) { return a.view() == b.view(); }
    friend bool operator==(const TShortString &a, std::string_view b) { return a.view() == b; }
};
