#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// A member expression of the plainest form, `root(.name|[index])*`, with ASCII names and
// plain decimal indexes; anything else is not one.
struct MemberPath {
    std::string root;
    std::vector<std::variant<std::string, std::uint32_t>> steps;

    static std::optional<MemberPath> parse(std::string_view text);
};
