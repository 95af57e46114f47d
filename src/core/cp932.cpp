// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "core/cp932.h"

#include <cerrno>
#include <iconv.h>

namespace tavolini {
namespace {

bool isUtf8Continuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Converts with iconv; an input sequence the target cannot hold becomes '?'
// and conversion goes on after it.
std::string convert(const char* to, const char* from, std::string_view input, bool inputIsUtf8) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(input);

    std::string output;
    output.reserve(input.size() * 2);
    char buffer[256];
    auto* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    while (inLeft > 0) {
        char* out = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t done = iconv(cd, &in, &inLeft, &out, &outLeft);
        output.append(buffer, out);
        if (done != static_cast<std::size_t>(-1) || errno == E2BIG) continue;
        output += '?';
        ++in;
        --inLeft;
        while (inputIsUtf8 && inLeft > 0 && isUtf8Continuation(*in)) {
            ++in;
            --inLeft;
        }
    }
    iconv_close(cd);
    return output;
}

} // namespace

std::string cp932(std::string_view utf8) {
    return convert("CP932", "UTF-8", utf8, true);
}

std::string utf8FromCp932(std::string_view cp932Text) {
    return convert("UTF-8", "CP932", cp932Text, false);
}

bool isCp932Text(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (isCp932LeadByte(bytes[i])) {
            if (++i == bytes.size() || !isCp932TrailByte(bytes[i])) return false;
        } else if (b == 0 || b == 0x80 || b == 0xA0 || b >= 0xFD) {
            return false;
        }
    }
    return true;
}

} // namespace tavolini
