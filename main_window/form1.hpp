// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <array>

#include "section_analysis/section_state.hpp"
#include "window_layout/field_set.hpp"

class QLabel;
class QLineEdit;
class QPushButton;

namespace main_window {

// The program's one window, built from the layout tables. It owns the
// fields and the section state the Calculate command works on.
class Form1 : public QWidget {
public:
    explicit Form1(QWidget* parent = nullptr);

    const section_analysis::SectionState& section() const { return section_; }

    // The three events the window handles.
    void cmd_Calc_Click();
    void Cmd_UM_Click();
    void Lbl_UM_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build_controls(double dpi);
    void show_error(const QString& title, const QString& text);
    QLineEdit* field(window_layout::Field field) const { return fields_[static_cast<std::size_t>(field)]; }

    section_analysis::SectionState section_;
    std::array<QLineEdit*, std::size(window_layout::kFieldSet)> fields_{};
    QPushButton* cmd_Calc_ = nullptr;
    QPushButton* Cmd_UM_ = nullptr;
    QLabel* Lbl_UM_ = nullptr;
};

}  // namespace main_window
