// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace materials {

// What reading a user's text gave: a value, or the reason it was refused,
// in Italian, naming the part not understood.
template <class T> struct Reading {
    std::optional<T> value;
    std::string refusal;

    static Reading refused(std::string reason) { return {std::nullopt, std::move(reason)}; }
    explicit operator bool() const { return value.has_value(); }
    const T& operator*() const { return *value; }
    const T* operator->() const { return &*value; }
};

// A name as the tables hold it: blanks around dropped, ASCII letters in
// capitals ("c25/30 " is C25/30).
std::string table_name(std::string_view text);

}  // namespace materials
