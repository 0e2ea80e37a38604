#pragma once

#include <array>
#include <iterator>

#include "main_window/calculate_command.hpp"

namespace testing_support {

// The fields of the Calculate command without a window: texts in an array,
// messages counted instead of shown.
class FakeFields : public main_window::CommandFields {
public:
    FakeFields()
    {
        for (const auto& spec : main_window::kFieldSet)
            set_text(spec.field, QString::fromUtf8(spec.initial_text));
    }
    QString text(main_window::Field field) const override { return texts[static_cast<std::size_t>(field)]; }
    void set_text(main_window::Field field, const QString& text) override
    {
        texts[static_cast<std::size_t>(field)] = text;
    }
    void set_axial_force_background(const QColor& colour) override { background = colour; }
    void show_error(const QString& title, const QString& text) override
    {
        ++messages;
        last_title = title;
        last_text = text;
    }

    std::array<QString, std::size(main_window::kFieldSet)> texts;
    QColor background;
    int messages = 0;
    QString last_title, last_text;
};

}  // namespace testing_support
